// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/styledbutton.h"

#include "platform/error.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace wirtal {

StyledButton::StyledButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
    setText(caption);
    setAccessibleName(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (handler_)
            guarded(handler_);
    });
}

void StyledButton::clickFromCode() {
    if (handler_) {
        auto handler = handler_;
        handler();
    }
}

void StyledButton::setColor(int c) {
    if (c == color_)
        return;
    color_ = c;
    update();
}

void StyledButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void StyledButton::setBadge(const QString& text, int c) {
    badgeText_ = text;
    badgeColor_ = c;
    updateAccessibleDescription();
    update();
}

void StyledButton::setBadgeVisible(bool visible) {
    if (visible == badgeVisible_)
        return;
    badgeVisible_ = visible;
    updateAccessibleDescription();
    update();
}

void StyledButton::setCaptionPointSize(int pt) {
    QFont f = font();
    if (pt > 0)
        f.setPointSize(pt);
    setFont(f);
}

QRect StyledButton::contentBoxes(QRect* pictureBox) const {
    QRect content = rect().adjusted(4, 4, -4, -4);
    QRect picture;
    if (!picture_.isNull()) {
        // Sizes in logical pixels: a picture drawn at the screen's ratio has more device pixels
        // than it covers.
        const QSize avail =
            text().isEmpty() ? content.size() : QSize(content.width(), content.height() * 2 / 3);
        QSize size = picture_.deviceIndependentSize().toSize();
        if (size.width() > avail.width() || size.height() > avail.height())
            size = size.scaled(avail, Qt::KeepAspectRatio);
        const int x = content.x() + (content.width() - size.width()) / 2;
        const int y = text().isEmpty() ? content.y() + (content.height() - size.height()) / 2
                                       : content.y() + 2;
        picture = QRect(QPoint(x, y), size);
        if (!text().isEmpty())
            content.setTop(y + size.height());
    }
    if (pictureBox)
        *pictureBox = picture;
    return content;
}

QFont StyledButton::captionFontWithin(const QRect& box) const {
    QFont f = font();
    if (text().isEmpty() || f.pointSizeF() <= 0)
        return f;
    constexpr qreal smallest = 7.0;
    for (;;) {
        const QRect need =
            QFontMetrics(f).boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text());
        if ((need.width() <= box.width() && need.height() <= box.height()) ||
            f.pointSizeF() <= smallest)
            return f;
        f.setPointSizeF(std::max(smallest, f.pointSizeF() - 0.5));
    }
}

void StyledButton::updateAccessibleDescription() {
    setAccessibleDescription(badgeVisible_ ? badgeText_ : QString());
}

QSize StyledButton::sizeHint() const {
    const QFontMetrics fm(font());
    return QSize(std::max(60, fm.horizontalAdvance(text()) + 24), std::max(30, fm.height() + 14));
}

void StyledButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void StyledButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void StyledButton::keyPressEvent(QKeyEvent* event) {
    // Enter activates a focused button, as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        if (isEnabled())
            click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void StyledButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = std::min<qreal>(8.0, std::min(r.width(), r.height()) / 4.0);
    QColor base = toQColor(color_);
    if (!isEnabled())
        base = QColor::fromHsv(base.hsvHue(), base.hsvSaturation() / 3, base.value());
    else if (isDown())
        base = base.darker(112);
    else if (hovered_)
        base = base.lighter(106);

    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, base.lighter(118));
    g.setColorAt(0.5, base);
    g.setColorAt(1.0, base.darker(110));
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    p.fillPath(path, g);
    p.setPen(QPen(base.darker(isEnabled() ? 150 : 120), 1.0));
    p.drawPath(path);
    if (hasFocus()) {
        // The focus ring: black with a white core line, so it stands out at well over 3:1 on
        // every face colour, light or dark.
        QPainterPath ring;
        const QRectF rr = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        ring.addRoundedRect(rr, radius, radius);
        p.setPen(QPen(focusRingColor(), 3.0));
        p.drawPath(ring);
        QPainterPath core;
        core.addRoundedRect(rr.adjusted(2.5, 2.5, -2.5, -2.5), radius, radius);
        p.setPen(QPen(Qt::white, 1.0));
        p.drawPath(core);
    }

    QRect pictureBox;
    const QRect content = contentBoxes(&pictureBox);
    if (!picture_.isNull()) {
        QPixmap pm = picture_;
        if (pictureBox.size() != pm.deviceIndependentSize().toSize()) {
            // Shrunk to fit, keeping the device pixels a scaled screen shows.
            const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
            pm =
                pm.scaled(pictureBox.size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            pm.setDevicePixelRatio(ratio);
        }
        if (!isEnabled())
            p.setOpacity(0.45);
        // Drawn for a sharper screen than this one (the highest ratio of several): reduced
        // smoothly, not by dropping pixels.
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(pictureBox.topLeft(), pm);
        p.setOpacity(1.0);
    }
    if (!text().isEmpty()) {
        p.setPen(isEnabled() ? QColor(20, 30, 50) : QColor(110, 115, 125));
        p.setFont(captionFontWithin(content));
        p.drawText(content, Qt::AlignCenter | Qt::TextWordWrap, text());
    }

    if (badgeVisible_ && !badgeText_.isEmpty()) {
        QFont bf = font();
        bf.setPointSizeF(std::max(7.0, bf.pointSizeF() * 0.75));
        bf.setBold(true);
        p.setFont(bf);
        const QFontMetrics fm(bf);
        const int bw = fm.horizontalAdvance(badgeText_) + 10;
        const int bh = fm.height() + 2;
        const QRectF br(width() - bw - 1, 1, bw, bh);
        QPainterPath bp;
        bp.addRoundedRect(br, bh / 2.0, bh / 2.0);
        const QColor bc = toQColor(badgeColor_);
        p.fillPath(bp, bc);
        p.setPen(QPen(bc.darker(140), 1));
        p.drawPath(bp);
        p.setPen(bc.lightness() > 150 ? Qt::black : Qt::white);
        p.drawText(br, Qt::AlignCenter, badgeText_);
    }
}

} // namespace wirtal
