// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/announcer.h"

#include <QMetaObject>

namespace wirtal {

namespace {
constexpr int keptTexts = 50;
} // namespace

Announcer::Announcer(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    for (QWidget*& line : lines_) {
        line = new QWidget(this);
        line->setObjectName(QStringLiteral("announcement"));
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        line->setGeometry(0, 0, 1, 1);
        line->hide();
    }
    show();
}

Announcer* Announcer::of(QWidget* w) {
    if (!w)
        return nullptr;
    QWidget* top = w->window();
    auto* found = top->findChild<Announcer*>(QString(), Qt::FindDirectChildrenOnly);
    return found ? found : new Announcer(top);
}

void Announcer::say(const QString& text) {
    const QString t = text.simplified();
    if (t.isEmpty())
        return;
    queued_ << t;
    if (flushQueued_)
        return;
    flushQueued_ = true;
    QMetaObject::invokeMethod(this, &Announcer::flush, Qt::QueuedConnection);
}

void Announcer::flush() {
    flushQueued_ = false;
    if (queued_.isEmpty())
        return;
    const QString text = queued_.join(u' ');
    queued_.clear();
    said_ << text;
    while (said_.size() > keptTexts)
        said_.removeFirst();
    QWidget* line = lines_[next_];
    next_ = (next_ + 1) % int(lines_.size());
    // Shown anew, a notification is read again even with the same text.
    line->hide();
    line->setAccessibleName(text);
    raise();
    line->show();
}

void announce(QWidget* w, const QString& text) {
    if (Announcer* a = Announcer::of(w))
        a->say(text);
}

} // namespace wirtal
