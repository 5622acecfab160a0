// SPDX-License-Identifier: GPL-3.0-or-later

// Pictograms of the information (D), supplementary (F), railway (G) signs and plates (T). Wide
// signs and plates use x beyond -1..1 (up to their width / height).

#include "art/symbols.h"

namespace wirtal::art {

using media::Symbol;

namespace {

void triangleBadge(QPainter& p, Ink ink) {
    fillPoly(p, {{0, -0.85}, {0.85, 0.6}, {-0.85, 0.6}}, ink.fg);
}

void zebraUnder(QPainter& p, qreal x0, qreal x1, const QColor& c) {
    const int n = 4;
    const qreal step = (x1 - x0) / n;
    for (int i = 0; i < n; ++i)
        fillRect(p, unitBox(x0 + i * step + step * 0.15, 0.28, step * 0.6, 0.2), c);
}

void house(QPainter& p, const QRectF& b, const QColor& c) {
    fillRect(p, QRectF(b.left(), b.top() + b.height() * 0.4, b.width(), b.height() * 0.6), c);
    fillPoly(p,
             {{b.left() - b.width() * 0.1, b.top() + b.height() * 0.42},
              {b.center().x(), b.top()},
              {b.right() + b.width() * 0.1, b.top() + b.height() * 0.42}},
             c);
}

} // namespace

bool paintInfoSymbol(QPainter& p, Symbol s, const QString& arg, Ink ink) {
    const QColor c = ink.fg;
    switch (s) {
    case Symbol::OneWayArrow:
        arrow(p, {{0, 0.8}, {0, -0.75}}, c, 0.32, 0.4);
        return true;
    case Symbol::DeadEnd:
    case Symbol::DeadEndRight:
        fillRect(p, unitBox(-0.17, -0.4, 0.34, 1.2), c);
        fillRect(p, unitBox(-0.55, -0.7, 1.1, 0.3), colour::red);
        if (s == Symbol::DeadEndRight) {
            p.save();
            p.translate(0.45, 0.2);
            p.rotate(90);
            p.scale(0.5, 0.5);
            fillRect(p, unitBox(-0.17, -0.4, 0.34, 1.2), c);
            fillRect(p, unitBox(-0.55, -0.7, 1.1, 0.3), colour::red);
            p.restore();
        }
        return true;
    case Symbol::NarrowPriority:
        arrow(p, {{0.3, 0.8}, {0.3, -0.75}}, c, 0.28, 0.38);
        arrow(p, {{-0.35, -0.75}, {-0.35, 0.8}}, colour::red, 0.18, 0.26);
        return true;
    case Symbol::PedestrianCrossing:
    case Symbol::BicycleCrossing:
        triangleBadge(p, ink);
        if (s == Symbol::PedestrianCrossing)
            walker(p, unitBox(-0.25, -0.45, 0.5, 0.72), colour::black);
        else
            bicycleSide(p, unitBox(-0.45, -0.2, 0.9, 0.5), colour::black, 0.07);
        zebraUnder(p, -0.6, 0.6, colour::black);
        return true;
    case Symbol::PedestrianBicycleCrossing:
        p.save();
        p.translate(-0.7, 0);
        paintInfoSymbol(p, Symbol::PedestrianCrossing, arg, ink);
        p.translate(1.4, 0);
        paintInfoSymbol(p, Symbol::BicycleCrossing, arg, ink);
        p.restore();
        return true;
    case Symbol::Expressway:
        carSide(p, unitBox(-0.65, -0.55, 1.3, 0.75), ink);
        fillRect(p, unitBox(-0.9, 0.35, 1.8, 0.12), c);
        return true;
    case Symbol::Motorway:
        fillPoly(p, {{-0.8, 0.85}, {-0.12, -0.1}, {0.12, -0.1}, {0.8, 0.85}}, c);
        fillPoly(p, {{-0.05, 0.85}, {-0.04, 0.0}, {0.04, 0.0}, {0.05, 0.85}}, ink.bg);
        fillRect(p, unitBox(-0.9, -0.4, 1.8, 0.25), c);
        fillRect(p, unitBox(-0.9, -0.15, 0.15, 0.4), c);
        fillRect(p, unitBox(0.75, -0.15, 0.15, 0.4), c);
        return true;
    case Symbol::BusLaneStart:
    case Symbol::BusLane:
        fillRect(p, unitBox(-0.85, -0.8, 0.06, 1.6), c);
        for (int i = 0; i < 4; ++i)
            fillRect(p, unitBox(-0.08, -0.8 + i * 0.45, 0.06, 0.25), c);
        text(p, unitBox(0.0, -0.6, 0.85, 0.35), QStringLiteral("BUS"), c);
        arrow(p, {{0.45, 0.8}, {0.45, -0.1}}, c, 0.16, 0.24);
        arrow(p, {{-0.45, 0.8}, {-0.45, -0.3}}, c, 0.16, 0.24);
        if (s == Symbol::BusLaneStart)
            fillPoly(p, {{0.05, 0.8}, {0.85, 0.8}, {0.85, 0.6}}, c);
        return true;
    case Symbol::SlowLane:
    case Symbol::LaneStart:
        arrow(p, {{-0.35, 0.8}, {-0.35, -0.7}}, c, 0.2, 0.3);
        arrow(p, {{-0.35, 0.6}, {0.35, 0.0}, {0.35, -0.7}}, c, 0.2, 0.3);
        if (s == Symbol::SlowLane)
            text(p, unitBox(0.1, 0.35, 0.8, 0.4), QStringLiteral("40"), c);
        return true;
    case Symbol::LaneEnd:
        arrow(p, {{-0.35, 0.8}, {-0.35, -0.7}}, c, 0.2, 0.3);
        arrow(p, {{0.35, 0.8}, {0.35, 0.0}, {-0.25, -0.55}}, c, 0.2, 0.3);
        return true;
    case Symbol::BusStop:
        busSide(p, unitBox(-0.8, -0.4, 1.6, 0.8), ink);
        return true;
    case Symbol::TrolleybusStop:
        busSide(p, unitBox(-0.8, -0.15, 1.6, 0.75), ink);
        strokeLine(p, {-0.2, -0.15}, {0.3, -0.8}, c, 0.06);
        strokeLine(p, {0.0, -0.15}, {0.5, -0.8}, c, 0.06);
        return true;
    case Symbol::TramStop:
        tramSide(p, unitBox(-0.85, -0.7, 1.7, 1.3), ink);
        return true;
    case Symbol::Parking:
    case Symbol::ParkingReserved:
    case Symbol::ParkingCovered:
        text(p, unitBox(-0.8, -0.8, 1.6, 1.6), QStringLiteral("P"), c);
        if (s == Symbol::ParkingCovered)
            fillPoly(
                p,
                {{-0.9, -0.55}, {0, -0.95}, {0.9, -0.55}, {0.9, -0.45}, {0, -0.85}, {-0.9, -0.45}},
                c);
        if (s == Symbol::ParkingReserved)
            fillRect(p, unitBox(-0.75, 0.72, 1.5, 0.12), colour::yellow);
        return true;
    case Symbol::Taxi:
        text(p, unitBox(-0.9, -0.35, 1.8, 0.7), QStringLiteral("TAXI"), c);
        return true;
    case Symbol::Hospital:
        text(p, unitBox(-0.8, -0.8, 1.6, 1.6), QStringLiteral("H"), c);
        return true;
    case Symbol::Police:
        text(p, unitBox(-0.9, -0.3, 1.8, 0.6), QStringLiteral("POLICJA"), c);
        return true;
    case Symbol::FirstAid:
        fillRect(p, unitBox(-0.2, -0.7, 0.4, 1.4), colour::red);
        fillRect(p, unitBox(-0.7, -0.2, 1.4, 0.4), colour::red);
        return true;
    case Symbol::Fuel:
    case Symbol::FuelGas:
        fillRect(p, unitBox(-0.5, -0.7, 0.65, 1.5), c, 0.06);
        fillRect(p, unitBox(-0.4, -0.55, 0.45, 0.35), ink.bg);
        strokeLine(p, {0.15, -0.35}, {0.5, -0.2}, c, 0.07);
        strokeLine(p, {0.5, -0.2}, {0.5, 0.4}, c, 0.07);
        if (s == Symbol::FuelGas)
            text(p, unitBox(-0.55, 0.05, 0.75, 0.35), QStringLiteral("LPG"), ink.bg);
        return true;
    case Symbol::Phone: {
        QPainterPath h(QPointF(-0.6, -0.2));
        h.quadTo(QPointF(0, -0.7), QPointF(0.6, -0.2));
        strokePath(p, h, c, 0.22);
        fillRect(p, unitBox(-0.75, -0.35, 0.35, 0.25), c, 0.05);
        fillRect(p, unitBox(0.4, -0.35, 0.35, 0.25), c, 0.05);
        fillRect(p, unitBox(-0.45, 0.05, 0.9, 0.6), c, 0.1);
        return true;
    }
    case Symbol::PostOffice: {
        QPainterPath horn(QPointF(-0.75, -0.1));
        horn.quadTo(QPointF(-0.2, -0.5), QPointF(0.4, -0.15));
        horn.quadTo(QPointF(-0.1, 0.35), QPointF(-0.75, -0.1));
        strokePath(p, horn, c, 0.12);
        fillPoly(p, {{0.35, -0.2}, {0.85, -0.5}, {0.85, 0.2}}, c);
        return true;
    }
    case Symbol::Service:
        p.save();
        p.rotate(45);
        fillRect(p, unitBox(-0.1, -0.45, 0.2, 1.2), c);
        fillCircle(p, {0, -0.55}, 0.3, c);
        fillRect(p, unitBox(-0.1, -0.9, 0.2, 0.35), ink.bg);
        p.restore();
        return true;
    case Symbol::TyreService: {
        QPainterPath t;
        t.addEllipse(QPointF(0, 0), 0.65, 0.65);
        strokePath(p, t, c, 0.3);
        return true;
    }
    case Symbol::CarWash:
        carSide(p, unitBox(-0.7, 0.05, 1.4, 0.65), ink);
        for (qreal x : {-0.5, 0.0, 0.5})
            fillPoly(p, {{x, -0.8}, {x + 0.12, -0.4}, {x - 0.12, -0.4}}, c);
        return true;
    case Symbol::Toilet:
        text(p, unitBox(-0.8, -0.4, 1.6, 0.8), QStringLiteral("WC"), c);
        return true;
    case Symbol::Cafe:
        fillRect(p, unitBox(-0.5, -0.3, 0.8, 0.8), c, 0.15);
        strokeLine(p, {0.3, -0.05}, {0.55, 0.15}, c, 0.12);
        fillRect(p, unitBox(-0.75, 0.6, 1.3, 0.1), c);
        return true;
    case Symbol::Restaurant:
        fillRect(p, unitBox(-0.45, -0.75, 0.12, 1.5), c);
        for (qreal x : {-0.6, -0.4, -0.2})
            fillRect(p, unitBox(x - 0.03, -0.75, 0.06, 0.5), c);
        fillRect(p, unitBox(0.3, -0.2, 0.12, 0.95), c);
        fillPoly(p, {{0.3, -0.2}, {0.3, -0.75}, {0.5, -0.45}, {0.42, -0.2}}, c);
        return true;
    case Symbol::Hotel:
        fillRect(p, unitBox(-0.8, 0.0, 1.6, 0.3), c);
        fillRect(p, unitBox(-0.8, -0.4, 0.12, 1.0), c);
        fillRect(p, unitBox(0.68, -0.1, 0.12, 0.7), c);
        fillCircle(p, {-0.45, -0.15}, 0.14, c);
        return true;
    case Symbol::Camping:
        fillPoly(p, {{0, -0.7}, {0.8, 0.6}, {-0.8, 0.6}}, c);
        fillPoly(p, {{0, -0.1}, {0.25, 0.6}, {-0.25, 0.6}}, ink.bg);
        return true;
    case Symbol::HomeZone:
        house(p, unitBox(-0.85, -0.8, 0.55, 0.7), c);
        walker(p, unitBox(-0.2, -0.35, 0.4, 0.85), c);
        walker(p, unitBox(0.3, -0.05, 0.3, 0.55), c, true);
        carSide(p, unitBox(-0.85, 0.25, 0.6, 0.35), ink);
        fillRect(p, unitBox(-0.9, 0.62, 1.8, 0.06), c);
        return true;
    case Symbol::BuiltUp:
        for (int i = 0; i < 5; ++i)
            house(p, unitBox(-1.3 + i * 0.55, -0.3 - (i % 2) * 0.3, 0.4, 0.7 + (i % 2) * 0.3), c);
        return true;
    case Symbol::PaidParking:
        text(p, unitBox(-0.9, -0.85, 1.8, 0.35), QStringLiteral("STREFA"), c);
        text(p, unitBox(-0.5, -0.45, 1.0, 0.9), QStringLiteral("P"), c);
        text(p, unitBox(-0.9, 0.5, 1.8, 0.3), QStringLiteral("PŁATNA"), c);
        return true;
    case Symbol::InternalRoad:
        text(p, unitBox(-1.35, -0.55, 2.7, 0.45), QStringLiteral("DROGA"), c);
        text(p, unitBox(-1.35, 0.1, 2.7, 0.45), QStringLiteral("WEWNĘTRZNA"), c);
        return true;
    case Symbol::NewLayout:
        text(p, unitBox(-1.35, -0.7, 2.7, 0.35), QStringLiteral("ZMIANA"), c);
        text(p, unitBox(-1.35, -0.2, 2.7, 0.35), QStringLiteral("ORGANIZACJI"), c);
        text(p, unitBox(-1.35, 0.3, 2.7, 0.35), QStringLiteral("RUCHU"), c);
        return true;
    case Symbol::Toll:
        text(p, unitBox(-0.9, -0.8, 1.8, 0.5), QStringLiteral("€ zł"), c);
        fillRect(p, unitBox(-0.6, -0.1, 1.2, 0.8), c);
        fillRect(p, unitBox(-0.4, 0.05, 0.8, 0.3), ink.bg);
        return true;
    case Symbol::SpeedCamera:
        fillRect(p, unitBox(-0.7, -0.4, 1.2, 0.75), c, 0.1);
        fillCircle(p, {-0.1, -0.02}, 0.25, ink.bg);
        fillCircle(p, {-0.1, -0.02}, 0.14, c);
        fillRect(p, unitBox(0.5, -0.25, 0.3, 0.45), c);
        fillRect(p, unitBox(-0.15, 0.35, 0.1, 0.45), c);
        return true;
    case Symbol::TrafficZone:
        text(p, unitBox(-1.35, -0.55, 2.7, 0.45), QStringLiteral("STREFA"), c);
        text(p, unitBox(-1.35, 0.1, 2.7, 0.45), QStringLiteral("RUCHU"), c);
        return true;
    case Symbol::LaneArrows:
        // three lanes: straight or left, straight, straight or right; the turn branches leave
        // the shaft low and end far out to the side, so they read at a glance
        for (const qreal x : {-1.0, 1.0}) {
            const qreal side = x < 0 ? -1 : 1;
            arrow(p, {{x, 0.85}, {x, 0.25}, {x + side * 0.25, 0.0}, {x + side * 0.72, 0.0}}, c,
                  0.17, 0.24);
            arrow(p, {{x, 0.3}, {x, -0.8}}, c, 0.17, 0.24);
        }
        arrow(p, {{0.0, 0.85}, {0.0, -0.8}}, c, 0.17, 0.24);
        fillRect(p, unitBox(-0.52, -0.85, 0.05, 1.7), c);
        fillRect(p, unitBox(0.47, -0.85, 0.05, 1.7), c);
        return true;
    case Symbol::Distance:
        text(p, unitBox(-1.6, -0.6, 3.2, 1.2), arg + QStringLiteral(" m"), c);
        return true;
    case Symbol::Stretch:
        // the length of a stretch: the figure between two upright double-headed arrows, which
        // tell it apart from a distance plate
        text(p, unitBox(-2.2, -0.6, 4.4, 1.2), arg + QStringLiteral(" m"), c);
        for (const qreal x : {-3.1, 3.1}) {
            arrow(p, {{x, 0.0}, {x, -0.62}}, c, 0.09, 0.2);
            arrow(p, {{x, 0.0}, {x, 0.62}}, c, 0.09, 0.2);
        }
        return true;
    case Symbol::RoadShape: {
        // arms b (bottom), l, t (top), r; the two of arg drawn thick
        const auto end = [](QChar a) -> QPointF {
            return a == u'b'   ? QPointF(0, 0.85)
                   : a == u't' ? QPointF(0, -0.85)
                   : a == u'l' ? QPointF(-0.85, 0)
                               : QPointF(0.85, 0);
        };
        for (QChar a : QStringLiteral("bltr"))
            strokeLine(p, {0, 0}, end(a), c, 0.1, Qt::FlatCap);
        if (arg.size() == 2) {
            strokeLine(p, {0, 0}, end(arg[0]), c, 0.32, Qt::SquareCap);
            strokeLine(p, {0, 0}, end(arg[1]), c, 0.32, Qt::SquareCap);
        }
        return true;
    }
    case Symbol::NotBicycles:
        bicycleSide(p, unitBox(-0.8, -0.6, 1.6, 1.2), c, 0.1);
        return true;
    case Symbol::TowAway:
        carSide(p, unitBox(-1.5, -0.2, 1.3, 0.7), ink);
        truckSide(p, unitBox(0.1, -0.5, 1.4, 1.0), ink);
        strokeLine(p, {-0.2, 0.2}, {0.15, 0.0}, c, 0.08);
        return true;
    case Symbol::StartArrow:
        arrow(p, {{0, 0.75}, {0, -0.7}}, c, 0.22, 0.34);
        fillRect(p, unitBox(-0.5, 0.7, 1.0, 0.15), c);
        return true;
    case Symbol::EndArrow:
        arrow(p, {{0, -0.75}, {0, 0.7}}, c, 0.22, 0.34);
        fillRect(p, unitBox(-0.5, -0.85, 1.0, 0.15), c);
        return true;
    case Symbol::ChildrenPlate:
        walker(p, unitBox(-0.8, -0.75, 0.7, 1.5), c);
        walker(p, unitBox(0.1, -0.35, 0.55, 1.1), c, true);
        return true;
    case Symbol::ParkOnRoad:
        fillRect(p, unitBox(-1.6, 0.2, 3.2, 0.1), c);
        carSide(p, unitBox(-1.0, -0.65, 2.0, 0.8), ink);
        return true;
    case Symbol::Stripes3:
    case Symbol::Stripes2:
    case Symbol::Stripes1: {
        const int n = s == Symbol::Stripes3 ? 3 : s == Symbol::Stripes2 ? 2 : 1;
        for (int i = 0; i < n; ++i)
            fillPoly(p,
                     {{-1.0, 0.45 - i * 0.55},
                      {1.0, 0.05 - i * 0.55},
                      {1.0, 0.3 - i * 0.55},
                      {-1.0, 0.7 - i * 0.55}},
                     colour::red);
        return true;
    }
    case Symbol::SingleCross:
    case Symbol::DoubleCross:
        return true; // drawn with the cross shape
    default:
        return false;
    }
}

} // namespace wirtal::art
