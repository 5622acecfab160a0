// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Pictograms of the signs, drawn in a unit box: x and y from -1 to 1, y downwards. The sign
// painter places the box inside the sign's face.

#include "art/figures.h"
#include "art/signtable.h"

namespace wirtal::art {

// Draws the symbol; arg is what followed "/" in the code (a speed, a mass, arms). Every symbol
// of the sign table is handled by one of the three groups below.
void paintSymbol(QPainter& p, media::Symbol s, const QString& arg, Ink ink);

bool paintWarningSymbol(QPainter& p, media::Symbol s, Ink ink);
bool paintRuleSymbol(QPainter& p, media::Symbol s, const QString& arg, Ink ink);
bool paintInfoSymbol(QPainter& p, media::Symbol s, const QString& arg, Ink ink);

// The unit box as a rectangle, and a sub-box of it.
inline QRectF unitBox(qreal x, qreal y, qreal w, qreal h) {
    return {x, y, w, h};
}

} // namespace wirtal::art
