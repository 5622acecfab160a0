#include "base/layoutrule.h"

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

} // namespace wirtal
