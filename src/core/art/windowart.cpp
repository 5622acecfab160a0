// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/windowart.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace wirtal::pictures {

void paintMainBackground(QPainter& p, const QSize& size) {
    const QSize logical = size.expandedTo(QSize(1, 1));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = logical.width(), h = logical.height();
    const QRectF all(0, 0, w, h);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0.0, QColor(214, 230, 247));
    g.setColorAt(0.55, QColor(176, 205, 236));
    g.setColorAt(1.0, QColor(120, 160, 205));
    p.fillRect(all, g);
    QRadialGradient glow(w * 0.5, h * 0.35, w * 0.6);
    glow.setColorAt(0.0, QColor(255, 255, 255, 90));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(all, glow);
    // A road vanishing towards the horizon, very faint.
    QPainterPath road;
    road.moveTo(w * 0.46, h * 0.62);
    road.lineTo(w * 0.54, h * 0.62);
    road.lineTo(w * 0.80, h);
    road.lineTo(w * 0.20, h);
    road.closeSubpath();
    p.fillPath(road, QColor(70, 90, 120, 40));
    p.setPen(QPen(QColor(255, 255, 255, 60), 3, Qt::DashLine));
    p.drawLine(QPointF(w * 0.5, h * 0.63), QPointF(w * 0.5, h));
    p.restore();
}

namespace {
QPixmap glyph(bool cross, qreal ratio) {
    QPixmap pm = art::canvas(12, 10, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 40, 60), 1.6));
    if (cross) {
        p.drawLine(QPointF(2, 1), QPointF(10, 9));
        p.drawLine(QPointF(10, 1), QPointF(2, 9));
    } else {
        p.drawLine(QPointF(2, 8), QPointF(10, 8));
    }
    return pm;
}
} // namespace

QPixmap minimizeGlyph(qreal ratio) {
    return glyph(false, ratio);
}
QPixmap closeGlyph(qreal ratio) {
    return glyph(true, ratio);
}

QPixmap forwardArrow(qreal ratio) {
    QPixmap pm = art::canvas(22, 18, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(1, 6);
    path.lineTo(11, 6);
    path.lineTo(11, 1);
    path.lineTo(21, 9);
    path.lineTo(11, 17);
    path.lineTo(11, 12);
    path.lineTo(1, 12);
    path.closeSubpath();
    p.fillPath(path, QColor(40, 92, 160));
    return pm;
}

QPixmap star(const QColor& fill, bool outlineOnly, int size, qreal ratio) {
    QPixmap pm = art::canvas(size, size, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // Proportions of the 16-pixel star: points at 7.4, inner corners at 3.2.
    const qreal unit = size / 16.0;
    const QPointF c(size / 2.0, size / 2.0 + 0.6 * unit);
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 ? 3.2 : 7.4) * unit;
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        i ? path.lineTo(pt) : path.moveTo(pt);
    }
    path.closeSubpath();
    if (!outlineOnly)
        p.fillPath(path, fill);
    p.setPen(QPen(fill.darker(outlineOnly ? 110 : 150), 1.0));
    p.drawPath(path);
    return pm;
}

} // namespace wirtal::pictures
