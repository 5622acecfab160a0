// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/roadside.h"

#include "art/figures.h"
#include "art/lanearrow.h"
#include "art/signpaint.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace wirtal::art {

namespace {
const QColor paint(235, 235, 235);
const qreal signMagnify = 2.6; // signs are drawn larger than life, to be read
const qreal driveZ = 17;       // where a driveway on the left begins
} // namespace

QColor Roadside::shade(const QColor& c) const {
    if (s_.time == u"night")
        return c.darker(420);
    if (s_.time == u"dusk")
        return c.darker(160);
    return c;
}

bool Roadside::junction() const {
    return s_.place == u"junction" || !s_.light.isEmpty() || s_.place == u"roundabout";
}

qreal Roadside::stopZ() const {
    if (!s_.light.isEmpty())
        return s_.lightZ - 1;
    if (!s_.rail.isEmpty() && !junction())
        return s_.railZ - 3;
    return junctionZ() - 1.4;
}

void Roadside::flatPoly(const QList<QPointF>& xz, const QColor& c) {
    QPolygonF poly;
    for (const QPointF& v : xz)
        poly << pr_.at(v.x(), 0, std::max(v.y(), 2.6));
    p_.setPen(Qt::NoPen);
    p_.setBrush(c);
    p_.drawPolygon(poly);
}

void Roadside::laneArrow(qreal cx, qreal z0, bool left, bool right, bool straight) {
    const QColor c = shade(paint);
    p_.setPen(Qt::NoPen);
    p_.setBrush(c);
    for (const QPolygonF& shape : laneArrowShapes(pr_, cx, z0, left, right, straight))
        p_.drawPolygon(shape);
}

qreal Roadside::junctionZ() const {
    if (s_.junctionZ > 0)
        return s_.junctionZ;
    return s_.light.isEmpty() ? 14 : s_.lightZ + 2;
}

void Roadside::flat(std::initializer_list<QPointF> xz, const QColor& c) {
    QPolygonF poly;
    for (const QPointF& v : xz)
        poly << pr_.at(v.x(), 0, std::max(v.y(), 2.6));
    p_.setPen(Qt::NoPen);
    p_.setBrush(c);
    p_.drawPolygon(poly);
}

void Roadside::tree(qreal x, qreal z) {
    if (z < 3)
        return;
    const QPointF base = pr_.at(x, 0, z);
    const qreal k = pr_.scale(z);
    fillRect(p_, QRectF(base.x() - 0.15 * k, base.y() - 2.5 * k, 0.3 * k, 2.5 * k),
             shade(QColor(100, 70, 40)));
    fillCircle(p_, QPointF(base.x(), base.y() - 4 * k), 2.0 * k,
               shade(s_.weather == u"snow" ? QColor(200, 215, 205) : QColor(40, 110, 45)));
}

void Roadside::house(qreal x, qreal z0, qreal z1, qreal height, const QColor& c) {
    z0 = std::max(z0, 2.0); // a facade that began behind the camera
    if (z1 <= z0 + 0.5)
        return;
    QPolygonF wall{pr_.at(x, 0, z0), pr_.at(x, height, z0), pr_.at(x, height, z1),
                   pr_.at(x, 0, z1)};
    p_.setPen(QPen(shade(c.darker(130)), 1));
    p_.setBrush(shade(c));
    p_.drawPolygon(wall);
    for (qreal z = z0 + 1.5; z + 1.2 < z1; z += 3)
        for (qreal y : {2.0, 5.0}) {
            if (y + 1.4 > height)
                continue;
            QPolygonF w{pr_.at(x, y, z), pr_.at(x, y + 1.4, z), pr_.at(x, y + 1.4, z + 1.2),
                        pr_.at(x, y, z + 1.2)};
            p_.setBrush(s_.time == u"night" ? QColor(240, 210, 120) : QColor(120, 150, 180));
            p_.drawPolygon(w);
        }
}

void Roadside::background() {
    const qreal shift = std::fmod(s_.travelled, 14.0);
    const bool town = s_.road == u"town";
    // a far tree line or skyline (hidden behind a crest)
    for (int i = 0; i < 16 && !s_.crest; ++i) {
        const qreal x = i * 32.0 - 10;
        if (town)
            fillRect(p_, QRectF(x, pr_.horizon - 18 - (i * 7) % 15, 28, 30 + (i * 7) % 15),
                     shade(QColor(150, 150, 165)));
        else
            fillCircle(p_, QPointF(x, pr_.horizon - 2), 16 + (i * 5) % 9,
                       shade(QColor(50, 100, 60)));
    }
    for (int i = 9; i >= 0; --i) {
        const qreal z = 6 + i * 14.0 - shift;
        if (s_.crest && z > 38)
            continue;
        if (town) {
            const QColor c = QColor::fromHsv((i * 47) % 360, 60, 220);
            house(7.5, z, z + 11, 7 + (i % 3) * 3, c);
            house(-11, z + 4, z + 15, 7 + ((i + 1) % 3) * 3, c.lighter(110));
        } else if (s_.road != u"motorway" || i % 2 == 0) {
            if (s_.place != u"tunnel" || z < s_.tunnelZ - 4) {
                tree(s_.road == u"motorway" ? 9 : 6.5, z);
                const bool median =
                    s_.road == u"motorway" || s_.road == u"dual" || s_.road == u"express";
                if (s_.drive.isEmpty() || z + 7 < driveZ - 8 || z + 7 > driveZ + 14)
                    tree(median ? (s_.threeLanes ? -26 : -19) : -10, z + 7);
            }
        }
    }
}

void Roadside::crossRoads(const QColor& surface) {
    if (junction() && s_.place != u"roundabout") {
        const qreal z = junctionZ();
        const qreal x0 = s_.sideRoad > 0 ? 0 : -80, x1 = s_.sideRoad < 0 ? 0 : 80;
        flat({{x0, z}, {x1, z}, {x1, z + 8}, {x0, z + 8}}, surface);
    }
    if (s_.place == u"roundabout") {
        flat({{-60, 22}, {60, 22}, {60, 60}, {-60, 60}}, surface);
        QPolygonF island;
        for (int i = 0; i < 24; ++i) {
            const qreal a = i * M_PI / 12;
            island << pr_.at(-1.75 + 7 * std::cos(a), 0, 40 + 9 * std::sin(a));
        }
        p_.setPen(QPen(shade(QColor(220, 220, 220)), 2));
        p_.setBrush(shade(QColor(80, 150, 70)));
        p_.drawPolygon(island);
    }
    if (!s_.rail.isEmpty()) {
        // the track bed across the road, sleepers showing beside it, and the steel of the rails
        // one track behind the single-track cross G-3 (the crossing's own post carries it too),
        // two behind G-4
        const qreal z = s_.railZ;
        const bool twoTracks = s_.signs.contains(QStringLiteral("G-4"));
        const QList<qreal> rails = twoTracks ? QList<qreal>{z, z + 1.5, z + 2.5, z + 4.0 - 0.2}
                                             : QList<qreal>{z + 0.8, z + 2.3};
        flat({{-80, z - 1}, {80, z - 1}, {80, z + 4}, {-80, z + 4}}, shade(QColor(125, 115, 100)));
        for (qreal x = -40; x < 40; x += 0.9)
            if (x < -6 || x > 2.5)
                flat({{x, z - 0.4}, {x + 0.35, z - 0.4}, {x + 0.35, z + 3.4}, {x, z + 3.4}},
                     shade(QColor(90, 70, 50)));
        for (qreal zr : rails) {
            flat({{-80, zr - 0.05}, {80, zr - 0.05}, {80, zr + 0.2}, {-80, zr + 0.2}},
                 shade(QColor(45, 45, 50)));
            flat({{-80, zr}, {80, zr}, {80, zr + 0.08}, {-80, zr + 0.08}},
                 shade(QColor(200, 200, 210)));
        }
    }
}

QList<std::pair<qreal, qreal>> Roadside::markingGaps() const {
    QList<std::pair<qreal, qreal>> gaps;
    if (junction())
        gaps.append(s_.place == u"roundabout" ? std::pair{22.0, 60.0}
                                              : std::pair{junctionZ(), junctionZ() + 8});
    if (!s_.rail.isEmpty())
        gaps.append({s_.railZ - 1, s_.railZ + 4});
    if (s_.zebra)
        gaps.append({s_.zebraZ - 0.5, s_.zebraZ + 4.5});
    return gaps;
}

void Roadside::markings(qreal left, qreal right) {
    if (s_.time == u"night") {
        const qreal reach = s_.highBeam ? 70 : 30;
        QColor glow(255, 250, 200, s_.highBeam ? 70 : 55);
        flat({{-2.0, 3}, {1.6, 3}, {3.0, reach}, {-4.0, reach}}, glow);
    }
    if (s_.bikeLane) {
        flat({{right, 2.6}, {right + 1.6, 2.6}, {right + 1.6, 300}, {right, 300}},
             shade(QColor(170, 80, 70)));
        flat({{right - 0.1, 2.6}, {right + 0.05, 2.6}, {right + 0.05, 300}, {right - 0.1, 300}},
             shade(paint));
    }
    if (s_.tramTracks)
        for (const qreal x : {-2.92, -1.48, -5.92, -4.48})
            flat({{x - 0.04, 2.6}, {x + 0.04, 2.6}, {x + 0.04, 300}, {x - 0.04, 300}},
                 shade(QColor(160, 160, 170)));
    const qreal zz = s_.zebraZ;
    if (s_.zebra)
        for (qreal x = left + 0.25; x + 0.5 < right; x += 1.0)
            flat({{x, zz}, {x + 0.5, zz}, {x + 0.5, zz + 4}, {x, zz + 4}}, shade(paint));
    if (s_.bikeCrossing) {
        const qreal z = s_.zebra ? zz + 4.6 : zz;
        for (qreal x = left; x < right; x += 1.0)
            for (qreal zz2 : {z, z + 2.2})
                flat({{x, zz2}, {x + 0.5, zz2}, {x + 0.5, zz2 + 0.5}, {x, zz2 + 0.5}},
                     shade(paint));
    }
    const qreal stop = stopZ();
    const QString& m = s_.marking;
    // the stop line across our half: with a signal, with P-12, or before a crossing with B-20
    const qreal stopLeft = s_.road == u"oneway" || s_.road == u"oneway3" ? left : -1.75;
    if (!s_.light.isEmpty() || m == u"P-12")
        flat({{stopLeft, stop}, {right, stop}, {right, stop + 0.5}, {stopLeft, stop + 0.5}},
             shade(paint));
    if (m == u"P-13") {
        for (qreal x = stopLeft + 0.1; x + 0.6 <= right; x += 0.9)
            flat({{x, stop + 0.9}, {x + 0.6, stop + 0.9}, {x + 0.3, stop}}, shade(paint));
    } else if (m == u"P-14") {
        for (qreal x = stopLeft + 0.1; x + 0.5 <= right; x += 1.0)
            flat({{x, stop}, {x + 0.5, stop}, {x + 0.5, stop + 0.5}, {x, stop + 0.5}},
                 shade(paint));
    } else if (m == u"P-8") {
        // lane arrows on a road with two lanes our way: the left lane straight or left, our
        // (right) lane right only
        laneArrow(-3.5, 7, true, false, true);
        laneArrow(0.0, 6, false, true, false);
    } else if (m == u"turn-lanes") {
        // a lane for each way: left only, straight only, right only
        laneArrow(-3.5, 8, true, false, false);
        laneArrow(0.0, 7, false, false, true);
        laneArrow(3.5, 8, false, true, false);
    } else if (m == u"F-10") {
        laneArrow(-3.5, 10, true, false, true);
        laneArrow(0.0, 8, false, false, true);
        laneArrow(3.5, 10, false, true, true);
    } else if (m == u"P-9") {
        // in the left lane, slanting forward and to the right: return to the lane on the right
        flat({{-3.3, 6.5}, {-2.7, 6.5}, {-2.7, 10.5}, {-3.3, 10.5}}, shade(paint));
        flat({{-3.9, 10.2}, {-2.3, 9.6}, {-1.5, 13.8}}, shade(paint));
    } else if (m == u"P-17") {
        for (qreal z = 7; z < 30; z += 3)
            flat({{right - 0.4, z},
                  {right - 0.1, z},
                  {right - 0.1, z + 1.5},
                  {right - 0.4, z + 1.5}},
                 shade(QColor(240, 200, 40)));
    } else if (m == u"P-21") {
        // a hatched island between the lanes: a solid border, diagonal stripes inside
        const QColor asphalt = shade(QColor(88, 88, 92));
        flatPoly({{-1.75, 8}, {-0.8, 14}, {-0.8, 26}, {-1.75, 32}, {-2.7, 26}, {-2.7, 14}},
                 shade(paint));
        flatPoly({{-1.75, 9.2},
                  {-0.95, 14.2},
                  {-0.95, 25.8},
                  {-1.75, 30.8},
                  {-2.55, 25.8},
                  {-2.55, 14.2}},
                 asphalt);
        for (qreal z = 14.4; z + 2.1 < 25.8; z += 2.2)
            flatPoly({{-2.55, z}, {-0.95, z + 1.4}, {-0.95, z + 2.0}, {-2.55, z + 0.6}},
                     shade(paint));
    }
    if (s_.drive == u"left") {
        // a driveway from the left edge to a property's gate, with a lowered kerb
        const qreal z0 = driveZ, x1 = left - 3.2;
        flat({{x1, z0}, {left, z0 - 0.6}, {left, z0 + 3.6}, {x1, z0 + 3}},
             shade(QColor(175, 165, 150)));
    }
    if (s_.place == u"bus-bay") {
        // a bay beside the carriageway with its stop line and the stop's sign
        flat({{right, 9}, {right + 3, 13}, {right + 3, 27}, {right, 31}},
             shade(QColor(88, 88, 92)));
        for (qreal z = 10; z < 30; z += 2)
            flat({{right - 0.1, z}, {right + 0.1, z}, {right + 0.1, z + 1}, {right - 0.1, z + 1}},
                 shade(paint));
        text(p_,
             QRectF(pr_.at(right + 0.4, 0, 16).x(), pr_.at(0, 0, 16).y() - 10,
                    pr_.at(right + 2.8, 0, 16).x() - pr_.at(right + 0.4, 0, 16).x(), 10),
             QStringLiteral("BUS"), shade(paint));
    }
    if (s_.park == u"bay" || s_.park == u"disabled") {
        for (qreal z = 8; z < 40; z += 5.5)
            flat({{right, z}, {right + 3, z + 1}, {right + 3, z + 1.15}, {right, z + 0.15}},
                 shade(paint));
        if (s_.park == u"disabled") {
            flat({{right + 0.3, 8.6}, {right + 2.7, 9.6}, {right + 2.7, 13.5}, {right + 0.3, 12.6}},
                 shade(QColor(30, 90, 200)));
            const QPointF c = pr_.at(right + 1.5, 0, 11);
            text(p_, QRectF(c.x() - 18, c.y() - 10, 36, 18), QStringLiteral("♿"), Qt::white);
        }
    }
}

void Roadside::signal(qreal x, qreal z) {
    const QPointF base = pr_.at(x, 0, z);
    const qreal k = pr_.scale(z) * 2.2;
    const QPointF top = pr_.at(x, 2.0, z);
    strokeLine(p_, base, QPointF(base.x(), top.y() - 1.0 * k), shade(QColor(60, 60, 60)), 0.12 * k,
               Qt::FlatCap);
    const QRectF head(base.x() - 0.2 * k, top.y() - 1.05 * k, 0.4 * k, 1.05 * k);
    paintSignalHead(p_, head, s_.light, s_.flashOn);
}

void Roadside::overheadSignal(qreal right, qreal z) {
    // a pole at the right kerb, a mast arm over the lanes, the head over the lane we are in
    const QColor steel = shade(QColor(70, 70, 75));
    const qreal k = pr_.scale(z);
    const qreal top = 5.8, headX = s_.camX + 0.8;
    strokeLine(p_, pr_.at(right + 0.8, 0, z), pr_.at(right + 0.8, top, z), steel,
               std::max(2.0, 0.25 * k), Qt::FlatCap);
    strokeLine(p_, pr_.at(right + 0.8, top, z), pr_.at(std::min(headX, right) - 1.0, top, z), steel,
               std::max(2.0, 0.18 * k), Qt::FlatCap);
    const QPointF hang = pr_.at(headX, top, z);
    const qreal w = 0.42 * k * 2.0, h = 1.1 * k * 2.0;
    paintSignalHead(p_, QRectF(hang.x() - w / 2, hang.y(), w, h), s_.light, s_.flashOn);
}

void Roadside::railCrossing(qreal right) {
    const qreal z = s_.railZ - 2;
    const qreal x = right + 1.6;
    const qreal k = pr_.scale(z) * 2.0;
    const QPointF base = pr_.at(x, 0, z);
    // a St Andrew's cross in the sign stack stands for the crossing's own post; a crossing with
    // barriers has its lamps on the post but no cross (the cross marks crossings without them)
    const bool ownCross =
        !s_.signs.contains(QStringLiteral("G-3")) && !s_.signs.contains(QStringLiteral("G-4"));
    const bool barriers = s_.rail == u"up" || s_.rail == u"closing" || s_.rail == u"down";
    for (int i = 0; i < 2 && ownCross; ++i) {
        if (i == 0) {
            strokeLine(p_, base, QPointF(base.x(), base.y() - (barriers ? 2.0 : 2.6) * k),
                       shade(QColor(230, 230, 230)), 0.12 * k, Qt::FlatCap);
            if (!barriers)
                paintSign(p_, QPointF(base.x(), base.y() - 2.9 * k), 1.0 * k,
                          QStringLiteral("G-3"));
        }
        // the two red lamps under the cross
        const QPointF c(base.x() + (i ? 0.28 : -0.28) * k, base.y() - 1.75 * k);
        fillRect(p_, QRectF(c.x() - 0.18 * k, c.y() - 0.18 * k, 0.36 * k, 0.36 * k),
                 QColor(20, 20, 20), 0.05 * k);
        const bool lit = s_.railLights && (i == 0) == s_.flashOn;
        fillCircle(p_, c, 0.13 * k, lit ? QColor(255, 40, 30) : QColor(90, 30, 30));
        if (lit)
            fillCircle(p_, c, 0.3 * k, QColor(255, 60, 40, 70));
    }
    if (barriers) {
        const QPointF pivot = pr_.at(right + 0.6, 1.0, z + 0.5);
        const qreal kk = pr_.scale(z + 0.5);
        fillRect(p_, QRectF(pivot.x() - 0.2 * kk, pivot.y() - 0.1 * kk, 0.4 * kk, 1.1 * kk),
                 shade(QColor(60, 60, 60)));
        const qreal angle = (1.0 - s_.barrier) * 85.0; // 0 = across the road
        const qreal len = 6.0 * kk;
        p_.save();
        p_.translate(pivot);
        p_.rotate(180 + angle);
        for (int i = 0; i < 8; ++i)
            fillRect(p_, QRectF(i * len / 8, -0.08 * kk, len / 8, 0.16 * kk),
                     shade(i % 2 ? QColor(230, 230, 230) : QColor(210, 20, 30)));
        p_.restore();
    }
}

void Roadside::foreground(qreal left, qreal right) {
    if (s_.place == u"bridge")
        for (const qreal x : {left - 0.3, right + 0.3}) {
            QPolygonF rail{pr_.at(x, 1.0, 3), pr_.at(x, 1.0, 200), pr_.at(x, 0.9, 200),
                           pr_.at(x, 0.9, 3)};
            p_.setPen(Qt::NoPen);
            p_.setBrush(shade(QColor(200, 200, 205)));
            p_.drawPolygon(rail);
            for (qreal z = 4; z < 80; z += 3)
                strokeLine(p_, pr_.at(x, 0, z), pr_.at(x, 1.0, z), shade(QColor(180, 180, 185)),
                           std::max(1.0, 0.08 * pr_.scale(z)));
        }
    // the tunnel mouth far ahead first: the signs before it stand in front of its wall
    if (s_.place == u"tunnel") {
        const qreal z = s_.tunnelZ;
        QPainterPath wall;
        wall.addRect(QRectF(pr_.at(-80, 25, z), pr_.at(80, 0, z)));
        QPainterPath mouth(pr_.at(left - 1, 0, z));
        mouth.lineTo(pr_.at(left - 1, 4, z));
        mouth.quadTo(pr_.at((left + right) / 2, 7.5, z), pr_.at(right + 1, 4, z));
        mouth.lineTo(pr_.at(right + 1, 0, z));
        mouth.closeSubpath();
        fillPath(p_, wall.subtracted(mouth), shade(QColor(120, 110, 100)));
        fillPath(p_, mouth, QColor(25, 25, 30));
        for (int i = 0; i < 6; ++i)
            fillCircle(p_, pr_.at((left + right) / 2 + (i % 2 ? 3 : -3), 5, z + 5 + i * 6), 2,
                       QColor(255, 220, 140));
    }
    if (!s_.rail.isEmpty())
        railCrossing(right);
    if (s_.drive == u"left")
        gate(left);
    if (s_.island)
        island();
    if (!s_.light.isEmpty())
        s_.overhead ? overheadSignal(right, s_.lightZ) : signal(right + 1.2, s_.lightZ);
    left_ = left;
    right_ = right;
    if (!s_.signs.isEmpty() && !signsOverActors())
        signStack();
    if (s_.place == u"bend-hidden") {
        // a dense hedge on the inside of the bend: the road disappears behind it
        for (qreal z = 60; z >= 9; z -= 1.5) {
            const qreal k = pr_.scale(z);
            const QPointF c = pr_.at(right + 1.6, 1.3, z);
            fillCircle(p_, c, 1.5 * k, shade(QColor(30 + int(z) % 3 * 8, 95, 40)));
        }
    }
}

void Roadside::gate(qreal left) {
    // the property's gate, open, in a fence (a country road) or in the wall of a town house
    const bool town = s_.road == u"town";
    const qreal x = left - 3.2, z0 = driveZ - 0.3, z1 = driveZ + 3.3;
    const QColor post = shade(QColor(110, 80, 60)), fence = shade(QColor(150, 115, 80));
    if (town) {
        // a wall between the pavement and the yard, the gate open in it
        p_.setPen(Qt::NoPen);
        p_.setBrush(shade(QColor(190, 170, 150)));
        for (const auto& [a, b] : {std::pair{z0 - 6, z0}, std::pair{z1, z1 + 6}})
            p_.drawPolygon(
                QPolygonF{pr_.at(x, 0, a), pr_.at(x, 2.2, a), pr_.at(x, 2.2, b), pr_.at(x, 0, b)});
        p_.setBrush(shade(QColor(110, 110, 100)));
        p_.drawPolygon(QPolygonF{pr_.at(x, 0, z0), pr_.at(x, 0, z1), pr_.at(x - 6, 0, z1),
                                 pr_.at(x - 6, 0, z0)});
    } else {
        house(x - 4, z0 - 1, z1 + 7, 5, QColor(235, 225, 200));
        for (const auto& [a, b] : {std::pair{8.0, z0}, std::pair{z1, 30.0}})
            for (qreal y : {0.5, 1.1})
                flatFence(x, a, b, y, fence);
    }
    for (const qreal z : {z0, z1}) {
        const qreal k = pr_.scale(z);
        strokeLine(p_, pr_.at(x, 0, z), pr_.at(x, town ? 2.8 : 1.8, z), post,
                   std::max(2.0, 0.2 * k), Qt::FlatCap);
    }
    // the gate's leaf, swung open into the yard
    const QColor leaf = shade(QColor(60, 90, 60));
    p_.setPen(QPen(leaf, std::max(1.5, 0.06 * pr_.scale(z1))));
    p_.setBrush(Qt::NoBrush);
    p_.drawPolygon(QPolygonF{pr_.at(x, 0.2, z1), pr_.at(x, 1.5, z1), pr_.at(x - 3, 1.5, z1 - 0.6),
                             pr_.at(x - 3, 0.2, z1 - 0.6)});
}

void Roadside::island() {
    // a raised island splitting the two directions before the junction: kerbed, pointed towards
    // us, grass on top, the keep-right sign C-9 on its nose
    const qreal z0 = 6.5, z1 = junction() ? junctionZ() - 1.2 : 24, c = -1.75;
    const QColor kerb = shade(QColor(215, 215, 210)), grass = shade(QColor(95, 150, 75));
    const qreal h = 0.15;
    QPolygonF side{pr_.at(c, 0, z0),       pr_.at(c + 0.6, 0, z0 + 2), pr_.at(c + 0.6, 0, z1),
                   pr_.at(c + 0.6, h, z1), pr_.at(c + 0.6, h, z0 + 2), pr_.at(c, h, z0)};
    p_.setPen(Qt::NoPen);
    p_.setBrush(kerb);
    p_.drawPolygon(side);
    QPolygonF top{pr_.at(c, h, z0), pr_.at(c + 0.6, h, z0 + 2), pr_.at(c + 0.6, h, z1),
                  pr_.at(c - 0.6, h, z1), pr_.at(c - 0.6, h, z0 + 2)};
    p_.setBrush(kerb);
    p_.drawPolygon(top);
    QPolygonF inner{pr_.at(c, h, z0 + 0.8), pr_.at(c + 0.45, h, z0 + 2.2),
                    pr_.at(c + 0.45, h, z1 - 0.2), pr_.at(c - 0.45, h, z1 - 0.2),
                    pr_.at(c - 0.45, h, z0 + 2.2)};
    p_.setBrush(grass);
    p_.drawPolygon(inner);
    const qreal zs = z0 + 0.6;
    const QPointF base = pr_.at(c, h, zs), top2 = pr_.at(c, 1.3, zs);
    const qreal k = pr_.scale(zs);
    strokeLine(p_, base, top2, shade(QColor(150, 150, 155)), std::max(2.0, 0.06 * k), Qt::FlatCap);
    paintSign(p_, QPointF(top2.x(), top2.y() - 0.55 * k), 0.55 * k, QStringLiteral("C-9"));
}

void Roadside::flatFence(qreal x, qreal z0, qreal z1, qreal y, const QColor& c) {
    z0 = std::max(z0, 2.6);
    strokeLine(p_, pr_.at(x, y, z0), pr_.at(x, y, z1), c, std::max(1.5, 0.08 * pr_.scale(z0)),
               Qt::FlatCap);
    for (qreal z = z0; z < z1; z += 2.5)
        strokeLine(p_, pr_.at(x, 0, z), pr_.at(x, 1.3, z), c, std::max(1.0, 0.1 * pr_.scale(z)),
                   Qt::FlatCap);
}

bool Roadside::signsOverActors() const {
    // a train crosses the road beyond the sign: the sign, nearer, covers it
    return std::any_of(s_.actors.begin(), s_.actors.end(),
                       [this](const Actor& a) { return a.kind == Actor::Train && a.z > s_.signZ; });
}

void Roadside::signStack() {
    const qreal z = s_.signZ;
    // the marker posts of the left side (G-1d..f) stand at the left edge
    static const QStringList leftPosts{"G-1d", "G-1e", "G-1f"};
    const bool onLeft = leftPosts.contains(s_.signs.first());
    const qreal x = onLeft ? left_ - 1.8 : (s_.road == u"town" ? right_ + 2.2 : right_ + 1.8);
    const QPointF base = pr_.at(x, 0, z);
    qreal size = 0.9 * pr_.scale(z) * signMagnify;
    // a tall stack is drawn smaller, to stay in the picture
    size = std::min(size, (base.y() - 16) / (signStackHeight(size, s_.signs) / size + 0.45));
    const qreal h = signStackHeight(size, s_.signs);
    const qreal top = std::max(8.0, base.y() - h - 0.45 * size);
    qreal halfWidth = 0;
    for (const QString& code : s_.signs)
        halfWidth = std::max(halfWidth, signFaceSize(code, size).width() / 2);
    // the whole stack in the picture
    const qreal x0 = std::clamp(base.x(), 6 + halfWidth, 474 - halfWidth);
    strokeLine(p_, QPointF(x0, base.y()), QPointF(x0, top + 10), shade(QColor(150, 150, 155)),
               std::max(3.0, 0.08 * size), Qt::FlatCap);
    paintSignStack(p_, QPointF(x0, top), size, s_.signs);
}

void Roadside::overlay() {
    if (!s_.signs.isEmpty() && signsOverActors())
        signStack();
}

} // namespace wirtal::art
