// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPainter>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace wirtal::art {

// The size of a sign's face when its reference size (the width of a square sign, the diameter
// of a round one) is `size`; plates and wide signs are wider, posts taller.
QSizeF signFaceSize(const QString& codeWithArg, qreal size);

// Draws one sign ("B-33/50") with its face's top-centre at `top`.
void paintSign(QPainter& p, QPointF top, qreal size, const QString& codeWithArg);

// Draws a stack of signs (the first on top, the others under it) with the stack's top-centre at
// `top`; returns the height used.
qreal paintSignStack(QPainter& p, QPointF top, qreal size, const QStringList& codes);
qreal signStackHeight(qreal size, const QStringList& codes);

} // namespace wirtal::art
