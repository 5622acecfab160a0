// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "art/dash.h"
#include "art/mediaitem.h"

#include <QImage>
#include <QPainter>
#include <QString>

namespace wirtal::art {

// The picture of any non-film item, 480 x 360.
QImage renderPicture(const media::Item& item);

void paintFixedScene(QPainter& p, const QString& name);

// The fixed pictures of the program folder's "obrazki_prawko": writes them into that folder;
// false when one could not be written.
bool writeFixedPictures(const QString& folder);

} // namespace wirtal::art
