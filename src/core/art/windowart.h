// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "art/palette.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QSize>

namespace wirtal::pictures {

// Artwork drawn by code, so the program needs no picture files of its own.
// The small ones are drawn at `ratio` device pixels per logical pixel, the screens' ratio unless
// told, so they stay sharp on a scaled screen.
// The window's background, a calm blue gradient with soft road lines, painted straight into the
// painter's clip: a picture of the whole window kept for it cost megabytes for the whole session.
void paintMainBackground(QPainter& p, const QSize& size);
QPixmap minimizeGlyph(qreal ratio = art::screenRatio()); // 12 x 10
QPixmap closeGlyph(qreal ratio = art::screenRatio());    // 12 x 10
// The picture of "Dalej": a blue arrow pointing on, 22 x 18.
QPixmap forwardArrow(qreal ratio = art::screenRatio());
// A five-pointed result star, size x size: filled with fill, or only its outline.
QPixmap star(const QColor& fill, bool outlineOnly, int size, qreal ratio = art::screenRatio());

} // namespace wirtal::pictures
