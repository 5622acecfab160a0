// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/figures.h"

#include <QFont>
#include <QLineF>
#include <QPolygonF>
#include <QTransform>

#include <cmath>

namespace wirtal::art {

namespace {
// A point of the box given as fractions of its width and height.
struct Frame {
    QRectF b;
    QPointF operator()(qreal fx, qreal fy) const {
        return {b.left() + fx * b.width(), b.top() + fy * b.height()};
    }
    QRectF rect(qreal fx, qreal fy, qreal fw, qreal fh) const {
        return {(*this)(fx, fy), QSizeF(fw * b.width(), fh * b.height())};
    }
    qreal w(qreal f) const { return f * b.width(); }
    qreal h(qreal f) const { return f * b.height(); }
};

void wheel(QPainter& p, QPointF c, qreal r, Ink ink) {
    fillCircle(p, c, r, ink.fg);
    fillCircle(p, c, r * 0.4, ink.bg);
}
} // namespace

void fillPoly(QPainter& p, std::initializer_list<QPointF> pts, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF(QList<QPointF>(pts)));
}

void fillPath(QPainter& p, const QPainterPath& path, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
}

void strokePath(QPainter& p, const QPainterPath& path, const QColor& c, qreal width,
                Qt::PenCapStyle cap) {
    p.setPen(QPen(c, width, Qt::SolidLine, cap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void strokeLine(QPainter& p, QPointF a, QPointF b, const QColor& c, qreal width,
                Qt::PenCapStyle cap) {
    p.setPen(QPen(c, width, Qt::SolidLine, cap));
    p.drawLine(a, b);
}

void fillCircle(QPainter& p, QPointF centre, qreal r, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(centre, r, r);
}

void fillRect(QPainter& p, const QRectF& r, const QColor& c, qreal radius) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    if (radius > 0)
        p.drawRoundedRect(r, radius, radius);
    else
        p.drawRect(r);
}

void arrow(QPainter& p, std::initializer_list<QPointF> pts, const QColor& c, qreal width,
           qreal head) {
    const QList<QPointF> v(pts);
    const QPointF tip = v.back();
    const QPointF from = v[v.size() - 2];
    const QLineF leg(from, tip);
    const qreal len = leg.length();
    const QPointF dir = (tip - from) / len;
    const QPointF normal(-dir.y(), dir.x());
    const QPointF base = tip - dir * head * 1.1;
    QPainterPath shaft(v.front());
    for (qsizetype i = 1; i + 1 < v.size(); ++i)
        shaft.lineTo(v[i]);
    shaft.lineTo(base + dir * 0.01);
    strokePath(p, shaft, c, width, Qt::FlatCap);
    fillPoly(p, {tip, base + normal * head * 0.9, base - normal * head * 0.9}, c);
}

void text(QPainter& p, const QRectF& box, const QString& s, const QColor& c, qreal weight) {
    // As a path, so it scales with the painter's transform like the rest of a pictogram.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(weight >= 0.7);
    f.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, f, s);
    const QRectF r = path.boundingRect();
    if (r.isEmpty())
        return;
    const qreal k = std::min(box.width() / r.width(), box.height() / r.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(k, k);
    t.translate(-r.center().x(), -r.center().y());
    fillPath(p, t.map(path), c);
}

void walker(QPainter& p, const QRectF& box, const QColor& c, bool child) {
    const Frame f{box};
    const qreal lw = f.w(child ? 0.22 : 0.2);
    fillCircle(p, f(0.55, 0.1), f.h(child ? 0.11 : 0.09), c);
    QPainterPath body(f(0.52, 0.22));
    body.lineTo(f(0.45, 0.55));
    strokePath(p, body, c, lw * 1.4);
    QPainterPath legs(f(0.15, 0.98));
    legs.lineTo(f(0.3, 0.75));
    legs.lineTo(f(0.45, 0.55));
    legs.lineTo(f(0.62, 0.76));
    legs.lineTo(f(0.75, 0.98));
    strokePath(p, legs, c, lw);
    QPainterPath arms(f(0.2, 0.5));
    arms.lineTo(f(0.5, 0.27));
    arms.lineTo(f(0.8, 0.48));
    strokePath(p, arms, c, lw * 0.8);
}

void standing(QPainter& p, const QRectF& box, const QColor& c) {
    const Frame f{box};
    fillCircle(p, f(0.5, 0.09), f.h(0.08), c);
    fillRect(p, f.rect(0.25, 0.19, 0.5, 0.42), c, f.w(0.12));
    strokeLine(p, f(0.38, 0.55), f(0.38, 0.98), c, f.w(0.18));
    strokeLine(p, f(0.62, 0.55), f(0.62, 0.98), c, f.w(0.18));
}

void carSide(QPainter& p, const QRectF& box, Ink ink) {
    const Frame f{box};
    QPainterPath body(f(0.02, 0.8));
    body.lineTo(f(0.02, 0.5));
    body.lineTo(f(0.2, 0.42));
    body.lineTo(f(0.32, 0.1));
    body.lineTo(f(0.72, 0.1));
    body.lineTo(f(0.85, 0.42));
    body.lineTo(f(0.98, 0.48));
    body.lineTo(f(0.98, 0.8));
    body.closeSubpath();
    fillPath(p, body, ink.fg);
    fillPoly(p, {f(0.26, 0.42), f(0.35, 0.18), f(0.5, 0.18), f(0.5, 0.42)}, ink.bg);
    fillPoly(p, {f(0.55, 0.42), f(0.55, 0.18), f(0.69, 0.18), f(0.78, 0.42)}, ink.bg);
    wheel(p, f(0.22, 0.8), f.h(0.2), ink);
    wheel(p, f(0.78, 0.8), f.h(0.2), ink);
}

void truckSide(QPainter& p, const QRectF& box, Ink ink) {
    const Frame f{box};
    fillRect(p, f.rect(0.0, 0.05, 0.68, 0.7), ink.fg);
    fillPoly(p, {f(0.72, 0.75), f(0.72, 0.2), f(0.9, 0.2), f(1.0, 0.45), f(1.0, 0.75)}, ink.fg);
    fillPoly(p, {f(0.76, 0.45), f(0.76, 0.27), f(0.88, 0.27), f(0.95, 0.45)}, ink.bg);
    wheel(p, f(0.15, 0.82), f.h(0.17), ink);
    wheel(p, f(0.38, 0.82), f.h(0.17), ink);
    wheel(p, f(0.85, 0.82), f.h(0.17), ink);
}

void busSide(QPainter& p, const QRectF& box, Ink ink) {
    const Frame f{box};
    fillRect(p, f.rect(0.0, 0.05, 1.0, 0.72), ink.fg, f.h(0.08));
    for (int i = 0; i < 5; ++i)
        fillRect(p, f.rect(0.05 + i * 0.18, 0.15, 0.14, 0.25), ink.bg);
    wheel(p, f(0.2, 0.8), f.h(0.17), ink);
    wheel(p, f(0.8, 0.8), f.h(0.17), ink);
}

void tramSide(QPainter& p, const QRectF& box, Ink ink) {
    const Frame f{box};
    strokeLine(p, f(0.5, 0.0), f(0.35, 0.18), ink.fg, f.w(0.025));
    strokeLine(p, f(0.35, 0.18), f(0.6, 0.18), ink.fg, f.w(0.025));
    fillRect(p, f.rect(0.02, 0.2, 0.96, 0.62), ink.fg, f.h(0.06));
    for (int i = 0; i < 4; ++i)
        fillRect(p, f.rect(0.08 + i * 0.22, 0.3, 0.16, 0.22), ink.bg);
    fillRect(p, f.rect(0.0, 0.9, 1.0, 0.05), ink.fg);
    wheel(p, f(0.2, 0.86), f.h(0.08), ink);
    wheel(p, f(0.8, 0.86), f.h(0.08), ink);
}

void motorcycleSide(QPainter& p, const QRectF& box, Ink ink, bool rider) {
    const Frame f{box};
    const qreal r = f.h(0.22);
    strokeLine(p, f(0.2, 0.75), f(0.5, 0.5), ink.fg, f.w(0.08));
    strokeLine(p, f(0.5, 0.5), f(0.8, 0.75), ink.fg, f.w(0.06));
    fillPoly(p, {f(0.3, 0.55), f(0.45, 0.4), f(0.7, 0.42), f(0.62, 0.62)}, ink.fg);
    strokeLine(p, f(0.7, 0.42), f(0.75, 0.25), ink.fg, f.w(0.05));
    QPainterPath w1, w2;
    w1.addEllipse(f(0.2, 0.75), r, r);
    w2.addEllipse(f(0.8, 0.75), r, r);
    strokePath(p, w1, ink.fg, f.w(0.06));
    strokePath(p, w2, ink.fg, f.w(0.06));
    if (rider) {
        fillCircle(p, f(0.55, 0.0 + 0.08), f.h(0.08), ink.fg);
        strokeLine(p, f(0.52, 0.15), f(0.45, 0.42), ink.fg, f.w(0.09));
        strokeLine(p, f(0.52, 0.2), f(0.72, 0.3), ink.fg, f.w(0.06));
    }
}

void bicycleSide(QPainter& p, const QRectF& box, const QColor& c, qreal width) {
    const Frame f{box};
    const qreal r = std::min(f.w(0.22), f.h(0.36));
    QPainterPath wheels;
    wheels.addEllipse(f(0.22, 0.64), r, r);
    wheels.addEllipse(f(0.78, 0.64), r, r);
    strokePath(p, wheels, c, width);
    QPainterPath frame(f(0.22, 0.64));
    frame.lineTo(f(0.42, 0.3));
    frame.lineTo(f(0.7, 0.3));
    frame.lineTo(f(0.5, 0.64));
    frame.lineTo(f(0.22, 0.64));
    frame.moveTo(f(0.42, 0.3));
    frame.lineTo(f(0.5, 0.64));
    frame.moveTo(f(0.78, 0.64));
    frame.lineTo(f(0.66, 0.12));
    frame.lineTo(f(0.56, 0.12));
    frame.moveTo(f(0.35, 0.16));
    frame.lineTo(f(0.47, 0.16));
    frame.moveTo(f(0.42, 0.3));
    frame.lineTo(f(0.4, 0.16));
    strokePath(p, frame, c, width);
}

void tractorSide(QPainter& p, const QRectF& box, Ink ink) {
    const Frame f{box};
    fillRect(p, f.rect(0.45, 0.35, 0.5, 0.3), ink.fg);
    QPainterPath cab(f(0.1, 0.65));
    cab.lineTo(f(0.1, 0.0));
    cab.lineTo(f(0.45, 0.0));
    cab.lineTo(f(0.45, 0.65));
    strokePath(p, cab, ink.fg, f.w(0.06), Qt::SquareCap);
    strokeLine(p, f(0.8, 0.35), f(0.8, 0.12), ink.fg, f.w(0.05));
    fillCircle(p, f(0.28, 0.7), f.h(0.3), ink.fg);
    fillCircle(p, f(0.28, 0.7), f.h(0.12), ink.bg);
    fillCircle(p, f(0.85, 0.8), f.h(0.18), ink.fg);
    fillCircle(p, f(0.85, 0.8), f.h(0.07), ink.bg);
}

void locomotiveSide(QPainter& p, const QRectF& box, Ink ink) {
    const Frame f{box};
    fillRect(p, f.rect(0.3, 0.3, 0.65, 0.42), ink.fg, f.h(0.12));
    fillRect(p, f.rect(0.05, 0.12, 0.3, 0.6), ink.fg);
    fillRect(p, f.rect(0.1, 0.2, 0.18, 0.18), ink.bg);
    fillRect(p, f.rect(0.7, 0.08, 0.1, 0.25), ink.fg);
    fillPoly(p, {f(0.95, 0.72), f(1.0, 0.86), f(0.88, 0.72)}, ink.fg);
    for (qreal x : {0.18, 0.45, 0.7})
        wheel(p, f(x, 0.8), f.h(0.13), ink);
}

void cowSide(QPainter& p, const QRectF& box, const QColor& c) {
    const Frame f{box};
    fillRect(p, f.rect(0.18, 0.25, 0.62, 0.38), c, f.h(0.1));
    fillPoly(p, {f(0.78, 0.3), f(0.98, 0.28), f(1.0, 0.5), f(0.85, 0.55)}, c);
    strokeLine(p, f(0.85, 0.28), f(0.82, 0.15), c, f.w(0.03));
    strokeLine(p, f(0.92, 0.28), f(0.96, 0.15), c, f.w(0.03));
    for (qreal x : {0.24, 0.34, 0.64, 0.74})
        strokeLine(p, f(x, 0.55), f(x, 0.98), c, f.w(0.06), Qt::FlatCap);
    strokeLine(p, f(0.18, 0.3), f(0.06, 0.7), c, f.w(0.03));
}

void deerSide(QPainter& p, const QRectF& box, const QColor& c) {
    const Frame f{box};
    fillPoly(p, {f(0.2, 0.45), f(0.7, 0.42), f(0.78, 0.58), f(0.22, 0.62)}, c);
    fillPoly(p, {f(0.66, 0.45), f(0.8, 0.2), f(0.92, 0.22), f(0.78, 0.52)}, c);
    fillPoly(p, {f(0.8, 0.2), f(1.0, 0.28), f(0.9, 0.32)}, c);
    QPainterPath antlers(f(0.84, 0.2));
    antlers.lineTo(f(0.78, 0.02));
    antlers.moveTo(f(0.8, 0.1));
    antlers.lineTo(f(0.7, 0.05));
    antlers.moveTo(f(0.86, 0.2));
    antlers.lineTo(f(0.95, 0.03));
    strokePath(p, antlers, c, f.w(0.025));
    QPainterPath legs(f(0.25, 0.58));
    legs.lineTo(f(0.08, 0.8));
    legs.lineTo(f(0.05, 0.98));
    legs.moveTo(f(0.3, 0.6));
    legs.lineTo(f(0.25, 0.98));
    legs.moveTo(f(0.7, 0.55));
    legs.lineTo(f(0.85, 0.75));
    legs.lineTo(f(0.95, 0.7));
    legs.moveTo(f(0.72, 0.58));
    legs.lineTo(f(0.72, 0.98));
    strokePath(p, legs, c, f.w(0.04));
}

void horseSide(QPainter& p, const QRectF& box, const QColor& c) {
    const Frame f{box};
    fillRect(p, f.rect(0.15, 0.3, 0.6, 0.3), c, f.h(0.12));
    fillPoly(p, {f(0.65, 0.35), f(0.8, 0.05), f(0.98, 0.18), f(0.9, 0.25), f(0.78, 0.42)}, c);
    for (qreal x : {0.2, 0.3, 0.6, 0.7})
        strokeLine(p, f(x, 0.55), f(x, 0.98), c, f.w(0.05), Qt::FlatCap);
    strokeLine(p, f(0.15, 0.35), f(0.05, 0.65), c, f.w(0.05));
}

void carFront(QPainter& p, const QRectF& box, Ink ink) {
    const Frame f{box};
    fillPoly(p, {f(0.2, 0.05), f(0.8, 0.05), f(0.92, 0.4), f(0.08, 0.4)}, ink.fg);
    fillPoly(p, {f(0.26, 0.12), f(0.74, 0.12), f(0.83, 0.38), f(0.17, 0.38)}, ink.bg);
    fillRect(p, f.rect(0.0, 0.38, 1.0, 0.42), ink.fg, f.h(0.08));
    fillRect(p, f.rect(0.05, 0.78, 0.16, 0.2), ink.fg);
    fillRect(p, f.rect(0.79, 0.78, 0.16, 0.2), ink.fg);
    fillCircle(p, f(0.15, 0.55), f.h(0.07), ink.bg);
    fillCircle(p, f(0.85, 0.55), f.h(0.07), ink.bg);
}

void planeTop(QPainter& p, const QRectF& box, const QColor& c) {
    const Frame f{box};
    fillRect(p, f.rect(0.45, 0.0, 0.1, 1.0), c, f.w(0.05));
    fillPoly(p, {f(0.5, 0.3), f(0.0, 0.55), f(0.0, 0.62), f(0.5, 0.5), f(1.0, 0.62), f(1.0, 0.55)},
             c);
    fillPoly(
        p, {f(0.5, 0.82), f(0.3, 0.95), f(0.3, 0.98), f(0.5, 0.92), f(0.7, 0.98), f(0.7, 0.95)}, c);
}

} // namespace wirtal::art
