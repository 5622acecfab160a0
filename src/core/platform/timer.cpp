// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/timer.h"

#include "platform/error.h"

#include <QTimer>

namespace wirtal {

void Timer::tick() {
    if (kind_ == TimerKind::OneShot)
        setEnabled(false);
    if (handler_) {
        auto handler = handler_; // the handler may replace itself
        guarded(handler);
    }
}

namespace {
class QtTimer final : public Timer {
public:
    QtTimer(const QString& name, int intervalMs, TimerKind kind) : Timer(name, kind) {
        timer_.setInterval(intervalMs);
        timer_.setSingleShot(false); // one-shot timers are switched off in tick()
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void setInterval(int ms) override {
        if (ms == timer_.interval())
            return;
        timer_.setInterval(ms); // restarts an active timer
    }
    int interval() const override { return timer_.interval(); }
    void setEnabled(bool on) override {
        if (on == timer_.isActive())
            return;
        if (on)
            timer_.start();
        else
            timer_.stop();
    }
    bool isEnabled() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};
} // namespace

std::unique_ptr<Timer> QtTimerService::create(const QString& name, int intervalMs, TimerKind kind) {
    return std::make_unique<QtTimer>(name, intervalMs, kind);
}

} // namespace wirtal
