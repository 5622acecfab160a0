// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/filmcheck.h"

#include "art/films.h"

namespace wirtal::art::film {

namespace {

// The learner's car in a driver's-seat scene: the camera sits at its driver's seat.
const qreal carHalfWidth = 0.9, carRear = -2.7, carFront = 1.6;

bool isVehicle(Actor::Kind k) {
    switch (k) {
    case Actor::Pedestrian:
    case Actor::Child:
    case Actor::Blind:
    case Actor::Officer:
    case Actor::Deer:
    case Actor::Triangle:
    case Actor::Cone:
    case Actor::Train: // on its own track, across the road
        return false;
    default:
        return true;
    }
}

QString actorName(const Actor& a, qsizetype i) {
    static const char* const kinds[] = {
        "car",        "truck", "bus",   "school bus", "tram",    "tractor",
        "pedestrian", "child", "blind", "cyclist",    "officer", "police",
        "ambulance",  "train", "deer",  "triangle",   "cone",    "motorcycle"};
    return QStringLiteral("%1 %2").arg(QLatin1String(kinds[a.kind])).arg(i + 1);
}

struct Body {
    QString name;
    QRectF rect; // metres: x across, z along
    bool vehicle;
};

QStringList roadProblems(const RoadScene& s) {
    QList<Body> bodies{
        {QStringLiteral("TY"),
         QRectF(QPointF(s.camX - carHalfWidth, carRear), QPointF(s.camX + carHalfWidth, carFront)),
         true}};
    for (qsizetype i = 0; i < s.actors.size(); ++i) {
        const QRectF r = footprint(s.actors[i]);
        if (!r.isEmpty())
            bodies.append({actorName(s.actors[i], i), r, isVehicle(s.actors[i].kind)});
    }
    QStringList problems;
    for (qsizetype i = 0; i < bodies.size(); ++i)
        for (qsizetype j = i + 1; j < bodies.size(); ++j)
            if (bodies[i].rect.intersects(bodies[j].rect))
                problems << QStringLiteral("%1 and %2 overlap").arg(bodies[i].name, bodies[j].name);
    const QList<RoadLine> lines = continuousLines(s);
    for (const Body& b : bodies) {
        if (!b.vehicle)
            continue;
        for (const RoadLine& l : lines)
            if (l.x > b.rect.left() && l.x < b.rect.right() && l.z0 < b.rect.bottom() &&
                l.z1 > b.rect.top()) {
                problems << QStringLiteral("%1 on the continuous line at x = %2 m")
                                .arg(b.name)
                                .arg(l.x, 0, 'f', 2);
                break;
            }
    }
    return problems;
}

QStringList planProblems(const QList<PlanBody>& bodies) {
    QStringList problems;
    for (qsizetype i = 0; i < bodies.size(); ++i)
        for (qsizetype j = i + 1; j < bodies.size(); ++j) {
            const QPolygonF both = bodies[i].outline.intersected(bodies[j].outline);
            // the area the two share, in square pixels (shoelace formula)
            qreal area = 0;
            for (qsizetype k = 0; k + 1 < both.size(); ++k)
                area += both[k].x() * both[k + 1].y() - both[k + 1].x() * both[k].y();
            if (std::abs(area) / 2 > 0.5)
                problems
                    << QStringLiteral("%1 and %2 overlap").arg(bodies[i].label, bodies[j].label);
        }
    return problems;
}

} // namespace

QStringList sceneProblems(const FilmScene& scene) {
    switch (scene.kind) {
    case FilmScene::Plan:
        return planProblems(planBodies(scene.plan));
    case FilmScene::Parking:
        return planProblems(parkingBodies(scene.t));
    case FilmScene::Road:
        break;
    }
    return roadProblems(scene.road);
}

QStringList filmProblems(const Film& film) {
    QStringList problems;
    const int frames = int(film.seconds * filmFps);
    for (int i = 0; i < frames; ++i) {
        const qreal t = qreal(i) / filmFps;
        for (const QString& p : sceneProblems(film.scene(t)))
            problems << QStringLiteral("%1 at %2 s: %3")
                            .arg(QLatin1String(film.name))
                            .arg(t, 0, 'f', 2)
                            .arg(p);
    }
    return problems;
}

} // namespace wirtal::art::film
