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
         [](QPainter& p, qreal t) {
             PlanScene s;
             s.users = {user("TY", "ss", through(t, 1.5, 3.5, 6)),
                        user("A", "es", ramp(t, 0.5, 3.8))};
             plan(p, s, t);
         }},
        {"junction-equal-left", 6,
         [](QPainter& p, qreal t) {
             PlanScene s;
             s.users = {user("TY", "ss", ramp(t, 0, 4.5)),
                        user("A", "ws", through(t, 1.5, 4.0, 6))};
             plan(p, s, t);
         }},
        {"green-arrow", 7,
         [](QPainter& p, qreal t) {
             PlanScene s;
             s.light = QStringLiteral("red-arrow");
             s.users = {user("TY", "sr", through(t, 2, 4, 7)), user("A", "ws", ramp(t, 0.5, 3.5))};
             plan(p, s, t);
         }},
        {"roundabout", 7,
         [](QPainter& p, qreal t) {
             PlanScene s;
             s.layout = QStringLiteral("roundabout");
             PlanUser ty = user("TY", "ss", ramp(t, 0, 6.5));
             if (ty.progress > 0.55)
                 ty.indicator = QLatin1Char('r');
             s.users = {ty};
             plan(p, s, t);
         }},
        {"turn-left-oncoming", 7,
         [](QPainter& p, qreal t) {
             PlanScene s;
             const qreal ty = t < 4 ? 0.45 * ramp(t, 0, 2.5) : 0.45 + 0.55 * ramp(t, 4, 7);
             s.users = {user("TY", "sl", ty), user("A", "ns", ramp(t, 0.5, 4.2))};
             plan(p, s, t);
         }},
        {"parking", 7, [](QPainter& p, qreal t) { paintParallelParking(p, t); }},
        {"u-turn", 7,
         [](QPainter& p, qreal t) {
             PlanScene s;
             s.users = {user("TY", "su", through(t, 2, 3.5, 7))};
             plan(p, s, t);
         }},
    };
}

} // namespace film

namespace {

using film::Film;

const QList<Film>& films() {
    static const QList<Film> list = film::roadFilms() + film::planFilms();
    return list;
}

const Film* find(const QString& name) {
    for (const Film& f : films())
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
        f->frame(p, qreal(i) / filmFps);
        p.end();
        if (!img.save(
                QDir(dir).filePath(QStringLiteral("%1.png").arg(i + 1, 4, 10, QLatin1Char('0')))))
            return false;
    }
    return true;
}

} // namespace wirtal::art
