// SPDX-License-Identifier: GPL-3.0-or-later

// The road from the driver's seat: sky, ground, carriageways and their markings, the roadside,
// then the layers of roadside.cpp and the road users, then weather and the car's bonnet.

#include "art/road.h"

#include "art/exitroad.h"
#include "art/figures.h"
#include "art/pictures.h"
#include "art/roadside.h"

#include <QLinearGradient>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace wirtal::art {

namespace {

const qreal nearZ = 2.6, farZ = 400, crestZ = 45;
const qreal samples[] = {2.6, 3, 4, 5, 6, 7, 10, 14, 20, 28, 40, 45, 60, 90, 140, 220, 400};

struct Mark {
    qreal x;
    QString style; // solid, dashed, double, warning, oneside, none
};

struct Layout {
    qreal left = -5.25, right = 1.75;
    QList<Mark> marks;
    bool median = false, pavements = false, shoulder = false;
    QColor surface{88, 88, 92};
};

Layout layoutOf(const RoadScene& s) {
    Layout l;
    const QString& r = s.road;
    if (r == u"wide") {
        l.left = -12.25;
        l.marks = {
            {-1.75, "dashed"}, {-5.25, s.line == u"dashed" ? "double" : s.line}, {-8.75, "dashed"}};
    } else if (r == u"oneway") {
        l.marks = {{-1.75, s.line}};
    } else if (r == u"dual" || r == u"motorway" || r == u"express") {
        l.left = s.threeLanes ? -8.75 : -5.25;
        l.median = true;
        l.shoulder = r == u"motorway";
        l.marks = {{-1.75, s.line == u"solid" ? "solid" : "dashed"}};
        if (s.threeLanes)
            l.marks.append({-5.25, "dashed"});
    } else if (r == u"oneway3") {
        // three lanes one way, the camera in the middle one (before a junction with F-10)
        l.left = -5.25;
        l.right = 5.25;
        l.marks = {{-1.75, "dashed"}, {1.75, "dashed"}};
    } else if (r == u"express-single") {
        // one carriageway, one lane each way, edge lines on both sides
        l.marks = {{-1.75, s.line}};
    } else if (r == u"dirt") {
        l.left = -3.5;
        l.right = 1.6;
        l.surface = QColor(150, 120, 80);
    } else {
        l.marks = {{-1.75, s.line}};
        l.pavements = r == u"town";
    }
    if (s.tramTracks && (r == u"two" || r == u"town")) {
        l.left = -7.0;
        l.marks.clear();
    }
    return l;
}

QPolygonF strip(const Projector& pr, qreal x0, qreal x1, qreal z0, qreal z1, qreal y = 0) {
    QPolygonF poly;
    QList<qreal> zs{z0};
    for (qreal z : samples)
        if (z > z0 && z < z1)
            zs.append(z);
    zs.append(z1);
    for (qreal z : zs)
        poly << pr.at(x1, y, z);
    std::reverse(zs.begin(), zs.end());
    for (qreal z : zs)
        poly << pr.at(x0, y, z);
    return poly;
}

void fillStrip(QPainter& p, const Projector& pr, qreal x0, qreal x1, qreal z0, qreal z1,
               const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(strip(pr, x0, x1, z0, z1));
}

void dashes(QPainter& p, const Projector& pr, qreal x, qreal w, qreal len, qreal gap, qreal from,
            qreal to, qreal travelled, const QColor& c) {
    const qreal period = len + gap;
    for (qreal z = from - std::fmod(travelled, period); z < to; z += period)
        if (z + len > nearZ)
            fillStrip(p, pr, x - w, x + w, std::max(z, nearZ), std::min(z + len, to), c);
}

using Span = std::pair<qreal, qreal>;

// A line from z0 to z1 in pieces between the gaps (junctions, crossings).
QList<Span> pieces(qreal z0, qreal z1, const QList<Span>& gaps) {
    QList<Span> pieces{{z0, z1}};
    for (const auto& [g0, g1] : gaps) {
        QList<Span> next;
        for (const auto& [a, b] : pieces) {
            if (g1 <= a || g0 >= b) {
                next.append({a, b});
                continue;
            }
            if (g0 > a)
                next.append({a, g0});
            if (g1 < b)
                next.append({g1, b});
        }
        pieces = next;
    }
    return pieces;
}

bool continuous(const QString& style) {
    return style == u"solid" || style == u"double" || style == u"oneside" || style == u"edge";
}

// Where the marks of a layout run: each mark's pieces, the centre line split where it turns
// solid, the edge lines of a dual carriageway, broken beside a slip lane. Painting and the
// films' geometry check both read this.
struct Run {
    Mark mark;
    QList<Span> gaps;
    qreal travelled;
};

QList<Run> runs(const RoadScene& s, const Layout& l, const QList<Span>& gaps) {
    QList<Run> out;
    for (const Mark& m : l.marks) {
        if (s.lineChangeZ > 0 && m.x == -1.75) {
            auto before = gaps, after = gaps;
            before.append({s.lineChangeZ, farZ});
            after.append({-farZ, s.lineChangeZ});
            out.append({m, before, s.travelled});
            out.append({{m.x, QStringLiteral("solid")}, after, s.travelled});
        } else {
            out.append({m, gaps, s.travelled});
        }
    }
    if (l.median || l.shoulder || s.road.startsWith(u"express")) {
        auto edge = gaps;
        if (s.slip) {
            edge.append({s.slipFrom, s.slipTo});
            auto broad = gaps;
            broad.append({-farZ, s.slipFrom});
            broad.append({s.slipTo, farZ});
            out.append({{l.right, QStringLiteral("broad")}, broad, s.travelled});
            auto outer = gaps;
            outer.append({-farZ, s.slipFrom});
            outer.append({s.slipTo, farZ});
            out.append({{l.right + 3.5, QStringLiteral("edge")}, outer, 0});
        }
        out.append({{l.right, QStringLiteral("edge")}, edge, 0});
        out.append({{l.left + 0.2, QStringLiteral("edge")}, gaps, 0});
    }
    return out;
}

void markLine(QPainter& p, const Projector& pr, const Mark& m, qreal zMax, qreal travelled,
              const QList<Span>& gaps) {
    const QColor c(235, 235, 235);
    const qreal w = 0.07;
    for (const auto& [a, b] : pieces(nearZ, zMax, gaps)) {
        if (m.style == u"solid") {
            fillStrip(p, pr, m.x - w, m.x + w, a, b, c);
        } else if (m.style == u"double") {
            fillStrip(p, pr, m.x - 0.25, m.x - 0.11, a, b, c);
            fillStrip(p, pr, m.x + 0.11, m.x + 0.25, a, b, c);
        } else if (m.style == u"dashed") {
            dashes(p, pr, m.x, w, 3, 6, a, b, travelled, c);
        } else if (m.style == u"warning") {
            dashes(p, pr, m.x, w, 6, 2, a, b, travelled, c);
        } else if (m.style == u"oneside") {
            // solid on our (right) side, dashed on the far side
            fillStrip(p, pr, m.x + 0.05, m.x + 0.19, a, b, c);
            dashes(p, pr, m.x - 0.12, w, 3, 6, a, b, travelled, c);
        } else if (m.style == u"oneside-dashed") {
            // dashed on our side, solid on the far side
            fillStrip(p, pr, m.x - 0.19, m.x - 0.05, a, b, c);
            dashes(p, pr, m.x + 0.12, w, 3, 6, a, b, travelled, c);
        } else if (m.style == u"double-dashed") {
            dashes(p, pr, m.x - 0.18, w, 3, 6, a, b, travelled, c);
            dashes(p, pr, m.x + 0.18, w, 3, 6, a, b, travelled, c);
        } else if (m.style == u"edge") {
            fillStrip(p, pr, m.x - 0.1, m.x + 0.1, a, b, c);
        } else if (m.style == u"broad") {
            // the broad broken line beside a slip lane
            dashes(p, pr, m.x, 0.15, 2, 2, a, b, travelled, c);
        }
    }
}

void sky(QPainter& p, const RoadScene& s, const Projector& pr) {
    QLinearGradient g(0, 0, 0, pr.horizon);
    if (s.time == u"night") {
        g.setColorAt(0, QColor(8, 10, 30));
        g.setColorAt(1, QColor(30, 35, 70));
    } else if (s.time == u"dusk") {
        g.setColorAt(0, QColor(60, 70, 120));
        g.setColorAt(1, QColor(240, 150, 90));
    } else if (s.weather == u"rain" || s.weather == u"snow") {
        g.setColorAt(0, QColor(110, 115, 125));
        g.setColorAt(1, QColor(170, 175, 180));
    } else {
        g.setColorAt(0, QColor(90, 150, 225));
        g.setColorAt(1, QColor(200, 225, 245));
    }
    p.fillRect(QRectF(0, 0, 480, pr.horizon + 1), g);
}

QColor ground(const RoadScene& s) {
    if (s.weather == u"snow")
        return QColor(235, 238, 242);
    if (s.road == u"town")
        return QColor(150, 150, 145);
    return QColor(90, 150, 70);
}

QColor darken(const QColor& c, const RoadScene& s) {
    if (s.time == u"night")
        return c.darker(420);
    if (s.time == u"dusk")
        return c.darker(160);
    return c;
}

void weather(QPainter& p, const RoadScene& s, const Projector& pr) {
    if (s.weather == u"fog") {
        QLinearGradient g(0, 0, 0, 360);
        const QColor f = s.time == u"night" ? QColor(60, 60, 70) : QColor(225, 228, 230);
        g.setColorAt(0, f);
        g.setColorAt(pr.horizon / 360.0, QColor(f.red(), f.green(), f.blue(), 240));
        g.setColorAt(0.75, QColor(f.red(), f.green(), f.blue(), 140));
        g.setColorAt(1, QColor(f.red(), f.green(), f.blue(), 60));
        p.fillRect(QRectF(0, 0, 480, 360), g);
    } else if (s.weather == u"rain") {
        p.setPen(QPen(QColor(220, 225, 235, 150), 1.2));
        for (int i = 0; i < 140; ++i) {
            const qreal x = (i * 73) % 480, y = (i * 151) % 360;
            p.drawLine(QPointF(x, y), QPointF(x - 4, y + 14));
        }
    } else if (s.weather == u"snow") {
        for (int i = 0; i < 160; ++i)
            fillCircle(p, QPointF((i * 89) % 480, (i * 137) % 360), 1.5 + (i % 3), Qt::white);
    }
}

void bonnet(QPainter& p, const RoadScene& s) {
    QPainterPath b(QPointF(-10, 372));
    b.lineTo(-10, 345);
    b.quadTo(QPointF(240, 318), QPointF(490, 345));
    b.lineTo(490, 372);
    fillPath(p, b, darken(QColor(150, 20, 30), s));
    // the interior mirror, showing what comes from behind
    fillRect(p, QRectF(188, 4, 104, 34), QColor(30, 30, 30), 6);
    fillRect(p, QRectF(192, 8, 96, 26), darken(QColor(170, 190, 210), s), 4);
    if (s.mirrorBeacons) {
        fillRect(p, QRectF(222, 16, 36, 16), QColor(245, 245, 245), 3);
        fillRect(p, QRectF(226, 11, 12, 6), s.flashOn ? QColor(20, 60, 255) : QColor(90, 90, 140));
        fillRect(p, QRectF(242, 11, 12, 6), s.flashOn ? QColor(90, 90, 140) : QColor(20, 60, 255));
        fillRect(p, QRectF(230, 20, 20, 6), QColor(230, 30, 30));
    }
}

// The slip lane's surface right of ours, with the shoulder beyond it, and its taper where it
// ends, or the exit road it leaves by.
void slipLane(QPainter& p, const Projector& pr, const RoadScene& s, const Layout& l, qreal zMax) {
    const QColor surface = darken(l.surface, s);
    const qreal z0 = std::max(nearZ, s.slipFrom), z1 = std::min(zMax, s.slipTo);
    if (z1 > z0)
        fillStrip(p, pr, l.right, l.right + 6.5, z0, z1, surface);
    if (s.slipExit) {
        paintExitRoad(p, pr, s, l.right, zMax, surface, darken(ground(s), s));
        return;
    }
    const qreal taper = 40;
    if (s.slipTo + taper > nearZ && s.slipTo < zMax) {
        QPolygonF poly;
        for (qreal k = 0; k <= 1.0001; k += 0.1) {
            const qreal z = std::max(nearZ, s.slipTo + k * taper);
            poly << pr.at(l.right + 3.5 * (1 - k), 0, z);
        }
        poly << pr.at(l.right, 0, s.slipTo + taper) << pr.at(l.right, 0, std::max(nearZ, s.slipTo));
        p.setPen(Qt::NoPen);
        p.setBrush(surface);
        p.drawPolygon(poly);
    }
}

} // namespace

QList<RoadLine> continuousLines(const RoadScene& s) {
    QPainter none;
    const Projector pr;
    const Roadside side{none, pr, s};
    QList<RoadLine> lines;
    for (const Run& r : runs(s, layoutOf(s), side.markingGaps()))
        if (continuous(r.mark.style))
            for (const auto& [a, b] : pieces(-farZ, farZ, r.gaps))
                lines.append({r.mark.x, a, b});
    if (s.slip && s.slipExit)
        lines.append(exitLines(s, layoutOf(s).right));
    return lines;
}

QRectF footprint(const Actor& a) {
    qreal w = 0, len = 0;
    switch (a.kind) {
    case Actor::Triangle:
    case Actor::Cone:
        return {};
    case Actor::Pedestrian:
    case Actor::Child:
    case Actor::Blind:
    case Actor::Officer:
        w = len = 0.5;
        break;
    case Actor::Cyclist:
        w = 0.6;
        len = 1.8;
        break;
    case Actor::Deer:
        w = 0.5;
        len = 1.6;
        break;
    default: {
        const QSizeF s = actorSize(a.kind);
        w = s.width();
        len = s.height();
    }
    }
    // a vehicle is drawn by its end nearest the camera (at z) or by its side (centred at x)
    if (a.facing == Actor::Away || a.facing == Actor::Towards)
        return {a.x - w / 2, a.z, w, len};
    return {a.x - len / 2, a.z, len, w};
}

void paintRoad(QPainter& p, const RoadScene& s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    Projector pr;
    pr.bend = s.bend;
    pr.camX = s.camX;
    pr.yaw = s.yaw;
    if (s.crest) {
        pr.riseFrom = 6;
        pr.grade = 0.085;
    }
    const Layout l = layoutOf(s);
    const qreal zMax = s.crest ? crestZ : farZ;
    sky(p, s, pr);
    if (s.crest) {
        // the road climbs to a crest with nothing but sky behind it
        const qreal y = pr.at(0, 0, crestZ).y();
        QPainterPath hill(QPointF(0, y + 10));
        hill.quadTo(QPointF(240, y - 8), QPointF(480, y + 10));
        hill.lineTo(480, 360);
        hill.lineTo(0, 360);
        hill.closeSubpath();
        fillPath(p, hill, darken(ground(s), s));
    } else {
        p.fillRect(QRectF(0, pr.horizon, 480, 360 - pr.horizon), darken(ground(s), s));
    }
    Roadside side{p, pr, s};
    side.background();

    const QColor surface = darken(l.surface, s);
    if (l.median) {
        // a grass median left of our carriageway, the other carriageway beyond it
        const qreal m = l.left;
        fillStrip(p, pr, m - 10.25 - (s.threeLanes ? 3.5 : 0), m - 3.25, nearZ, zMax, surface);
        fillStrip(p, pr, m - 3.25, m, nearZ, zMax, darken(QColor(80, 140, 60), s));
        markLine(p, pr, {m - 6.75, "dashed"}, zMax, s.travelled, {});
        if (s.threeLanes)
            markLine(p, pr, {m - 10.25, "dashed"}, zMax, s.travelled, {});
    }
    if (l.pavements) {
        fillStrip(p, pr, l.right, l.right + 3, nearZ, zMax, darken(QColor(185, 180, 170), s));
        fillStrip(p, pr, l.left - 3, l.left, nearZ, zMax, darken(QColor(185, 180, 170), s));
    }
    fillStrip(p, pr, l.left, l.right + (l.shoulder ? 3 : 0), nearZ, zMax, surface);
    side.crossRoads(surface);

    if (s.slip)
        slipLane(p, pr, s, l, zMax);
    for (const Run& r : runs(s, l, side.markingGaps()))
        markLine(p, pr, r.mark, zMax, r.travelled, r.gaps);
    side.markings(l.left, l.right);
    side.foreground(l.left, l.right);

    QList<Actor> actors = s.actors;
    std::sort(actors.begin(), actors.end(),
              [](const Actor& a, const Actor& b) { return a.z > b.z; });
    for (const Actor& a : actors)
        if (a.z > 1.5)
            paintActor(p, pr, a, s.time == u"night");
    side.overlay();
    weather(p, s, pr);
    bonnet(p, s);
    if (!s.icon.isEmpty())
        paintDashIcon(p, QRectF(12, 300, 48, 48), s.icon);
    p.restore();
}

} // namespace wirtal::art
