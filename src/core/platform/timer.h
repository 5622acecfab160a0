// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace wirtal {

enum class TimerKind {
    Repeating, // ticks every interval until disabled
    OneShot,   // switches itself off in its first tick, before its handler runs
};

// A timer of the program: interval, enabled state and a handler. Rules:
//  - enabling an enabled timer, or giving it the interval it already has, does not restart it;
//  - a changed interval on an enabled timer restarts its period;
//  - the handler runs through the error guard, on the GUI thread, one handler at a time.
class Timer {
public:
    virtual ~Timer() = default;

    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;

    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }
    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    const QString& name() const { return name_; }
    TimerKind kind() const { return kind_; }

protected:
    Timer(QString name, TimerKind kind) : name_(std::move(name)), kind_(kind) {}
    // Called by the implementation for every tick: switches a one-shot timer off, then runs the
    // handler through the guard.
    void tick();

private:
    QString name_;
    TimerKind kind_;
    std::function<void()> handler_;
};

class TimerService {
public:
    virtual ~TimerService() = default;
    // A new timer, disabled.
    virtual std::unique_ptr<Timer> create(const QString& name, int intervalMs, TimerKind kind) = 0;
};

// Real timers on QTimer.
class QtTimerService final : public TimerService {
public:
    std::unique_ptr<Timer> create(const QString& name, int intervalMs, TimerKind kind) override;
};

} // namespace wirtal
