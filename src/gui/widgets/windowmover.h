// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>

class QWidget;
class QWindow;

namespace wirtal {

// Lets a frameless window be moved by dragging its top band, by the window system's own move
// (QWindow::startSystemMove, so the window manager's snapping and keys apply): a left press on
// the window itself (not on a control in it) above bandBottom() starts the move.
class WindowMover : public QObject {
public:
    // start moves the window (startSystemMove unless a test gives another).
    WindowMover(QWidget* window, std::function<int()> bandBottom,
                std::function<bool(QWindow*)> start = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<int()> bandBottom_;
    std::function<bool(QWindow*)> start_;
};

} // namespace wirtal
