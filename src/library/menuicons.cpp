#include "library/menuicons.h"

#include <QPainter>
#include <QPainterPath>

namespace wirtal::menuicons {

namespace {
const QColor red(200, 30, 40), blue(20, 80, 170), yellow(250, 200, 30), green(30, 140, 70);

void triangle(QPainter& p, QRectF r) {
    QPainterPath t;
    t.moveTo(r.center().x(), r.top());
    t.lineTo(r.right(), r.bottom());
    t.lineTo(r.left(), r.bottom());
    t.closeSubpath();
    p.setPen(QPen(red, r.width() * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(yellow);
    p.drawPath(t);
}

void ring(QPainter& p, QRectF r, const QColor& fill, const QColor& edge) {
    p.setPen(QPen(edge, r.width() * 0.1));
    p.setBrush(fill);
    p.drawEllipse(
        r.adjusted(r.width() * 0.05, r.height() * 0.05, -r.width() * 0.05, -r.height() * 0.05));
}

void arrow(QPainter& p, QRectF r, const QColor& c) {
    p.setPen(QPen(c, r.width() * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF a(r.left() + r.width() * 0.2, r.center().y());
    const QPointF b(r.right() - r.width() * 0.2, r.center().y());
    p.drawLine(a, b);
    p.drawLine(b, b + QPointF(-r.width() * 0.2, -r.height() * 0.2));
    p.drawLine(b, b + QPointF(-r.width() * 0.2, r.height() * 0.2));
}

void plate(QPainter& p, QRectF r, const QColor& fill, const QColor& ink) {
    p.setPen(QPen(ink, r.width() * 0.05));
    p.setBrush(fill);
    p.drawRoundedRect(r, r.width() * 0.08, r.width() * 0.08);
}

void lights(QPainter& p, QRectF r) {
    const QRectF box(r.center().x() - r.width() * 0.2, r.top(), r.width() * 0.4, r.height());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 45));
    p.drawRoundedRect(box, r.width() * 0.08, r.width() * 0.08);
    const QColor lamps[] = {red, yellow, green};
    const qreal d = box.width() * 0.7;
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lamps[i]);
        p.drawEllipse(QRectF(box.center().x() - d / 2,
                             box.top() + box.height() * (i + 0.5) / 3 - d / 2, d, d));
    }
}

void car(QPainter& p, QRectF r, const QColor& body) {
    QPainterPath s;
    const qreal w = r.width(), h = r.height(), x = r.left(), y = r.top();
    s.moveTo(x + 0.05 * w, y + 0.72 * h);
    s.lineTo(x + 0.05 * w, y + 0.55 * h);
    s.lineTo(x + 0.25 * w, y + 0.5 * h);
    s.lineTo(x + 0.38 * w, y + 0.32 * h);
    s.lineTo(x + 0.7 * w, y + 0.32 * h);
    s.lineTo(x + 0.85 * w, y + 0.5 * h);
    s.lineTo(x + 0.95 * w, y + 0.55 * h);
    s.lineTo(x + 0.95 * w, y + 0.72 * h);
    s.closeSubpath();
    p.setPen(QPen(body.darker(150), w * 0.02));
    p.setBrush(body);
    p.drawPath(s);
    p.setBrush(QColor(190, 220, 245));
    p.drawRect(QRectF(x + 0.4 * w, y + 0.36 * h, 0.28 * w, 0.13 * h));
    p.setBrush(QColor(35, 35, 35));
    for (qreal cx : {0.27, 0.73})
        p.drawEllipse(QPointF(x + cx * w, y + 0.72 * h), 0.09 * w, 0.09 * w);
}

void lamp(QPainter& p, QRectF r) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 35));
    p.drawRoundedRect(r, r.width() * 0.15, r.width() * 0.15);
    p.setBrush(QColor(250, 160, 20));
    p.drawEllipse(r.center(), r.width() * 0.25, r.width() * 0.25);
    p.setBrush(QColor(30, 30, 35));
    p.drawRect(QRectF(r.center().x() - r.width() * 0.03, r.center().y() - r.height() * 0.15,
                      r.width() * 0.06, r.height() * 0.18));
}
} // namespace

QPixmap forEntry(int number, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(size * 0.08, size * 0.08, size * 0.84, size * 0.84);
    switch (number) {
    case 1:
        triangle(p, r);
        break;
    case 2:
        ring(p, r, Qt::white, red);
        break;
    case 3:
        ring(p, r, blue, blue.lighter(130));
        arrow(p, r, Qt::white);
        break;
    case 4:
        plate(p, r, blue, blue.darker(130));
        break;
    case 5:
        plate(p, r.adjusted(0, r.height() * 0.25, 0, -r.height() * 0.25), green, Qt::white);
        arrow(p, r, Qt::white);
        break;
    case 6:
        plate(p, r, Qt::white, blue);
        break;
    case 7:
        plate(p, r.adjusted(0, r.height() * 0.3, 0, -r.height() * 0.3), Qt::white, Qt::black);
        break;
    case 8:
        ring(p, r, QColor(255, 140, 0), Qt::black);
        break;
    case 9:
        p.fillRect(r, QColor(80, 80, 85));
        p.setPen(QPen(Qt::white, r.width() * 0.06, Qt::DashLine));
        p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
        break;
    case 10:
    case 18:
        lights(p, r);
        break;
    case 11:
        car(p, r, QColor(200, 40, 40));
        break;
    case 12:
        car(p, r, QColor(240, 200, 40));
        break;
    case 13:
        car(p, r, QColor(60, 120, 200));
        break;
    case 14:
        car(p, r, QColor(120, 190, 90));
        break;
    case 15:
        car(p, r, QColor(220, 220, 225));
        break;
    case 16:
        lamp(p, r);
        break;
    case 17:
        plate(p, r, QColor(245, 240, 225), QColor(120, 90, 40));
        break;
    case 19:
        ring(p, r, Qt::white, red);
        break;
    default:
        plate(p, r, QColor(250, 250, 250), QColor(60, 60, 60));
        break;
    }
    return pm;
}

} // namespace wirtal::menuicons
