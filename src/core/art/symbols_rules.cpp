// SPDX-License-Identifier: GPL-3.0-or-later

// Pictograms of the prohibition (B) and mandatory (C) signs.

#include "art/symbols.h"

namespace wirtal::art {

using media::Symbol;

namespace {

// The red diagonal of a prohibition that forbids a manoeuvre (top left to bottom right).
void slash(QPainter& p) {
    strokeLine(p, {-0.85, -0.85}, {0.85, 0.85}, colour::red, 0.2);
}

// A number with an optional unit line beneath ("3.5 m", "8 t").
void numberWithUnit(QPainter& p, const QString& n, const QString& unit, const QColor& c) {
    QString shown = n;
    shown.replace(u'.', u',');
    text(p, unitBox(-0.8, -0.38, 1.6, 0.62), shown + (unit.isEmpty() ? QString() : u' ' + unit), c);
}

void turnArrow(QPainter& p, const QColor& c) {
    arrow(p, {{0.25, 0.75}, {0.25, -0.1}, {-0.65, -0.1}}, c, 0.2, 0.28);
}

} // namespace

bool paintRuleSymbol(QPainter& p, Symbol s, const QString& arg, Ink ink) {
    const QColor c = ink.fg;
    switch (s) {
    case Symbol::Bar:
        fillCircle(p, {0, 0}, 1.32, colour::red);
        fillRect(p, unitBox(-0.95, -0.2, 1.9, 0.4), colour::white);
        return true;
    case Symbol::CarAndMoto:
        motorcycleSide(p, unitBox(-0.75, -0.75, 1.1, 0.65), ink, true);
        carSide(p, unitBox(-0.75, 0.05, 1.5, 0.65), ink);
        return true;
    case Symbol::Bus:
        busSide(p, unitBox(-0.85, -0.45, 1.7, 0.9), ink);
        return true;
    case Symbol::Motorcycle:
        motorcycleSide(p, unitBox(-0.75, -0.55, 1.5, 1.0), ink, true);
        return true;
    case Symbol::Truck:
        if (arg.isEmpty()) {
            truckSide(p, unitBox(-0.85, -0.5, 1.7, 0.95), ink);
        } else {
            truckSide(p, unitBox(-0.7, -0.85, 1.4, 0.8), ink);
            text(p, unitBox(-0.6, 0.15, 1.2, 0.55), QString(arg).replace(u'.', u',') + " t", c);
        }
        return true;
    case Symbol::Tractor:
        tractorSide(p, unitBox(-0.7, -0.6, 1.4, 1.1), ink);
        return true;
    case Symbol::CarTrailer:
        p.save();
        if (!arg.isEmpty())
            p.translate(0, -0.35);
        carSide(p, unitBox(0.0, -0.35, 0.9, 0.6), ink);
        fillRect(p, unitBox(-0.9, -0.2, 0.75, 0.35), c);
        strokeLine(p, {-0.15, 0.05}, {0.05, 0.05}, c, 0.06);
        fillCircle(p, {-0.52, 0.2}, 0.13, c);
        p.restore();
        if (!arg.isEmpty())
            text(p, unitBox(-0.6, 0.25, 1.2, 0.5), QString(arg).replace(u'.', u',') + " t", c);
        return true;
    case Symbol::Horse:
        horseSide(p, unitBox(-0.2, -0.7, 1.0, 1.1), c);
        strokeLine(p, {-0.2, 0.0}, {-0.85, 0.1}, c, 0.06);
        fillCircle(p, {-0.55, 0.35}, 0.25, c);
        fillCircle(p, {-0.55, 0.35}, 0.1, ink.bg);
        return true;
    case Symbol::Moped:
        motorcycleSide(p, unitBox(-0.6, -0.45, 1.2, 0.85), ink, false);
        return true;
    case Symbol::CycleCart:
        bicycleSide(p, unitBox(-0.1, -0.45, 0.9, 0.9), c, 0.09);
        fillRect(p, unitBox(-0.85, -0.25, 0.7, 0.4), c);
        fillCircle(p, {-0.5, 0.3}, 0.16, c);
        return true;
    case Symbol::HandCart:
        walker(p, unitBox(0.15, -0.75, 0.6, 1.45), c);
        fillRect(p, unitBox(-0.8, -0.05, 0.85, 0.35), c);
        strokeLine(p, {0.05, 0.0}, {0.3, -0.15}, c, 0.07);
        fillCircle(p, {-0.35, 0.45}, 0.15, c);
        return true;
    case Symbol::Explosive:
    case Symbol::Dangerous:
    case Symbol::WaterHazard:
        truckSide(p, unitBox(-0.85, -0.5, 1.7, 0.95), ink);
        fillRect(p, unitBox(-0.55, -0.3, 0.6, 0.4), colour::orange);
        if (s == Symbol::Explosive) {
            for (int i = 0; i < 6; ++i) {
                p.save();
                p.translate(-0.25, -0.1);
                p.rotate(i * 60.0);
                strokeLine(p, {0, 0}, {0, -0.17}, c, 0.05);
                p.restore();
            }
        } else if (s == Symbol::WaterHazard) {
            fillCircle(p, {-0.25, -0.05}, 0.12, colour::blue);
        }
        return true;
    case Symbol::Width:
        arrow(p, {{0, 0.55}, {-0.85, 0.55}}, c, 0.09, 0.2);
        arrow(p, {{0, 0.55}, {0.85, 0.55}}, c, 0.09, 0.2);
        numberWithUnit(p, arg, QStringLiteral("m"), c);
        return true;
    case Symbol::Height:
        fillPoly(p, {{-0.3, -0.85}, {0.3, -0.85}, {0, -0.6}}, c);
        fillPoly(p, {{-0.3, 0.85}, {0.3, 0.85}, {0, 0.6}}, c);
        numberWithUnit(p, arg, QStringLiteral("m"), c);
        return true;
    case Symbol::Length:
        truckSide(p, unitBox(-0.8, -0.75, 1.6, 0.55), ink);
        arrow(p, {{0, 0.75}, {-0.85, 0.75}}, c, 0.07, 0.16);
        arrow(p, {{0, 0.75}, {0.85, 0.75}}, c, 0.07, 0.16);
        text(p, unitBox(-0.8, 0.0, 1.6, 0.55), QString(arg).replace(u'.', u',') + " m", c);
        return true;
    case Symbol::Mass:
        numberWithUnit(p, arg, QStringLiteral("t"), c);
        return true;
    case Symbol::Axle:
        numberWithUnit(p, arg, QStringLiteral("t"), c);
        fillRect(p, unitBox(-0.55, 0.45, 1.1, 0.1), c);
        fillCircle(p, {-0.45, 0.6}, 0.15, c);
        fillCircle(p, {0.45, 0.6}, 0.15, c);
        return true;
    case Symbol::StopText:
        text(p, unitBox(-0.92, -0.42, 1.84, 0.84), QStringLiteral("STOP"), colour::white);
        return true;
    case Symbol::TurnLeft:
    case Symbol::TurnRight:
        p.save();
        if (s == Symbol::TurnRight)
            p.scale(-1, 1);
        turnArrow(p, c);
        p.restore();
        slash(p);
        return true;
    case Symbol::UTurn: {
        QPainterPath u(QPointF(0.35, 0.75));
        u.lineTo(0.35, -0.15);
        u.arcTo(QRectF(-0.45, -0.55, 0.8, 0.8), 0, 180);
        u.lineTo(-0.45, 0.2);
        strokePath(p, u, c, 0.2, Qt::FlatCap);
        fillPoly(p, {{-0.45, 0.55}, {-0.7, 0.15}, {-0.2, 0.15}}, c);
        if (!(ink.fg == colour::grey))
            slash(p);
        return true;
    }
    case Symbol::Overtake:
    case Symbol::OvertakeTruck: {
        const bool ended = ink.fg == colour::grey;
        Ink left{ended ? colour::grey : colour::red, ink.bg};
        if (s == Symbol::OvertakeTruck) {
            fillRect(p, unitBox(-0.9, -0.55, 0.85, 1.0), left.fg, 0.06);
            fillRect(p, unitBox(-0.8, -0.45, 0.65, 0.3), ink.bg);
        } else {
            carFront(p, unitBox(-0.85, -0.4, 0.8, 0.8), left);
        }
        carFront(p, unitBox(0.05, -0.4, 0.8, 0.8), ink);
        return true;
    }
    case Symbol::Horn: {
        fillPoly(
            p,
            {{-0.7, -0.12}, {-0.3, -0.12}, {0.45, -0.5}, {0.45, 0.5}, {-0.3, 0.12}, {-0.7, 0.12}},
            c);
        fillRect(p, unitBox(-0.85, -0.2, 0.2, 0.4), c);
        if (!(ink.fg == colour::grey))
            slash(p);
        return true;
    }
    case Symbol::OncomingPriority:
        arrow(p, {{-0.35, -0.75}, {-0.35, 0.75}}, c, 0.24, 0.32);
        arrow(p, {{0.35, 0.75}, {0.35, -0.75}}, colour::red, 0.24, 0.32);
        return true;
    case Symbol::Customs:
    case Symbol::RoadCheck:
        fillRect(p, unitBox(-1.0, -0.12, 2.0, 0.24), colour::red);
        text(p, unitBox(-0.75, -0.65, 1.5, 0.45), QStringLiteral("STÓJ"), c);
        text(p, unitBox(-0.8, 0.2, 1.6, 0.4),
             s == Symbol::Customs ? QStringLiteral("CŁO") : QStringLiteral("POLICJA"), c);
        return true;
    case Symbol::Number:
        text(p, unitBox(-0.9, -0.48, 1.8, 0.96), arg, c);
        return true;
    case Symbol::SlashOne:
        strokeLine(p, {-1.0, -1.0}, {1.0, 1.0}, colour::red, 0.3, Qt::FlatCap);
        return true;
    case Symbol::SlashCross:
        strokeLine(p, {-1.0, -1.0}, {1.0, 1.0}, colour::red, 0.3, Qt::FlatCap);
        strokeLine(p, {1.0, -1.0}, {-1.0, 1.0}, colour::red, 0.3, Qt::FlatCap);
        return true;
    case Symbol::OddDays:
    case Symbol::EvenDays:
        strokeLine(p, {-1.0, -1.0}, {1.0, 1.0}, colour::red, 0.3, Qt::FlatCap);
        if (s == Symbol::OddDays) {
            fillRect(p, unitBox(-0.07, -0.45, 0.14, 0.9), colour::white);
        } else {
            fillRect(p, unitBox(-0.25, -0.45, 0.14, 0.9), colour::white);
            fillRect(p, unitBox(0.11, -0.45, 0.14, 0.9), colour::white);
        }
        return true;
    case Symbol::Pedestrian:
        walker(p, unitBox(-0.5, -0.8, 1.0, 1.6), c);
        if (ink.bg == colour::white)
            slash(p);
        return true;
    case Symbol::EndAll:
        return true; // the stripes of an ended sign are all there is
    case Symbol::ArrowRight:
        arrow(p, {{-0.7, 0}, {0.75, 0}}, c, 0.3, 0.38);
        return true;
    case Symbol::ArrowUpRight:
        arrow(p, {{-0.3, 0.8}, {-0.3, -0.15}, {0.75, -0.15}}, c, 0.3, 0.38);
        return true;
    case Symbol::ArrowUp:
        arrow(p, {{0, 0.8}, {0, -0.75}}, c, 0.3, 0.38);
        return true;
    case Symbol::ArrowUpOrRight:
        arrow(p, {{-0.25, 0.8}, {-0.25, -0.75}}, c, 0.26, 0.34);
        arrow(p, {{-0.25, 0.35}, {0.1, 0.0}, {0.75, 0.0}}, c, 0.22, 0.3);
        return true;
    case Symbol::ArrowLeftOrRight:
        arrow(p, {{0, 0.8}, {0, -0.1}, {0.75, -0.1}}, c, 0.26, 0.34);
        arrow(p, {{0, -0.1}, {-0.75, -0.1}}, c, 0.26, 0.34);
        return true;
    case Symbol::ArrowDownRight:
        arrow(p, {{-0.5, -0.5}, {0.55, 0.55}}, c, 0.3, 0.38);
        return true;
    case Symbol::ArrowDownBoth:
        arrow(p, {{0, -0.6}, {0, -0.1}, {-0.6, 0.55}}, c, 0.24, 0.3);
        arrow(p, {{0, -0.1}, {0.6, 0.55}}, c, 0.24, 0.3);
        return true;
    case Symbol::RoundaboutArrows:
        for (int i = 0; i < 3; ++i) {
            p.save();
            p.rotate(i * 120.0);
            QPainterPath a;
            const QRectF r(-0.58, -0.58, 1.16, 1.16);
            a.arcMoveTo(r, 200);
            a.arcTo(r, 200, 70);
            strokePath(p, a, c, 0.22, Qt::FlatCap);
            // head pointing counter-clockwise (driving round to the right of the island)
            fillPoly(p, {{-0.02, 0.8}, {-0.02, 0.36}, {0.3, 0.58}}, c);
            p.restore();
        }
        return true;
    case Symbol::PedestrianAndBicycle:
        walker(p, unitBox(-0.85, -0.6, 0.7, 1.25), c);
        strokeLine(p, {0, -1.0}, {0, 1.0}, c, 0.08, Qt::FlatCap);
        bicycleSide(p, unitBox(0.1, -0.3, 0.8, 0.65), c, 0.08);
        return true;
    case Symbol::Chains: {
        QPainterPath tyre;
        tyre.addEllipse(QPointF(0, 0), 0.7, 0.7);
        strokePath(p, tyre, c, 0.22);
        for (int i = 0; i < 6; ++i) {
            p.save();
            p.rotate(i * 30.0);
            strokeLine(p, {-0.85, 0}, {0.85, 0}, c, 0.06);
            p.restore();
        }
        fillCircle(p, {0, 0}, 0.42, ink.bg);
        return true;
    }
    default:
        return false;
    }
}

} // namespace wirtal::art
