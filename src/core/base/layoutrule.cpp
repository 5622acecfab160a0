// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/layoutrule.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace wirtal {

namespace {
// Round to nearest, halves to the even neighbour.
int roundHalfEven(double v) {
    const double r = std::round(v);
    if (std::abs(v - std::trunc(v)) == 0.5)
        return static_cast<int>(2.0 * std::round(v / 2.0));
    return static_cast<int>(r);
}
} // namespace

PanelLayout layoutFor(int w, int h) {
    PanelLayout l;
    const int left = roundHalfEven(w / 2.0 - panelWidth / 2.0);
    const int top = roundHalfEven(h / 2.0 - panelHeight / 2.0) - 35;
    l.panel = QPoint(left, top);
    l.minimizeButton = QPoint(left + 1050, top - 20);
    l.closeButton = QPoint(left + 1070, top - 20);
    return l;
}

PanelLayout layoutWithin(int w, int h) {
    constexpr int edge = 4, buttonGap = 2, buttonRise = windowButtonSize + buttonGap;
    const PanelLayout spec = layoutFor(w, h);
    // Narrower than the panel: the menu gives up what is missing, as far as it can.
    const int menu = std::clamp(w - (panelWidth - menuWidth), compactMenuWidth, menuWidth);
    const int width = panelWidth - (menuWidth - menu);
    int left = menu == menuWidth ? spec.panel.x() : std::max(0, (w - width) / 2);
    int top = spec.panel.y();
    // The buttons sit above the panel: keep them inside the top edge, as far as the panel still
    // fits below.
    const int lowestTop = std::max(h - panelHeight, 0);
    if (top - buttonRise < edge)
        top = std::min(edge + buttonRise, std::max(top, lowestTop));
    if (left < 0)
        left = 0;
    PanelLayout l;
    l.panel = QPoint(left, top);
    l.panelSize = QSize(width, panelHeight);
    l.menuWidth = menu;
    const int buttonsY = std::max(top - buttonRise, 0);
    const int closeX = std::min(left + width - windowButtonSize, w - edge - windowButtonSize);
    l.closeButton = QPoint(closeX, buttonsY);
    l.minimizeButton = QPoint(closeX - buttonGap - windowButtonSize, buttonsY);
    return l;
}

} // namespace wirtal
