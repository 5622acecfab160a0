// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "art/palette.h"

#include <QColor>
#include <QPixmap>
#include <QSize>

namespace wirtal::pictures {

// Artwork drawn by code, so the program needs no picture files of its own.
// The small ones are drawn at `ratio` device pixels per logical pixel, the screens' ratio unless
// told, so they stay sharp on a scaled screen.
QPixmap mainBackground(const QSize& size,
                       qreal ratio = art::screenRatio()); // calm blue gradient, soft road lines
QPixmap minimizeGlyph(qreal ratio = art::screenRatio());  // 12 x 10
QPixmap closeGlyph(qreal ratio = art::screenRatio());     // 12 x 10
// The picture of "Dalej": a blue arrow pointing on, 22 x 18.
QPixmap forwardArrow(qreal ratio = art::screenRatio());
// A five-pointed result star, size x size: filled with fill, or only its outline.
QPixmap star(const QColor& fill, bool outlineOnly, int size, qreal ratio = art::screenRatio());

} // namespace wirtal::pictures
