// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace wirtal {

// The ways the system ends the program, led through the program's own close path:
//  - SIGTERM (logout, shutdown, kill), SIGHUP (the terminal went away) and SIGINT (Ctrl+C) on
//    systems with POSIX signals: the signal handler only writes a byte into a pipe, and the event
//    loop then runs `close` (a self-pipe, so no Qt code runs inside the handler);
//  - the session manager's requests to save (QGuiApplication::commitDataRequest and
//    saveStateRequest) run `save`.
// Both save the statistics file's pending last question (base/statsfile.h) first.
// One instance at a time; the old signal handlers come back when it goes.
class SystemQuit : public QObject {
    Q_OBJECT
public:
    SystemQuit(std::function<void()> save, std::function<void()> close, QObject* parent = nullptr);
    ~SystemQuit() override;

    // Whether the signals are caught here (false where the system has no POSIX signals).
    bool catchesSignals() const { return notifier_ != nullptr; }

private:
    void signalled();

    std::function<void()> save_;
    std::function<void()> close_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace wirtal
