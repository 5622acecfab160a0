// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/plan.h"

#include "art/figures.h"
#include "art/road.h"
#include "art/signpaint.h"

#include <QLineF>
#include <QTransform>

#include <cmath>

namespace wirtal::art {

namespace {

const QPointF centre(240, 180);
const qreal lane = 15, half = 30;          // a lane's width, half the carriageway
const qreal zebraNear = 38, zebraFar = 56; // a zebra's edges, from the centre along its arm
const QString arms = QStringLiteral("nesw");

int armIndex(QChar a) {
    return int(arms.indexOf(a));
}

// Unit vector from the centre out along an arm.
QPointF outward(QChar a) {
    switch (armIndex(a)) {
    case 0:
        return {0, -1};
    case 1:
        return {1, 0};
    case 2:
        return {0, 1};
    default:
        return {-1, 0};
    }
}

// Perpendicular pointing to the right of a vehicle that comes in along the arm.
QPointF rightOfIncoming(QChar a) {
    const QPointF o = outward(a); // incoming travels -o
    return {o.y(), -o.x()};
}

// An arm of the other road.
QChar acrossOf(QChar a) {
    return arms[(armIndex(a) + 1) % 4];
}

// Half the carriageway of the road an arm belongs to: the north-south road of a wide junction
// has two lanes each way.
qreal halfOf(const PlanScene& s, QChar a) {
    return s.wide == u"ns" && (a == u'n' || a == u's') ? 2 * half : half;
}

// How far out along an arm its traffic stops: clear of the other road.
qreal stopAt(const PlanScene& s, QChar a) {
    return halfOf(s, acrossOf(a)) + 22;
}

// A lane's centre, along the arm at d: the inner lane by the centre line, or the outer one of a
// wide arm.
const qreal laneOffset = lane / 2 + 2.5; // a car 16 wide keeps 2 clear of the centre line
QPointF incomingLane(QChar a, qreal d, bool outer = false) {
    return centre + outward(a) * d + rightOfIncoming(a) * (laneOffset + (outer ? half : 0));
}
QPointF outgoingLane(QChar a, qreal d, bool outer = false) {
    return centre + outward(a) * d - rightOfIncoming(a) * (laneOffset + (outer ? half : 0));
}

// Where a left-turner that waits inside the junction stands, its front past the middle.
const qreal waitingD = 8;

// On a wide arm a left turn or a U-turn keeps to the inner lane, the rest to the outer one; a
// right turn and straight on leave in the outer lane.
bool entersOuter(const PlanScene& s, const PlanUser& u) {
    return halfOf(s, u.arm) > half && u.move != u'l' && u.move != u'u';
}
bool leavesOuter(const PlanScene& s, const PlanUser& u, QChar out) {
    return halfOf(s, out) > half && (u.move == u'r' || u.move == u's');
}

QChar exitArm(QChar from, QChar move) {
    const int a = armIndex(from);
    const int shift = move == u'r' ? 3 : move == u'l' ? 1 : move == u's' ? 2 : 0;
    return arms[(a + shift) % 4];
}

// The way a road user takes through the junction.
QPainterPath route(const PlanScene& s, const PlanUser& u) {
    const QChar out = exitArm(u.arm, u.move);
    if (s.layout == u"roundabout") {
        const qreal r = 62;
        const QPointF entry = incomingLane(u.arm, 118);
        QPainterPath path(entry);
        path.lineTo(incomingLane(u.arm, r + 18));
        const qreal startAngle =
            std::atan2(-(outward(u.arm).y()), outward(u.arm).x()) * 180 / M_PI + 10;
        const int exits = u.move == u'r' ? 1 : u.move == u's' ? 2 : u.move == u'l' ? 3 : 4;
        const QRectF ring(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        path.arcTo(ring, startAngle, exits * 90.0 - 20);
        path.lineTo(outgoingLane(out, 118));
        return path;
    }
    const bool in = entersOuter(s, u), leave = leavesOuter(s, u, out);
    const QPointF a = incomingLane(u.arm, stopAt(s, u.arm), in),
                  b = outgoingLane(out, stopAt(s, out), leave);
    QPainterPath path(incomingLane(u.arm, 125, in));
    path.lineTo(a);
    if (u.move == u's') {
        path.lineTo(b);
    } else if (u.move == u'l' && u.waitsInside) {
        // straight on in its own half to the middle, then round into the leaving lane
        path.lineTo(incomingLane(u.arm, waitingD));
        path.quadTo(centre + (rightOfIncoming(u.arm) - rightOfIncoming(out)) * laneOffset, b);
    } else if (u.move == u'u') {
        // up to the middle of the junction, round to the left and back
        path.cubicTo(incomingLane(u.arm, -6), outgoingLane(u.arm, -6), b);
    } else {
        // a right turn keeps close to the corner, a left turn goes round the middle
        const bool right = u.move == u'r';
        const QPointF corner = centre + outward(u.arm) * (right ? halfOf(s, out) : -4) +
                               outward(out) * (right ? halfOf(s, u.arm) : -4);
        path.quadTo(corner, b);
    }
    path.lineTo(outgoingLane(out, 125, leave));
    return path;
}

QSizeF bodySize(const QString& kind) {
    if (kind == u"truck")
        return {22, 56};
    if (kind == u"bus")
        return {22, 66};
    if (kind == u"tram")
        return {22, 84};
    if (kind == u"bike" || kind == u"moto")
        return {9, 22};
    if (kind == u"ped")
        return {12, 12};
    return {16, 36};
}

void vehicle(QPainter& p, const PlanUser& u, QPointF at, qreal angle, const QChar signal) {
    const bool ty = u.label == u"TY";
    const QSizeF sz = bodySize(u.kind);
    p.save();
    p.translate(at);
    p.rotate(angle);
    const QRectF body(-sz.width() / 2, -sz.height() / 2, sz.width(), sz.height());
    QColor c = ty ? QColor(220, 30, 40) : QColor(40, 90, 190);
    if (u.kind == u"tram")
        c = QColor(240, 200, 30);
    if (u.kind == u"police" || u.kind == u"ambulance")
        c = QColor(245, 245, 245);
    if (u.kind == u"ped") {
        p.restore();
        fillCircle(p, at, 6, QColor(150, 40, 120));
        fillCircle(p, at, 3, QColor(235, 190, 150));
        return;
    }
    fillRect(p, body.adjusted(-1, -1, 1, 1), QColor(20, 20, 20), 4);
    fillRect(p, body, c, 4);
    if (u.kind != u"bike" && u.kind != u"moto") {
        fillRect(p, QRectF(body.left() + 3, body.top() + 6, body.width() - 6, 6),
                 QColor(70, 90, 120), 2);
        fillRect(p, QRectF(body.left() + 3, body.bottom() - 8, body.width() - 6, 4),
                 QColor(70, 90, 120), 2);
    }
    if (u.kind == u"police" || u.kind == u"ambulance") {
        fillRect(p, QRectF(body.left() + 2, -3, body.width() / 2 - 2, 5),
                 u.blink ? QColor(30, 80, 255) : QColor(60, 60, 110));
        fillRect(p, QRectF(0, -3, body.width() / 2 - 2, 5),
                 u.blink ? QColor(60, 60, 110) : QColor(30, 80, 255));
        if (u.blink)
            fillCircle(p, QPointF(-4, 0), 16, QColor(60, 110, 255, 70));
    }
    if (u.blink && (signal == u'l' || signal == u'r')) {
        const qreal x = signal == u'l' ? body.left() : body.right() - 5;
        fillRect(p, QRectF(x, body.top(), 5, 5), QColor(255, 170, 0));
        fillRect(p, QRectF(x, body.bottom() - 5, 5, 5), QColor(255, 170, 0));
    }
    p.restore();
    // the label stays upright
    const qreal r = ty ? 11 : 9;
    fillCircle(p, at, r, Qt::white);
    text(p, QRectF(at.x() - r * 0.75, at.y() - r * 0.5, r * 1.5, r), u.label,
         ty ? QColor(200, 20, 30) : QColor(20, 50, 140));
}

struct Pose {
    QPointF at;
    qreal angle; // degrees clockwise from facing north
};

// Where a road user stands: along its way by its progress (past 1, on along the way's last
// direction: a film's road user driving out of sight).
Pose placeUser(const PlanScene& s, const PlanUser& u, const PlanUser* ty) {
    const QPainterPath path = route(s, u);
    const qreal t = 0.1 + 0.8 * u.progress;
    Pose pose;
    if (t <= 1) {
        pose.at = path.pointAtPercent(t);
        pose.angle = 90 - path.angleAtPercent(t);
    } else {
        const qreal a = path.angleAtPercent(1) * M_PI / 180;
        pose.at =
            path.pointAtPercent(1) + QPointF(std::cos(a), -std::sin(a)) * (t - 1) * path.length();
        pose.angle = 90 - path.angleAtPercent(1);
    }
    if (ty && &u != ty && u.arm == ty->arm && u.progress == 0 && ty->progress == 0 &&
        s.layout != u"roundabout") {
        // waiting on TY's arm too: a bike or motorbike beside TY at the kerb and a little
        // ahead, anything else in the queue behind TY
        const bool narrow = u.kind == u"bike" || u.kind == u"moto";
        pose.at += narrow ? rightOfIncoming(u.arm) * 15 - outward(u.arm) * 20 : outward(u.arm) * 46;
    }
    return pose;
}

QPolygonF outline(const QString& kind, const Pose& pose) {
    const QSizeF sz = bodySize(kind);
    return QTransform()
        .translate(pose.at.x(), pose.at.y())
        .rotate(pose.angle)
        .map(QPolygonF(QRectF(-sz.width() / 2, -sz.height() / 2, sz.width(), sz.height())));
}

const PlanUser* tyOf(const PlanScene& s) {
    for (const PlanUser& u : s.users)
        if (u.label == u"TY")
            return &u;
    return nullptr;
}

QString relativeArms(QChar approach, const QString& main) {
    // b = the approach itself, then clockwise on the plate: l, t, r
    QString out;
    const int a = armIndex(approach);
    for (QChar m : main) {
        const int d = (armIndex(m) - a + 4) % 4;
        out += QStringLiteral("btrl")[d == 0 ? 0 : d == 1 ? 3 : d == 2 ? 2 : 1];
    }
    return out;
}

QString oppositeState(const QString& state) {
    if (state == u"red" || state == u"red-arrow")
        return QStringLiteral("green");
    if (state == u"green" || state == u"yellow")
        return QStringLiteral("red");
    return state;
}

void armSigns(QPainter& p, const PlanScene& s, QChar a, QChar tyArm) {
    QPointF at = centre + outward(a) * (halfOf(s, acrossOf(a)) + 32) +
                 rightOfIncoming(a) * (halfOf(s, a) + 20);
    // Signals that are dark or flash yellow leave the junction to its signs: both are shown.
    const bool signalsGovern =
        !s.light.isEmpty() && s.light != u"off" && s.light != u"yellow-flash";
    if (!s.light.isEmpty()) {
        const bool sameAxis = armIndex(a) % 2 == armIndex(tyArm) % 2;
        const QString st = sameAxis ? s.light : oppositeState(s.light);
        paintSignalHead(p, QRectF(at.x() - 7, at.y() - 20, 14, 40), st, true);
        if (signalsGovern)
            return;
        at += outward(a) * 34; // the signs stand further out along the arm
    }
    if (s.layout == u"roundabout") {
        paintSignStack(p, at - QPointF(0, 34), 28, {QStringLiteral("C-12"), QStringLiteral("A-7")});
        return;
    }
    if (s.main == u"none")
        return;
    QStringList stack;
    const bool onMain = s.main.contains(a);
    const bool bent = armIndex(s.main[0]) % 2 != armIndex(s.main[1]) % 2;
    stack << (onMain             ? QStringLiteral("D-1")
              : s.sub == u"stop" ? QStringLiteral("B-20")
                                 : QStringLiteral("A-7"));
    if (bent)
        stack << QStringLiteral("T-6/") + relativeArms(a, s.main);
    paintSignStack(p, at - QPointF(0, 28), 30, stack);
}

// Cars parked at the kerbs far out on the east and west arms, beyond where anyone's way is drawn:
// the street as it is, not an empty diagram. Which kerbs are taken follows from the scene's road
// users, so a picture always looks the same.
void parkedCars(QPainter& p, const PlanScene& s) {
    if (s.layout == u"roundabout")
        return;
    uint seed = 7;
    for (const PlanUser& u : s.users)
        seed = seed * 31 + u.arm.unicode() * 7 + u.move.unicode() + uint(u.kind.size());
    const QColor colours[] = {QColor(150, 150, 155), QColor(120, 140, 110), QColor(170, 160, 130)};
    const int kerbs = s.street == u"town" ? 8 : 4;
    for (int i = 0; i < kerbs; ++i) {
        if (i < 4 && !((seed >> i) & 1))
            continue;
        if (i >= 4 && (((seed >> (i + 2)) & 1) || (s.layout == u"tee" && i >= 6)))
            continue;
        const QChar arm = QStringLiteral("eewwssnn")[i];
        const qreal d = (i < 4 ? 168 : 150) + (i % 2) * 42;
        // parked on the right-hand kerb of the traffic leaving the junction along this arm
        // (on the north and south arms of a town, half up on the pavement, clear of the lanes)
        const QPointF at =
            centre + outward(arm) * d -
            rightOfIncoming(arm) * (i < 4 ? halfOf(s, arm) - 10 : halfOf(s, arm) + 1);
        p.save();
        p.translate(at);
        p.rotate(i < 4 ? 90 : 0);
        const QRectF body(-9, -18, 18, 36);
        fillRect(p, body.adjusted(-1, -1, 1, 1), QColor(40, 40, 40), 4);
        fillRect(p, body, colours[(seed >> (i + 4)) % 3], 4);
        fillRect(p, QRectF(body.left() + 3, body.top() + 6, body.width() - 6, 6),
                 QColor(70, 90, 120), 2);
        p.restore();
    }
}

// A town around the junction: pavements along every arm, blocks of houses in the corners (kept
// clear of the signs), a cycle path with a cyclist riding along it and pedestrians walking on the
// pavements far out, none of them on anyone's way.
void townBlocks(QPainter& p, const PlanScene& s, bool tee) {
    const QColor pavement(190, 186, 178), kerb(150, 148, 142);
    const qreal w = 14;                                     // pavement width
    const qreal hx = halfOf(s, u'n'), hy = halfOf(s, u'e'); // the two roads' half widths
    p.fillRect(QRectF(0, centre.y() - hy - w, 480, 2 * (hy + w)), pavement);
    p.fillRect(QRectF(centre.x() - hx - w, tee ? centre.y() - hy - w : 0, 2 * (hx + w), 360),
               pavement);
    for (const qreal sx : {-1.0, 1.0})
        for (const qreal sy : {-1.0, 1.0}) {
            if (tee && sy < 0) {
                // the far side of a tee: one long row of houses behind the pavement
                p.fillRect(QRectF(0, 0, 480, centre.y() - hy - w - 10), QColor(210, 190, 160));
                continue;
            }
            const qreal bx = hx + 52, by = hy + 52;
            const qreal x0 = sx > 0 ? centre.x() + bx : 0, x1 = sx > 0 ? 480 : centre.x() - bx;
            const qreal y0 = sy > 0 ? centre.y() + by : 0, y1 = sy > 0 ? 360 : centre.y() - by;
            const QColor roof =
                QColor::fromHsv(int(20 + (sx + 1) * 40 + (sy + 1) * 70) % 360, 70, 200);
            fillRect(p, QRectF(QPointF(x0 + 4, y0 + 4), QPointF(x1 - 4, y1 - 4)), roof, 4);
            fillRect(
                p, QRectF(QPointF(x0 + 4, y0 + 4), QPointF(x1 - 4, y1 - 4)).adjusted(8, 8, -8, -8),
                roof.darker(112), 3);
        }
    strokeLine(p, {0, centre.y() - hy - w}, {480, centre.y() - hy - w}, kerb, 1);
    strokeLine(p, {0, centre.y() + hy + w}, {480, centre.y() + hy + w}, kerb, 1);
    // a red cycle path along the north side of the west arm, a cyclist riding away on it
    fillRect(p, QRectF(0, centre.y() - hy - w - 9, centre.x() - hx - 66, 8), QColor(180, 90, 80));
    p.save();
    p.translate(38, centre.y() - hy - w - 5);
    p.rotate(-90);
    fillRect(p, QRectF(-4, -11, 8, 22), QColor(30, 30, 30), 3);
    fillCircle(p, {0, 0}, 4, QColor(40, 150, 90));
    p.restore();
    // pedestrians walking along the pavements, far out
    for (const QPointF at : {QPointF(centre.x() + hx + 7, 330), QPointF(430, centre.y() + hy + 7),
                             QPointF(centre.x() - hx - 7, 24)}) {
        if (tee && at.y() < centre.y() - hy)
            continue;
        fillCircle(p, at, 5, QColor(120, 60, 140));
        fillCircle(p, at, 2.5, QColor(235, 190, 150));
    }
}

void roads(QPainter& p, const PlanScene& s) {
    p.fillRect(QRectF(0, 0, 480, 360), QColor(110, 165, 90));
    const QColor asphalt(95, 95, 100), line(240, 240, 240);
    const bool tee = s.layout == u"tee";
    const bool town = s.street == u"town";
    if (town)
        townBlocks(p, s, tee);
    p.fillRect(QRectF(0, centre.y() - half, 480, 2 * half), asphalt);
    const qreal hx = halfOf(s, u'n');
    p.fillRect(QRectF(centre.x() - hx, tee ? centre.y() - half : 0, 2 * hx, 360), asphalt);
    if (tee)
        p.fillRect(QRectF(centre.x() - half, centre.y() + half, 2 * half, 180), asphalt);
    if (s.layout == u"roundabout") {
        fillCircle(p, centre, 92, asphalt);
        fillCircle(p, centre, 42, QColor(240, 240, 240));
        fillCircle(p, centre, 39, QColor(90, 150, 70));
    }
    for (QChar a : arms) {
        if (tee && a == u'n')
            continue;
        const qreal clear = s.layout == u"roundabout" ? 96 : halfOf(s, acrossOf(a)) + 4;
        const qreal ha = halfOf(s, a);
        const QPointF o = outward(a);
        if (ha > half)
            // the lines between the two lanes of each way
            for (qreal d = clear + 6; d < 300; d += 22)
                for (const qreal side : {-half, half})
                    strokeLine(p, centre + o * d + rightOfIncoming(a) * side,
                               centre + o * (d + 11) + rightOfIncoming(a) * side, line, 2,
                               Qt::FlatCap);
        for (qreal d = clear + 6; d < 300; d += 22) {
            // in town the paint is worn: some dashes faint, a few gone
            const int k = int(d) / 22 + armIndex(a);
            if (town && k % 5 == 2)
                continue;
            strokeLine(p, centre + o * d, centre + o * (d + 11),
                       town && k % 3 == 1 ? QColor(190, 190, 190, 150) : line, 2, Qt::FlatCap);
        }
        if (s.main != u"none" && !s.main.contains(a) && s.layout != u"roundabout") {
            const QPointF r = rightOfIncoming(a);
            if (s.sub == u"stop") {
                // the solid stop line across the incoming lane, "STOP" painted before it
                fillPoly(p,
                         {centre + o * (clear + 2) + r * 1, centre + o * (clear + 2) + r * ha,
                          centre + o * (clear + 6) + r * ha, centre + o * (clear + 6) + r * 1},
                         line);
                p.save();
                p.translate(centre + o * (clear + 17) + r * (ha / 2 + 0.5));
                p.rotate(std::atan2(-o.x(), o.y()) * 180 / M_PI);
                text(p, QRectF(-11, -5, 22, 10), QStringLiteral("STOP"), line);
                p.restore();
            } else {
                // the give-way line of triangles across the incoming lane
                for (qreal k = 1; k < ha; k += 6)
                    fillPoly(p,
                             {centre + o * (clear + 2) + r * k,
                              centre + o * (clear + 2) + r * (k + 4),
                              centre + o * (clear + 7) + r * (k + 2)},
                             line);
            }
        }
    }
    if (!s.tram.isEmpty()) {
        const bool ns = s.tram == u"ns";
        for (qreal off : {-4.0, 4.0}) {
            if (ns)
                strokeLine(p, QPointF(centre.x() + off, 0), QPointF(centre.x() + off, 360),
                           QColor(170, 170, 180), 1.5);
            else
                strokeLine(p, QPointF(0, centre.y() + off), QPointF(480, centre.y() + off),
                           QColor(170, 170, 180), 1.5);
        }
    }
}

} // namespace

void paintPlan(QPainter& p, const PlanScene& s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    roads(p, s);
    parkedCars(p, s);
    const PlanUser* ty = tyOf(s);
    const QChar tyArm = ty ? ty->arm : QChar(u's');
    for (QChar a : arms)
        if (!(s.layout == u"tee" && a == u'n'))
            armSigns(p, s, a, tyArm);
    for (const PlanUser& u : s.users) {
        if (u.kind == u"ped") {
            // a zebra across the whole arm, kerb to kerb, the pedestrian on it
            const QPointF o = outward(u.arm), r = rightOfIncoming(u.arm);
            const qreal ha = halfOf(s, u.arm), shift = halfOf(s, acrossOf(u.arm)) - half;
            for (qreal k = -ha + 2; k + 5 <= ha - 1; k += 9)
                fillPoly(p,
                         {centre + o * (zebraNear + shift) + r * k,
                          centre + o * (zebraNear + shift) + r * (k + 5),
                          centre + o * (zebraFar + shift) + r * (k + 5),
                          centre + o * (zebraFar + shift) + r * k},
                         QColor(240, 240, 240));
        }
    }
    // TY's arrow last, over the others where two ways share a lane
    QList<const PlanUser*> byArrow;
    for (const PlanUser& u : s.users)
        u.label == u"TY" ? byArrow.append(&u) : byArrow.prepend(&u);
    for (const PlanUser* user : byArrow) {
        const PlanUser& u = *user;
        if (u.kind == u"ped")
            continue;
        const QPainterPath path = route(s, u);
        if (u.arrowShown) {
            const qreal from = path.percentAtLength(path.length() * 0) + 0.12;
            QPainterPath shown;
            for (qreal t = from; t <= 0.92; t += 0.01)
                t == from ? shown.moveTo(path.pointAtPercent(t))
                          : shown.lineTo(path.pointAtPercent(t));
            const QColor c = u.label == u"TY" ? QColor(230, 40, 40, 200) : QColor(30, 70, 200, 200);
            strokePath(p, shown, c, 3, Qt::FlatCap);
            const QPointF tip = path.pointAtPercent(0.95);
            const qreal ang = path.angleAtPercent(0.93);
            p.save();
            p.translate(tip);
            p.rotate(-ang);
            fillPoly(p, {{6, 0}, {-6, -6}, {-6, 6}}, c);
            p.restore();
        }
    }
    for (const PlanUser& u : s.users) {
        if (u.kind == u"ped") {
            // on the zebra at the kerb, an arrow across the road to where the pedestrian walks
            const QPointF o = outward(u.arm), r = rightOfIncoming(u.arm);
            const qreal ha = halfOf(s, u.arm);
            const qreal mid = (zebraNear + zebraFar) / 2 + halfOf(s, acrossOf(u.arm)) - half;
            const QPointF at = centre + o * mid + r * (-ha + 2 * ha * u.progress + 7);
            if (u.arrowShown && u.progress < 0.5)
                arrow(p, {at + r * 8, centre + o * mid + r * (ha - 6)}, QColor(150, 40, 120), 2.5,
                      6);
            vehicle(p, u, at, 0, QChar());
            const QPointF tag = at + o * 13;
            fillCircle(p, tag, 7, Qt::white);
            text(p, QRectF(tag.x() - 5, tag.y() - 4, 10, 8), u.label, QColor(20, 50, 140));
            continue;
        }
        const Pose pose = placeUser(s, u, ty);
        const QChar signal = u.move == u'u' ? QChar(u'l') : u.move;
        vehicle(p, u, pose.at, pose.angle,
                !u.indicator.isNull()       ? u.indicator
                : s.layout == u"roundabout" ? QChar()
                                            : signal);
    }
    if (!s.police.isEmpty()) {
        // seen from above: the line of his shoulders across TY's way (front, back) or along it
        const QPointF along = -outward(tyArm);
        const QPointF across(along.y(), -along.x());
        const QPointF sh = s.police == u"side" ? along : across;
        strokeLine(p, centre - sh * 11, centre + sh * 11, QColor(25, 35, 80), 7);
        fillCircle(p, centre, 5, Qt::white);
        // the officer as TY sees him, in a box in the corner
        fillRect(p, QRectF(8, 8, 90, 110), QColor(255, 255, 255, 230), 6);
        const Actor::Facing f = s.police == u"back" ? Actor::Away : Actor::Towards;
        paintPerson(p, QRectF(33, 28, 40, 82), QColor(25, 35, 80), f, s.police, 0, false);
        text(p, QRectF(14, 10, 78, 14), QStringLiteral("widok z TY"), QColor(40, 40, 40), 0.5);
    }
    p.restore();
}

namespace {

const qreal parkedA = 120, parkedB = 330, kerbLane = 238;

// TY in the parking film: past the gap, stopped beside B, reversing into the gap.
Pose parkingPose(qreal t) {
    const auto smooth = [](qreal u) { return u * u * (3 - 2 * u); };
    if (t < 2.4)
        return {QPointF(30 + 305 * smooth(std::min(t / 2.4, 1.0)), 205), 90};
    if (t < 3.0)
        return {QPointF(335, 205), 90};
    if (t < 6.0) {
        const qreal u = (t - 3.0) / 3.0;
        return {QPointF(335 - 110 * u, 205 + 33 * smooth(u)), 90 - 40 * std::sin(M_PI * u)};
    }
    return {QPointF(225 + 6 * smooth(std::min((t - 6.0) / 0.8, 1.0)), kerbLane), 90};
}

} // namespace

QList<PlanBody> planBodies(const PlanScene& s) {
    QList<PlanBody> bodies;
    const PlanUser* ty = tyOf(s);
    for (const PlanUser& u : s.users)
        if (u.kind != u"ped")
            bodies.append({u.label, outline(u.kind, placeUser(s, u, ty))});
    return bodies;
}

QList<PlanBody> parkingBodies(qreal t) {
    const QString car = QStringLiteral("car");
    return {{QStringLiteral("A"), outline(car, {QPointF(parkedA, kerbLane), 90})},
            {QStringLiteral("B"), outline(car, {QPointF(parkedB, kerbLane), 90})},
            {QStringLiteral("TY"), outline(car, parkingPose(t))}};
}

qreal waitingProgress(const PlanScene& s, const PlanUser& u) {
    // the way runs straight along the arm from 125 out to the waiting point
    const qreal percent = (125 - waitingD) / route(s, u).length();
    return (percent - 0.1) / 0.8;
}

void paintParallelParking(QPainter& p, qreal t) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 0, 480, 360), QColor(110, 165, 90));
    p.fillRect(QRectF(0, 120, 480, 140), QColor(95, 95, 100));
    p.fillRect(QRectF(0, 260, 480, 60), QColor(190, 185, 175));
    p.fillRect(QRectF(0, 258, 480, 4), QColor(230, 230, 230));
    for (qreal x = 10; x < 480; x += 40)
        strokeLine(p, {x, 190}, {x + 20, 190}, QColor(240, 240, 240), 2, Qt::FlatCap);
    auto parked = [&](const char* label, qreal x) {
        PlanUser u;
        u.label = QLatin1String(label);
        u.kind = QStringLiteral("car");
        vehicle(p, u, QPointF(x, kerbLane), 90, QChar());
    };
    parked("A", parkedA);
    parked("B", parkedB);
    PlanUser ty;
    ty.label = QStringLiteral("TY");
    ty.kind = QStringLiteral("car");
    ty.blink = std::fmod(t, 0.8) < 0.45;
    const Pose pose = parkingPose(t);
    const QPointF at = pose.at;
    const qreal angle = pose.angle;
    const bool reversing = t >= 3.0 && t < 6.0;
    vehicle(p, ty, at, angle, t > 1.8 && t < 6.0 ? QChar(u'r') : QChar());
    if (reversing) {
        // the reversing lamps at the back
        p.save();
        p.translate(at);
        p.rotate(angle);
        fillRect(p, QRectF(-8, 16, 5, 3), Qt::white);
        fillRect(p, QRectF(3, 16, 5, 3), Qt::white);
        p.restore();
    }
    p.restore();
}

PlanScene planScene(const media::Item& item) {
    PlanScene s;
    s.layout = item.body;
    s.main = item.value(QStringLiteral("main"));
    s.sub = item.value(QStringLiteral("sub"));
    s.light = item.value(QStringLiteral("light"));
    s.police = item.value(QStringLiteral("police"));
    s.tram = item.value(QStringLiteral("tram"));
    s.street = item.value(QStringLiteral("street"));
    s.wide = item.value(QStringLiteral("wide"));
    for (const char* key : {"ty", "a", "b", "c"}) {
        const QString v = item.value(QLatin1String(key));
        if (v.isEmpty())
            continue;
        PlanUser u;
        u.label = key == QLatin1String("ty") ? QStringLiteral("TY")
                                             : QString(QLatin1String(key)).toUpper();
        u.arm = v[0];
        u.move = v[1];
        u.kind = v.size() > 3 ? v.mid(3) : QStringLiteral("car");
        s.users << u;
    }
    return s;
}

} // namespace wirtal::art
