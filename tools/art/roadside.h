// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "art/road.h"

namespace wirtal::art {

// The layers of a driver's-seat scene besides the carriageway: what stands beside the road,
// crossing roads and railways, markings on the road, signs and signals.
class Roadside {
public:
    Roadside(QPainter& p, const Projector& pr, const RoadScene& s) : p_(p), pr_(pr), s_(s) {}

    void background();                      // trees, houses, far tree line
    void crossRoads(const QColor& surface); // side roads, railway crossing, roundabout island
    QList<std::pair<qreal, qreal>> markingGaps() const; // where the long lines stop
    void markings(qreal left, qreal right);   // zebra, stop line, P markings, rails, headlights
    void foreground(qreal left, qreal right); // signs, signals, barriers, tunnel, bridge
    void overlay(); // what covers the road users: the signs when a train passes behind them

private:
    // A flat shape on the road, points as (x, z).
    void flat(std::initializer_list<QPointF> xz, const QColor& c);
    void tree(qreal x, qreal z);
    void house(qreal x, qreal z0, qreal z1, qreal height, const QColor& c);
    void railCrossing(qreal right);
    void gate(qreal left);
    void island();
    void signStack(); // the roadside sign post with its signs and plates
    bool signsOverActors() const;
    // A fence rail at height y along the road at x, with its posts.
    void flatFence(qreal x, qreal z0, qreal z1, qreal y, const QColor& c);
    void flatPoly(const QList<QPointF>& xz, const QColor& c);
    // A painted lane arrow in the lane centred at cx, from z0 on (laneArrowShapes).
    void laneArrow(qreal cx, qreal z0, bool left, bool right, bool straight);
    void signal(qreal x, qreal z);
    void overheadSignal(qreal right, qreal z);
    qreal stopZ() const; // where a stop or give-way line lies across our lane
    bool junction() const;
    qreal junctionZ() const;
    QColor shade(const QColor& c) const;

    QPainter& p_;
    const Projector& pr_;
    const RoadScene& s_;
    qreal left_ = 0, right_ = 0; // the carriageway's edges, kept by foreground()
};

} // namespace wirtal::art
