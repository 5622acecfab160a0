// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/windowmover.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace wirtal {

WindowMover::WindowMover(QWidget* window, std::function<int()> bandBottom,
                         std::function<bool(QWindow*)> start)
    : QObject(window), window_(window), bandBottom_(std::move(bandBottom)),
      start_(start ? std::move(start) : [](QWindow* w) { return w->startSystemMove(); }) {
    window->installEventFilter(this);
}

bool WindowMover::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || event->type() != QEvent::MouseButtonPress)
        return false;
    const auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() != Qt::LeftButton || press->position().y() >= bandBottom_())
        return false;
    QWindow* handle = window_->windowHandle();
    return handle && start_(handle);
}

} // namespace wirtal
