// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "art/palette.h"
#include "base/category.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QRectF>

namespace wirtal::shellart {

// Artwork of the window shell, drawn by code in the program's calm blue style. The pictures are
// drawn at `ratio` device pixels per logical pixel, the screens' ratio unless told.

// The vehicle of a category button: a motorbike (A), car (B), truck (C), bus (D), tractor (T).
QPixmap categoryPicture(Vehicle vehicle, int width, int height, qreal ratio = art::screenRatio());
// The picture of a left-menu button (LeftMenu::Entry order), size x size.
QPixmap leftMenuPicture(int entry, int size, qreal ratio = art::screenRatio());
// The picture of a button of the more page: 0 statistics, 1 updates, 2 about,
// 3 catalogue import; size x size.
QPixmap morePicture(int entry, int size, qreal ratio = art::screenRatio());
// The about window's picture (a road under a calm sky with a traffic light and a sign), painted
// into rect.
void paintAboutPicture(QPainter& p, const QRectF& rect);
// The program's mark: a traffic light on a blue rounded square, size x size.
QPixmap logoMark(int size, qreal ratio = art::screenRatio());
// The application icon (the mark in the usual sizes, in device pixels).
QIcon appIcon();
// The start page's background inside rect: a light card with a road into the distance.
void paintStartBackground(QPainter& p, const QRectF& rect);

} // namespace wirtal::shellart
