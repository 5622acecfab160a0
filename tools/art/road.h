// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The road seen from the driver's seat: a perspective view built from layers (road, markings,
// roadside, signs, signals, railway crossing, road users, weather). Pictures and film frames both
// describe a scene in this struct; a film moves its road users from frame to frame.

#include "art/mediaitem.h"

#include <QColor>
#include <QList>
#include <QPainter>
#include <QString>
#include <QStringList>

namespace wirtal::art {

// Metres in the world: x to the right of the camera, y up from the road, z ahead.
struct Projector {
    qreal cx = 240, horizon = 150, focal = 420, eye = 1.25;
    qreal bendAt(qreal z) const { return bend * z * z / 100.0; }
    qreal bend = 0; // metres of sideways shift at 10 m, grows with the square of the distance
    qreal camX = 0; // the camera's sideways position (a lane change in a film)
    qreal yaw = 0;  // the camera looks to the right by this many metres a metre ahead
    // A road climbing to a crest: the ground rises by grade metres a metre from riseFrom on.
    qreal riseFrom = 0, grade = 0;
    qreal lift(qreal z) const { return z > riseFrom ? grade * (z - riseFrom) : 0; }
    QPointF at(qreal x, qreal y, qreal z) const {
        return {cx + focal * (x - camX - yaw * z + bendAt(z)) / z,
                horizon + focal * (eye - y - lift(z)) / z};
    }
    qreal scale(qreal z) const { return focal / z; } // pixels per metre at distance z
};

struct Actor {
    enum Kind {
        Car,
        Truck,
        Bus,
        SchoolBus,
        Tram,
        Tractor,
        Pedestrian,
        Child,
        Blind,
        Cyclist,
        Officer,
        PoliceCar,
        Ambulance,
        Train,
        Deer,
        Triangle,
        Cone,
        Motorcycle
    };
    enum Facing { Away, Towards, Left, Right };
    Kind kind = Car;
    qreal x = 0, z = 20;
    Facing facing = Away;
    QColor colour{40, 90, 170};
    bool brake = false, left = false, right = false, hazard = false, beacons = false,
         lights = false, blink = true; // blink: indicator lamps lit in this frame
    QString pose;                      // officer: front, back, side, arm-up, wave
    qreal step = 0;                    // walking phase 0..1
};

// A road user of the given kind standing at (x, z), facing as given.
inline Actor actor(Actor::Kind k, qreal x, qreal z, Actor::Facing f = Actor::Away) {
    Actor a;
    a.kind = k;
    a.x = x;
    a.z = z;
    a.facing = f;
    return a;
}

struct RoadScene {
    QString road = QStringLiteral("two"), line = QStringLiteral("dashed");
    QString time = QStringLiteral("day"), weather = QStringLiteral("clear");
    QString place, park;
    QStringList signs; // roadside signs on the right (a stack)
    qreal signZ = 9;
    QString light; // signal state on the right before a stop line
    qreal lightZ = 16;
    bool overhead = false;         // the signal hangs from a mast arm over our lane
    QString marking;               // a P code painted ahead
    QString rail;                  // railway crossing state
    qreal railZ = 15, barrier = 0; // barrier 0 up .. 1 down
    bool railLights = false, flashOn = true;
    bool zebra = false, bikeCrossing = false, tramTracks = false, bikeLane = false;
    qreal zebraZ = 9;
    qreal bend = 0;        // the road bends right (+) or left (-)
    qreal travelled = 0;   // metres driven since the film began (moves the dashes and the roadside)
    qreal camX = 0;        // the camera's sideways position
    qreal yaw = 0;         // the camera turned to the right (Projector::yaw), on a bending road
    qreal lineChangeZ = 0; // when set: the centre line turns solid from this distance on
    qreal tunnelZ = 42;
    qreal junctionZ = 0; // where a junction ahead begins; 0: the usual place
    int sideRoad = 0;    // the road ahead meets a side road on one side only: -1 left, +1 right
    QString icon;        // a lit warning light shown in the corner (a dash: name)
    bool crest = false;
    bool threeLanes = false; // a dual carriageway with three lanes our way
    QString drive;           // "left": a driveway to a property on the left, before any junction
    bool island = false;     // a kerbed island on the centre line before the junction, C-9 on it
    // A lane beside ours on the right that a motorway's traffic joins or leaves by (an
    // acceleration or deceleration lane): from slipFrom to slipTo metres ahead our right edge line
    // is broad and broken, and the lane ends in a taper after slipTo. A deceleration lane with
    // slipExit does not end: after slipTo it leaves as the exit road, bending away to the right
    // (exitroad.h).
    bool slip = false, slipExit = false;
    qreal slipFrom = 0, slipTo = 0;
    QList<Actor> actors;
    bool highBeam = false, fogLights = false, mirrorBeacons = false;
};

void paintRoad(QPainter& p, const RoadScene& s);

// A continuous line along the road (solid, double, the solid half of a one-sided line, an edge
// line) at x, from z0 to z1 metres ahead: what a film's vehicles may not cross.
struct RoadLine {
    qreal x, z0, z1;
};
QList<RoadLine> continuousLines(const RoadScene& s);

// The footprint on the road of an actor that takes room (x across, z along), or an empty rect.
QRectF footprint(const Actor& a);

// The scene of a "scene:road", "sign:" or "light:" item.
RoadScene roadScene(const media::Item& item);

// Parts used by road.cpp, drawn by actors.cpp.
QSizeF actorSize(Actor::Kind k); // metres: width across, length along the vehicle
void paintActor(QPainter& p, const Projector& pr, const Actor& a, bool night);
void paintPerson(QPainter& p, const QRectF& box, const QColor& coat, Actor::Facing facing,
                 const QString& pose, qreal step, bool child);
void paintSignalHead(QPainter& p, const QRectF& box, const QString& state, bool flashOn);

} // namespace wirtal::art
