// SPDX-License-Identifier: GPL-3.0-or-later

// Warning lights and controls: one lit icon, large, on a dashboard between two dials.

#include "art/dash.h"

#include "art/figures.h"

#include <QRadialGradient>

#include <cmath>
#include <map>

namespace wirtal::art {

namespace {

const QColor redLamp(235, 40, 30), amberLamp(255, 170, 0), greenLamp(40, 210, 80),
    blueLamp(40, 110, 255);

void rays(QPainter& p, qreal x, qreal y0, qreal dy, int n, const QColor& c, qreal slope) {
    for (int i = 0; i < n; ++i)
        strokeLine(p, {x, y0 + i * dy}, {x + 0.55, y0 + i * dy + slope}, c, 0.09);
}

void headlamp(QPainter& p, const QColor& c, bool facingRight) {
    p.save();
    if (!facingRight)
        p.scale(-1, 1);
    QPainterPath lamp(QPointF(-0.1, -0.55));
    lamp.cubicTo(QPointF(-0.75, -0.55), QPointF(-0.75, 0.55), QPointF(-0.1, 0.55));
    lamp.closeSubpath();
    strokePath(p, lamp, c, 0.1);
    p.restore();
}

void wavy(QPainter& p, qreal x, const QColor& c) {
    QPainterPath w(QPointF(x, -0.75));
    w.cubicTo(QPointF(x - 0.15, -0.3), QPointF(x + 0.15, 0.3), QPointF(x, 0.75));
    strokePath(p, w, c, 0.08);
}

void excl(QPainter& p, QPointF at, qreal k, const QColor& c) {
    fillRect(p, QRectF(at.x() - 0.05 * k, at.y() - 0.35 * k, 0.1 * k, 0.45 * k), c);
    fillCircle(p, {at.x(), at.y() + 0.25 * k}, 0.06 * k, c);
}

void brackets(QPainter& p, const QColor& c) {
    QPainterPath b;
    b.arcMoveTo(QRectF(-0.85, -0.85, 1.7, 1.7), 130);
    b.arcTo(QRectF(-0.85, -0.85, 1.7, 1.7), 130, 100);
    b.arcMoveTo(QRectF(-0.85, -0.85, 1.7, 1.7), -50);
    b.arcTo(QRectF(-0.85, -0.85, 1.7, 1.7), -50, 100);
    strokePath(p, b, c, 0.09);
}

// Each icon in a unit box, in its lamp colour; returns the colour used.
QColor icon(QPainter& p, const QString& name) {
    if (name == u"oil") {
        fillPoly(
            p,
            {{-0.8, 0.1}, {-0.4, -0.15}, {0.3, -0.15}, {0.8, -0.35}, {0.35, 0.35}, {-0.75, 0.35}},
            redLamp);
        fillCircle(p, {0.7, 0.15}, 0.08, redLamp);
        fillRect(p, QRectF(-0.3, -0.35, 0.3, 0.2), redLamp);
        return redLamp;
    }
    if (name == u"battery") {
        fillRect(p, QRectF(-0.75, -0.4, 1.5, 0.9), redLamp, 0.05);
        fillRect(p, QRectF(-0.55, -0.55, 0.25, 0.15), redLamp);
        fillRect(p, QRectF(0.3, -0.55, 0.25, 0.15), redLamp);
        text(p, QRectF(-0.6, -0.25, 0.5, 0.4), QStringLiteral("–"), Qt::black);
        text(p, QRectF(0.1, -0.25, 0.5, 0.4), QStringLiteral("+"), Qt::black);
        return redLamp;
    }
    if (name == u"brake" || name == u"abs" || name == u"brake-pads") {
        const QColor c = name == u"brake" ? redLamp : amberLamp;
        QPainterPath ring;
        ring.addEllipse(QPointF(0, 0), 0.55, 0.55);
        strokePath(p, ring, c, 0.1);
        brackets(p, c);
        if (name == u"brake")
            excl(p, {0, -0.05}, 1.2, c);
        else if (name == u"abs")
            text(p, QRectF(-0.38, -0.2, 0.76, 0.4), QStringLiteral("ABS"), c);
        else
            for (int i = 0; i < 4; ++i)
                fillRect(p, QRectF(-0.3 + i * 0.16, -0.05, 0.1, 0.1), c);
        return c;
    }
    if (name == u"airbag" || name == u"seat-belt") {
        fillCircle(p, {-0.2, -0.6}, 0.15, redLamp);
        fillPoly(p, {{-0.4, -0.4}, {0.0, -0.4}, {0.1, 0.2}, {0.5, 0.3}, {0.5, 0.5}, {-0.3, 0.45}},
                 redLamp);
        if (name == u"airbag")
            fillCircle(p, {0.45, -0.25}, 0.3, redLamp);
        else
            strokeLine(p, {-0.35, -0.45}, {0.15, 0.25}, Qt::black, 0.08);
        return redLamp;
    }
    if (name == u"engine") {
        fillPoly(p,
                 {{-0.7, -0.3},
                  {0.4, -0.3},
                  {0.55, -0.1},
                  {0.8, -0.1},
                  {0.8, 0.4},
                  {0.55, 0.4},
                  {0.4, 0.55},
                  {-0.5, 0.55},
                  {-0.7, 0.3}},
                 amberLamp);
        fillRect(p, QRectF(-0.35, -0.5, 0.5, 0.2), amberLamp);
        return amberLamp;
    }
    if (name == u"coolant") {
        fillRect(p, QRectF(-0.07, -0.75, 0.14, 0.9), redLamp);
        fillCircle(p, {0, 0.25}, 0.18, redLamp);
        for (int i = 0; i < 3; ++i)
            fillRect(p, QRectF(0.1, -0.6 + i * 0.2, 0.25, 0.06), redLamp);
        for (int i = 0; i < 2; ++i) {
            QPainterPath w(QPointF(-0.8, 0.45 + i * 0.2));
            w.quadTo(QPointF(-0.4, 0.3 + i * 0.2), QPointF(0, 0.45 + i * 0.2));
            w.quadTo(QPointF(0.4, 0.6 + i * 0.2), QPointF(0.8, 0.45 + i * 0.2));
            strokePath(p, w, redLamp, 0.07);
        }
        return redLamp;
    }
    if (name == u"low-beam" || name == u"high-beam" || name == u"front-fog") {
        const QColor c = name == u"high-beam" ? blueLamp : greenLamp;
        p.save();
        p.translate(0.3, 0);
        headlamp(p, c, true);
        p.restore();
        p.save();
        p.translate(-0.35, 0);
        p.scale(-1, 1);
        rays(p, -0.25, -0.45, 0.3, 4, c, name == u"high-beam" ? 0.0 : 0.2);
        p.restore();
        if (name == u"front-fog")
            wavy(p, -0.35, c);
        return c;
    }
    if (name == u"rear-fog") {
        p.save();
        p.translate(-0.3, 0);
        headlamp(p, amberLamp, false);
        p.restore();
        rays(p, 0.0, -0.45, 0.3, 4, amberLamp, 0.0);
        wavy(p, 0.28, amberLamp);
        return amberLamp;
    }
    if (name == u"parking-lights") {
        for (int side : {-1, 1}) {
            p.save();
            p.translate(side * 0.35, 0);
            p.scale(0.5, 0.5);
            headlamp(p, greenLamp, side > 0);
            p.restore();
            for (int i = 0; i < 3; ++i)
                strokeLine(p, {side * 0.55, -0.25 + i * 0.25}, {side * 0.85, -0.3 + i * 0.3},
                           greenLamp, 0.07);
        }
        return greenLamp;
    }
    if (name == u"hazard") {
        QPainterPath t;
        t.moveTo(0, -0.75);
        t.lineTo(0.8, 0.6);
        t.lineTo(-0.8, 0.6);
        t.closeSubpath();
        strokePath(p, t, redLamp, 0.14);
        strokePath(p, QTransform().scale(0.5, 0.5).translate(0, 0.15).map(t), redLamp, 0.12);
        return redLamp;
    }
    if (name == u"indicator-left" || name == u"indicator-right") {
        p.save();
        if (name == u"indicator-left")
            p.scale(-1, 1);
        fillPoly(p,
                 {{0.85, 0},
                  {0.15, -0.6},
                  {0.15, -0.25},
                  {-0.7, -0.25},
                  {-0.7, 0.25},
                  {0.15, 0.25},
                  {0.15, 0.6}},
                 greenLamp);
        p.restore();
        return greenLamp;
    }
    if (name == u"tyre-pressure") {
        QPainterPath t(QPointF(-0.55, -0.55));
        t.quadTo(QPointF(-0.8, 0.0), QPointF(-0.55, 0.45));
        t.lineTo(0.55, 0.45);
        t.quadTo(QPointF(0.8, 0.0), QPointF(0.55, -0.55));
        strokePath(p, t, amberLamp, 0.1);
        for (qreal x = -0.5; x <= 0.5; x += 0.25)
            fillRect(p, QRectF(x - 0.04, 0.5, 0.08, 0.15), amberLamp);
        excl(p, {0, -0.05}, 1.0, amberLamp);
        return amberLamp;
    }
    if (name == u"esp") {
        carSide(p, QRectF(-0.6, -0.6, 1.2, 0.6), {amberLamp, Qt::black});
        for (int side : {-1, 1}) {
            QPainterPath s(QPointF(side * 0.35, 0.1));
            s.cubicTo(QPointF(side * 0.1, 0.35), QPointF(side * 0.6, 0.5),
                      QPointF(side * 0.35, 0.8));
            strokePath(p, s, amberLamp, 0.08);
        }
        return amberLamp;
    }
    if (name == u"glow-plug") {
        QPainterPath coil(QPointF(-0.7, -0.2));
        for (int i = 0; i < 4; ++i)
            coil.cubicTo(QPointF(-0.6 + i * 0.35, -0.7), QPointF(-0.4 + i * 0.35, 0.3),
                         QPointF(-0.35 + i * 0.35, -0.2));
        strokePath(p, coil, amberLamp, 0.1);
        strokeLine(p, {-0.7, -0.2}, {-0.7, 0.5}, amberLamp, 0.1);
        strokeLine(p, {0.7, -0.2}, {0.7, 0.5}, amberLamp, 0.1);
        return amberLamp;
    }
    if (name == u"fuel") {
        fillRect(p, QRectF(-0.5, -0.7, 0.65, 1.4), amberLamp, 0.06);
        fillRect(p, QRectF(-0.4, -0.55, 0.45, 0.35), Qt::black);
        strokeLine(p, {0.15, -0.35}, {0.5, -0.2}, amberLamp, 0.08);
        strokeLine(p, {0.5, -0.2}, {0.5, 0.4}, amberLamp, 0.08);
        return amberLamp;
    }
    if (name == u"door") {
        QPainterPath car;
        car.addRoundedRect(QRectF(-0.35, -0.75, 0.7, 1.5), 0.2, 0.2);
        strokePath(p, car, redLamp, 0.1);
        strokeLine(p, {0.35, -0.1}, {0.75, 0.25}, redLamp, 0.1);
        strokeLine(p, {-0.35, -0.1}, {-0.75, 0.25}, redLamp, 0.1);
        return redLamp;
    }
    if (name == u"washer") {
        QPainterPath glassPath(QPointF(-0.8, 0.3));
        glassPath.quadTo(QPointF(0, -0.2), QPointF(0.8, 0.3));
        glassPath.lineTo(0.7, 0.7);
        glassPath.quadTo(QPointF(0, 0.45), QPointF(-0.7, 0.7));
        glassPath.closeSubpath();
        strokePath(p, glassPath, amberLamp, 0.09);
        for (int i = -2; i <= 2; ++i)
            strokeLine(p, {i * 0.12, 0.35}, {i * 0.3, -0.6}, amberLamp, 0.06);
        return amberLamp;
    }
    if (name == u"power-steering") {
        QPainterPath wheel;
        wheel.addEllipse(QPointF(0, 0), 0.65, 0.65);
        strokePath(p, wheel, redLamp, 0.12);
        fillCircle(p, {0, 0}, 0.15, redLamp);
        strokeLine(p, {-0.6, 0}, {0.6, 0}, redLamp, 0.1);
        strokeLine(p, {0, 0}, {0, 0.6}, redLamp, 0.1);
        excl(p, {0.8, -0.5}, 0.8, redLamp);
        return redLamp;
    }
    return Qt::white;
}

void dial(QPainter& p, QPointF c, qreal r, qreal needle) {
    fillCircle(p, c, r, QColor(40, 40, 45));
    fillCircle(p, c, r * 0.92, QColor(15, 15, 18));
    for (int i = 0; i <= 10; ++i) {
        const qreal a = (225 - i * 27) * M_PI / 180;
        strokeLine(p, c + QPointF(std::cos(a), -std::sin(a)) * r * 0.78,
                   c + QPointF(std::cos(a), -std::sin(a)) * r * 0.88, Qt::white, 2);
    }
    const qreal a = (225 - needle * 270) * M_PI / 180;
    strokeLine(p, c, c + QPointF(std::cos(a), -std::sin(a)) * r * 0.75, QColor(255, 80, 40), 3);
    fillCircle(p, c, 5, QColor(120, 120, 120));
}

} // namespace

void paintDashIcon(QPainter& p, const QRectF& box, const QString& name) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    fillRect(p, box, QColor(10, 10, 12, 220), box.width() * 0.15);
    p.translate(box.center());
    p.scale(box.width() * 0.38, box.width() * 0.38);
    icon(p, name);
    p.restore();
}

void paintDash(QPainter& p, const QString& name) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 360);
    g.setColorAt(0, QColor(55, 55, 60));
    g.setColorAt(1, QColor(20, 20, 22));
    p.fillRect(QRectF(0, 0, 480, 360), g);
    fillRect(p, QRectF(20, 40, 440, 280), QColor(10, 10, 12), 40);
    dial(p, {110, 180}, 85, 0.35);
    dial(p, {370, 180}, 85, 0.15);
    fillRect(p, QRectF(185, 110, 110, 140), QColor(5, 5, 8), 12);
    p.translate(240, 180);
    p.scale(45, 45);
    const QColor c = icon(p, name);
    p.restore();
    QRadialGradient glow(QPointF(240, 180), 70);
    glow.setColorAt(0, QColor(c.red(), c.green(), c.blue(), 50));
    glow.setColorAt(1, QColor(c.red(), c.green(), c.blue(), 0));
    p.fillRect(QRectF(170, 110, 140, 140), glow);
}

} // namespace wirtal::art
