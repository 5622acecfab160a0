// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

namespace wirtal::art {

// A dashboard warning light by name, drawn over the whole 480 x 360 picture.
void paintDash(QPainter& p, const QString& name);
// One warning light on a small dark square (the corner of a film frame, a menu icon).
void paintDashIcon(QPainter& p, const QRectF& box, const QString& name);

} // namespace wirtal::art
