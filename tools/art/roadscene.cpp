// SPDX-License-Identifier: GPL-3.0-or-later

// From a "scene:road", "sign:" or "light:" item to the layers of a driver's-seat scene.

#include "art/road.h"

namespace wirtal::art {

using namespace Qt::Literals::StringLiterals;

namespace {

const qreal rightEdge = 1.75, oncomingLane = -3.5;

// The line painted with a priority sign: P-12 before a stop sign, P-13 before a give-way sign.
void paintedLineForSigns(RoadScene& s) {
    if (!s.marking.isEmpty())
        return;
    for (const QString& c : s.signs) {
        if (c == u"B-20")
            s.marking = QStringLiteral("P-12");
        else if (c == u"A-7" && s.place == u"junction")
            s.marking = QStringLiteral("P-13");
    }
}

// A warning of a side road on one side: the road ahead meets it on that side only.
void sideRoadForSigns(RoadScene& s) {
    for (const QString& code : s.signs) {
        if (code == u"A-6b" || code == u"A-6d")
            s.sideRoad = 1;
        if (code == u"A-6c" || code == u"A-6e")
            s.sideRoad = -1;
    }
}

// What a sign needs around it to make sense: a junction after a priority sign, a town for a
// parking sign, a crossing for a crossing sign.
void contextForSigns(RoadScene& s) {
    static const QStringList junction{"A-5",  "A-6a", "A-6b", "A-6c", "A-6d", "A-6e", "A-7", "B-20",
                                      "B-21", "B-22", "B-23", "C-1",  "C-2",  "C-3",  "C-4", "C-5",
                                      "C-6",  "C-7",  "C-8",  "D-2",  "T-6",  "D-4b"};
    static const QStringList town{
        "B-35",  "B-36", "B-37",  "B-38", "B-39", "B-40",  "D-18", "D-18a", "D-18b", "D-19",
        "D-20",  "D-40", "D-41",  "D-44", "D-45", "B-41",  "D-15", "D-16",  "D-17",  "T-24",
        "T-30i", "D-21", "D-21a", "D-25", "C-16", "C-16a", "B-43", "B-44",  "D-43"};
    static const QStringList fast{"D-7",  "D-8",  "D-9",   "D-10", "C-14",
                                  "C-15", "D-13", "D-13a", "D-14"};
    static const QStringList rail{"A-9", "A-10", "G-1a", "G-1b", "G-1c", "G-1d", "G-1e", "G-1f"};
    bool crossNear = false; // a St Andrew's cross: the tracks are right behind the sign
    for (const QString& c : s.signs) {
        const QString code = c.section(u'/', 0, 0);
        if (junction.contains(code))
            s.place = QStringLiteral("junction");
        if (town.contains(code))
            s.road = QStringLiteral("town");
        if (fast.contains(code))
            s.road = QStringLiteral("dual");
        if (rail.contains(code)) {
            s.rail = code == u"A-9" ? QStringLiteral("up") : QStringLiteral("none-quiet");
            s.railZ = 40;
        }
        if (code == u"G-3" || code == u"G-4")
            crossNear = true;
        if (code == u"F-10") {
            // three lanes before a junction, their arrows painted as the board shows them
            s.road = QStringLiteral("oneway3");
            s.marking = QStringLiteral("F-10");
            s.junctionZ = 26;
            s.place = QStringLiteral("junction");
        }
        if (code == u"A-16" || code == u"D-6" || code == u"D-6b" || code == u"T-27")
            s.zebra = true;
        if (code == u"D-6a" || code == u"D-6b" || code == u"A-24")
            s.bikeCrossing = code != u"A-24";
        if (code == u"A-1" || code == u"A-3")
            s.bend = 0.12;
        if (code == u"A-2" || code == u"A-4")
            s.bend = -0.12;
        if (code == u"A-21" || code == u"D-17")
            s.tramTracks = true;
        if (code == u"D-1" || code == u"B-2" || code == u"D-3" || code == u"C-12" || code == u"A-8")
            s.place = code == u"C-12" || code == u"A-8" ? QStringLiteral("roundabout")
                                                        : QStringLiteral("junction");
    }
    if (s.zebra)
        s.zebraZ = 16;
    if (crossNear) {
        // the cross stands at the tracks; a stop sign under it is for the crossing, not a junction
        s.rail = QStringLiteral("none-quiet");
        s.railZ = s.signZ + 3.5;
        if (s.place == u"junction")
            s.place.clear();
    }
    paintedLineForSigns(s);
}

void markingFromCode(RoadScene& s, const QString& code) {
    static const QList<std::pair<const char*, const char*>> lines{{"P-1", "dashed"},
                                                                  {"P-2", "solid"},
                                                                  {"P-3a", "oneside"},
                                                                  {"P-4", "double"},
                                                                  {"P-6", "warning"}};
    for (const auto& [c, style] : lines)
        if (code == QLatin1String(c))
            s.line = QLatin1String(style);
    if (code == u"P-3b" || code == u"P-5")
        s.line =
            code == u"P-3b" ? QStringLiteral("oneside-dashed") : QStringLiteral("double-dashed");
    if (code == u"P-8")
        s.road = QStringLiteral("oneway");
    if (code == u"P-7")
        s.road = QStringLiteral("express");
    if (code == u"P-10")
        s.zebra = true;
    if (code == u"P-11")
        s.bikeCrossing = true;
    if (code == u"P-12" || code == u"P-13" || code == u"P-14")
        s.place = QStringLiteral("junction");
    s.marking = code;
}

void addLayers(RoadScene& s, const media::Item& item) {
    auto v = [&](const char* key) { return item.value(QLatin1String(key)); };
    s.road = v("road");
    s.line = v("line");
    s.time = v("time");
    s.weather = v("weather");
    s.place = v("place");
    s.park = v("park");
    s.threeLanes = v("lanes") == u"3";
    s.drive = v("drive");
    s.island = v("island") == u"yes";
    if (!s.drive.isEmpty())
        s.junctionZ = 24; // the driveway comes first, the junction beyond it
    // the camera in the left lane of our two or three, or in the middle one of three
    if (v("lane") == u"left")
        s.camX = s.threeLanes ? -7.0 : -3.5;
    else if (v("lane") == u"middle")
        s.camX = -3.5;
    for (const QString& code : v("sign").split(u'+', Qt::SkipEmptyParts)) {
        if (code.startsWith(u"P-"))
            markingFromCode(s, code);
        else
            s.signs << code;
    }
    sideRoadForSigns(s);
    if (s.signs.contains(u"F-10"_s)) {
        // three lanes before a junction, their arrows as the board shows them; the lane key
        // picks the lane the camera is in (the rightmost by default)
        s.road = QStringLiteral("oneway3");
        s.marking = QStringLiteral("F-10");
        s.junctionZ = 26;
        s.place = QStringLiteral("junction");
        s.camX = v("lane") == u"left" ? -3.5 : v("lane") == u"middle" ? 0.0 : 3.5;
    }
    s.light = v("light");
    if (s.marking == u"F-10" && !s.light.isEmpty()) {
        // the signals stand at the junction the board announces; an arrow signal hangs over
        // the lane we are in
        s.lightZ = s.junctionZ - 2;
        s.overhead = s.light.startsWith(u"S-3/");
    }
    if (s.signs.contains(u"B-20"_s) || s.signs.contains(u"A-7"_s)) {
        // a stop or give-way sign stands before a junction, with its line painted across
        if (s.place.isEmpty() && s.light.isEmpty() && v("rail").isEmpty())
            s.place = QStringLiteral("junction");
        paintedLineForSigns(s);
    }
    // the sign that makes the road what it is, far ahead
    if (s.signs.isEmpty() && (s.road == u"motorway" || s.road.startsWith(u"express"))) {
        s.signs << (s.road == u"motorway" ? QStringLiteral("D-9") : QStringLiteral("D-7"));
        s.signZ = 24;
    }
    const QString car = v("car"), truck = v("truck"), bus = v("bus"), tram = v("tram"),
                  ped = v("ped"), bike = v("bike"), police = v("police"), em = v("emergency"),
                  rail = v("rail");
    const bool night = s.time != u"day";
    if (car == u"ahead")
        s.actors << actor(Actor::Car, 0, 10);
    else if (car == u"slow")
        s.actors << actor(Actor::Tractor, 0.2, 14);
    else if (car == u"stopped")
        s.actors << actor(Actor::Car, 0, 9);
    else if (car == u"oncoming")
        s.actors << actor(Actor::Car, oncomingLane, 16, Actor::Towards);
    else if (car == u"overtaking")
        s.actors << actor(Actor::Car, oncomingLane, 6);
    else if (car == u"parked")
        s.actors << actor(Actor::Car, rightEdge - 0.7, 15);
    else if (car == u"left-lane")
        s.actors << actor(Actor::Car, -3.5, 12);
    else if (car == u"turning-left")
        s.actors << actor(Actor::Car, -0.4, 13);
    else if (car == u"broken-down") {
        s.actors << actor(Actor::Car, 0.6, 20) << actor(Actor::Triangle, 0.6, 13);
        s.actors.back().colour = Qt::red;
    }
    if (!s.actors.isEmpty() && !car.isEmpty()) {
        Actor& a = s.actors.front();
        a.colour = QColor(60, 110, 190);
        a.brake = car == u"stopped" || car == u"turning-left";
        a.left = car == u"turning-left";
        a.hazard = car == u"broken-down";
        a.lights = night || car == u"oncoming";
    }
    // stopped on a road with two lanes our way: a queue in both lanes (a jam)
    const bool twoLanesOurWay = s.road == u"dual" || s.road == u"motorway" ||
                                s.road == u"express" || s.road == u"wide" || s.road == u"oneway";
    if (car == u"stopped" && twoLanesOurWay && v("ped").isEmpty() && s.place != u"works") {
        const QPointF queue[] = {{-3.5, 10.5}, {0.0, 16.5}, {-3.5, 17.5}, {0.0, 24}, {-3.5, 25}};
        for (int i = 0; i < 5; ++i) {
            Actor a = actor(i == 2 ? Actor::Truck : Actor::Car, queue[i].x(), queue[i].y());
            a.colour = i == 2 ? QColor(200, 200, 205) : QColor::fromHsv(20 + i * 70, 110, 200);
            a.brake = true;
            a.lights = night;
            s.actors << a;
        }
        // the third lane queues too
        if (s.threeLanes) {
            const QPointF far[] = {{-7.0, 13}, {-7.0, 20.5}, {-7.0, 28}};
            for (int i = 0; i < 3; ++i) {
                Actor a = actor(Actor::Car, far[i].x(), far[i].y());
                a.colour = QColor::fromHsv(200 + i * 50, 100, 190);
                a.brake = true;
                a.lights = night;
                s.actors << a;
            }
        }
    }
    if (truck == u"ahead")
        s.actors << actor(Actor::Truck, 0, 13);
    else if (truck == u"oncoming")
        s.actors << actor(Actor::Truck, oncomingLane - 0.3, 30, Actor::Towards);
    if (!truck.isEmpty()) {
        s.actors.back().colour = QColor(200, 200, 205);
        s.actors.back().lights = night;
    }
    if (!bus.isEmpty()) {
        Actor b = actor(bus == u"school" ? Actor::SchoolBus : Actor::Bus, 0.9, 16);
        b.colour = QColor(200, 40, 40);
        b.left = bus == u"leaving";
        b.hazard = bus == u"school";
        s.actors << b;
        if (s.signs.isEmpty() && bus != u"school")
            s.signs << QStringLiteral("D-15");
        if (bus == u"school")
            s.actors << actor(Actor::Child, -0.8, 13, Actor::Left);
    }
    if (!tram.isEmpty()) {
        s.tramTracks = true;
        if (tram == u"stop") {
            s.actors << actor(Actor::Tram, -2.2, 16);
            Actor p1 = actor(Actor::Pedestrian, 0.4, 12, Actor::Left);
            p1.colour = QColor(150, 60, 120);
            s.actors << p1 << actor(Actor::Pedestrian, 1.4, 13.5, Actor::Left);
        } else if (tram == u"ahead") {
            s.actors << actor(Actor::Tram, -2.2, 22);
        } else {
            s.actors << actor(Actor::Tram, -5.2, 30, Actor::Towards);
        }
    }
    if (ped == u"crossing" || ped == u"waiting" || ped.startsWith(u"blind") || ped == u"none")
        s.zebra = true;
    // a car stopped for a pedestrian waits before the zebra; the pedestrian shows beside it.
    // A car driving up to a zebra is before it too, never on the stripes.
    const bool stoppedForPed = car == u"stopped" && ped == u"crossing";
    const bool zebraAhead = s.zebra || s.place == u"zebra";
    if (stoppedForPed || (zebraAhead && (car == u"stopped" || car == u"ahead"))) {
        s.zebraZ = 15;
        s.actors.front().z = 10.2;
    }
    const qreal zz = s.zebraZ;
    if (ped == u"crossing") {
        Actor a = actor(Actor::Pedestrian, stoppedForPed ? -2.4 : -0.3, zz + 2, Actor::Right);
        a.colour = QColor(170, 40, 60);
        a.step = 0.25;
        s.actors << a;
    } else if (ped == u"waiting") {
        s.actors << actor(Actor::Pedestrian, rightEdge + 0.7, zz + 1.5, Actor::Left);
    } else if (ped == u"blind") {
        s.actors << actor(Actor::Blind, rightEdge + 0.5, zz + 1.5, Actor::Towards);
    } else if (ped == u"blind-stepping") {
        // off the kerb onto the first stripes of the zebra, the cane ahead of him
        Actor a = actor(Actor::Blind, rightEdge - 0.6, zz + 0.8, Actor::Left);
        a.step = 0.25;
        s.actors << a;
    } else if (ped == u"roadside") {
        // on the left, facing the traffic; on a road with a median there is no left shoulder,
        // so on the shoulder at the right
        const bool median =
            s.road == u"motorway" || s.road.startsWith(u"express") || s.road == u"dual";
        s.actors << (median ? actor(Actor::Pedestrian, rightEdge + 1.6, 16, Actor::Away)
                            : actor(Actor::Pedestrian, -5.0, 16, Actor::Towards));
    } else if (ped == u"child") {
        Actor a = actor(Actor::Child, rightEdge + 0.2, 11, Actor::Left);
        a.colour = QColor(240, 180, 0);
        a.step = 0.3;
        s.actors << a;
    }
    if (bike == u"ahead") {
        s.actors << actor(Actor::Cyclist, 1.1, 11);
    } else if (bike == u"lane") {
        s.bikeLane = true;
        s.actors << actor(Actor::Cyclist, rightEdge + 0.8, 13);
    } else if (bike == u"crossing") {
        s.bikeCrossing = true;
        s.actors << actor(Actor::Cyclist, -0.5, zz + 0.3, Actor::Right);
    }
    if (police == u"patrol") {
        Actor a = actor(Actor::PoliceCar, rightEdge + 0.6, 18);
        s.actors << a;
    } else if (!police.isEmpty()) {
        const Actor::Facing f = police == u"back" ? Actor::Away : Actor::Towards;
        Actor a = actor(Actor::Officer, police == u"wave" ? 1.2 : -1.0, 8, f);
        a.pose = police;
        s.actors << a;
    }
    if (em == u"behind") {
        s.mirrorBeacons = true;
    } else if (!em.isEmpty()) {
        Actor a = em == u"oncoming" ? actor(Actor::Ambulance, oncomingLane, 28, Actor::Towards)
                                    : actor(Actor::Ambulance, 0, 18);
        a.beacons = true;
        a.lights = true;
        s.actors << a;
    }
    if (!rail.isEmpty()) {
        s.rail = rail;
        // with the barriers up a stopped car stands beyond the tracks: no room to leave them
        if (rail == u"up" && car == u"stopped") {
            s.actors.front().z = s.railZ + 5;
            Actor next = s.actors.front();
            next.z += 6;
            next.colour = QColor(200, 200, 205);
            s.actors << next;
        }
        s.railLights = rail != u"up" && rail != u"none-quiet";
        s.barrier = rail == u"down" ? 1.0 : rail == u"closing" ? 0.5 : 0.0;
        if (rail == u"train") {
            Actor t = actor(Actor::Train, -2, s.railZ + 2, Actor::Left);
            s.actors << t;
        }
    }
    if (s.place == u"zebra")
        s.zebra = true;
    if (s.park == u"disabled" && s.signs.isEmpty())
        s.signs << QStringLiteral("D-18a");
    if (s.place == u"bus-bay" && s.signs.isEmpty())
        s.signs << QStringLiteral("D-15");
    if (s.place == u"curve-right" || s.place == u"curve-left")
        s.bend = s.place == u"curve-right" ? 0.3 : -0.3;
    if (s.place == u"bend-hidden")
        s.bend = 0.3;
    if (s.place == u"hill")
        s.crest = true;
    if (s.place == u"works")
        for (int i = 0; i < 6; ++i)
            s.actors << actor(Actor::Cone, rightEdge - 0.3 - i * 0.6, 12 + i * 3.5);
    if (s.park == u"kerb" || s.park == u"pavement") {
        const qreal x = s.park == u"kerb" ? rightEdge - 0.8 : rightEdge + 0.2;
        for (int i = 0; i < 3; ++i) {
            Actor a = actor(Actor::Car, x, 14 + i * 6);
            a.colour = QColor::fromHsv(i * 110, 120, 190);
            s.actors << a;
        }
    }
    if (s.park == u"bay")
        for (int i = 0; i < 2; ++i) {
            Actor a = actor(Actor::Car, rightEdge + 1.5, 15 + i * 11);
            a.colour = QColor::fromHsv(40 + i * 150, 120, 190);
            s.actors << a;
        }
}

} // namespace

RoadScene roadScene(const media::Item& item) {
    RoadScene s;
    if (item.kind == u"sign") {
        for (const QString& code : item.body.split(u'+')) {
            if (code.startsWith(u"P-"))
                markingFromCode(s, code);
            else
                s.signs << code;
        }
        contextForSigns(s);
        sideRoadForSigns(s);
    } else if (item.kind == u"light") {
        if (item.body.startsWith(u"rail-")) {
            s.rail = item.body == u"rail-flash" ? QStringLiteral("open-flash")
                                                : QStringLiteral("none-quiet");
            s.railLights = item.body == u"rail-flash";
            s.railZ = 16;
        } else if (item.body.startsWith(u"S-3/")) {
            // an arrow signal governs its own lane: three turning lanes, the camera in the lane
            // of the signal's arrow, the signal over it on a mast arm
            s.light = item.body;
            s.road = QStringLiteral("oneway3");
            s.marking = QStringLiteral("turn-lanes");
            s.lightZ = 19;
            s.overhead = true;
            const QString dir = item.body.section(u'/', 1).section(u'-', 0, 0);
            s.camX = dir == u"left" ? -3.5 : dir == u"right" ? 3.5 : 0.0;
        } else {
            s.light = item.body;
            s.lightZ = 11;
            if (item.body.startsWith(u"ped-")) {
                s.zebra = true;
                s.zebraZ = 12.5;
            }
            if (item.body.startsWith(u"tram-"))
                s.tramTracks = true;
        }
    } else {
        addLayers(s, item);
    }
    return s;
}

} // namespace wirtal::art
