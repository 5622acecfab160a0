#pragma once

#include "art/mediaitem.h"

#include <QImage>
#include <QPainter>
#include <QString>

namespace wirtal::art {

// The picture of any non-film item, 480 x 360.
QImage renderPicture(const media::Item& item);

void paintDash(QPainter& p, const QString& name);
// One warning light on a small dark square (the corner of a film frame).
void paintDashIcon(QPainter& p, const QRectF& box, const QString& name);
void paintFixedScene(QPainter& p, const QString& name);

// The fixed pictures of the program folder's "obrazki_prawko": writes them into that folder;
// false when one could not be written.
bool writeFixedPictures(const QString& folder);

} // namespace wirtal::art
