// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Junctions seen from above ("scene:cross", "scene:tee", "scene:roundabout"): roads, signs or
// signals on every arm, the learner's car TY and the road users A, B, C with arrows for where
// they go. Films move the same road users along their paths.

#include "art/mediaitem.h"

#include <QList>
#include <QPainter>
#include <QPolygonF>
#include <QString>

namespace wirtal::art {

struct PlanUser {
    QString label;      // "TY", "A", "B", "C"
    QChar arm;          // n, e, s, w: where it comes from
    QChar move;         // l, s, r, u
    QString kind;       // car, truck, bus, tram, bike, moto, police, ambulance, ped
    qreal progress = 0; // 0 waiting before the junction .. 1 gone through it (films)
    bool arrowShown = true;
    bool blink = true; // indicators and beacons lit in this frame
    QChar indicator;   // l or r to force an indicator (a roundabout exit), or none
    // A left turn that first drives straight on to the middle of the junction, keeping to its
    // own half, and waits there for the oncoming traffic (films).
    bool waitsInside = false;
};

struct PlanScene {
    QString layout = QStringLiteral("cross"); // cross, tee, roundabout
    QString main = QStringLiteral("none");    // two arms with priority, or none
    QString sub = QStringLiteral("yield");
    QString light, police, tram;
    QString street; // "town": pavements, houses, more parked cars, a cyclist, worn markings
    QString wide;   // "ns": the north-south road has two lanes each way
    QList<PlanUser> users;
};

void paintPlan(QPainter& p, const PlanScene& s);

// A road user's body on the plan, in picture pixels (pedestrians have none): where the geometry
// check of the films looks for two that overlap.
struct PlanBody {
    QString label;
    QPolygonF outline;
};
QList<PlanBody> planBodies(const PlanScene& s);
QList<PlanBody> parkingBodies(qreal t);

// The progress at which a user that waitsInside stands at its waiting point.
qreal waitingProgress(const PlanScene& s, const PlanUser& u);

// A street from above with cars parked at the right kerb: TY drives past the gap, stops beside
// the car in front of it and reverses into it (t in seconds, 0 to 7).
void paintParallelParking(QPainter& p, qreal t);
PlanScene planScene(const media::Item& item);

} // namespace wirtal::art
