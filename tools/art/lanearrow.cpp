// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/lanearrow.h"

#include <algorithm>
#include <cmath>

namespace wirtal::art {

QPointF inLane(const Projector& pr, qreal cx, qreal x, qreal z) {
    // Across the lane the arrow keeps the width the lane's slant leaves it, but at least half
    // of the width it would have straight ahead, so that a far lane's arrow still reads.
    z = std::max(z, 2.6);
    const QPointF c = pr.at(cx, 0, z);
    QPointF along = pr.at(cx, 0, z + 0.5) - pr.at(cx, 0, z - 0.5);
    along /= std::hypot(along.x(), along.y());
    const QPointF across(-along.y(), along.x()); // towards the lane's right-hand line
    return c + across * ((x - cx) * pr.scale(z) * std::max(across.x(), 0.5));
}

QList<QPolygonF> laneArrowShapes(const Projector& pr, qreal cx, qreal z0, bool left, bool right,
                                 bool straight) {
    // Painted arrows are long and narrow; seen this flat from the driver's seat they would
    // shrink to strokes, so shaft, branches and heads are drawn broader and much longer along
    // the road than life: every branch still reads as a turn.
    QList<QPolygonF> shapes;
    auto shape = [&](std::initializer_list<QPointF> xz) {
        QPolygonF poly;
        for (const QPointF& v : xz)
            poly << inLane(pr, cx, v.x(), v.y());
        shapes << poly;
    };
    // An arrow two lanes away would begin beside the picture: it begins a little further on,
    // where its branches are in view (at most 4 m later, short of the junction).
    const qreal outer = std::abs(cx - pr.camX) + 1.4;
    z0 = std::clamp(pr.focal * outer / (pr.cx - 6), z0, z0 + 4);
    const qreal w = 0.24;
    const qreal shaftEnd = straight ? z0 + 7 : z0 + 4.2;
    shape({{cx - w, z0}, {cx + w, z0}, {cx + w, shaftEnd}, {cx - w, shaftEnd}});
    if (straight)
        shape({{cx - 0.65, shaftEnd}, {cx + 0.65, shaftEnd}, {cx, shaftEnd + 3.2}});
    for (int side : {-1, 1}) {
        if ((side < 0 && !left) || (side > 0 && !right))
            continue;
        // the branch leaves the shaft and bends outwards over several metres of road
        // (the head's tip keeps 0.4 m inside the lane, clear of its lines)
        const qreal b0 = z0 + (straight ? 1.6 : 1.8), b1 = b0 + 2.2;
        shape({{cx, b0 - 0.4},
               {cx + side * 0.7, b0 + 0.2},
               {cx + side * 0.7, b1 + 0.2},
               {cx, b1 - 0.4}});
        shape({{cx + side * 0.65, b0 - 1.2},
               {cx + side * 1.35, (b0 + b1) / 2 + 0.2},
               {cx + side * 0.65, b1 + 1.6}});
    }
    return shapes;
}

} // namespace wirtal::art
