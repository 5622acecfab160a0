// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/exitroad.h"

#include <QPolygonF>

#include <algorithm>

namespace wirtal::art {

namespace {

const qreal radius = 120, laneWidth = 3.5, shoulder = 3.0, line = 0.1;
const qreal nearZ = 2.6, reach = 260; // how far past the nose the exit road is drawn

// The distances ahead at which the exit road's outline is taken: dense near the camera.
QList<qreal> samples(qreal from, qreal to) {
    QList<qreal> zs;
    for (qreal z = from; z < to; z += std::max(0.5, 0.06 * z))
        zs << z;
    zs << to;
    return zs;
}

// The band between x0 + exitOffset and x1 + exitOffset (x1 + 0 when fixedRight) over zs.
QPolygonF band(const Projector& pr, const QList<qreal>& zs, qreal nose, qreal x0, qreal x1,
               bool fixedLeft = false) {
    QPolygonF poly;
    for (qreal z : zs)
        poly << pr.at(x1 + exitOffset(z - nose), 0, z);
    for (auto it = zs.crbegin(); it != zs.crend(); ++it)
        poly << pr.at(x0 + (fixedLeft ? 0 : exitOffset(*it - nose)), 0, *it);
    return poly;
}

} // namespace

qreal exitOffset(qreal beyond) {
    return beyond > 0 ? beyond * beyond / (2 * radius) : 0;
}

qreal exitSlope(qreal beyond) {
    return beyond > 0 ? beyond / radius : 0;
}

void paintExitRoad(QPainter& p, const Projector& pr, const RoadScene& s, qreal right, qreal zMax,
                   const QColor& surface, const QColor& grass) {
    const qreal nose = s.slipTo;
    const qreal from = std::max(nearZ, nose), to = std::min(zMax, nose + reach);
    if (to <= from)
        return;
    p.setPen(Qt::NoPen);
    const QList<qreal> zs = samples(from, to);
    // the gore: grass where the motorway's shoulder (3 m) has room beside it
    const qreal wide = nose + std::sqrt(2 * radius * 3.0); // where the gap reaches 3 m
    if (to > std::max(from, wide)) {
        p.setBrush(grass);
        p.drawPolygon(band(pr, samples(std::max(from, wide), to), nose, right + 3, right, true));
    }
    p.setBrush(surface);
    // begun half a metre early, under the deceleration lane's end, so that no seam shows
    p.drawPolygon(band(pr, samples(std::max(nearZ, nose - 0.5), to), nose, right,
                       right + laneWidth + shoulder));
    const QColor paint(235, 235, 235);
    p.setBrush(paint);
    // the narrow part of the gore, hatched: stripes slanting from the motorway's edge line
    // forward to the exit road's
    for (qreal z = nose + 1; z < wide; z += 3) {
        if (z + 2.5 < nearZ || z > zMax)
            continue;
        QPolygonF stripe;
        for (const QPointF& v : {QPointF(right, z), QPointF(right, z + 0.6),
                                 QPointF(right + exitOffset(z + 2.5 - nose), z + 2.5),
                                 QPointF(right + exitOffset(z + 1.9 - nose), z + 1.9)})
            stripe << pr.at(v.x(), 0, std::max(nearZ, v.y()));
        p.drawPolygon(stripe);
    }
    // the edge lines, continuous
    p.drawPolygon(band(pr, zs, nose, right - line, right + line));
    p.drawPolygon(band(pr, zs, nose, right + laneWidth - line, right + laneWidth + line));
}

QList<RoadLine> exitLines(const RoadScene& s, qreal right) {
    QList<RoadLine> lines;
    for (qreal z = std::max(s.slipTo, -40.0); z < s.slipTo + reach; z += 1)
        for (qreal x : {right, right + laneWidth})
            lines.append({x + exitOffset(z + 0.5 - s.slipTo), z, z + 1});
    return lines;
}

} // namespace wirtal::art
