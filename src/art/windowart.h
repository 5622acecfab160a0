#pragma once

#include <QPixmap>
#include <QSize>

namespace wirtal::pictures {

// Artwork drawn by code, so the program needs no picture files of its own.
QPixmap mainBackground(const QSize& size); // calm blue gradient with soft road lines
QPixmap minimizeGlyph();
QPixmap closeGlyph();

} // namespace wirtal::pictures
