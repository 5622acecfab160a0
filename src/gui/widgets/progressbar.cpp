// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/progressbar.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace wirtal {

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {}

void ProgressBar::setPosition(double position) {
    if (position == position_)
        return;
    position_ = position;
    update();
}

double ProgressBar::fraction() const {
    if (!std::isfinite(position_))
        return position_ > 0 ? 1.0 : 0.0;
    return std::clamp(position_, 0.0, 100.0) / 100.0;
}

void ProgressBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = r.height() / 2.0;
    QPainterPath track;
    track.addRoundedRect(r, radius, radius);
    p.fillPath(track, QColor(255, 255, 255, 170));
    p.setPen(QPen(QColor(110, 140, 180), 1));
    p.drawPath(track);

    const qreal w = r.width() * fraction();
    if (w > 0.5) {
        QPainterPath bar;
        bar.addRoundedRect(QRectF(r.left(), r.top(), std::max(w, r.height()), r.height()), radius,
                           radius);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0.0, QColor(120, 190, 250));
        g.setColorAt(1.0, QColor(40, 115, 200));
        p.setClipPath(track);
        p.fillPath(bar, g);
    }
}

} // namespace wirtal
