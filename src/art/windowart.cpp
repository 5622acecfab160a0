#include "art/windowart.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace wirtal::pictures {

QPixmap mainBackground(const QSize& size) {
    static QPixmap cached;
    if (cached.size() == size && !cached.isNull())
        return cached;
    QPixmap pm(size.expandedTo(QSize(1, 1)));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, pm.height());
    g.setColorAt(0.0, QColor(214, 230, 247));
    g.setColorAt(0.55, QColor(176, 205, 236));
    g.setColorAt(1.0, QColor(120, 160, 205));
    p.fillRect(pm.rect(), g);
    QRadialGradient glow(pm.width() * 0.5, pm.height() * 0.35, pm.width() * 0.6);
    glow.setColorAt(0.0, QColor(255, 255, 255, 90));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(pm.rect(), glow);
    // A road vanishing towards the horizon, very faint.
    const qreal w = pm.width(), h = pm.height();
    QPainterPath road;
    road.moveTo(w * 0.46, h * 0.62);
    road.lineTo(w * 0.54, h * 0.62);
    road.lineTo(w * 0.80, h);
    road.lineTo(w * 0.20, h);
    road.closeSubpath();
    p.fillPath(road, QColor(70, 90, 120, 40));
    p.setPen(QPen(QColor(255, 255, 255, 60), 3, Qt::DashLine));
    p.drawLine(QPointF(w * 0.5, h * 0.63), QPointF(w * 0.5, h));
    p.end();
    cached = pm;
    return pm;
}

namespace {
QPixmap glyph(bool cross) {
    QPixmap pm(12, 10);
    pm.fill(Qt::transparent);
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

QPixmap minimizeGlyph() {
    return glyph(false);
}
QPixmap closeGlyph() {
    return glyph(true);
}

} // namespace wirtal::pictures
