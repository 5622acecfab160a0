// SPDX-License-Identifier: GPL-3.0-or-later

// The films seen from the driver's seat: the camera drives forward (travelled) while the road
// users move with their own speeds.

#include "art/exitroad.h"
#include "art/filmkit.h"

namespace wirtal::art::film {

QList<Film> roadFilms() {
    return {
        {"junction-main-road", 6,
         [](qreal t) {
             RoadScene s;
             s.signs = {QStringLiteral("D-1")};
             s.place = QStringLiteral("junction");
             s.signZ = 30;
             s.junctionZ = 44;
             Actor waiting = actor(Actor::Car, 7, 46, Actor::Left);
             waiting.left = true;
             waiting.blink = blinkAt(t);
             s.actors = {waiting};
             return road(s, distance(t, 9));
         }},
        {"junction-yield", 7,
         [](qreal t) {
             RoadScene s;
             s.signs = {QStringLiteral("A-7")};
             s.place = QStringLiteral("junction");
             s.signZ = 22;
             s.junctionZ = 34;
             s.actors = {actor(Actor::Car, -30 + 14 * t, 38, Actor::Right)};
             const qreal d =
                 t < 4.5 ? distance(t, 7, 1.0, 3.5) : distance(3.5, 7, 1.0, 3.5) + 4 * (t - 4.5);
             return road(s, d);
         }},
        {"junction-stop", 7,
         [](qreal t) {
             RoadScene s;
             s.signs = {QStringLiteral("B-20")};
             s.place = QStringLiteral("junction");
             s.marking = QStringLiteral("P-12");
             s.lightZ = 30;
             s.junctionZ = 31;
             s.signZ = 27;
             // stops with the line just ahead of the bonnet, looks, then goes
             const qreal stop = distance(5.2, 8, 1.0, 5.2);
             return road(s,
                         t < 5.6 ? distance(t, 8, 1.0, 5.2) : stop + 3 * (t - 5.6) * (t - 5.6) / 2);
         }},
        {"light-green-yellow", 6,
         [](qreal t) {
             RoadScene s;
             s.light = t < 2   ? QStringLiteral("green")
                       : t < 5 ? QStringLiteral("yellow")
                               : QStringLiteral("red");
             s.lightZ = 45;
             return road(s, distance(t, 9, 2.2, 5.6));
         }},
        {"light-red-green", 6,
         [](qreal t) {
             RoadScene s;
             s.light = t < 2.5   ? QStringLiteral("red")
                       : t < 3.7 ? QStringLiteral("red-yellow")
                                 : QStringLiteral("green");
             s.lightZ = 11;
             return road(s, t < 4 ? 0 : 1.5 * (t - 4) * (t - 4));
         }},
        {"light-yellow-flash", 6,
         [](qreal t) {
             RoadScene s;
             s.light = QStringLiteral("yellow-flash");
             s.flashOn = blinkAt(t);
             s.lightZ = 42;
             return road(s, distance(t, 7));
         }},
        {"ped-zebra", 6,
         [](qreal t) {
             RoadScene s;
             s.zebra = true;
             s.zebraZ = 30;
             s.signs = {QStringLiteral("D-6")};
             s.signZ = 30;
             Actor a = actor(Actor::Pedestrian, 3.2 - 1.3 * std::max(0.0, t - 1), 32, Actor::Left);
             a.colour = QColor(170, 40, 60);
             a.step = std::fmod(t, 1.0);
             const qreal d = distance(t, 8, 1.2, 4.2);
             s.actors = {a};
             return road(s, d);
         }},
        {"ped-waiting", 6,
         [](qreal t) {
             RoadScene s;
             s.zebra = true;
             s.zebraZ = 32;
             s.signs = {QStringLiteral("D-6")};
             s.signZ = 32;
             // waiting at the far kerb, clear of the sign on our side
             s.actors = {actor(Actor::Pedestrian, -5.7, 33.5, Actor::Right)};
             return road(s, distance(t, 8, 1.0, 4.5) * 0.9);
         }},
        {"ped-child", 5,
         [](qreal t) {
             RoadScene s;
             s.road = QStringLiteral("town");
             Actor parked = actor(Actor::Car, 1.0, 30);
             parked.colour = QColor(120, 120, 130);
             Actor child = actor(Actor::Child, 2.3 - 2.2 * ramp(t, 1.5, 3.0), 28, Actor::Left);
             child.colour = QColor(240, 180, 0);
             child.step = std::fmod(t * 1.5, 1.0);
             s.actors = {parked, child};
             return road(s, distance(t, 8, 1.7, 3.2));
         }},
        {"cyclist-overtake", 7,
         [](qreal t) {
             RoadScene s;
             const qreal d = distance(t, 10);
             s.actors = {actor(Actor::Cyclist, 1.1, 14 + 5 * t)};
             s.camX = -2.0 * ramp(t, 1, 2.5) + 2.0 * ramp(t, 5, 6.5);
             return road(s, d);
         }},
        {"cyclist-crossing", 6,
         [](qreal t) {
             RoadScene s;
             s.bikeCrossing = true;
             s.zebraZ = 28;
             s.signs = {QStringLiteral("D-6a")};
             s.signZ = 28;
             s.actors = {actor(Actor::Cyclist, 4 - 3 * std::max(0.0, t - 1), 28.5, Actor::Left)};
             return road(s, distance(t, 8, 1.2, 4));
         }},
        {"rail-closing", 7,
         [](qreal t) {
             RoadScene s;
             s.rail = QStringLiteral("closing");
             s.railZ = 34;
             s.railLights = t > 1;
             s.flashOn = blinkAt(t);
             s.barrier = ramp(t, 2, 5);
             return road(s, distance(t, 8, 1.3, 4.6));
         }},
        {"rail-train", 8,
         [](qreal t) {
             RoadScene s;
             s.rail = QStringLiteral("train");
             s.railZ = 16;
             s.railLights = t < 6;
             s.flashOn = blinkAt(t);
             s.actors = {actor(Actor::Train, 60 - 28 * t, 18, Actor::Left)};
             return road(s, t < 6.5 ? 0 : 1.5 * (t - 6.5) * (t - 6.5));
         }},
        {"overtake", 8,
         [](qreal t) {
             RoadScene s;
             const qreal d = distance(t, 16);
             Actor truck = actor(Actor::Truck, 0, 18 + 9 * t);
             truck.colour = QColor(210, 210, 215);
             s.actors = {truck};
             s.camX = -3.5 * ramp(t, 1, 2.5) + 3.5 * ramp(t, 5.5, 7);
             return road(s, d);
         }},
        {"overtaken", 6,
         [](qreal t) {
             RoadScene s;
             s.actors = {actor(Actor::Car, -3.5, 12 * t - 4 + 1.2 * t * t)};
             s.actors[0].left = t < 1;
             s.actors[0].right = t > 4;
             s.actors[0].blink = blinkAt(t);
             return road(s, distance(t, 12));
         }},
        {"overtake-solid", 6,
         [](qreal t) {
             RoadScene s;
             s.lineChangeZ = 40;
             s.actors = {actor(Actor::Car, 0, 14 + 10 * t)};
             return road(s, distance(t, 10));
         }},
        {"oncoming-narrow", 6,
         [](qreal t) {
             RoadScene s;
             s.road = QStringLiteral("dirt");
             Actor truck = actor(Actor::Truck, -2.4, 70 - 6 * t, Actor::Towards);
             truck.lights = true;
             truck.colour = QColor(180, 60, 40);
             s.actors = {truck};
             s.camX = 0.6 * ramp(t, 1, 2.5);
             return road(s, distance(t, 8, 1.0, 5.5) * 0.9);
         }},
        {"bus-leaving", 7,
         [](qreal t) {
             RoadScene s;
             s.road = QStringLiteral("town");
             s.signs = {QStringLiteral("D-15")};
             s.signZ = 30;
             Actor bus = actor(Actor::Bus, 0.9 - 0.9 * ramp(t, 3.5, 5.5),
                               32 + 1.5 * std::max(0.0, t - 3.5) * std::max(0.0, t - 3.5));
             bus.colour = QColor(200, 40, 40);
             bus.left = true;
             bus.blink = blinkAt(t);
             s.actors = {bus};
             return road(s, distance(t, 8, 1, 3.5));
         }},
        {"tram-stop", 7,
         [](qreal t) {
             RoadScene s;
             s.road = QStringLiteral("town");
             s.tramTracks = true;
             // the tram ahead of us slows down to its stop
             Actor tram = actor(Actor::Tram, -2.2, 18 + distance(t, 4, 0, 3));
             Actor a =
                 actor(Actor::Pedestrian, 2.4 - 1.2 * std::max(0.0, t - 2.5), 21, Actor::Left);
             a.colour = QColor(150, 60, 120);
             a.step = std::fmod(t, 1.0);
             Actor b =
                 actor(Actor::Pedestrian, 3.0 - 1.1 * std::max(0.0, t - 3), 22.5, Actor::Left);
             b.step = std::fmod(t + 0.5, 1.0);
             s.actors = {tram, a, b};
             return road(s, distance(t, 7, 0.5, 3));
         }},
        {"emergency-behind", 7,
         [](qreal t) {
             RoadScene s;
             s.mirrorBeacons = t < 3.5;
             s.flashOn = blinkAt(t);
             s.camX = 1.0 * ramp(t, 1, 2.5);
             const qreal d = distance(t, 12, 1.5, 4);
             Actor amb = actor(Actor::Ambulance, -1.2, d + 1 + 14 * std::max(0.0, t - 3.5));
             amb.beacons = true;
             amb.blink = blinkAt(t);
             if (t > 3.5)
                 s.actors = {amb};
             return road(s, d);
         }},
        {"police-stop", 6,
         [](qreal t) {
             RoadScene s;
             Actor officer = actor(Actor::Officer, 2.2, 34, Actor::Towards);
             officer.pose = QStringLiteral("wave");
             Actor car = actor(Actor::PoliceCar, 3.5, 40);
             s.actors = {car, officer};
             s.camX = 1.2 * ramp(t, 2, 4);
             return road(s, distance(t, 9, 1, 5));
         }},
        {"motorway-entry", 7,
         [](qreal t) {
             RoadScene s;
             s.road = QStringLiteral("motorway");
             // along the acceleration lane, then over its broken line behind the lorry, a car
             // overtaking in the left lane
             s.slip = true;
             s.slipFrom = -60;
             s.slipTo = 130;
             s.camX = 3.5 * (1 - ramp(t, 3.5, 5.5));
             s.icon =
                 t > 2.5 && t < 5.5 && blinkAt(t) ? QStringLiteral("indicator-left") : QString();
             s.actors = {actor(Actor::Car, -3.5, 8 + 26 * t), actor(Actor::Truck, 0, 40 + 18 * t)};
             s.actors[0].colour = QColor(200, 200, 210);
             return road(s, distance(t, 20));
         }},
        {"motorway-exit", 8,
         [](qreal t) {
             RoadScene s;
             s.road = QStringLiteral("motorway");
             // indicating early, over the broken line onto the deceleration lane, and only there
             // slowing down; past the lane's end the exit road bends away from the motorway, and
             // the car follows it
             s.slip = true;
             s.slipExit = true;
             s.slipFrom = 25;
             s.slipTo = 125;
             const qreal d = distance(t, 22, 3.5, 11);
             const qreal beyond = d - s.slipTo; // past the nose
             s.camX = 3.5 * ramp(t, 1.5, 3.5) + exitOffset(beyond);
             s.yaw = exitSlope(beyond);
             s.icon =
                 t > 0.5 && t < 3.7 && blinkAt(t) ? QStringLiteral("indicator-right") : QString();
             s.actors = {actor(Actor::Car, -3.5, 30 + 22 * t)};
             return road(s, d);
         }},
        {"lane-change", 6,
         [](qreal t) {
             RoadScene s;
             s.road = QStringLiteral("oneway");
             s.actors = {actor(Actor::Car, 0, 16 + 11 * t), actor(Actor::Car, -3.5, 45 + 13 * t)};
             s.actors[1].colour = QColor(230, 230, 230);
             s.camX = -3.5 * ramp(t, 2, 4);
             s.icon = t > 0.8 && t < 4 && blinkAt(t) ? QStringLiteral("indicator-left") : QString();
             return road(s, distance(t, 13));
         }},
        {"fog", 6,
         [](qreal t) {
             RoadScene s;
             s.weather = QStringLiteral("fog");
             s.icon = t > 2 ? QStringLiteral("front-fog") : QString();
             s.actors = {actor(Actor::Car, 0, 30 + 9 * t)};
             s.actors[0].lights = true;
             return road(s, distance(t, 10));
         }},
        {"night-dazzle", 6,
         [](qreal t) {
             RoadScene s;
             s.time = QStringLiteral("night");
             s.highBeam = t < 2.2;
             s.icon = s.highBeam ? QStringLiteral("high-beam") : QStringLiteral("low-beam");
             Actor c = actor(Actor::Car, -3.5, 120 - 35 * t, Actor::Towards);
             c.lights = true;
             s.actors = {c};
             return road(s, distance(t, 14));
         }},
        {"tunnel", 6,
         [](qreal t) {
             RoadScene s;
             s.place = QStringLiteral("tunnel");
             s.tunnelZ = 60;
             s.icon = t > 1 ? QStringLiteral("low-beam") : QString();
             return road(s, std::min(distance(t, 10), 56.0));
         }},
        {"animals", 5,
         [](qreal t) {
             RoadScene s;
             s.signs = {QStringLiteral("A-18b")};
             s.signZ = 12;
             Actor deer = actor(Actor::Deer, 7 - 6 * ramp(t, 1, 3.2), 34, Actor::Left);
             s.actors = {deer};
             return road(s, distance(t, 12, 1.3, 3.5));
         }},
        {"school-bus", 7,
         [](qreal t) {
             RoadScene s;
             Actor bus = actor(Actor::SchoolBus, 1.0, 30);
             bus.hazard = true;
             bus.blink = blinkAt(t);
             Actor c1 = actor(Actor::Child, -0.5 - 1.0 * ramp(t, 1, 5), 26, Actor::Left);
             c1.colour = QColor(240, 180, 0);
             c1.step = std::fmod(t, 1.0);
             Actor c2 = actor(Actor::Child, 0.2 - 1.0 * ramp(t, 2, 6), 26.8, Actor::Left);
             c2.colour = QColor(60, 160, 220);
             c2.step = std::fmod(t + 0.5, 1.0);
             s.actors = {bus, c1, c2};
             return road(s, distance(t, 8, 0.8, 3.5));
         }},
    };
}

} // namespace wirtal::art::film
