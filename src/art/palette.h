#pragma once

#include <QColor>
#include <QPixmap>

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

// A transparent w x h pixmap to paint a picture on.
inline QPixmap canvas(int w, int h) {
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace wirtal::art
