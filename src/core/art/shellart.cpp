// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/shellart.h"

#include "art/figures.h"
#include "art/palette.h"
#include "art/signpaint.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace wirtal::shellart {

namespace {

using art::canvas;
using art::palette::accent;
using art::palette::navy;
const QColor& paper = art::palette::cardPaper;

using Painter = void (*)(QPainter&, const QRectF&);

void questionCard(QPainter& p, const QRectF& r) {
    const QRectF card = r.adjusted(r.width() * 0.14, r.height() * 0.06, -r.width() * 0.14, 0);
    art::fillRect(p, card, navy, r.width() * 0.1);
    art::fillRect(p, card.adjusted(3, 3, -3, -3), paper, r.width() * 0.08);
    art::text(p,
              card.adjusted(card.width() * 0.25, card.height() * 0.18, -card.width() * 0.25,
                            -card.height() * 0.18),
              QStringLiteral("?"), navy);
}

void stopwatch(QPainter& p, const QRectF& r) {
    const QPointF c(r.center().x(), r.center().y() + r.height() * 0.06);
    const qreal rad = r.height() * 0.4;
    art::fillRect(p, QRectF(c.x() - rad * 0.2, r.top(), rad * 0.4, rad * 0.3), navy, 2);
    art::fillCircle(p, c, rad, navy);
    art::fillCircle(p, c, rad * 0.8, paper);
    art::strokeLine(p, c, c + QPointF(0, -rad * 0.6), navy, rad * 0.14);
    art::strokeLine(p, c, c + QPointF(rad * 0.45, rad * 0.2), accent, rad * 0.14);
}

void paragraph(QPainter& p, const QRectF& r) {
    art::fillCircle(p, r.center(), r.height() * 0.46, navy);
    art::fillCircle(p, r.center(), r.height() * 0.38, paper);
    art::text(p,
              r.adjusted(r.width() * 0.3, r.height() * 0.22, -r.width() * 0.3, -r.height() * 0.22),
              QStringLiteral("§"), navy);
}

void carPicture(QPainter& p, const QRectF& r) {
    art::carSide(p, r.adjusted(0, r.height() * 0.2, 0, -r.height() * 0.12), {navy, paper});
}

void signPicture(QPainter& p, const QRectF& r) {
    art::paintSign(p, QPointF(r.center().x(), r.top() + r.height() * 0.08), r.height() * 0.9,
                   QStringLiteral("A-7"));
}

void swapArrows(QPainter& p, const QRectF& r) {
    const qreal y1 = r.top() + r.height() * 0.32, y2 = r.top() + r.height() * 0.68;
    const qreal l = r.left() + r.width() * 0.12, ri = r.right() - r.width() * 0.12;
    art::arrow(p, {{l, y1}, {ri, y1}}, navy, r.height() * 0.1, r.height() * 0.26);
    art::arrow(p, {{ri, y2}, {l, y2}}, accent, r.height() * 0.1, r.height() * 0.26);
}

void dots(QPainter& p, const QRectF& r) {
    for (int i = -1; i <= 1; ++i)
        art::fillCircle(p, r.center() + QPointF(i * r.width() * 0.26, 0), r.height() * 0.1, navy);
}

void chart(QPainter& p, const QRectF& r) {
    const QColor bars[] = {QColor(60, 150, 90), QColor(214, 120, 40), navy};
    const qreal heights[] = {0.45, 0.7, 0.9};
    for (int i = 0; i < 3; ++i) {
        const qreal w = r.width() * 0.2, x = r.left() + r.width() * (0.12 + i * 0.27);
        art::fillRect(p,
                      QRectF(x, r.bottom() - r.height() * heights[i], w, r.height() * heights[i]),
                      bars[i], 3);
    }
    art::fillRect(p, QRectF(r.left(), r.bottom() - 2, r.width(), 3), navy);
}

void download(QPainter& p, const QRectF& r) {
    art::fillCircle(p, r.center(), r.height() * 0.46, QColor(30, 120, 60));
    art::fillCircle(p, r.center(), r.height() * 0.38, paper);
    const qreal x = r.center().x();
    art::arrow(p, {{x, r.top() + r.height() * 0.22}, {x, r.bottom() - r.height() * 0.2}},
               QColor(30, 120, 60), r.height() * 0.1, r.height() * 0.26);
}

void info(QPainter& p, const QRectF& r) {
    art::fillCircle(p, r.center(), r.height() * 0.46, navy);
    art::text(p, r.adjusted(r.width() * 0.3, r.height() * 0.2, -r.width() * 0.3, -r.height() * 0.2),
              QStringLiteral("i"), paper);
}

// A spreadsheet with an arrow down into the program: importing the question catalogue.
void catalogueImport(QPainter& p, const QRectF& r) {
    const QRectF sheet(r.left() + r.width() * 0.06, r.top() + r.height() * 0.04, r.width() * 0.62,
                       r.height() * 0.72);
    art::fillRect(p, sheet, navy, r.width() * 0.06);
    const QRectF inner = sheet.adjusted(3, 3, -3, -3);
    art::fillRect(p, inner, paper, r.width() * 0.04);
    // the header row and the cells
    art::fillRect(p, QRectF(inner.left(), inner.top(), inner.width(), inner.height() * 0.2),
                  QColor(60, 150, 90), r.width() * 0.04);
    const qreal lw = qMax<qreal>(1, r.width() * 0.025);
    for (int i = 1; i <= 3; ++i) {
        const qreal y = inner.top() + inner.height() * (0.2 + i * 0.2);
        art::strokeLine(p, {inner.left(), y}, {inner.right(), y}, navy, lw);
    }
    const qreal x = inner.left() + inner.width() * 0.3;
    art::strokeLine(p, {x, inner.top()}, {x, inner.bottom()}, navy, lw);
    // the arrow into the program
    const qreal ax = r.left() + r.width() * 0.74;
    art::fillCircle(p, {ax, r.top() + r.height() * 0.7}, r.height() * 0.27, QColor(30, 120, 60));
    art::arrow(p, {{ax, r.top() + r.height() * 0.5}, {ax, r.top() + r.height() * 0.92}}, paper,
               r.height() * 0.08, r.height() * 0.2);
}

// A rising line of results reaching the flag of the pass mark: the learner's progress.
void progressLine(QPainter& p, const QRectF& r) {
    const qreal lw = qMax<qreal>(2, r.width() * 0.07);
    const qreal markY = r.top() + r.height() * 0.3;
    p.save();
    p.setPen(QPen(QColor(60, 150, 90), qMax<qreal>(1, r.width() * 0.03), Qt::DashLine));
    p.drawLine(QPointF(r.left(), markY), QPointF(r.right(), markY));
    p.restore();
    const QPointF points[] = {{r.left() + r.width() * 0.04, r.bottom() - r.height() * 0.1},
                              {r.left() + r.width() * 0.3, r.bottom() - r.height() * 0.35},
                              {r.left() + r.width() * 0.5, r.bottom() - r.height() * 0.28},
                              {r.left() + r.width() * 0.74, markY + r.height() * 0.02}};
    for (int i = 0; i + 1 < int(std::size(points)); ++i)
        art::strokeLine(p, points[i], points[i + 1], navy, lw);
    for (const QPointF& pt : points)
        art::fillCircle(p, pt, lw * 0.9, accent);
    // the flag on the pass mark
    const qreal fx = r.left() + r.width() * 0.84;
    art::strokeLine(p, {fx, r.top() + r.height() * 0.04}, {fx, markY + r.height() * 0.1}, navy,
                    qMax<qreal>(1.5, r.width() * 0.04));
    QPainterPath flag(QPointF(fx, r.top() + r.height() * 0.04));
    flag.lineTo(r.right(), r.top() + r.height() * 0.12);
    flag.lineTo(fx, r.top() + r.height() * 0.2);
    flag.closeSubpath();
    p.fillPath(flag, QColor(60, 150, 90));
}

constexpr Painter morePainters[] = {chart, download, info, catalogueImport, progressLine};

constexpr Painter menuPainters[] = {questionCard, stopwatch,  paragraph, carPicture,
                                    signPicture,  swapArrows, dots};

void trafficLight(QPainter& p, const QRectF& box) {
    art::fillRect(p, box, QColor(40, 42, 48), box.width() * 0.3);
    const QColor lamps[] = {QColor(225, 50, 45), QColor(245, 190, 40), QColor(50, 190, 95)};
    for (int i = 0; i < 3; ++i)
        art::fillCircle(p, {box.center().x(), box.top() + box.height() * (i * 2 + 1) / 6.0},
                        box.width() * 0.3, lamps[i]);
}

// A motorbike with its rider, heavier than the sign pictogram so that it reads at button size.
void motorbike(QPainter& p, const QRectF& box) {
    const auto at = [&](qreal fx, qreal fy) {
        return QPointF(box.left() + fx * box.width(), box.top() + fy * box.height());
    };
    const qreal h = box.height(), r = h * 0.21;
    for (const qreal fx : {0.2, 0.8}) {
        art::fillCircle(p, at(fx, 0.77), r, navy);
        art::fillCircle(p, at(fx, 0.77), r * 0.55, paper);
        art::fillCircle(p, at(fx, 0.77), r * 0.22, navy);
    }
    art::strokeLine(p, at(0.2, 0.77), at(0.34, 0.5), navy, h * 0.07);
    art::strokeLine(p, at(0.8, 0.77), at(0.68, 0.3), navy, h * 0.07);
    art::fillPoly(p, {at(0.3, 0.5), at(0.66, 0.42), at(0.62, 0.66), at(0.5, 0.74), at(0.36, 0.7)},
                  navy);
    art::fillRect(p, QRectF(at(0.18, 0.42), at(0.44, 0.5)), navy, h * 0.04);
    art::strokeLine(p, at(0.62, 0.28), at(0.74, 0.26), navy, h * 0.05);
    art::fillCircle(p, at(0.74, 0.4), h * 0.06, navy);
    // the rider in a helmet, leaning to the handlebar
    art::fillCircle(p, at(0.44, 0.1), h * 0.1, navy);
    art::strokeLine(p, at(0.42, 0.2), at(0.34, 0.42), navy, h * 0.12);
    art::strokeLine(p, at(0.42, 0.24), at(0.62, 0.3), navy, h * 0.06);
    art::strokeLine(p, at(0.36, 0.42), at(0.5, 0.5), navy, h * 0.08);
    art::strokeLine(p, at(0.5, 0.5), at(0.46, 0.68), navy, h * 0.07);
}

} // namespace

QPixmap categoryPicture(Vehicle vehicle, int width, int height, qreal ratio) {
    QPixmap pm = canvas(width, height, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const art::Ink ink{navy, paper};
    const QRectF all(0, 0, width, height);
    switch (vehicle) {
    case Vehicle::Motorcycle:
        motorbike(p, all.adjusted(width * 0.14, 0, -width * 0.14, 0));
        break;
    case Vehicle::Car:
        art::carSide(p, all.adjusted(width * 0.08, height * 0.15, -width * 0.08, 0), ink);
        break;
    case Vehicle::Truck:
        art::truckSide(p, all.adjusted(0, 0, 0, 0), ink);
        break;
    case Vehicle::Bus:
        art::busSide(p, all.adjusted(0, height * 0.05, 0, 0), ink);
        break;
    case Vehicle::Tram:
        art::tramSide(p, all.adjusted(width * 0.04, 0, -width * 0.04, 0), ink);
        break;
    case Vehicle::Tractor:
        art::tractorSide(p, all.adjusted(width * 0.12, 0, -width * 0.12, 0), ink);
        break;
    }
    return pm;
}

QPixmap leftMenuPicture(int entry, int size, qreal ratio) {
    QPixmap pm = canvas(size, size, ratio);
    if (entry < 0 || entry >= int(std::size(menuPainters)))
        return pm;
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    menuPainters[entry](p, QRectF(1, 1, size - 2, size - 2));
    return pm;
}

QPixmap morePicture(int entry, int size, qreal ratio) {
    QPixmap pm = canvas(size, size, ratio);
    if (entry < 0 || entry >= int(std::size(morePainters)))
        return pm;
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    morePainters[entry](p, QRectF(1, 1, size - 2, size - 2));
    return pm;
}

void paintAboutPicture(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRoundedRect(r, 14, 14);
    p.setClipPath(frame);
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(150, 190, 235));
    sky.setColorAt(0.6, QColor(225, 238, 250));
    p.fillRect(r, sky);
    const qreal horizon = r.top() + r.height() * 0.55;
    QPainterPath hills(QPointF(r.left(), r.bottom()));
    hills.lineTo(r.left(), horizon);
    hills.cubicTo(r.left() + r.width() * 0.3, horizon - 30, r.left() + r.width() * 0.6,
                  horizon + 12, r.right(), horizon - 16);
    hills.lineTo(r.right(), r.bottom());
    hills.closeSubpath();
    p.fillPath(hills, QColor(120, 175, 105));
    // the road from the bottom towards the hills on the right
    const QPointF far(r.left() + r.width() * 0.68, horizon - 2);
    QPainterPath road;
    road.moveTo(far + QPointF(-4, 0));
    road.lineTo(far + QPointF(4, 0));
    road.lineTo(r.right() - r.width() * 0.02, r.bottom());
    road.lineTo(r.left() + r.width() * 0.5, r.bottom());
    road.closeSubpath();
    p.fillPath(road, QColor(90, 94, 102));
    p.setPen(QPen(QColor(255, 255, 255, 220), 3, Qt::DashLine));
    p.drawLine(far, QPointF(r.left() + r.width() * 0.76, r.bottom()));
    // a traffic light and a sign beside the road, the sun over the hills
    art::fillCircle(p, {r.right() - 40, r.top() + 36}, 20, QColor(255, 214, 90));
    const qreal lx = r.left() + r.width() * 0.9;
    art::fillRect(p, QRectF(lx - 3, horizon - 30, 6, r.bottom() - horizon + 10),
                  QColor(70, 72, 78));
    trafficLight(p, QRectF(lx - 13, horizon - 92, 26, 66));
    const qreal sx = r.left() + r.width() * 0.42;
    art::fillRect(p, QRectF(sx - 2, horizon + 8, 4, 70), QColor(150, 150, 155));
    art::paintSign(p, QPointF(sx, horizon - 32), 44, QStringLiteral("A-7"));
    p.restore();
    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 14, 14);
}

QPixmap logoMark(int size, qreal ratio) {
    QPixmap pm = canvas(size, size, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size, size);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(70, 120, 190));
    g.setColorAt(1, navy);
    QPainterPath square;
    square.addRoundedRect(r.adjusted(1, 1, -1, -1), size * 0.2, size * 0.2);
    p.fillPath(square, g);
    // a road into the distance under the light
    QPainterPath road;
    road.moveTo(size * 0.46, size * 0.62);
    road.lineTo(size * 0.54, size * 0.62);
    road.lineTo(size * 0.86, size * 0.98);
    road.lineTo(size * 0.14, size * 0.98);
    road.closeSubpath();
    p.setClipPath(square);
    p.fillPath(road, QColor(255, 255, 255, 70));
    p.setClipping(false);
    trafficLight(p, QRectF(size * 0.36, size * 0.12, size * 0.28, size * 0.62));
    return pm;
}

QIcon appIcon() {
    QIcon icon;
    for (const int s : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(logoMark(s, 1.0));
    return icon;
}

void paintStartBackground(QPainter& p, const QRectF& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(rect, 18, 18);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1));
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawPath(card);
    p.setClipPath(card);
    // soft hills along the card's lower edge (the window's road runs on behind them)
    const qreal w = rect.width(), h = rect.height(), x = rect.left(), bottom = rect.bottom();
    const qreal horizon = bottom - h * 0.2;
    QPainterPath hills(QPointF(x, bottom));
    hills.lineTo(x, horizon + 10);
    hills.cubicTo(x + w * 0.25, horizon - 25, x + w * 0.5, horizon + 20, x + w * 0.75,
                  horizon - 10);
    hills.cubicTo(x + w * 0.87, horizon - 25, x + w, horizon, x + w, horizon);
    hills.lineTo(x + w, bottom);
    hills.closeSubpath();
    p.fillPath(hills, QColor(120, 170, 110, 55));
    p.restore();
}

} // namespace wirtal::shellart
