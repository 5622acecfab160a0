// SPDX-License-Identifier: GPL-3.0-or-later

// The films of the demo bank: each is a script that gives the scene at time t (seconds). The
// junction films, seen from above, are here; the driver's-seat ones are in filmsroad.cpp.

#include "art/films.h"

#include "art/filmkit.h"

#include <QDir>
#include <QImage>

namespace wirtal::art {

namespace film {

QList<Film> planFilms() {
    return {
        {"junction-equal-right", 6,
         [](qreal t) {
             PlanScene s;
             s.users = {user("TY", "ss", through(t, 1.5, 3.5, 6)),
                        user("A", "es", ramp(t, 0.5, 3.8))};
             return plan(s, t);
         }},
        {"junction-equal-left", 6,
         [](qreal t) {
             PlanScene s;
             s.users = {user("TY", "ss", ramp(t, 0, 4.5)),
                        user("A", "ws", through(t, 1.5, 4.0, 6))};
             return plan(s, t);
         }},
        {"green-arrow", 7,
         [](qreal t) {
             PlanScene s;
             s.light = QStringLiteral("red-arrow");
             // A goes on along the east arm out of sight; TY turns right after it
             s.users = {user("TY", "sr", through(t, 2, 4, 7)),
                        user("A", "ws", 1.8 * ramp(t, 0.5, 5.5))};
             return plan(s, t);
         }},
        {"roundabout", 7,
         [](qreal t) {
             PlanScene s;
             s.layout = QStringLiteral("roundabout");
             PlanUser ty = user("TY", "ss", ramp(t, 0, 6.5));
             if (ty.progress > 0.55)
                 ty.indicator = QLatin1Char('r');
             s.users = {ty};
             return plan(s, t);
         }},
        {"turn-left-oncoming", 7,
         [](qreal t) {
             PlanScene s;
             // TY drives to the middle in its own half, waits for A to pass, then turns
             PlanUser ty = user("TY", "sl", 0);
             ty.waitsInside = true;
             const qreal w = waitingProgress(s, ty);
             ty.progress = t < 4 ? w * ramp(t, 0, 2.5) : w + (1 - w) * ramp(t, 4, 7);
             s.users = {ty, user("A", "ns", 1.6 * ramp(t, 0.5, 5.0))};
             return plan(s, t);
         }},
        {"parking", 7, [](qreal t) { return parking(t); }},
        {"u-turn", 7,
         [](qreal t) {
             PlanScene s;
             s.users = {user("TY", "su", through(t, 2, 3.5, 7))};
             return plan(s, t);
         }},
    };
}

const QList<Film>& films() {
    static const QList<Film> list = roadFilms() + planFilms();
    return list;
}

} // namespace film

namespace {

using film::Film;

const Film* find(const QString& name) {
    for (const Film& f : film::films())
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

} // namespace

double filmSeconds(const QString& name) {
    const Film* f = find(name);
    return f ? f->seconds : 0;
}

bool writeFilmFrames(const QString& name, const QString& dir) {
    const Film* f = find(name);
    if (!f)
        return false;
    QDir().mkpath(dir);
    const int frames = int(f->seconds * filmFps);
    for (int i = 0; i < frames; ++i) {
        QImage img(480, 360, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        film::paintFilmScene(p, f->scene(qreal(i) / filmFps));
        p.end();
        if (!img.save(
                QDir(dir).filePath(QStringLiteral("%1.png").arg(i + 1, 4, 10, QLatin1Char('0')))))
            return false;
    }
    return true;
}

} // namespace wirtal::art
