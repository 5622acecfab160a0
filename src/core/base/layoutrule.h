// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QSize>

namespace wirtal {

// Where the centred 1089 x 650 panel and the window's own two buttons go for a window of w x h:
// left = round(w/2 - 1089/2), top = round(h/2 - 650/2) - 35, halves to the even neighbour, no
// clamping; minimise at (left + 1050, top - 20), close at (left + 1070, top - 20).
struct PanelLayout {
    QPoint panel;
    QPoint minimizeButton;
    QPoint closeButton;
    QSize panelSize{1089, 650};
    int menuWidth = 150; // the left menu's part of the panel; the pages get the rest
};

constexpr int panelWidth = 1089;
constexpr int panelHeight = 650;
constexpr int menuWidth = 150;
// The narrowest left menu (at 1024 pixels wide the panel then fits the screen whole).
constexpr int compactMenuWidth = 85;
// The window's own two buttons are squares this big (a target a hand can hit), standing 2 pixels
// apart and 2 pixels above the panel.
constexpr int windowButtonSize = 24;

PanelLayout layoutFor(int w, int h);

// The layout the window uses: the panel where layoutFor puts it, moved only where it would put
// something off the window (a screen smaller than 1089 x 766, a desktop bar above a maximised
// window, a system scale): the window's own two buttons (windowButtonSize, at the panel's top
// right corner, above it) stay at least 4 pixels inside its top and right edges, the panel
// below them as long as the window is tall enough, and never further left than the window's
// edge. A window narrower than the panel narrows the left menu instead (down to
// compactMenuWidth), so the pages keep their full width and the exam clock and the answers stay
// in view.
PanelLayout layoutWithin(int w, int h);

} // namespace wirtal
