// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPixmap>

#include <algorithm>

namespace wirtal::art {

// The colours of the program's own pictures (buttons, menus, start page).
namespace palette {
inline const QColor navy{29, 59, 106};        // outlines and lettering, #1d3b6a
inline const QColor cardPaper{232, 240, 250}; // pale blue paper of the shell's pictures
inline const QColor iconPaper{250, 250, 246}; // off-white of the menu icons
inline const QColor accent{214, 120, 40};     // orange highlights
inline const QColor road{84, 88, 96};         // asphalt
inline const QColor arrowInk{35, 60, 100};    // the learning page's arrows and marks
} // namespace palette

// The device pixel ratio the program's small pictures are drawn at: the highest of the screens
// (2 under QT_SCALE_FACTOR=2), so they stay sharp instead of being enlarged; 1 without a GUI.
inline qreal screenRatio() {
    return qGuiApp ? std::max<qreal>(1.0, qGuiApp->devicePixelRatio()) : 1.0;
}

// A transparent picture of w x h logical pixels, ratio times as many device pixels each way.
// A painter on it works in logical pixels; widgets and QLabel show it at w x h.
inline QPixmap canvas(int w, int h, qreal ratio = screenRatio()) {
    QPixmap pm(std::max(1, qRound(w * ratio)), std::max(1, qRound(h * ratio)));
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace wirtal::art
