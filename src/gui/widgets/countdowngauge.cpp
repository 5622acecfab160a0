// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/countdowngauge.h"

#include "art/tcolor.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace wirtal {

namespace {
// The scale runs clockwise over 270 degrees, from the lower left (0) to the lower right (max).
constexpr double startAngle = 225.0; // Qt angles: counter-clockwise from three o'clock
constexpr double sweep = 270.0;
} // namespace

CountdownGauge::CountdownGauge(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Pozostały czas na odpowiedź"));
    setAttribute(Qt::WA_TranslucentBackground);
}

void CountdownGauge::setMaximum(double maximum) {
    maximum_ = maximum;
    update();
}

void CountdownGauge::setValue(double value) {
    value_ = value;
    // The seconds left as a screen reader says them ("15 s"), not the drawn three digits.
    setAccessibleDescription(
        QStringLiteral("%1 s").arg(static_cast<int>(std::lround(std::max(0.0, value_)))));
    update();
}

void CountdownGauge::clearSections() {
    sections_.clear();
    update();
}

void CountdownGauge::addSection(double start, double end, int tcolor, int outerMargin) {
    sections_.push_back({start, end, tcolor, outerMargin});
    update();
}

QString CountdownGauge::valueText() const {
    return QStringLiteral("%1").arg(static_cast<int>(std::lround(value_)), 3, 10, QChar(u'0'));
}

void CountdownGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height()) - 4.0;
    const QPointF c(width() / 2.0, height() / 2.0);
    const QRectF face(c.x() - side / 2, c.y() - side / 2, side, side);
    const double span = maximum_ > 0 ? maximum_ : 1.0;
    auto angleOf = [&](double v) { return startAngle - sweep * std::clamp(v / span, 0.0, 1.0); };

    // Bezel and face.
    QRadialGradient bezel(c, side / 2);
    bezel.setColorAt(0.86, QColor(236, 241, 248));
    bezel.setColorAt(0.93, QColor(150, 168, 192));
    bezel.setColorAt(1.0, QColor(96, 116, 146));
    p.setPen(Qt::NoPen);
    p.setBrush(bezel);
    p.drawEllipse(face);
    QRadialGradient inner(c.x(), c.y() - side * 0.2, side * 0.55);
    inner.setColorAt(0.0, QColor(255, 255, 255));
    inner.setColorAt(1.0, QColor(222, 230, 240));
    p.setBrush(inner);
    p.drawEllipse(face.adjusted(side * 0.06, side * 0.06, -side * 0.06, -side * 0.06));

    // Coloured bands.
    const double bandWidth = side * 0.09;
    for (const Section& s : sections_) {
        const double inset = side * 0.11 + s.outerMargin + bandWidth / 2;
        const QRectF arc = face.adjusted(inset, inset, -inset, -inset);
        QPen pen(toQColor(s.tcolor), bandWidth, Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const double a0 = angleOf(s.start), a1 = angleOf(s.end);
        p.drawArc(arc, qRound(a0 * 16), qRound((a1 - a0) * 16));
    }

    // Ticks: one per unit on short scales, every fifth on long ones; labels at the band limits.
    const int step = maximum_ > 20 ? 5 : 1;
    const double rOut = side / 2 - side * 0.11;
    p.setPen(QPen(QColor(60, 72, 92), 1.2));
    for (int v = 0; v <= static_cast<int>(maximum_); v += step) {
        const double a = qDegreesToRadians(angleOf(v));
        const double rIn =
            rOut - (v % (step * 5) == 0 || maximum_ <= 20 ? side * 0.1 : side * 0.06);
        p.drawLine(QPointF(c.x() + rOut * std::cos(a), c.y() - rOut * std::sin(a)),
                   QPointF(c.x() + rIn * std::cos(a), c.y() - rIn * std::sin(a)));
    }
    QFont small = font();
    small.setPointSizeF(std::max(6.5, side / 22));
    p.setFont(small);
    std::vector<double> marks{0.0, maximum_};
    for (const Section& s : sections_)
        marks.push_back(s.end);
    for (double v : marks) {
        const double a = qDegreesToRadians(angleOf(v));
        const double r = rOut - side * 0.19;
        const QPointF at(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
        p.drawText(QRectF(at.x() - 14, at.y() - 8, 28, 16), Qt::AlignCenter,
                   QString::number(static_cast<int>(std::lround(v))));
    }

    // Value under the hub.
    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(std::max(8.0, side / 12));
    p.setFont(big);
    // In the opening of the scale at the bottom, clear of the band ends and their labels.
    const QRectF box(c.x() - side * 0.18, c.y() + side * 0.22, side * 0.36, side * 0.15);
    p.setPen(QPen(QColor(120, 136, 160), 1));
    p.setBrush(QColor(248, 250, 253));
    p.drawRoundedRect(box, 4, 4);
    p.setPen(QColor(30, 40, 60));
    p.drawText(box, Qt::AlignCenter, valueText());

    // Needle and hub.
    const double a = qDegreesToRadians(angleOf(value_));
    const double len = rOut - side * 0.04;
    const QPointF tip(c.x() + len * std::cos(a), c.y() - len * std::sin(a));
    const QPointF back(c.x() - side * 0.08 * std::cos(a), c.y() + side * 0.08 * std::sin(a));
    const QPointF n(-std::sin(a) * side * 0.022, -std::cos(a) * side * 0.022);
    QPainterPath needle;
    needle.moveTo(tip);
    needle.lineTo(back + n);
    needle.lineTo(back - n);
    needle.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 46, 40));
    p.drawPath(needle);
    p.setBrush(QColor(52, 64, 84));
    p.drawEllipse(c, side * 0.05, side * 0.05);
}

} // namespace wirtal
