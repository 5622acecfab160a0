// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/learnart.h"

#include "art/palette.h"

#include <QPainter>
#include <QPainterPath>

namespace wirtal::learnart {

namespace {
using art::canvas;
const QColor& ink = art::palette::arrowInk;

QPixmap arrow(bool forward) {
    QPixmap pm = canvas(28, 28);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    if (forward) {
        path.moveTo(9, 5);
        path.lineTo(21, 14);
        path.lineTo(9, 23);
    } else {
        path.moveTo(19, 5);
        path.lineTo(7, 14);
        path.lineTo(19, 23);
    }
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    return pm;
}
} // namespace

QPixmap previousArrow() {
    return arrow(false);
}
QPixmap nextArrow() {
    return arrow(true);
}

QPixmap rewindGlyph() {
    QPixmap pm = canvas(22, 22);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(3, 4, 3, 14));
    QPainterPath a;
    a.moveTo(19, 4);
    a.lineTo(7, 11);
    a.lineTo(19, 18);
    a.closeSubpath();
    p.drawPath(a);
    return pm;
}

QPixmap replayGlyph() {
    QPixmap pm = canvas(22, 22);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(3, 3, 16, 16), 100 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    QPainterPath head;
    head.moveTo(8, 1);
    head.lineTo(13, 4.5);
    head.lineTo(8, 8);
    head.closeSubpath();
    p.drawPath(head);
    QPainterPath play;
    play.moveTo(9, 7.5);
    play.lineTo(15, 11);
    play.lineTo(9, 14.5);
    play.closeSubpath();
    p.drawPath(play);
    return pm;
}

QPixmap tick() {
    QPixmap pm = canvas(128, 128);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(22, 68);
    path.lineTo(52, 98);
    path.lineTo(108, 34);
    p.setPen(QPen(QColor(30, 150, 50), 18, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    return pm;
}

QPixmap cross() {
    QPixmap pm = canvas(64, 64);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(205, 35, 35), 11, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(54, 54));
    p.drawLine(QPointF(54, 10), QPointF(10, 54));
    return pm;
}

} // namespace wirtal::learnart
