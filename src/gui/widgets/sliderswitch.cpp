// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/sliderswitch.h"

#include <QPainter>
#include <QPainterPath>

namespace wirtal {

namespace {
constexpr int trackWidth = 52;
constexpr int trackHeight = 26;
} // namespace

SliderSwitch::SliderSwitch(const QString& onCaption, const QString& offCaption, QWidget* parent)
    : QAbstractButton(parent), onCaption_(onCaption), offCaption_(offCaption) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    // For a screen reader a toggle with one name and a checked state, the caption of the current
    // state as its description.
    setCheckable(true);
    setChecked(on_);
    setAccessibleName(onCaption_);
    setAccessibleDescription(caption());
    connect(this, &QAbstractButton::clicked, this, &SliderSwitch::flipByUser);
}

void SliderSwitch::setOn(bool on) {
    if (on == on_)
        return;
    on_ = on;
    setChecked(on);
    setText(caption());
    setAccessibleDescription(caption());
    update();
}

void SliderSwitch::flipByUser() {
    setOn(!on_);
    emit userChanged(on_);
}

QSize SliderSwitch::sizeHint() const {
    const QFontMetrics fm(font());
    const int textWidth =
        std::max(fm.horizontalAdvance(onCaption_), fm.horizontalAdvance(offCaption_));
    return QSize(trackWidth + 10 + textWidth + 4, std::max(trackHeight + 4, fm.height() + 4));
}

void SliderSwitch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(1, (height() - trackHeight) / 2.0, trackWidth, trackHeight);
    const QColor onColour(76, 160, 90);
    const QColor offColour(168, 176, 188);
    QColor fill = on_ ? onColour : offColour;
    if (!isEnabled())
        fill = fill.lighter(130);
    QPainterPath path;
    path.addRoundedRect(track, trackHeight / 2.0, trackHeight / 2.0);
    p.fillPath(path, fill);
    p.setPen(QPen(fill.darker(hasFocus() ? 160 : 130), hasFocus() ? 2.0 : 1.0));
    p.drawPath(path);

    const qreal d = trackHeight - 6;
    const qreal x = on_ ? track.right() - d - 3 : track.left() + 3;
    const QRectF knob(x, track.top() + 3, d, d);
    p.setPen(QPen(QColor(0, 0, 0, 50), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(knob);

    p.setPen(isEnabled() ? QColor(25, 40, 65) : QColor(120, 125, 135));
    p.setFont(font());
    const QRectF textRect(track.right() + 10, 0, width() - track.right() - 10, height());
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, caption());
}

} // namespace wirtal
