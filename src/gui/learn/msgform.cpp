// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/msgform.h"

#include "art/learnart.h"
#include "platform/timer.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace wirtal {

namespace {
QLabel* pictureAt(QWidget* parent, const char* name, const QPixmap& pm, const QRect& box) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setPixmap(pm); // natural size, from the top-left corner, not scaled
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(box);
    l->hide();
    return l;
}
} // namespace

MsgForm::MsgForm(TimerService& timers, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("msgform"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowOpacity(opacity);
    setFixedSize(126, 116);
    setAccessibleName(QStringLiteral("Wynik odpowiedzi"));

    tickImage_ = pictureAt(this, "imagetak", learnart::tick(), QRect(8, -8, 105, 105));
    crossImage_ = pictureAt(this, "imagenie", learnart::cross(), QRect(32, 24, 73, 73));

    hideTimer_ = timers.create(QStringLiteral("msgform.Timer1"), 800, TimerKind::OneShot);
    hideTimer_->setHandler([this] { hideOverlay(); });
}

MsgForm::~MsgForm() = default;

void MsgForm::showAnswer(bool correct) {
    tickImage_->setVisible(correct);
    crossImage_->setVisible(!correct);
    tickImage_->setAccessibleName(QStringLiteral("Dobra odpowiedź"));
    crossImage_->setAccessibleName(QStringLiteral("Zła odpowiedź"));
    setAccessibleDescription(correct ? QStringLiteral("Dobra odpowiedź")
                                     : QStringLiteral("Zła odpowiedź"));
    if (!isVisible()) {
        returnTo_ = QApplication::activeWindow();
        if (QScreen* screen = QApplication::primaryScreen())
            move(screen->geometry().center() - rect().center());
        show();
    }
    // The window never becomes the active one, so its coming up is taken as shown, not activated.
    formActivate();
}

void MsgForm::formActivate() {
    hideTimer_->start();
}

void MsgForm::hideOverlay() {
    hideTimer_->stop();
    hide();
}

void MsgForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && returnTo_ &&
        returnTo_ != this)
        returnTo_->activateWindow();
}

void MsgForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
}

} // namespace wirtal
