// SPDX-License-Identifier: GPL-3.0-or-later

// The five examination cars as calm diagrams: (a) the controls seen from the driver's seat,
// (b) the open engine bay seen from the front, (c) the driver's seat from the side; round
// numbered callouts 1-18 point at the controls as the cars' pages number them.

#include "art/figures.h"
#include "art/pages.h"

#include <QLinearGradient>

#include <cmath>

namespace wirtal::art {

namespace {

struct CarStyle {
    const char* name;
    QColor body;      // the paint around the engine bay
    QColor dash;      // the dashboard
    bool lightKnob;   // lights on a knob left of the wheel instead of the left stalk's end
    qreal clusterArc; // how round the instrument hood is
};

constexpr int carCount = 5;
const CarStyle styles[carCount] = {
    {"yaris", QColor(200, 45, 45), QColor(72, 74, 80), false, 0.5},
    {"clio", QColor(235, 185, 40), QColor(66, 66, 72), false, 0.35},
    {"grandepunto", QColor(45, 95, 175), QColor(60, 62, 70), false, 0.25},
    {"micra", QColor(120, 175, 90), QColor(78, 76, 74), false, 0.6},
    {"fabia", QColor(200, 205, 212), QColor(64, 68, 74), true, 0.3},
};

const QColor ink(30, 45, 70), panel(236, 241, 247), trim(40, 42, 46), metal(150, 152, 158);

// Where each callout points and where its number sits (a: default; b: cars with a light knob).
struct Callout {
    int number;
    QPointF target, label;
};
const Callout callouts[] = {
    {1, {66, 374}, {52, 262}},     {2, {150, 392}, {112, 560}},   {3, {104, 381}, {112, 262}},
    {4, {186, 399}, {178, 560}},   {5, {440, 398}, {470, 262}},   {6, {514, 384}, {560, 300}},
    {7, {300, 470}, {450, 650}},   {8, {620, 212}, {700, 150}},   {9, {640, 640}, {720, 600}},
    {10, {92, 540}, {60, 640}},    {11, {968, 190}, {1000, 110}}, {12, {1058, 285}, {1090, 330}},
    {13, {850, 150}, {820, 240}},  {14, {1056, 112}, {1096, 60}}, {15, {880, 652}, {830, 690}},
    {16, {1030, 418}, {960, 400}}, {17, {28, 300}, {28, 230}},    {18, {620, 352}, {700, 420}},
};
const Callout knobCallouts[] = {{1, {92, 250}, {60, 170}}, {3, {108, 265}, {150, 170}}};

void callout(QPainter& p, const Callout& c) {
    strokeLine(p, c.label, c.target, QColor(255, 255, 255, 200), 5);
    strokeLine(p, c.label, c.target, QColor(220, 60, 30), 2.5);
    fillCircle(p, c.target, 5, QColor(220, 60, 30));
    fillCircle(p, c.label, 20, QColor(220, 60, 30));
    fillCircle(p, c.label, 17, Qt::white);
    text(p, QRectF(c.label.x() - 12, c.label.y() - 9, 24, 18), QString::number(c.number),
         QColor(160, 30, 10));
}

void stalk(QPainter& p, QPointF root, QPointF tip, const QColor& c, bool rotaryEnd) {
    strokeLine(p, root, tip, c, 16);
    if (rotaryEnd) {
        const QPointF back = tip + (root - tip) * 0.28;
        strokeLine(p, tip, back, c.lighter(160), 20, Qt::FlatCap);
        strokeLine(p, back + (root - tip) * 0.03, back + (root - tip) * 0.1, QColor(250, 200, 60),
                   20, Qt::FlatCap);
        fillCircle(p, tip, 10, c.lighter(160));
    } else {
        fillCircle(p, tip, 10, c.lighter(130));
    }
}

void cockpit(QPainter& p, const CarStyle& s) {
    fillRect(p, QRectF(0, 0, 770, 720), panel, 18);
    // the windscreen with the interior mirror
    QLinearGradient sky(0, 20, 0, 180);
    sky.setColorAt(0, QColor(170, 205, 240));
    sky.setColorAt(1, QColor(225, 238, 250));
    QPainterPath glass;
    glass.moveTo(90, 20);
    glass.lineTo(680, 20);
    glass.lineTo(760, 185);
    glass.lineTo(10, 185);
    glass.closeSubpath();
    p.fillPath(glass, sky);
    fillRect(p, QRectF(0, 150, 770, 35), QColor(150, 185, 130, 120));
    strokeLine(p, {385, 20}, {385, 44}, trim, 8);
    fillRect(p, QRectF(325, 40, 120, 34), trim, 12);
    fillRect(p, QRectF(331, 46, 108, 22), QColor(190, 210, 230), 8);
    // the dashboard and the floor under it
    fillRect(p, QRectF(0, 470, 770, 250), QColor(52, 54, 58), 18);
    QPainterPath dash;
    dash.moveTo(0, 180);
    dash.cubicTo(250, 160, 520, 160, 770, 180);
    dash.lineTo(770, 470);
    dash.cubicTo(520, 500, 250, 500, 0, 470);
    dash.closeSubpath();
    QLinearGradient dg(0, 170, 0, 480);
    dg.setColorAt(0, s.dash.lighter(125));
    dg.setColorAt(1, s.dash);
    p.fillPath(dash, dg);
    // the driver's door with the mirror switch
    fillRect(p, QRectF(0, 190, 56, 530), s.dash.darker(115), 10);
    fillRect(p, QRectF(12, 284, 32, 32), trim, 6);
    fillCircle(p, {28, 300}, 9, metal);
    // the instrument hood with two dials
    fillRect(p, QRectF(190, 200, 220, 120), trim, 60 * s.clusterArc);
    for (const qreal x : {255.0, 345.0}) {
        fillCircle(p, {x, 262}, 42, QColor(15, 15, 18));
        for (int i = 0; i <= 8; ++i) {
            const qreal a = (225 - i * 33.75) * M_PI / 180;
            const QPointF d(std::cos(a), -std::sin(a));
            strokeLine(p, QPointF(x, 262) + d * 32, QPointF(x, 262) + d * 38, Qt::white, 2);
        }
        strokeLine(p, {x, 262}, QPointF(x - 20, 272), QColor(255, 110, 50), 3);
    }
    // the centre stack: hazard button, screen, climate panel; gear lever and handbrake below
    fillRect(p, QRectF(560, 190, 120, 290), s.dash.darker(120), 14);
    fillRect(p, QRectF(600, 194, 40, 36), trim, 6);
    fillPoly(p, {{620, 200}, {634, 224}, {606, 224}}, QColor(220, 40, 30));
    fillPoly(p, {{620, 209}, {627, 220}, {613, 220}}, trim);
    fillRect(p, QRectF(578, 245, 84, 60), QColor(25, 30, 40), 6);
    fillRect(p, QRectF(584, 251, 72, 48), QColor(60, 90, 120), 4);
    for (int i = 0; i < 3; ++i)
        fillCircle(p, {585.0 + i * 35, 352}, 14, metal);
    fillRect(p, QRectF(604, 376, 32, 20), trim, 4);
    strokeLine(p, {612, 386}, {628, 386}, QColor(250, 170, 40), 2);
    fillRect(p, QRectF(570, 480, 100, 240), QColor(45, 47, 50), 10);
    strokeLine(p, {620, 560}, {620, 510}, metal, 8);
    fillCircle(p, {620, 505}, 15, trim);
    strokeLine(p, {610, 690}, {655, 612}, trim, 20);
    strokeLine(p, {650, 620}, {660, 603}, metal, 20, Qt::FlatCap);
    // pedals and the bonnet release under the dashboard
    for (int i = 0; i < 3; ++i)
        fillRect(p, QRectF(215.0 + i * 70, 620, 44, i == 2 ? 70 : 44), QColor(30, 30, 32), 6);
    fillRect(p, QRectF(70, 528, 44, 24), trim, 6);
    fillPoly(p, {{78, 546}, {92, 533}, {106, 546}}, metal);
    // the stalks, then the wheel in front of them
    stalk(p, {250, 410}, {60, 372}, trim, !s.lightKnob);
    stalk(p, {350, 410}, {525, 380}, trim, false);
    QPainterPath rim;
    rim.addEllipse(QPointF(300, 470), 150, 150);
    rim.addEllipse(QPointF(300, 470), 126, 126);
    p.fillPath(rim, QColor(35, 36, 40));
    strokeLine(p, {174, 480}, {426, 480}, QColor(35, 36, 40), 26);
    strokeLine(p, {300, 480}, {300, 596}, QColor(35, 36, 40), 26);
    fillCircle(p, {300, 470}, 58, QColor(50, 52, 58));
    fillCircle(p, {300, 470}, 44, QColor(62, 64, 70));
    if (s.lightKnob) {
        fillCircle(p, {92, 250}, 30, trim);
        fillCircle(p, {92, 250}, 22, metal);
        strokeLine(p, {92, 234}, {92, 250}, trim, 5);
    }
}

void engineBay(QPainter& p, const CarStyle& s) {
    const QRectF area(790, 20, 320, 330);
    fillRect(p, area, panel, 18);
    // the raised bonnet at the back, the body around the bay, lamps and grille at the front
    fillRect(p, QRectF(805, 32, 290, 40), s.body, 10);
    fillRect(p, QRectF(800, 70, 300, 270), s.body, 30);
    fillRect(p, QRectF(815, 80, 270, 215), QColor(55, 57, 60), 16);
    fillRect(p, QRectF(820, 300, 60, 26), QColor(235, 240, 245), 8);
    fillRect(p, QRectF(1020, 300, 60, 26), QColor(235, 240, 245), 8);
    fillRect(p, QRectF(900, 302, 100, 22), QColor(30, 30, 32), 6);
    // the engine with the oil filler cap and the dipstick's ring
    fillRect(p, QRectF(890, 150, 120, 120), metal, 10);
    fillRect(p, QRectF(900, 160, 100, 30), metal.lighter(115), 6);
    fillCircle(p, {925, 178}, 12, QColor(25, 25, 25));
    strokeLine(p, {968, 200}, {968, 170}, QColor(250, 200, 30), 4);
    QPainterPath ring;
    ring.addEllipse(QPointF(968, 186), 10, 10);
    strokePath(p, ring, QColor(250, 200, 30), 5);
    // the coolant tank, the washer reservoir, the brake fluid reservoir and the battery
    fillRect(p, QRectF(826, 100, 48, 80), QColor(235, 235, 230, 230), 8);
    fillRect(p, QRectF(830, 140, 40, 36), QColor(240, 120, 160), 4);
    strokeLine(p, {826, 128}, {842, 128}, trim, 2);
    strokeLine(p, {826, 160}, {842, 160}, trim, 2);
    fillCircle(p, {850, 98}, 10, QColor(40, 40, 40));
    fillRect(p, QRectF(1032, 230, 50, 60), QColor(170, 210, 240), 8);
    fillCircle(p, {1058, 232}, 11, QColor(40, 110, 220));
    fillRect(p, QRectF(1036, 100, 40, 36), QColor(235, 230, 200), 6);
    fillCircle(p, {1056, 98}, 10, QColor(245, 200, 30));
    fillRect(p, QRectF(826, 210, 52, 44), QColor(25, 25, 28), 5);
    fillRect(p, QRectF(834, 204, 10, 6), QColor(200, 40, 40));
    fillRect(p, QRectF(860, 204, 10, 6), QColor(40, 40, 40));
}

void seat(QPainter& p) {
    const QRectF area(790, 370, 320, 340);
    fillRect(p, area, panel, 18);
    const QColor cloth(70, 80, 100);
    fillRect(p, QRectF(800, 676, 300, 16), QColor(120, 120, 125), 6);
    strokeLine(p, {880, 676}, {880, 650}, metal, 8);
    strokeLine(p, {1000, 676}, {1000, 650}, metal, 8);
    fillRect(p, QRectF(840, 600, 180, 48), cloth, 20);
    QPainterPath back;
    back.moveTo(990, 610);
    back.lineTo(1020, 450);
    back.cubicTo(1024, 432, 1062, 432, 1060, 452);
    back.lineTo(1040, 620);
    back.closeSubpath();
    fillPath(p, back, cloth);
    strokeLine(p, {1030, 440}, {1034, 420}, metal, 5);
    fillRect(p, QRectF(1008, 384, 56, 40), cloth.lighter(115), 14);
    strokeLine(p, {860, 656}, {905, 656}, trim, 7);
    fillCircle(p, {1015, 620}, 9, trim);
    // the belt from the pillar to the buckle
    fillRect(p, QRectF(1080, 390, 16, 280), QColor(170, 175, 182), 6);
    strokeLine(p, {1088, 420}, {980, 600}, QColor(30, 30, 34), 9);
    fillRect(p, QRectF(970, 596, 22, 16), QColor(200, 40, 40), 3);
}

} // namespace

QStringList carNames() {
    QStringList names;
    for (const CarStyle& s : styles)
        names << QLatin1String(s.name);
    return names;
}

QImage renderCar(const QString& name) {
    const CarStyle* style = nullptr;
    for (const CarStyle& s : styles)
        if (name == QLatin1String(s.name))
            style = &s;
    if (!style)
        return {};
    QImage img(1120, 720, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    cockpit(p, *style);
    engineBay(p, *style);
    seat(p);
    for (Callout c : callouts) {
        for (const Callout& k : knobCallouts)
            if (style->lightKnob && k.number == c.number)
                c = k;
        callout(p, c);
    }
    return img;
}

} // namespace wirtal::art
