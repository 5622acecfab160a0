// SPDX-License-Identifier: GPL-3.0-or-later

// Road users in the driver's-seat view, and the signal heads.

#include "art/figures.h"
#include "art/road.h"

#include <cmath>

namespace wirtal::art {

namespace {

const QColor glass(60, 75, 95), amber(255, 160, 0), tyre(25, 25, 25);

struct Size {
    qreal w, h, len; // metres: width, height, length
};

Size sizeOf(Actor::Kind k) {
    switch (k) {
    case Actor::Truck:
        return {2.5, 3.4, 10};
    case Actor::Bus:
    case Actor::SchoolBus:
        return {2.55, 3.1, 12};
    case Actor::Tram:
        return {2.4, 3.3, 15};
    case Actor::Tractor:
        return {2.0, 2.6, 4};
    case Actor::Ambulance:
        return {2.0, 2.5, 5.5};
    case Actor::Motorcycle:
        return {0.8, 1.5, 2.1};
    case Actor::Train:
        return {3.0, 4.2, 40};
    default:
        return {1.8, 1.45, 4.3};
    }
}

void lamp(QPainter& p, const QRectF& r, const QColor& c, bool lit, bool night) {
    fillRect(p, r, lit ? c.lighter(140) : c.darker(170), r.height() * 0.3);
    if (lit && night)
        fillCircle(p, r.center(), r.width() * 1.2, QColor(c.red(), c.green(), c.blue(), 80));
}

// A farm tractor from behind: big wheels, the cab's frame, the slow-vehicle triangle.
void tractorEnd(QPainter& p, const QRectF& b, const Actor& a, bool night) {
    const qreal w = b.width(), h = b.height();
    const QColor body(220, 120, 30);
    fillRect(p, QRectF(b.left(), b.top() + 0.45 * h, 0.24 * w, 0.55 * h), tyre, 0.05 * w);
    fillRect(p, QRectF(b.right() - 0.24 * w, b.top() + 0.45 * h, 0.24 * w, 0.55 * h), tyre,
             0.05 * w);
    fillRect(p, QRectF(b.left() + 0.26 * w, b.top() + 0.55 * h, 0.48 * w, 0.3 * h), body);
    QPainterPath cab;
    cab.addRect(QRectF(b.left() + 0.22 * w, b.top(), 0.56 * w, 0.55 * h));
    strokePath(p, cab, QColor(40, 40, 40), 0.04 * w);
    fillRect(p, QRectF(b.left() + 0.2 * w, b.top() - 0.02 * h, 0.6 * w, 0.05 * h), body);
    const QPointF c(b.center().x(), b.top() + 0.7 * h);
    const qreal r = 0.13 * w;
    fillPoly(p, {c + QPointF(0, -r), c + QPointF(r, r * 0.7), c + QPointF(-r, r * 0.7)},
             QColor(255, 100, 0));
    fillPoly(
        p,
        {c + QPointF(0, -r * 0.45), c + QPointF(r * 0.5, r * 0.4), c + QPointF(-r * 0.5, r * 0.4)},
        QColor(200, 40, 20));
    lamp(p, QRectF(b.left() + 0.27 * w, b.top() + 0.58 * h, 0.08 * w, 0.06 * h),
         QColor(220, 20, 20), a.brake || a.lights, night);
    lamp(p, QRectF(b.right() - 0.35 * w, b.top() + 0.58 * h, 0.08 * w, 0.06 * h),
         QColor(220, 20, 20), a.brake || a.lights, night);
}

// A vehicle seen from behind (away) or from the front (towards): body, glass, lamps.
void vehicleEnd(QPainter& p, const QRectF& b, const Actor& a, bool night) {
    if (a.kind == Actor::Tractor) {
        tractorEnd(p, b, a, night);
        return;
    }
    const bool front = a.facing == Actor::Towards;
    const bool tall = b.height() > b.width() * 1.0;
    const qreal w = b.width(), h = b.height();
    const QColor body = a.kind == Actor::SchoolBus   ? QColor(250, 200, 30)
                        : a.kind == Actor::Ambulance ? QColor(245, 245, 245)
                        : a.kind == Actor::PoliceCar ? QColor(240, 240, 245)
                                                     : a.colour;
    fillRect(p, QRectF(b.left() + 0.06 * w, b.bottom() - 0.14 * h, 0.2 * w, 0.14 * h), tyre);
    fillRect(p, QRectF(b.right() - 0.26 * w, b.bottom() - 0.14 * h, 0.2 * w, 0.14 * h), tyre);
    if (tall) {
        fillRect(p, QRectF(b.left(), b.top(), w, 0.88 * h), body, 0.04 * w);
        fillRect(
            p, QRectF(b.left() + 0.08 * w, b.top() + 0.1 * h, 0.84 * w, (front ? 0.35 : 0.22) * h),
            glass, 0.03 * w);
    } else {
        fillPoly(p,
                 {QPointF(b.left() + 0.14 * w, b.top() + 0.42 * h),
                  QPointF(b.left() + 0.22 * w, b.top()), QPointF(b.right() - 0.22 * w, b.top()),
                  QPointF(b.right() - 0.14 * w, b.top() + 0.42 * h)},
                 body.darker(110));
        fillPoly(p,
                 {QPointF(b.left() + 0.2 * w, b.top() + 0.38 * h),
                  QPointF(b.left() + 0.26 * w, b.top() + 0.06 * h),
                  QPointF(b.right() - 0.26 * w, b.top() + 0.06 * h),
                  QPointF(b.right() - 0.2 * w, b.top() + 0.38 * h)},
                 front ? glass.lighter(130) : glass);
        fillRect(p, QRectF(b.left(), b.top() + 0.4 * h, w, 0.48 * h), body, 0.1 * h);
    }
    const qreal ly = b.top() + (tall ? 0.68 : 0.5) * h;
    const QSizeF ls(0.18 * w, (tall ? 0.06 : 0.12) * h);
    const QColor tail(220, 20, 20), head(255, 250, 220);
    const bool onL = (a.left || a.hazard) && a.blink, onR = (a.right || a.hazard) && a.blink;
    // seen from behind the car's left is on our left; from the front it is on our right
    const bool lampLeft = front ? onR : onL, lampRight = front ? onL : onR;
    lamp(p, QRectF(QPointF(b.left() + 0.04 * w, ly), ls), front ? head : tail,
         front ? a.lights : (a.brake || a.lights), night);
    lamp(p, QRectF(QPointF(b.right() - 0.04 * w - ls.width(), ly), ls), front ? head : tail,
         front ? a.lights : (a.brake || a.lights), night);
    lamp(p, QRectF(QPointF(b.left() + 0.04 * w, ly + ls.height() * 1.2), ls * 0.7), amber, lampLeft,
         night);
    lamp(p,
         QRectF(QPointF(b.right() - 0.04 * w - ls.width() * 0.7, ly + ls.height() * 1.2), ls * 0.7),
         amber, lampRight, night);
    if (a.brake && !front && !tall)
        lamp(p, QRectF(b.center().x() - 0.1 * w, b.top() + 0.03 * h, 0.2 * w, 0.04 * h), tail, true,
             night);
    fillRect(p, QRectF(b.center().x() - 0.14 * w, b.top() + 0.72 * h, 0.28 * w, 0.09 * h),
             Qt::white);
    if (a.kind == Actor::SchoolBus) {
        fillRect(p, QRectF(b.left() + 0.2 * w, b.top() + 0.36 * h, 0.6 * w, 0.16 * h),
                 QColor(255, 220, 0));
        text(p, QRectF(b.left() + 0.22 * w, b.top() + 0.38 * h, 0.56 * w, 0.12 * h),
             QStringLiteral("AUTOBUS SZKOLNY"), Qt::black);
    }
    if (a.kind == Actor::Ambulance || a.kind == Actor::PoliceCar) {
        fillRect(p, QRectF(b.left(), b.top() + 0.62 * h, w, 0.08 * h),
                 a.kind == Actor::Ambulance ? QColor(220, 30, 30) : QColor(20, 60, 160));
        if (a.kind == Actor::PoliceCar)
            text(p, QRectF(b.left() + 0.2 * w, b.top() + 0.46 * h, 0.6 * w, 0.12 * h),
                 QStringLiteral("POLICJA"), QColor(20, 60, 160));
    }
    if (a.beacons) {
        const QColor on(30, 80, 255), off(60, 60, 110);
        fillRect(p, QRectF(b.left() + 0.25 * w, b.top() - 0.08 * h, 0.22 * w, 0.08 * h),
                 a.blink ? on : off);
        fillRect(p, QRectF(b.right() - 0.47 * w, b.top() - 0.08 * h, 0.22 * w, 0.08 * h),
                 a.blink ? off : on);
        const QPointF glow(b.center().x() + (a.blink ? -0.15 : 0.15) * w, b.top() - 0.04 * h);
        fillCircle(p, glow, 0.35 * w, QColor(60, 110, 255, 90));
    }
}

void vehicleSide(QPainter& p, const QRectF& b, const Actor& a) {
    const Ink ink{a.colour, glass};
    p.save();
    if (a.facing == Actor::Left) {
        p.translate(b.center().x() * 2, 0);
        p.scale(-1, 1);
    }
    switch (a.kind) {
    case Actor::Truck:
        truckSide(p, b, ink);
        break;
    case Actor::Bus:
    case Actor::SchoolBus:
        busSide(p, b, ink);
        break;
    case Actor::Tram:
        tramSide(p, b, {QColor(230, 200, 40), glass});
        break;
    case Actor::Train: {
        const qreal unit = b.height();
        locomotiveSide(p, QRectF(b.right() - unit * 4, b.top(), unit * 4, unit),
                       {QColor(200, 50, 40), glass});
        for (qreal x = b.right() - unit * 8.2; x > b.left() - unit * 4; x -= unit * 4.1) {
            fillRect(p, QRectF(x, b.top() + 0.1 * unit, unit * 4, 0.65 * unit), QColor(40, 90, 60),
                     0.05 * unit);
            for (qreal wx : {0.6, 3.4})
                fillCircle(p, QPointF(x + wx * unit, b.top() + 0.82 * unit), 0.12 * unit, tyre);
        }
        break;
    }
    case Actor::Tractor:
        tractorSide(p, b, ink);
        break;
    default:
        carSide(p, b, ink);
    }
    p.restore();
}

} // namespace

QSizeF actorSize(Actor::Kind k) {
    const Size s = sizeOf(k);
    return {s.w, s.len};
}

void paintPerson(QPainter& p, const QRectF& b, const QColor& coat, Actor::Facing facing,
                 const QString& pose, qreal step, bool child) {
    const qreal w = b.width(), h = b.height();
    const QColor skin(235, 190, 150), trousers(40, 45, 60);
    const qreal cx = b.center().x();
    const bool side = facing == Actor::Left || facing == Actor::Right || pose == u"side";
    const qreal dir = facing == Actor::Left ? -1 : 1;
    const qreal swing = side ? std::sin(step * 2 * M_PI) * 0.22 * w : 0;
    // legs
    strokeLine(p, {cx - (side ? 0 : 0.12) * w, b.top() + 0.55 * h},
               {cx - (side ? 0 : 0.14) * w + swing, b.bottom()}, trousers, 0.16 * w);
    strokeLine(p, {cx + (side ? 0 : 0.12) * w, b.top() + 0.55 * h},
               {cx + (side ? 0 : 0.14) * w - swing, b.bottom()}, trousers, 0.16 * w);
    // body
    fillRect(p,
             QRectF(cx - (side ? 0.16 : 0.24) * w, b.top() + 0.17 * h, (side ? 0.32 : 0.48) * w,
                    0.42 * h),
             coat, 0.08 * w);
    if (pose == u"front" || pose == u"back" || pose == u"arm-up" || pose == u"wave" ||
        pose == u"side") {
        // a traffic officer: white cap and sleeves, reflective vest
        fillRect(p, QRectF(cx - 0.2 * w, b.top() + 0.25 * h, 0.4 * w, 0.08 * h),
                 QColor(220, 240, 60));
    }
    // arms
    const QPointF shoulderL(cx - 0.22 * w, b.top() + 0.22 * h),
        shoulderR(cx + 0.22 * w, b.top() + 0.22 * h);
    if (pose == u"arm-up") {
        strokeLine(p, shoulderR, {cx + 0.3 * w, b.top() - 0.15 * h}, coat, 0.12 * w);
        strokeLine(p, shoulderL, {cx - 0.28 * w, b.top() + 0.55 * h}, coat, 0.12 * w);
    } else if (pose == u"side") {
        // turned sideways to us, arms stretched out to his sides: one towards us, one away
        strokeLine(p, {cx, b.top() + 0.24 * h}, {cx - 0.12 * w, b.top() + 0.27 * h}, coat,
                   0.12 * w);
        fillCircle(p, {cx - 0.14 * w, b.top() + 0.27 * h}, 0.1 * w, QColor(235, 190, 150));
    } else if (pose == u"wave") {
        strokeLine(p, shoulderR, {cx + 0.7 * w, b.top() + 0.12 * h}, coat, 0.12 * w);
        strokeLine(p, {cx + 0.7 * w, b.top() + 0.12 * h}, {cx + 1.1 * w, b.top() - 0.02 * h},
                   Qt::white, 0.1 * w);
        strokeLine(p, {cx + 0.95 * w, b.top() + 0.03 * h}, {cx + 1.1 * w, b.top() - 0.02 * h},
                   QColor(220, 20, 20), 0.1 * w);
        strokeLine(p, shoulderL, {cx - 0.28 * w, b.top() + 0.55 * h}, coat, 0.12 * w);
    } else if (side) {
        strokeLine(p, {cx, b.top() + 0.22 * h}, {cx + dir * 0.1 * w - swing, b.top() + 0.55 * h},
                   coat.darker(120), 0.12 * w);
    } else {
        strokeLine(p, shoulderL, {cx - 0.3 * w, b.top() + 0.55 * h}, coat, 0.12 * w);
        strokeLine(p, shoulderR, {cx + 0.3 * w, b.top() + 0.55 * h}, coat, 0.12 * w);
    }
    // head
    fillCircle(p, {cx, b.top() + 0.09 * h}, (child ? 0.11 : 0.085) * h,
               facing == Actor::Away && pose != u"front" ? QColor(90, 60, 40) : skin);
    if (!pose.isEmpty() && pose != u"cane")
        fillRect(p, QRectF(cx - 0.2 * w, b.top() - 0.02 * h, 0.4 * w, 0.06 * h), Qt::white);
    if (pose == u"cane")
        strokeLine(p, {cx + dir * 0.3 * w, b.top() + 0.5 * h}, {cx + dir * 0.8 * w, b.bottom()},
                   Qt::white, 0.05 * w); // ahead of him when he walks
}

void paintActor(QPainter& p, const Projector& pr, const Actor& a, bool night) {
    const qreal k = pr.scale(a.z);
    const QPointF base = pr.at(a.x, 0, a.z);
    switch (a.kind) {
    case Actor::Pedestrian:
    case Actor::Child:
    case Actor::Blind:
    case Actor::Officer: {
        const qreal h = (a.kind == Actor::Child ? 1.2 : 1.75) * k;
        const QColor coat = a.kind == Actor::Officer ? QColor(25, 35, 80) : a.colour;
        const QString pose = a.kind == Actor::Blind ? QStringLiteral("cane") : a.pose;
        paintPerson(p, QRectF(base.x() - 0.25 * h, base.y() - h, 0.5 * h, h), coat, a.facing, pose,
                    a.step, a.kind == Actor::Child);
        return;
    }
    case Actor::Cyclist: {
        const qreal h = 1.75 * k;
        if (a.facing == Actor::Left || a.facing == Actor::Right) {
            const QRectF bike(base.x() - 0.9 * k, base.y() - 1.0 * k, 1.8 * k, 1.0 * k);
            p.save();
            if (a.facing == Actor::Left) {
                p.translate(bike.center().x() * 2, 0);
                p.scale(-1, 1);
            }
            bicycleSide(p, bike, QColor(30, 30, 30), std::max(1.0, 0.06 * k));
            paintPerson(p, QRectF(base.x() - 0.35 * k, base.y() - h, 0.5 * k, 1.1 * k), a.colour,
                        Actor::Right, QString(), 0.25, false);
            p.restore();
        } else {
            strokeLine(p, {base.x(), base.y()}, {base.x(), base.y() - 0.7 * k}, tyre, 0.08 * k);
            paintPerson(p, QRectF(base.x() - 0.3 * k, base.y() - h, 0.6 * k, 1.3 * k), a.colour,
                        a.facing, QString(), 0, false);
            fillCircle(p, {base.x(), base.y() - 0.45 * k}, 0.05 * k, QColor(220, 20, 20));
        }
        return;
    }
    case Actor::Deer:
        deerSide(p, QRectF(base.x() - 0.8 * k, base.y() - 1.5 * k, 1.6 * k, 1.5 * k),
                 QColor(130, 80, 40));
        return;
    case Actor::Triangle:
        fillPoly(p,
                 {QPointF(base.x(), base.y() - 0.45 * k), QPointF(base.x() + 0.26 * k, base.y()),
                  QPointF(base.x() - 0.26 * k, base.y())},
                 QColor(230, 20, 20));
        fillPoly(p,
                 {QPointF(base.x(), base.y() - 0.3 * k),
                  QPointF(base.x() + 0.14 * k, base.y() - 0.06 * k),
                  QPointF(base.x() - 0.14 * k, base.y() - 0.06 * k)},
                 QColor(120, 120, 120));
        return;
    case Actor::Cone:
        fillPoly(p,
                 {QPointF(base.x(), base.y() - 0.7 * k), QPointF(base.x() + 0.2 * k, base.y()),
                  QPointF(base.x() - 0.2 * k, base.y())},
                 QColor(250, 110, 0));
        fillRect(p, QRectF(base.x() - 0.12 * k, base.y() - 0.38 * k, 0.24 * k, 0.1 * k), Qt::white);
        return;
    case Actor::Motorcycle:
        if (a.facing == Actor::Away || a.facing == Actor::Towards) {
            strokeLine(p, base, {base.x(), base.y() - 0.7 * k}, tyre, 0.15 * k);
            paintPerson(p, QRectF(base.x() - 0.35 * k, base.y() - 1.6 * k, 0.7 * k, 1.2 * k),
                        a.colour, a.facing, QString(), 0, false);
            lamp(p, QRectF(base.x() - 0.1 * k, base.y() - 0.75 * k, 0.2 * k, 0.1 * k),
                 a.facing == Actor::Towards ? QColor(255, 250, 220) : QColor(220, 20, 20), a.lights,
                 night);
        } else {
            motorcycleSide(p, QRectF(base.x() - 1.0 * k, base.y() - 1.5 * k, 2.0 * k, 1.5 * k),
                           {a.colour, glass}, true);
        }
        return;
    default:
        break;
    }
    const Size s = sizeOf(a.kind);
    if (a.facing == Actor::Away || a.facing == Actor::Towards) {
        const QRectF b(base.x() - s.w / 2 * k, base.y() - s.h * k, s.w * k, s.h * k);
        vehicleEnd(p, b, a, night);
    } else {
        const qreal unit = a.kind == Actor::Train ? s.h : s.len;
        const QRectF b(base.x() - unit / 2 * k, base.y() - s.h * k, unit * k, s.h * k);
        vehicleSide(p, b, a);
    }
}

void paintSignalHead(QPainter& p, const QRectF& box, const QString& state, bool flashOn) {
    const bool withArrow = state == u"red-arrow" || state == u"green-arrow";
    const qreal w = box.width(), h = box.height();
    fillRect(p, box, QColor(25, 25, 25), w * 0.15);
    const qreal r = w * 0.34;
    struct LampDef {
        QColor c;
        bool lit;
    };
    QString s = state;
    QString dir;
    if (s.startsWith(u"S-3/")) {
        dir = s.mid(4).section(u'-', 0, 0);
        s = s.section(u'-', -1);
    }
    const bool ped = s.startsWith(u"ped-");
    if (ped) {
        for (int i = 0; i < 2; ++i) {
            const QPointF c(box.center().x(), box.top() + h * (0.27 + i * 0.46));
            const bool lit = (i == 0) == (s == u"ped-red");
            fillCircle(p, c, w * 0.4, QColor(45, 45, 45));
            const QColor col = i == 0 ? QColor(240, 30, 30) : QColor(30, 220, 90);
            const QRectF fig(c.x() - w * 0.17, c.y() - w * 0.32, w * 0.34, w * 0.64);
            if (i == 0)
                standing(p, fig, lit ? col : col.darker(300));
            else
                walker(p, fig, lit ? col : col.darker(300));
        }
        return;
    }
    if (s.startsWith(u"tram-")) {
        const QPointF c(box.center().x(), box.top() + h * 0.3);
        fillCircle(p, c, w * 0.38, QColor(45, 45, 45));
        if (s == u"tram-stop")
            fillRect(p, QRectF(c.x() - w * 0.3, c.y() - w * 0.07, w * 0.6, w * 0.14), Qt::white);
        else
            fillRect(p, QRectF(c.x() - w * 0.07, c.y() - w * 0.3, w * 0.14, w * 0.6), Qt::white);
        return;
    }
    const LampDef lamps[3] = {
        {QColor(235, 30, 25), s == u"red" || s == u"red-yellow" || s == u"red-arrow"},
        {QColor(255, 190, 0),
         s == u"yellow" || s == u"red-yellow" || (s == u"yellow-flash" && flashOn)},
        {QColor(20, 210, 90), s == u"green" || s == u"green-arrow"}};
    for (int i = 0; i < 3; ++i) {
        const QPointF c(box.center().x(), box.top() + h * (0.18 + i * 0.32));
        fillCircle(p, c, r, lamps[i].lit ? lamps[i].c : lamps[i].c.darker(330));
        if (lamps[i].lit)
            fillCircle(p, c, r * 1.6,
                       QColor(lamps[i].c.red(), lamps[i].c.green(), lamps[i].c.blue(), 70));
        if (!dir.isEmpty()) {
            // S-3: the lamp shows a black arrow on its light
            p.save();
            p.translate(c);
            p.scale(r * 0.8, r * 0.8);
            if (dir == u"left")
                p.rotate(-90);
            else if (dir == u"right")
                p.rotate(90);
            fillPoly(p,
                     {{0, -0.9},
                      {0.6, -0.1},
                      {0.2, -0.1},
                      {0.2, 0.8},
                      {-0.2, 0.8},
                      {-0.2, -0.1},
                      {-0.6, -0.1}},
                     QColor(10, 10, 10));
            p.restore();
        }
    }
    if (withArrow) {
        // S-2: the extra section with the green right arrow, beside the green lamp
        const QRectF extra(box.right(), box.top() + h * 0.68, w, h * 0.32);
        fillRect(p, extra, QColor(25, 25, 25), w * 0.15);
        const bool lit = s == u"red-arrow" && flashOn;
        const QColor g = lit ? QColor(20, 230, 90) : QColor(20, 70, 40);
        arrow(p, {extra.center() - QPointF(w * 0.28, 0), extra.center() + QPointF(w * 0.3, 0)}, g,
              w * 0.12, w * 0.18);
    }
}

} // namespace wirtal::art
