// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

namespace wirtal {

// Colours as the program stores them: 0x00BBGGRR.
namespace tcolor {
constexpr int normal = 15780518; // $F0CAA6 sky blue: resting colour of styled buttons
constexpr int active = 8454143;  // $80FFFF light yellow: selected menu entry, chosen answer
constexpr int right = 8454016;   // $80FF80 light green
constexpr int wrong = 8421631;   // $8080FF light red
constexpr int white = 16777215;
constexpr int badgeOrange = 39423; // $0099FF
} // namespace tcolor

inline QColor toQColor(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
inline int toTColor(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

} // namespace wirtal
