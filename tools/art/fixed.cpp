// SPDX-License-Identifier: GPL-3.0-or-later

// Scenes that take no parameters (first aid, equipment, documents...) and the program's fixed
// pictures.

#include "art/figures.h"
#include "art/pictures.h"
#include "art/plan.h"
#include "art/road.h"

#include <QDir>
#include <QLinearGradient>

#include <cmath>

namespace wirtal::art {

namespace {

const QColor skin(235, 190, 150), shirt(60, 100, 170), jeans(40, 50, 80);

void backdrop(QPainter& p, const QColor& top, const QColor& bottom) {
    QLinearGradient g(0, 0, 0, 360);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, 480, 360), g);
}

// A person lying: on the back (flat) or on the side in the recovery position.
void lying(QPainter& p, QPointF head, bool onSide) {
    fillCircle(p, head, 20, skin);
    if (onSide) {
        fillRect(p, QRectF(head.x() + 18, head.y() - 18, 120, 40), shirt, 16);
        strokeLine(p, {head.x() + 135, head.y() + 5}, {head.x() + 200, head.y() + 10}, jeans, 20);
        strokeLine(p, {head.x() + 140, head.y()}, {head.x() + 170, head.y() + 35}, jeans, 20);
        strokeLine(p, {head.x() + 170, head.y() + 35}, {head.x() + 215, head.y() + 38}, jeans, 18);
        strokeLine(p, {head.x() + 40, head.y() + 15}, {head.x() + 10, head.y() + 38}, shirt, 14);
        strokeLine(p, {head.x() + 10, head.y() + 38}, {head.x() - 10, head.y() + 22}, skin, 12);
    } else {
        fillRect(p, QRectF(head.x() + 18, head.y() - 25, 120, 50), shirt, 18);
        strokeLine(p, {head.x() + 135, head.y() - 12}, {head.x() + 230, head.y() - 14}, jeans, 20);
        strokeLine(p, {head.x() + 135, head.y() + 12}, {head.x() + 230, head.y() + 14}, jeans, 20);
        strokeLine(p, {head.x() + 40, head.y() - 25}, {head.x() + 110, head.y() - 45}, shirt, 13);
        strokeLine(p, {head.x() + 40, head.y() + 25}, {head.x() + 110, head.y() + 45}, shirt, 13);
    }
}

void kneeling(QPainter& p, QPointF at, const QColor& coat) {
    fillCircle(p, {at.x(), at.y() - 120}, 18, skin);
    fillRect(p, QRectF(at.x() - 22, at.y() - 100, 44, 70), coat, 14);
    strokeLine(p, {at.x() - 10, at.y() - 30}, {at.x() - 40, at.y()}, jeans, 18);
    strokeLine(p, {at.x() - 40, at.y()}, {at.x() + 30, at.y()}, jeans, 16);
}

// Chest compressions: the casualty on the back on the floor, seen from the side, head to the
// left; the rescuer kneeling on the far side, beside the chest, facing us, the knees behind the
// casualty's body. The shoulders are straight above the hands, the arms straight, the heels of
// the hands one on the other on the centre of the chest (the lower half of the breastbone, about
// a third of the way from the shoulders to the hips); the arrow of the push is in line with them.
void compressions(QPainter& p) {
    backdrop(p, QColor(232, 234, 230), QColor(200, 202, 198));
    p.fillRect(QRectF(0, 292, 480, 68), QColor(170, 160, 145));
    const QColor coat(200, 60, 40);
    const qreal shoulders = 94, hips = 244; // the casualty's torso along the floor
    const QPointF hands(shoulders + (hips - shoulders) / 3, 252);
    const qreal x = hands.x(), sy = 150; // the rescuer's shoulder line straight above the hands
    // the rescuer's thighs and trunk upright above the knees, which the casualty hides
    strokeLine(p, {x - 12, 212}, {x - 16, 266}, jeans, 22);
    strokeLine(p, {x + 12, 212}, {x + 16, 266}, jeans, 22);
    fillRect(p, QRectF(x - 25, sy - 12, 50, 82), coat, 16);
    fillCircle(p, {x, sy - 34}, 19, skin);
    fillRect(p, QRectF(x - 16, sy - 56, 32, 10), QColor(90, 60, 40), 5);
    // the casualty on the back
    fillCircle(p, {78, 272}, 17, skin);
    fillRect(p, QRectF(shoulders, 256, hips - shoulders, 36), shirt, 14);
    strokeLine(p, {hips - 4, 280}, {420, 282}, jeans, 22);
    fillRect(p, QRectF(414, 266, 18, 24), QColor(40, 40, 40), 5);
    // both arms straight from the shoulders down to the hands, one hand on the other
    // (sleeves rolled up: the forearms bare)
    for (const qreal side : {-1.0, 1.0}) {
        const QPointF shoulder(x + side * 19, sy), wrist(x + side * 5, hands.y() - 6);
        const QPointF elbow = (shoulder + wrist) / 2;
        strokeLine(p, shoulder, elbow, coat.darker(135), 13);
        strokeLine(p, elbow, wrist, skin.darker(104), 11);
    }
    fillRect(p, QRectF(x - 13, hands.y() - 8, 26, 7), skin, 3);
    fillRect(p, QRectF(x - 13, hands.y() - 2, 26, 7), skin.darker(110), 3);
    // the direction of the push, straight down through shoulders and hands
    arrow(p, {{x, 24}, {x, 84}}, QColor(40, 60, 110), 4, 12);
}

// A defibrillator at work: the casualty on the back with the two pads on the bare chest, the
// device beside the head, the rescuer kneeling upright with the hands held up, touching no one
// while it analyses.
void defibrillator(QPainter& p) {
    backdrop(p, QColor(232, 234, 230), QColor(200, 202, 198));
    p.fillRect(QRectF(0, 292, 480, 68), QColor(170, 160, 145));
    const QColor coat(200, 60, 40);
    // the rescuer behind the casualty, upright on the knees
    strokeLine(p, {256, 280}, {330, 282}, jeans, 22);
    strokeLine(p, {256, 280}, {252, 205}, jeans, 28);
    strokeLine(p, {252, 205}, {248, 140}, coat, 44);
    fillCircle(p, {248, 100}, 19, skin);
    fillRect(p, QRectF(230, 78, 36, 10), QColor(90, 60, 40), 5);
    for (const qreal side : {-1.0, 1.0}) {
        const QPointF shoulder(248 + side * 16, 132), hand(248 + side * 58, 96);
        strokeLine(p, shoulder, shoulder + QPointF(side * 30, 10), coat, 14);
        strokeLine(p, shoulder + QPointF(side * 30, 10), hand, coat, 14);
        fillCircle(p, hand, 9, skin);
    }
    // the casualty, chest bare, head to the left
    fillCircle(p, {78, 272}, 17, skin);
    fillRect(p, QRectF(94, 256, 150, 36), skin, 14);
    fillRect(p, QRectF(200, 256, 44, 36), shirt, 10);
    strokeLine(p, {240, 280}, {420, 282}, jeans, 22);
    fillRect(p, QRectF(414, 266, 18, 24), QColor(40, 40, 40), 5);
    // the pads and their leads to the device
    const QColor pad(245, 245, 245), lead(40, 40, 40);
    fillRect(p, QRectF(112, 256, 26, 12), pad, 3);
    fillRect(p, QRectF(170, 262, 26, 12), pad, 3);
    QPainterPath leads(QPointF(120, 258));
    leads.cubicTo(QPointF(110, 230), QPointF(60, 230), QPointF(40, 270));
    leads.moveTo(QPointF(180, 264));
    leads.cubicTo(QPointF(170, 225), QPointF(70, 220), QPointF(44, 270));
    strokePath(p, leads, lead, 2.5);
    const QRectF device(14, 262, 54, 34);
    fillRect(p, device, QColor(30, 150, 70), 6);
    fillRect(p, device.adjusted(6, 5, -6, -15), QColor(230, 240, 230), 3);
    text(p, QRectF(device.left() + 8, device.bottom() - 13, device.width() - 16, 10),
         QStringLiteral("AED"), Qt::white);
    fillPoly(p, {{36, 271}, {44, 271}, {38, 276}, {46, 276}, {34, 284}, {38, 277}, {31, 277}},
             QColor(220, 30, 30));
}

// A choking adult at a table: bent forward, both hands at the throat (the sign of choking), the
// rescuer beside him holding his chest with one hand and striking between the shoulder blades
// with the heel of the other.
void choking(QPainter& p) {
    backdrop(p, QColor(236, 232, 222), QColor(210, 204, 192));
    p.fillRect(QRectF(0, 300, 480, 60), QColor(160, 130, 100));
    // the table with a plate and a fork
    const QColor wood(140, 95, 60);
    fillRect(p, QRectF(10, 196, 120, 10), wood, 2);
    fillRect(p, QRectF(20, 206, 8, 94), wood.darker(120));
    fillRect(p, QRectF(112, 206, 8, 94), wood.darker(120));
    fillRect(p, QRectF(40, 188, 52, 8), QColor(245, 245, 245), 4);
    fillCircle(p, {66, 186}, 7, QColor(190, 120, 60));
    strokeLine(p, {98, 192}, {118, 184}, QColor(150, 150, 160), 2);
    // the casualty, facing the table, bent forward at the hips
    const QColor coat(70, 120, 60);
    const QPointF hip(215, 205), shoulder(172, 140), head(152, 112);
    strokeLine(p, hip, {200, 300}, jeans, 20);
    strokeLine(p, hip, {228, 300}, jeans.darker(115), 20);
    strokeLine(p, hip, shoulder, coat, 40);
    fillCircle(p, head, 19, QColor(230, 160, 140)); // flushed
    fillRect(p, QRectF(head.x() - 4, head.y() - 22, 26, 9), QColor(60, 45, 35), 4);
    fillCircle(p, head + QPointF(-14, 6), 3, QColor(120, 40, 40)); // the open mouth
    // both hands at the throat
    strokeLine(p, shoulder, {150, 162}, coat.darker(110), 13);
    strokeLine(p, {150, 162}, {158, 130}, coat.darker(110), 12);
    fillCircle(p, {158, 128}, 8, skin);
    strokeLine(p, shoulder + QPointF(6, 4), {160, 168}, coat, 13);
    strokeLine(p, {160, 168}, {166, 134}, coat, 12);
    fillCircle(p, {166, 132}, 8, skin);
    // the rescuer beside and a little behind, upright
    const QColor vest(200, 60, 40);
    const QPointF rHip(300, 200), rShoulder(290, 128), rHead(292, 96);
    strokeLine(p, rHip, {292, 300}, jeans, 22);
    strokeLine(p, rHip, {318, 300}, jeans.darker(115), 22);
    strokeLine(p, rHip, rShoulder, vest, 42);
    fillCircle(p, rHead, 19, skin);
    fillRect(p, QRectF(rHead.x() - 18, rHead.y() - 22, 34, 10), QColor(90, 60, 40), 5);
    // one arm round the front of the chest, holding him up
    strokeLine(p, rShoulder + QPointF(-8, 10), {226, 176}, vest.darker(115), 13);
    strokeLine(p, {226, 176}, {178, 166}, vest.darker(115), 12);
    fillCircle(p, {176, 166}, 8, skin);
    // the other raised, the heel of the hand striking between the shoulder blades
    strokeLine(p, rShoulder, {244, 96}, vest, 14);
    strokeLine(p, {244, 96}, {206, 124}, vest, 13);
    fillCircle(p, {204, 126}, 9, skin);
    arrow(p, {{240, 66}, {212, 100}}, QColor(40, 60, 110), 4, 12);
}

// An outdoor first-aid backdrop: sky, a grass verge and the edge of the road at the bottom.
void verge(QPainter& p) {
    backdrop(p, QColor(150, 195, 230), QColor(200, 220, 235));
    p.fillRect(QRectF(0, 190, 480, 170), QColor(110, 160, 85));
    p.fillRect(QRectF(0, 318, 480, 42), QColor(95, 95, 100));
    p.fillRect(QRectF(0, 316, 480, 4), QColor(225, 225, 225));
}

// A casualty lying on the back with a pale, grey face and drops of sweat (shock); the rescuer
// kneels at his side holding his hand and talking to him.
void shock(QPainter& p) {
    verge(p);
    // the rescuer first, kneeling on the far side of the casualty (the shins hidden behind
    // him), one hand holding his
    const QColor coat(200, 60, 40);
    strokeLine(p, {200, 266}, {268, 268}, jeans, 18);
    strokeLine(p, {200, 266}, {204, 204}, jeans, 24);
    strokeLine(p, {204, 204}, {188, 142}, coat, 40);
    fillCircle(p, {178, 112}, 18, skin);
    fillRect(p, QRectF(162, 90, 34, 10), QColor(90, 60, 40), 5);
    strokeLine(p, {186, 150}, {164, 214}, coat, 13);
    strokeLine(p, {164, 214}, {170, 256}, coat, 12);
    fillCircle(p, {172, 260}, 8, skin);
    // the casualty on the back, pale and sweating
    const QColor pale(214, 206, 196);
    fillCircle(p, {92, 272}, 18, pale);
    fillRect(p, QRectF(108, 254, 150, 38), shirt, 14);
    strokeLine(p, {250, 266}, {410, 262}, jeans, 20);
    strokeLine(p, {250, 282}, {410, 286}, jeans, 20);
    strokeLine(p, {150, 262}, {172, 262}, shirt.darker(115), 11);
    for (const QPointF d : {QPointF(84, 258), QPointF(100, 260), QPointF(90, 285)})
        fillCircle(p, d, 2.5, QColor(140, 190, 230));
    // speech: calm words
    fillRect(p, QRectF(70, 50, 70, 30), Qt::white, 10);
    fillPoly(p, {{120, 78}, {140, 78}, {160, 94}}, Qt::white);
    for (int i = 0; i < 3; ++i)
        fillCircle(p, {88.0 + i * 17, 65}, 4, QColor(120, 120, 130));
}

// A casualty sitting on the verge, holding the injured forearm to the body with the other hand:
// the forearm bent where it should be straight, swollen and bruised.
void fracture(QPainter& p) {
    verge(p);
    const QColor coat(90, 120, 170);
    strokeLine(p, {250, 290}, {370, 296}, jeans, 22); // legs stretched out
    strokeLine(p, {250, 290}, {360, 280}, jeans.darker(115), 22);
    strokeLine(p, {250, 290}, {236, 190}, coat, 44); // the trunk, sitting up
    fillCircle(p, {232, 152}, 20, skin);
    fillRect(p, QRectF(214, 128, 38, 11), QColor(60, 45, 35), 5);
    // the injured arm: upper arm down, the forearm across the belly with a bend in the middle
    strokeLine(p, {244, 178}, {262, 232}, coat.darker(110), 14);
    QPainterPath forearm(QPointF(262, 232));
    forearm.lineTo(QPointF(288, 226));
    forearm.lineTo(QPointF(300, 236));
    forearm.lineTo(QPointF(326, 232));
    strokePath(p, forearm, skin, 13);
    fillCircle(p, {296, 232}, 10, QColor(150, 90, 130, 170)); // the bruise and swelling
    fillCircle(p, {330, 231}, 8, skin);
    // the other hand holds it from below
    strokeLine(p, {226, 180}, {238, 244}, coat, 14);
    strokeLine(p, {238, 244}, {300, 246}, coat, 12);
    fillCircle(p, {302, 244}, 8, skin);
    // pain
    for (int i = 0; i < 3; ++i)
        strokeLine(p, {300.0 + i * 10, 204 - i * 2.0}, {306.0 + i * 10, 192 - i * 2.0},
                   QColor(220, 40, 40), 3);
}

// Checking breathing: the casualty on the back, the rescuer kneeling at the head with the cheek
// over the mouth and the eyes on the chest.
void breathingCheck(QPainter& p) {
    backdrop(p, QColor(232, 234, 230), QColor(200, 202, 198));
    p.fillRect(QRectF(0, 292, 480, 68), QColor(170, 160, 145));
    fillCircle(p, {150, 272}, 17, skin);
    fillRect(p, QRectF(166, 256, 150, 36), shirt, 14);
    strokeLine(p, {312, 270}, {460, 268}, jeans, 20);
    strokeLine(p, {312, 284}, {460, 286}, jeans, 20);
    const QColor coat(200, 60, 40);
    // the rescuer kneeling at the head, bent low
    strokeLine(p, {40, 282}, {100, 284}, jeans, 20);
    strokeLine(p, {40, 282}, {62, 206}, jeans, 26);
    strokeLine(p, {62, 206}, {128, 236}, coat, 40);
    fillCircle(p, {148, 240}, 17, skin);
    fillRect(p, QRectF(136, 220, 14, 30), QColor(90, 60, 40), 5);
    strokeLine(p, {96, 222}, {118, 272}, coat, 12);
    fillCircle(p, {120, 276}, 7, skin);
    // the look along the chest and the sound at the cheek
    QPen dots(QColor(40, 60, 110), 2.5, Qt::DotLine);
    p.setPen(dots);
    p.drawLine(QPointF(160, 236), QPointF(250, 250));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(40, 60, 110), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(150 - i * 7, 250 - i * 7, 14 + i * 14, 14 + i * 14), 30 * 16, 120 * 16);
    }
    p.setPen(Qt::NoPen);
}

// A call for help at the roadside: the crashed cars behind, a hand holding a phone in the middle
// of a call in front.
void emergencyCall(QPainter& p) {
    RoadScene s;
    Actor a = actor(Actor::Car, -1.0, 16, Actor::Left);
    Actor b = actor(Actor::Car, 0.8, 19, Actor::Towards);
    b.colour = QColor(200, 60, 40);
    b.hazard = true;
    s.actors = {b, a};
    paintRoad(p, s);
    p.fillRect(QRectF(0, 0, 480, 360), QColor(255, 255, 255, 70));
    const QRectF phone(300, 120, 110, 210);
    fillRect(p, phone.translated(5, 6), QColor(0, 0, 0, 60), 16);
    fillRect(p, phone, QColor(30, 30, 34), 16);
    const QRectF screen = phone.adjusted(8, 18, -8, -22);
    fillRect(p, screen, QColor(40, 70, 60), 6);
    fillCircle(p, {screen.center().x(), screen.top() + 45}, 22, QColor(90, 200, 110));
    QPainterPath handset;
    handset.addRoundedRect(QRectF(-12, -4, 24, 8), 3, 3);
    p.save();
    p.translate(screen.center().x(), screen.top() + 45);
    p.rotate(-30);
    fillPath(p, handset, Qt::white);
    p.restore();
    text(p, QRectF(screen.left() + 6, screen.top() + 80, screen.width() - 12, 16),
         QStringLiteral("połączenie"), Qt::white, 0.5);
    text(p, QRectF(screen.left() + 6, screen.top() + 100, screen.width() - 12, 16),
         QStringLiteral("01:24"), Qt::white, 0.5);
    fillCircle(p, {screen.center().x(), screen.bottom() - 22}, 14, QColor(220, 50, 40));
    // the hand round the phone
    fillRect(p, QRectF(286, 250, 40, 110), skin, 18);
    fillRect(p, QRectF(280, 200, 30, 18), skin, 9);
    fillRect(p, QRectF(396, 220, 26, 16), skin, 8);
    fillRect(p, QRectF(396, 246, 26, 16), skin, 8);
}

// A car after a crash, smoke and flames coming from under its bonnet, the driver still in his
// seat.
void carFire(QPainter& p) {
    verge(p);
    const QRectF car(90, 170, 300, 140);
    carSide(p, car, {QColor(70, 100, 160), QColor(170, 200, 225)});
    fillCircle(p, {car.left() + 0.62 * car.width(), car.top() + 0.3 * car.height()}, 14, skin);
    fillCircle(p, {car.left() + 0.62 * car.width(), car.top() + 0.22 * car.height()}, 10,
               QColor(80, 55, 40));
    // smoke and flames at the front
    for (int i = 0; i < 6; ++i)
        fillCircle(p, {345.0 + i * 12, 150.0 - i * 22}, 22.0 + i * 5, QColor(70, 70, 75, 150));
    const QColor fire(250, 120, 20), core(255, 210, 60);
    fillPoly(p, {{330, 232}, {350, 180}, {360, 212}, {375, 160}, {388, 210}, {400, 232}}, fire);
    fillPoly(p, {{345, 232}, {358, 200}, {368, 220}, {378, 192}, {390, 232}}, core);
}

// After a small collision: two cars, the second touching the back of the first, and their
// drivers standing beside them, one handing the other a card.
void collision(QPainter& p) {
    verge(p);
    carSide(p, QRectF(250, 160, 200, 96), {QColor(200, 60, 40), QColor(170, 200, 225)});
    carSide(p, QRectF(50, 166, 204, 92), {QColor(60, 110, 60), QColor(170, 200, 225)});
    fillPoly(p, {{246, 206}, {262, 200}, {258, 218}}, QColor(40, 40, 40)); // the dent
    // the two drivers on the verge in front of the cars, one handing the other a card
    const QColor jacketA(60, 90, 150), jacketB(150, 120, 60);
    for (const auto& [x, c] : {std::pair{190.0, jacketA}, std::pair{300.0, jacketB}}) {
        strokeLine(p, {x - 6, 250}, {x - 8, 310}, jeans, 12);
        strokeLine(p, {x + 6, 250}, {x + 8, 310}, jeans, 12);
        fillRect(p, QRectF(x - 18, 186, 36, 70), c, 10);
        fillCircle(p, {x, 168}, 16, skin);
    }
    strokeLine(p, {206, 196}, {238, 214}, jacketA, 10);
    strokeLine(p, {284, 196}, {254, 216}, jacketB, 10);
    fillRect(p, QRectF(234, 204, 26, 18), Qt::white, 2);
    fillRect(p, QRectF(238, 209, 18, 2), QColor(90, 90, 110));
    fillRect(p, QRectF(238, 214, 14, 2), QColor(90, 90, 110));
    strokeLine(p, {174, 196}, {170, 244}, jacketA, 10);
    strokeLine(p, {316, 196}, {320, 244}, jacketB, 10);
}

// A car with a light box trailer, from the side.
void trailer(QPainter& p) {
    verge(p);
    const QRectF car(220, 180, 240, 120);
    carSide(p, car, {QColor(60, 90, 160), QColor(170, 200, 225)});
    const QRectF box(40, 206, 150, 62);
    fillRect(p, box, QColor(170, 175, 180), 4);
    fillRect(p, box.adjusted(0, 0, 0, -box.height() + 8), QColor(120, 125, 130));
    strokeLine(p, {box.right(), 258}, {car.left() + 8, 262}, QColor(50, 50, 55), 6);
    fillCircle(p, {115, 280}, 20, QColor(30, 30, 30));
    fillCircle(p, {115, 280}, 8, QColor(170, 170, 175));
    fillRect(p, QRectF(40, 258, 10, 8), QColor(220, 30, 30), 2);
}

// A car seen from above with its roof cut away: five seats and six people in them, two in the
// front and four squeezed onto the back seat.
void passengers(QPainter& p) {
    backdrop(p, QColor(110, 110, 115), QColor(90, 90, 95));
    const QRectF body(60, 70, 360, 220);
    fillRect(p, body, QColor(40, 90, 170), 70);
    fillRect(p, body.adjusted(40, 18, -80, -18), QColor(70, 70, 78), 30);
    fillRect(p, QRectF(330, 96, 40, 168), QColor(160, 190, 215), 14); // windscreen
    const QColor seat(110, 110, 120);
    for (const qreal y : {110.0, 200.0})
        fillRect(p, QRectF(250, y, 60, 52), seat, 10);
    fillRect(p, QRectF(120, 100, 70, 160), seat, 12);
    const QColor heads[] = {QColor(90, 60, 40),  QColor(200, 160, 80), QColor(60, 40, 30),
                            QColor(150, 90, 50), QColor(30, 30, 30),   QColor(180, 120, 60)};
    const QPointF at[] = {{272, 136}, {272, 226}, {150, 112}, {150, 152}, {150, 198}, {150, 244}};
    for (int i = 0; i < 6; ++i) {
        fillCircle(p, at[i] + QPointF(10, 0), 20,
                   i < 2 ? shirt : QColor::fromHsv(i * 50, 120, 190));
        fillCircle(p, at[i], 14, heads[i]);
    }
}

// The driver's view over the dashboard, the steering wheel in front; a phone either held in the
// hand on the wheel or sitting in a holder on the dashboard with a hands-free set.
void phoneAtWheel(QPainter& p, bool inHand) {
    RoadScene s;
    s.road = QStringLiteral("town");
    paintRoad(p, s);
    fillRect(p, QRectF(-10, 268, 500, 110), QColor(45, 45, 50), 20);
    p.setPen(QPen(QColor(25, 25, 28), 22));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(180, 380), 130, 110);
    fillRect(p, QRectF(150, 330, 60, 40), QColor(25, 25, 28), 10);
    const QRectF phone = inHand ? QRectF(300, 200, 50, 92) : QRectF(380, 210, 50, 90);
    if (inHand) {
        // the right hand off the wheel, holding the phone up to look at it
        strokeLine(p, {330, 360}, {322, 300}, QColor(60, 100, 170), 26);
        fillRect(p, QRectF(300, 262, 50, 44), skin, 14);
    } else {
        // a holder clipped to the air vent; both hands stay on the wheel
        fillRect(p, QRectF(394, 296, 22, 16), QColor(20, 20, 20), 3);
        fillRect(p, phone.adjusted(-4, -4, 4, 4), QColor(20, 20, 20), 10);
        for (const qreal x : {62.0, 298.0})
            fillRect(p, QRectF(x - 20, 300, 40, 34), skin, 14);
    }
    fillRect(p, phone, QColor(30, 30, 34), 8);
    fillRect(p, phone.adjusted(4, 8, -4, -10), QColor(70, 130, 190), 3);
    fillCircle(p, {phone.center().x(), phone.center().y() - 6}, 9, QColor(90, 200, 110));
    if (inHand)
        fillRect(p, QRectF(296, 266, 14, 30), skin, 7); // the thumb over the screen
}

// A parked car's door swung open into the lane, and a cyclist coming up from behind it.
void doorOpening(QPainter& p) {
    RoadScene s;
    s.road = QStringLiteral("town");
    Actor parked = actor(Actor::Car, 0.9, 11);
    parked.colour = QColor(200, 160, 40);
    s.actors = {parked};
    paintRoad(p, s);
    Projector pr;
    // the driver's door, hinged at its front edge, its rear edge out in the lane
    const qreal hx = 0.9 - 0.85, hz = 12.6;
    QPolygonF door{pr.at(hx, 0.35, hz), pr.at(hx, 1.25, hz), pr.at(hx - 0.8, 1.25, hz - 0.6),
                   pr.at(hx - 0.8, 0.35, hz - 0.6)};
    p.setPen(QPen(QColor(120, 90, 20), 1.5));
    p.setBrush(QColor(200, 160, 40));
    p.drawPolygon(door);
    QPolygonF pane{pr.at(hx, 0.9, hz), pr.at(hx, 1.22, hz), pr.at(hx - 0.75, 1.22, hz - 0.56),
                   pr.at(hx - 0.75, 0.9, hz - 0.56)};
    p.setBrush(QColor(170, 200, 225));
    p.drawPolygon(pane);
    p.setPen(Qt::NoPen);
    Actor bike = actor(Actor::Cyclist, -1.6, 7.0);
    bike.colour = QColor(40, 150, 90);
    paintActor(p, pr, bike, false);
}

// A car from above with its roof cut away, its front at the top: the driver on the left front
// seat at the wheel, the back seat below. Children sit on the back seat: in a child seat (a blue
// shell round them) or on the seat with the belt across.
void backSeat(QPainter& p, bool threeChildren) {
    backdrop(p, QColor(110, 110, 115), QColor(90, 90, 95));
    const QRectF body(120, 14, 240, 332);
    fillRect(p, body, QColor(200, 200, 205), 60);
    fillRect(p, body.adjusted(18, 40, -18, -40), QColor(70, 70, 78), 24);
    fillRect(p, QRectF(146, 40, 188, 34), QColor(160, 190, 215), 12); // windscreen
    const QColor seat(110, 110, 120);
    fillRect(p, QRectF(156, 96, 66, 70), seat, 10);
    fillRect(p, QRectF(258, 96, 66, 70), seat, 10);
    fillRect(p, QRectF(150, 206, 180, 86), seat, 12);
    // the driver with the wheel
    p.setPen(QPen(QColor(25, 25, 28), 6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(166, 78, 46, 26), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    fillCircle(p, {189, 128}, 20, shirt);
    fillCircle(p, {189, 128}, 13, QColor(90, 60, 40));
    const auto childSeat = [&](qreal x) {
        fillRect(p, QRectF(x - 26, 212, 52, 66), QColor(40, 110, 190), 14);
        fillRect(p, QRectF(x - 18, 222, 36, 48), QColor(20, 60, 120), 10);
        fillCircle(p, {x, 238}, 11, QColor(200, 160, 90));
    };
    childSeat(180); // behind the driver
    if (threeChildren) {
        childSeat(240);
        // the tallest child in the third place, the adult belt across the chest
        fillCircle(p, {300, 246}, 18, QColor(220, 120, 60));
        fillCircle(p, {300, 240}, 12, QColor(60, 40, 30));
        strokeLine(p, {318, 222}, {286, 270}, QColor(20, 20, 20), 5);
    }
}

RoadScene roadWith(std::initializer_list<Actor> actors, const QString& road = "two") {
    RoadScene s;
    s.road = road;
    s.actors = actors;
    return s;
}

void card(QPainter& p, const QRectF& r, const QColor& c, const QString& title) {
    fillRect(p, r.translated(4, 5), QColor(0, 0, 0, 60), 10);
    fillRect(p, r, c, 10);
    fillRect(p, QRectF(r.left() + 12, r.top() + 40, r.width() * 0.3, r.height() * 0.55),
             QColor(200, 205, 215), 4);
    text(p, QRectF(r.left() + 10, r.top() + 10, r.width() - 20, 22), title, QColor(30, 30, 60));
    for (int i = 0; i < 4; ++i)
        fillRect(p, QRectF(r.left() + r.width() * 0.4, r.top() + 48 + i * 18, r.width() * 0.5, 6),
                 QColor(90, 90, 110));
}

} // namespace

void paintFixedScene(QPainter& p, const QString& name) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (name == u"triangle" || name == u"triangle-motorway") {
        const bool mw = name == u"triangle-motorway";
        Actor car = actor(Actor::Car, mw ? 3.2 : 0.6, 38);
        car.hazard = true;
        car.colour = QColor(120, 120, 130);
        Actor tri = actor(Actor::Triangle, mw ? 3.2 : 0.6, mw ? 9 : 12);
        paintRoad(p, roadWith({car, tri}, mw ? QStringLiteral("motorway") : QStringLiteral("two")));
    } else if (name == u"accident" || name.startsWith(u"towing") || name == u"load") {
        RoadScene s = roadWith({});
        if (name == u"towing-town")
            s.road = QStringLiteral("town"); // towing through a built-up area
        if (name == u"accident") {
            Actor a = actor(Actor::Car, -1.0, 16, Actor::Left);
            Actor b = actor(Actor::Car, 0.8, 19, Actor::Towards);
            b.colour = QColor(200, 60, 40);
            b.hazard = true;
            s.actors = {b, a};
        } else if (name.startsWith(u"towing")) {
            // following the pair on a bend, so that the towing car (low beams on) shows beside
            // the towed one; the towed car and the rope are drawn after the road
            Actor towing = actor(Actor::Car, 0.6, 19.5);
            towing.lights = true;
            s.bend = 1.0;
            s.actors = {towing};
        } else {
            s.actors = {actor(Actor::Car, 0, 7.5)};
        }
        paintRoad(p, s);
        Projector pr;
        pr.bend = s.bend;
        if (name == u"accident") {
            lying(p, {150, 300}, false);
        } else if (name.startsWith(u"towing")) {
            // the tow rope from the towed car's front to the towing car's hook, a red and white
            // flag in its middle, then the towed car over its near end
            const QPointF hook = pr.at(0.6, 0.45, 19.5), front = pr.at(0.2, 0.45, 14.2);
            strokeLine(p, front, hook, QColor(40, 40, 40), 2.5);
            const QPointF mid = (front + hook) / 2 + QPointF(0, 3);
            strokeLine(p, (front + hook) / 2, mid, QColor(40, 40, 40), 2);
            const qreal f = pr.scale(16) * 0.35;
            fillRect(p, QRectF(mid.x() - f / 2, mid.y(), f / 2, f * 0.7), QColor(220, 20, 30));
            fillRect(p, QRectF(mid.x(), mid.y(), f / 2, f * 0.7), Qt::white);
            Actor towed = actor(Actor::Car, -0.2, 10);
            towed.colour = QColor(150, 150, 60);
            paintActor(p, pr, towed, false);
            // the warning triangle at the back of the towed car, on its left
            const QPointF top = pr.at(-0.75, 1.2, 10), left = pr.at(-0.98, 0.82, 10),
                          right = pr.at(-0.52, 0.82, 10);
            fillPoly(p, {top, right, left}, QColor(230, 20, 20));
            const QPointF c = (top + left + right) / 3;
            fillPoly(p, {c + (top - c) * 0.5, c + (right - c) * 0.5, c + (left - c) * 0.5},
                     QColor(150, 150, 60));
        } else {
            // a load sticking out 1.8 m behind the boot, its end marked with a board of red and
            // white stripes
            const QColor wood(170, 120, 60);
            fillPoly(p,
                     {pr.at(-0.3, 0.95, 7.5), pr.at(0.3, 0.95, 7.5), pr.at(0.3, 0.95, 5.7),
                      pr.at(-0.3, 0.95, 5.7)},
                     wood.lighter(115));
            fillRect(p, QRectF(pr.at(-0.3, 0.95, 5.7), pr.at(0.3, 0.75, 5.7)), wood);
            const QRectF board(pr.at(-0.25, 1.2, 5.65), pr.at(0.25, 0.7, 5.65));
            p.save();
            p.setClipRect(board);
            fillRect(p, board, Qt::white);
            for (qreal x = board.left() - board.height(); x < board.right();
                 x += board.width() / 2.5)
                fillPoly(p,
                         {QPointF(x, board.bottom()),
                          QPointF(x + board.width() / 5, board.bottom()),
                          QPointF(x + board.width() / 5 + board.height(), board.top()),
                          QPointF(x + board.height(), board.top())},
                         QColor(220, 20, 30));
            p.restore();
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(board);
        }
    } else if (name == u"recovery-position" || name == u"helmet") {
        backdrop(p, QColor(140, 190, 230), QColor(110, 160, 90));
        p.fillRect(QRectF(0, 200, 480, 160), QColor(100, 150, 80));
        lying(p, {110, 260}, name == u"recovery-position");
        if (name == u"helmet") {
            fillCircle(p, {110, 260}, 26, QColor(30, 30, 30));
            fillRect(p, QRectF(92, 250, 20, 18), QColor(90, 130, 170), 4);
            motorcycleSide(p, QRectF(300, 130, 140, 90),
                           {QColor(40, 40, 40), QColor(150, 190, 230)});
        }
    } else if (name == u"cpr") {
        compressions(p);
    } else if (name == u"aed") {
        defibrillator(p);
    } else if (name == u"choking") {
        choking(p);
    } else if (name == u"shock") {
        shock(p);
    } else if (name == u"fracture") {
        fracture(p);
    } else if (name == u"breathing-check") {
        breathingCheck(p);
    } else if (name == u"emergency-call") {
        emergencyCall(p);
    } else if (name == u"car-fire") {
        carFire(p);
    } else if (name == u"collision") {
        collision(p);
    } else if (name == u"trailer") {
        trailer(p);
    } else if (name == u"passengers") {
        passengers(p);
    } else if (name == u"phone-hand" || name == u"phone-holder") {
        phoneAtWheel(p, name == u"phone-hand");
    } else if (name == u"door-opening") {
        doorOpening(p);
    } else if (name == u"back-seat-child" || name == u"back-seat-three") {
        backSeat(p, name == u"back-seat-three");
    } else if (name == u"bleeding") {
        backdrop(p, QColor(230, 230, 225), QColor(190, 190, 185));
        lying(p, {100, 270}, false);
        kneeling(p, {300, 230}, QColor(200, 60, 40));
        {
            strokeLine(p, {285, 140}, {220, 210}, skin, 14);
            fillRect(p, QRectF(195, 200, 40, 22), Qt::white, 4);
            fillCircle(p, {245, 226}, 6, QColor(190, 20, 20));
        }
    } else if (name == u"burn") {
        backdrop(p, QColor(200, 220, 235), QColor(160, 180, 195));
        fillRect(p, QRectF(170, 40, 140, 30), QColor(190, 190, 200), 8);
        fillRect(p, QRectF(225, 60, 30, 40), QColor(190, 190, 200), 4);
        for (int i = 0; i < 8; ++i)
            strokeLine(p, {232.0 + i * 2.5, 100}, {230.0 + i * 3, 220}, QColor(90, 150, 230, 170),
                       2);
        fillRect(p, QRectF(180, 170, 150, 60), skin, 28);
        fillRect(p, QRectF(300, 180, 180, 50), shirt, 10);
    } else if (name.startsWith(u"child-seat") || name == u"seat-belts") {
        backdrop(p, QColor(70, 70, 75), QColor(40, 40, 45));
        for (int side : {0, 1}) {
            const qreal x = 90 + side * 180;
            fillRect(p, QRectF(x, 60, 120, 200), QColor(90, 90, 100), 30);
            fillRect(p, QRectF(x + 30, 30, 60, 45), QColor(100, 100, 110), 14);
            if (name == u"seat-belts") {
                fillCircle(p, {x + 60, 95}, 24, skin);
                fillRect(p, QRectF(x + 25, 120, 70, 110), shirt, 16);
                strokeLine(p, {x + 95, 110}, {x + 35, 225}, QColor(30, 30, 30), 9);
            } else if (side == 1) {
                fillRect(p, QRectF(x + 10, 120, 100, 110), QColor(60, 140, 200), 26);
                fillCircle(p, {x + 60, 150}, 20, skin);
            }
        }
        if (name.contains(u"-airbag-")) {
            // the passenger airbag lamp on the dashboard: which of ON and OFF is lit
            const bool on = name.endsWith(u"-on");
            fillRect(p, QRectF(170, 270, 140, 70), QColor(20, 20, 22), 8);
            text(p, QRectF(178, 276, 124, 16), QStringLiteral("PASSENGER AIRBAG"),
                 QColor(200, 200, 200), 0.5);
            const QColor lit(255, 170, 30), dark(70, 60, 50);
            text(p, QRectF(186, 302, 44, 26), QStringLiteral("ON"), on ? lit : dark);
            text(p, QRectF(246, 302, 50, 26), QStringLiteral("OFF"), on ? dark : lit);
        }
    } else if (name == u"mirror") {
        RoadScene s = roadWith({actor(Actor::Car, 0, 20)});
        paintRoad(p, s);
        fillRect(p, QRectF(10, 170, 120, 80), QColor(30, 30, 30), 14);
        fillRect(p, QRectF(16, 176, 108, 68), QColor(150, 175, 200), 10);
        carFront(p, QRectF(70, 200, 44, 34), {QColor(40, 90, 170), QColor(120, 140, 160)});
    } else if (name == u"tyre") {
        backdrop(p, QColor(60, 60, 60), QColor(30, 30, 30));
        fillRect(p, QRectF(60, 60, 360, 240), QColor(35, 35, 38), 20);
        for (int i = 0; i < 6; ++i)
            fillRect(p, QRectF(80 + i * 56, 70, 26, 220), QColor(15, 15, 16), 6);
        fillRect(p, QRectF(150, 140, 230, 40), QColor(230, 210, 80), 4);
        for (int i = 0; i <= 20; ++i)
            strokeLine(p, {155.0 + i * 11, 140}, {155.0 + i * 11, i % 5 ? 150.0 : 158.0}, Qt::black,
                       1.5);
        text(p, QRectF(160, 160, 210, 16), QStringLiteral("0   1   2   3   4 mm"), Qt::black);
    } else if (name == u"documents") {
        backdrop(p, QColor(160, 120, 80), QColor(120, 85, 55));
        card(p, QRectF(40, 80, 190, 120), QColor(240, 200, 210), QStringLiteral("PRAWO JAZDY"));
        card(p, QRectF(250, 130, 200, 130), QColor(200, 220, 200),
             QStringLiteral("DOWÓD REJESTRACYJNY"));
    } else if (name == u"alcohol") {
        backdrop(p, QColor(120, 90, 70), QColor(80, 60, 45));
        fillRect(p, QRectF(150, 90, 90, 190), QColor(240, 170, 40, 220), 10);
        fillRect(p, QRectF(150, 80, 90, 30), QColor(250, 250, 240), 12);
        strokeLine(p, {240, 140}, {270, 170}, QColor(220, 220, 220), 10);
        fillRect(p, QRectF(300, 230, 70, 28), QColor(30, 30, 30), 10);
        strokeLine(p, {370, 244}, {420, 244}, QColor(190, 190, 200), 8);
    } else if (name == u"fuel-station") {
        backdrop(p, QColor(170, 200, 230), QColor(150, 150, 150));
        fillRect(p, QRectF(0, 40, 480, 30), QColor(220, 40, 40));
        fillRect(p, QRectF(60, 120, 70, 170), QColor(240, 240, 240), 8);
        fillRect(p, QRectF(70, 135, 50, 30), QColor(40, 60, 80), 4);
        carSide(p, QRectF(170, 180, 260, 120), {QColor(40, 90, 170), QColor(150, 180, 210)});
        strokeLine(p, {130, 200}, {190, 230}, QColor(30, 30, 30), 5);
    } else if (name == u"eco") {
        backdrop(p, QColor(40, 40, 45), QColor(15, 15, 18));
        fillCircle(p, {170, 180}, 110, QColor(20, 20, 25));
        for (int i = 0; i <= 7; ++i) {
            const qreal a = (225 - i * 38.6) * M_PI / 180;
            const QPointF c(170, 180);
            strokeLine(p, c + QPointF(std::cos(a), -std::sin(a)) * 85,
                       c + QPointF(std::cos(a), -std::sin(a)) * 100, i >= 6 ? Qt::red : Qt::white,
                       3);
        }
        const qreal a = (225 - 1.8 * 38.6) * M_PI / 180;
        strokeLine(p, {170, 180}, QPointF(170, 180) + QPointF(std::cos(a), -std::sin(a)) * 90,
                   QColor(255, 90, 40), 4);
        text(p, QRectF(130, 230, 80, 20), QStringLiteral("x1000/min"), Qt::white, 0.4);
        fillRect(p, QRectF(370, 200, 14, 120), QColor(70, 70, 75));
        fillCircle(p, {377, 190}, 26, QColor(25, 25, 28));
        text(p, QRectF(360, 180, 34, 20), QStringLiteral("5"), Qt::white);
    }
    p.restore();
}

QImage renderPicture(const media::Item& item) {
    QImage img(480, 360, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    if (item.kind == u"dash")
        paintDash(p, item.body);
    else if (item.kind == u"scene" && media::fixedSceneNames().contains(item.body))
        paintFixedScene(p, item.body);
    else if (item.kind == u"scene" && item.body != u"road")
        paintPlan(p, planScene(item));
    else
        paintRoad(p, roadScene(item));
    return img;
}

bool writeFixedPictures(const QString& folder) {
    QDir().mkpath(folder);
    bool ok = true;
    const auto save = [&](const QImage& img, const QString& name) {
        ok = img.save(QDir(folder).filePath(name), nullptr, name.endsWith(u".jpg") ? 88 : -1) && ok;
    };
    const auto board = [&](const QColor& c, const QString& line) {
        QImage img(480, 360, QImage::Format_RGB32);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        RoadScene s;
        paintRoad(p, s);
        p.fillRect(QRectF(0, 0, 480, 360), QColor(c.red(), c.green(), c.blue(), 150));
        if (!line.isEmpty())
            text(p, QRectF(40, 150, 400, 50), line, Qt::white);
        return img;
    };
    save(board(QColor(225, 232, 240), QStringLiteral("Wirtal")), QStringLiteral("empty.jpg"));
    save(board(QColor(120, 130, 150), QString()), QStringLiteral("empty2.jpg"));
    // The result of a test: the calm road, lightly veiled, under a card with a tick or a cross.
    const auto result = [&](bool passed) {
        QImage img = board(QColor(235, 240, 245), QString());
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor c = passed ? QColor(30, 140, 70) : QColor(190, 40, 40);
        const QRectF card(50, 120, 380, 120);
        fillRect(p, card.translated(0, 4), QColor(0, 0, 0, 40), 20);
        fillRect(p, card, QColor(255, 255, 255, 235), 20);
        fillCircle(p, {110, 180}, 40, c);
        if (passed) {
            QPainterPath tick(QPointF(92, 181));
            tick.lineTo(106, 195);
            tick.lineTo(130, 165);
            strokePath(p, tick, Qt::white, 9);
        } else {
            strokeLine(p, {95, 165}, {125, 195}, Qt::white, 9);
            strokeLine(p, {125, 165}, {95, 195}, Qt::white, 9);
        }
        text(p, QRectF(170, 150, 230, 26), QStringLiteral("Wynik"), QColor(60, 70, 90), 0.5);
        text(p, QRectF(170, 184, 230, 30),
             passed ? QStringLiteral("pozytywny") : QStringLiteral("negatywny"), c);
        return img;
    };
    save(result(true), QStringLiteral("testkoniecok.jpg"));
    save(result(false), QStringLiteral("testkonieczle.jpg"));
    const std::pair<const char*, QColor> stars[] = {{"redstar.png", QColor(220, 30, 30)},
                                                    {"greenstar.png", QColor(30, 170, 60)},
                                                    {"greystar.png", QColor(160, 160, 160)}};
    for (const auto& [name, colour] : stars) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal r = i % 2 ? 3.2 : 7.6, a = -M_PI / 2 + i * M_PI / 5;
            star << QPointF(8 + r * std::cos(a), 8.4 + r * std::sin(a));
        }
        p.setPen(QPen(colour.darker(150), 0.8));
        p.setBrush(colour);
        p.drawPolygon(star);
        p.end();
        save(img, QLatin1String(name));
    }
    return ok;
}

} // namespace wirtal::art
