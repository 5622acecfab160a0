// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the film scripts share: the film table's row, time helpers, and the scene builders. A
// script gives the scene at time t; the frame is painted from it, and the geometry check reads
// the same scene (filmcheck.h).

#include "art/plan.h"
#include "art/road.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace wirtal::art::film {

// One moment of a film: a junction from above, the road from the driver's seat (already moved
// by the distance driven), or the parking street at time t.
struct FilmScene {
    enum Kind { Plan, Road, Parking };
    Kind kind = Road;
    PlanScene plan;
    RoadScene road;
    qreal t = 0;
};

using Script = std::function<FilmScene(qreal)>;

struct Film {
    const char* name;
    double seconds;
    Script scene;
};

inline void paintFilmScene(QPainter& p, const FilmScene& f) {
    switch (f.kind) {
    case FilmScene::Plan:
        paintPlan(p, f.plan);
        break;
    case FilmScene::Road:
        paintRoad(p, f.road);
        break;
    case FilmScene::Parking:
        paintParallelParking(p, f.t);
        break;
    }
}

inline qreal clamp01(qreal v) {
    return std::clamp(v, 0.0, 1.0);
}
inline qreal ramp(qreal t, qreal t0, qreal t1) {
    return clamp01((t - t0) / (t1 - t0));
}
inline bool blinkAt(qreal t) {
    return std::fmod(t, 0.8) < 0.45;
}

// Distance driven at speed v (m/s) braking to a stop at time stopAt, or -1 for no stop.
inline qreal distance(qreal t, qreal v, qreal brakeFrom = -1, qreal stopAt = -1) {
    if (brakeFrom < 0 || t <= brakeFrom)
        return v * t;
    const qreal tb = std::min(t, stopAt) - brakeFrom, span = stopAt - brakeFrom;
    return v * brakeFrom + v * (tb - tb * tb / (2 * span));
}

// Moves everything that stands on the road towards the camera by d metres.
inline void advance(RoadScene& s, qreal d) {
    s.travelled = d;
    s.signZ -= d;
    s.zebraZ -= d;
    s.railZ -= d;
    s.lightZ -= d;
    s.tunnelZ -= d;
    s.slipFrom -= d;
    s.slipTo -= d;
    s.junctionZ = std::max(0.5, (s.junctionZ > 0 ? s.junctionZ : 14) - d);
    if (s.lineChangeZ > 0)
        s.lineChangeZ -= d;
    for (Actor& a : s.actors)
        a.z -= d;
}

inline FilmScene road(RoadScene s, qreal d) {
    advance(s, d);
    if (s.signZ < 3)
        s.signs.clear();
    FilmScene f;
    f.road = s;
    return f;
}

inline PlanUser user(const char* label, const char* item, qreal progress) {
    PlanUser u;
    u.label = QLatin1String(label);
    u.arm = QLatin1Char(item[0]);
    u.move = QLatin1Char(item[1]);
    u.kind = std::strlen(item) > 3 ? QString::fromLatin1(item + 3) : QStringLiteral("car");
    u.progress = progress;
    return u;
}

// Progress through a junction: up to the line (0.33) by t1, waiting, then through by t3.
inline qreal through(qreal t, qreal t1, qreal t2, qreal t3) {
    if (t < t2)
        return 0.33 * ramp(t, 0, t1);
    return 0.33 + 0.67 * ramp(t, t2, t3);
}

inline FilmScene plan(PlanScene s, qreal t) {
    for (PlanUser& u : s.users)
        u.blink = blinkAt(t);
    FilmScene f;
    f.kind = FilmScene::Plan;
    f.plan = s;
    f.t = t;
    return f;
}

inline FilmScene parking(qreal t) {
    FilmScene f;
    f.kind = FilmScene::Parking;
    f.t = t;
    return f;
}

// The scripts of the films seen from the driver's seat and from above, and all of them.
QList<Film> roadFilms();
QList<Film> planFilms();
const QList<Film>& films();

} // namespace wirtal::art::film
