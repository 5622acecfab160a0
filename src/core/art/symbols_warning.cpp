// SPDX-License-Identifier: GPL-3.0-or-later

// Pictograms of the warning signs (black on yellow) and the figures they share with others.

#include "art/symbols.h"

namespace wirtal::art {

using media::Symbol;

namespace {

QPainterPath curve(std::initializer_list<QPointF> pts) {
    const QList<QPointF> v(pts);
    QPainterPath path(v[0]);
    for (qsizetype i = 1; i + 1 < v.size(); i += 2)
        path.quadTo(v[i], v[i + 1]);
    return path;
}

void road(QPainter& p, QPointF a, QPointF b, const QColor& c, qreal w) {
    strokeLine(p, a, b, c, w, Qt::FlatCap);
}

// The widths of the roads in the junction pictograms. A-5's two roads are equal; on A-6a..A-6e
// the road with priority is thick and a side road a thin line, so that even at the size of a
// sign beside a drawn road the two kinds of junction do not look alike.
constexpr qreal equalRoad = 0.3;
constexpr qreal mainRoad = 0.42;
constexpr qreal sideRoad = 0.1;

} // namespace

bool paintWarningSymbol(QPainter& p, Symbol s, Ink ink) {
    const QColor c = ink.fg;
    switch (s) {
    case Symbol::CurveRight:
        arrow(p, {{-0.2, 0.8}, {-0.2, 0.0}, {-0.2, -0.3}, {0.4, -0.6}}, c, 0.22, 0.3);
        return true;
    case Symbol::DoubleCurve: {
        QPainterPath path =
            curve({{-0.3, 0.8}, {-0.3, 0.3}, {0.0, 0.1}, {0.35, -0.1}, {0.1, -0.5}});
        strokePath(p, path, c, 0.22, Qt::FlatCap);
        arrow(p, {{0.1, -0.5}, {-0.05, -0.8}}, c, 0.22, 0.28);
        return true;
    }
    case Symbol::Crossroads:
        road(p, {0, 0.85}, {0, -0.7}, c, equalRoad);
        road(p, {-0.7, 0.15}, {0.7, 0.15}, c, equalRoad);
        return true;
    case Symbol::SideRoads:
        road(p, {0, 0.85}, {0, -0.7}, c, mainRoad);
        road(p, {-0.7, 0.15}, {0.7, 0.15}, c, sideRoad);
        return true;
    case Symbol::SideRight:
        road(p, {0, 0.85}, {0, -0.7}, c, mainRoad);
        road(p, {0, 0.15}, {0.7, 0.15}, c, sideRoad);
        return true;
    case Symbol::OneWayIn:
        road(p, {0, 0.85}, {0, -0.7}, c, mainRoad);
        arrow(p, {{0.75, 0.15}, {0.21, 0.15}}, c, 0.14, 0.2);
        return true;
    case Symbol::Roundabout:
        for (int i = 0; i < 3; ++i) {
            p.save();
            p.rotate(i * 120.0);
            QPainterPath a;
            a.arcMoveTo(QRectF(-0.55, -0.55, 1.1, 1.1), 100);
            a.arcTo(QRectF(-0.55, -0.55, 1.1, 1.1), 100, 80);
            strokePath(p, a, c, 0.16, Qt::FlatCap);
            fillPoly(p, {{-0.55, 0.08}, {-0.75, -0.12}, {-0.35, -0.12}}, c);
            p.restore();
        }
        return true;
    case Symbol::Fence:
        fillRect(p, unitBox(-0.75, -0.3, 1.5, 0.7), c);
        for (int i = 0; i < 4; ++i)
            fillRect(p, unitBox(-0.62 + i * 0.35, -0.2, 0.22, 0.5), ink.bg);
        fillRect(p, unitBox(-0.75, 0.4, 0.15, 0.4), c);
        fillRect(p, unitBox(0.6, 0.4, 0.15, 0.4), c);
        return true;
    case Symbol::Locomotive:
        locomotiveSide(p, unitBox(-0.95, -0.75, 1.9, 1.45), ink);
        return true;
    case Symbol::Bumps: {
        QPainterPath b(QPointF(-0.8, 0.5));
        b.quadTo(QPointF(-0.4, -0.3), QPointF(0, 0.5));
        b.quadTo(QPointF(0.4, -0.3), QPointF(0.8, 0.5));
        fillPath(p, b, c);
        return true;
    }
    case Symbol::Hump: {
        QPainterPath b(QPointF(-0.8, 0.5));
        b.quadTo(QPointF(0, -0.2), QPointF(0.8, 0.5));
        fillPath(p, b, c);
        fillRect(p, unitBox(-0.85, 0.5, 1.7, 0.12), c);
        return true;
    }
    case Symbol::NarrowBoth:
        strokePath(p, curve({{-0.45, 0.8}, {-0.45, 0.1}, {-0.2, -0.1}, {-0.2, -0.3}, {-0.2, -0.7}}),
                   c, 0.18);
        strokePath(p, curve({{0.45, 0.8}, {0.45, 0.1}, {0.2, -0.1}, {0.2, -0.3}, {0.2, -0.7}}), c,
                   0.18);
        return true;
    case Symbol::NarrowRight:
        strokeLine(p, {-0.35, 0.8}, {-0.35, -0.7}, c, 0.18);
        strokePath(p, curve({{0.45, 0.8}, {0.45, 0.1}, {0.1, -0.1}, {0.1, -0.3}, {0.1, -0.7}}), c,
                   0.18);
        return true;
    case Symbol::Bridge:
        fillPoly(p, {{-0.8, 0.6}, {-0.1, 0.6}, {-0.25, -0.2}, {-0.8, 0.2}}, c);
        fillPoly(p, {{0.8, 0.6}, {0.1, 0.6}, {0.25, -0.2}, {0.8, 0.2}}, c);
        for (int i = 0; i < 2; ++i)
            fillRect(p, unitBox(-0.8, 0.7 + i * 0.12, 1.6, 0.05), c);
        return true;
    case Symbol::Worker:
        fillCircle(p, {-0.05, -0.55}, 0.14, c);
        fillPoly(p, {{-0.25, -0.35}, {0.15, -0.3}, {0.3, 0.2}, {0.0, 0.25}}, c);
        strokeLine(p, {0.1, 0.2}, {0.3, 0.75}, c, 0.14);
        strokeLine(p, {0.05, 0.2}, {-0.25, 0.75}, c, 0.14);
        strokeLine(p, {-0.15, -0.25}, {-0.55, 0.2}, c, 0.12);
        strokeLine(p, {-0.55, 0.2}, {-0.75, 0.7}, c, 0.07);
        fillPoly(p, {{0.35, 0.75}, {0.8, 0.75}, {0.6, 0.45}}, c);
        return true;
    case Symbol::Skid:
        carSide(p, unitBox(-0.55, -0.75, 1.1, 0.6), ink);
        strokePath(p, curve({{-0.6, 0.8}, {-0.2, 0.0}, {-0.1, 0.3}, {0.0, 0.6}, {0.3, 0.0}}), c,
                   0.09);
        strokePath(p, curve({{-0.1, 0.8}, {0.3, 0.0}, {0.4, 0.3}, {0.5, 0.6}, {0.75, 0.05}}), c,
                   0.09);
        return true;
    case Symbol::PedestrianZebra:
        walker(p, unitBox(-0.45, -0.75, 0.9, 1.2), c);
        for (int i = 0; i < 4; ++i)
            fillPoly(p,
                     {{-0.75 + i * 0.4, 0.85},
                      {-0.6 + i * 0.4, 0.55},
                      {-0.45 + i * 0.4, 0.55},
                      {-0.6 + i * 0.4, 0.85}},
                     c);
        return true;
    case Symbol::Children:
        walker(p, unitBox(-0.7, -0.65, 0.75, 1.45), c);
        walker(p, unitBox(0.05, -0.3, 0.6, 1.1), c, true);
        return true;
    case Symbol::Cow:
        cowSide(p, unitBox(-0.85, -0.5, 1.7, 1.2), c);
        return true;
    case Symbol::Deer:
        deerSide(p, unitBox(-0.8, -0.8, 1.6, 1.6), c);
        return true;
    case Symbol::Windsock:
        strokeLine(p, {-0.6, 0.85}, {-0.6, -0.7}, c, 0.1);
        fillPoly(p, {{-0.6, -0.7}, {0.75, -0.45}, {0.75, -0.2}, {-0.6, -0.3}}, c);
        for (qreal x : {-0.15, 0.3})
            fillRect(p, unitBox(x, -0.62, 0.15, 0.38), ink.bg);
        return true;
    case Symbol::TwoWay:
        arrow(p, {{-0.3, 0.8}, {-0.3, -0.75}}, c, 0.2, 0.3);
        arrow(p, {{0.3, -0.75}, {0.3, 0.8}}, c, 0.2, 0.3);
        return true;
    case Symbol::Tram:
        tramSide(p, unitBox(-0.85, -0.7, 1.7, 1.45), ink);
        return true;
    case Symbol::SlopeDown:
    case Symbol::SlopeUp: {
        const qreal e = s == Symbol::SlopeDown ? 1.0 : -1.0; // the high side: left or right
        fillPoly(p, {{-0.85, 0.65}, {0.85, 0.65}, {-0.85 * e, -0.35}}, c);
        text(p, unitBox(-0.35 * e - 0.35, 0.2, 0.7, 0.38), QStringLiteral("10%"), ink.bg);
        p.save();
        p.translate(0.4 * e, 0.28);
        p.rotate(e * 30.0);
        carSide(p, unitBox(-0.35, -0.3, 0.7, 0.3), ink);
        p.restore();
        return true;
    }
    case Symbol::Bicycle:
        bicycleSide(p, unitBox(-0.85, -0.6, 1.7, 1.3), c, 0.12);
        return true;
    case Symbol::Rocks:
        fillPoly(p, {{0.2, -0.8}, {0.85, -0.8}, {0.85, 0.8}, {0.35, 0.8}}, c);
        for (const QPointF& r :
             {QPointF(-0.1, -0.3), QPointF(-0.35, 0.1), QPointF(-0.05, 0.5), QPointF(-0.5, 0.65)})
            fillCircle(p, r, 0.12, c);
        return true;
    case Symbol::Plane:
        p.save();
        p.rotate(-90);
        planeTop(p, unitBox(-0.75, -0.8, 1.5, 1.6), c);
        p.restore();
        return true;
    case Symbol::Quay:
        carSide(p, unitBox(-0.2, -0.7, 0.8, 0.45), ink);
        fillPoly(p, {{-0.85, -0.2}, {0.85, -0.2}, {0.85, 0.0}, {-0.85, 0.0}}, c);
        for (int i = 0; i < 3; ++i) {
            QPainterPath w(QPointF(-0.85, 0.3 + i * 0.22));
            for (int k = 0; k < 4; ++k)
                w.quadTo(QPointF(-0.65 + k * 0.43, 0.2 + i * 0.22),
                         QPointF(-0.43 + k * 0.43, 0.3 + i * 0.22));
            strokePath(p, w, c, 0.07);
        }
        return true;
    case Symbol::Gravel:
        carSide(p, unitBox(-0.5, -0.7, 1.0, 0.55), ink);
        for (const QPointF& r : {QPointF(-0.6, 0.3), QPointF(-0.3, 0.55), QPointF(0.0, 0.25),
                                 QPointF(0.3, 0.6), QPointF(0.6, 0.3), QPointF(-0.7, 0.7)})
            fillCircle(p, r, 0.08, c);
        return true;
    case Symbol::TrafficLights:
        fillRect(p, unitBox(-0.3, -0.85, 0.6, 1.65), c, 0.12);
        fillCircle(p, {0, -0.5}, 0.18, colour::red);
        fillCircle(p, {0, 0.0}, 0.18, colour::yellow);
        fillCircle(p, {0, 0.48}, 0.18, colour::green);
        return true;
    case Symbol::Exclamation:
        fillPoly(p, {{-0.14, -0.75}, {0.14, -0.75}, {0.07, 0.3}, {-0.07, 0.3}}, c);
        fillCircle(p, {0, 0.6}, 0.14, c);
        return true;
    case Symbol::Shoulder:
        fillPoly(p, {{-0.85, 0.3}, {0.2, 0.3}, {0.85, 0.75}, {-0.85, 0.75}}, c);
        carSide(p, unitBox(-0.45, -0.45, 1.0, 0.6), ink);
        return true;
    case Symbol::Snowflake:
        for (int i = 0; i < 3; ++i) {
            p.save();
            p.rotate(i * 60.0);
            strokeLine(p, {0, -0.75}, {0, 0.75}, c, 0.1);
            for (int e : {-1, 1}) {
                strokeLine(p, {0, e * 0.45}, {-0.2, e * 0.65}, c, 0.07);
                strokeLine(p, {0, e * 0.45}, {0.2, e * 0.65}, c, 0.07);
            }
            p.restore();
        }
        return true;
    case Symbol::Queue:
        for (int i = 0; i < 3; ++i)
            carSide(p, unitBox(-0.85 + i * 0.2, 0.25 - i * 0.42, 1.0 - i * 0.2, 0.45 - i * 0.05),
                    ink);
        return true;
    case Symbol::Crash:
        p.save();
        p.rotate(-20);
        carSide(p, unitBox(-0.9, -0.4, 0.95, 0.55), ink);
        p.restore();
        p.save();
        p.rotate(25);
        carSide(p, unitBox(0.0, -0.1, 0.9, 0.5), ink);
        p.restore();
        return true;
    default:
        return false;
    }
}

void paintSymbol(QPainter& p, media::Symbol s, const QString& arg, Ink ink) {
    if (s == Symbol::None)
        return;
    if (paintWarningSymbol(p, s, ink) || paintRuleSymbol(p, s, arg, ink) ||
        paintInfoSymbol(p, s, arg, ink))
        return;
    text(p, unitBox(-0.6, -0.4, 1.2, 0.8), QStringLiteral("?"), ink.fg);
}

} // namespace wirtal::art
