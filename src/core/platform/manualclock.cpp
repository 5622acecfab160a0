// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/manualclock.h"

#include <algorithm>

namespace wirtal {

class ManualClock::ManualTimer final : public Timer {
public:
    ManualTimer(ManualClock& clock, const QString& name, int intervalMs, TimerKind kind)
        : Timer(name, kind), clock_(clock), interval_(intervalMs) {}
    ~ManualTimer() override {
        auto& v = clock_.timers_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    void setInterval(int ms) override {
        if (ms == interval_)
            return;
        interval_ = ms;
        if (enabled_)
            arm();
    }
    int interval() const override { return interval_; }
    void setEnabled(bool on) override {
        if (on == enabled_)
            return;
        enabled_ = on;
        if (on)
            arm();
    }
    bool isEnabled() const override { return enabled_; }

    void arm() {
        due_ = clock_.now_ + std::max(interval_, 1);
        seq_ = ++clock_.armSeq_;
    }
    void fire() {
        if (kind() == TimerKind::Repeating) {
            due_ += std::max(interval_, 1);
            seq_ = ++clock_.armSeq_;
        }
        tick();
    }

    ManualClock& clock_;
    int interval_;
    bool enabled_ = false;
    std::int64_t due_ = 0;
    std::uint64_t seq_ = 0;
};

ManualClock::ManualClock() = default;
ManualClock::~ManualClock() = default;

std::unique_ptr<Timer> ManualClock::create(const QString& name, int intervalMs, TimerKind kind) {
    auto t = std::make_unique<ManualTimer>(*this, name, intervalMs, kind);
    timers_.push_back(t.get());
    return t;
}

ManualClock::ManualTimer* ManualClock::nextDue() const {
    ManualTimer* best = nullptr;
    for (auto* t : timers_) {
        if (!t->enabled_)
            continue;
        if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->seq_ < best->seq_))
            best = t;
    }
    return best;
}

bool ManualClock::fireNext(std::int64_t limit) {
    ManualTimer* t = nextDue();
    if (!t || t->due_ > limit)
        return false;
    now_ = std::max(now_, t->due_);
    t->fire();
    return true;
}

void ManualClock::advance(std::int64_t ms) {
    const std::int64_t until = now_ + ms;
    while (fireNext(until)) {
    }
    now_ = std::max(now_, until);
}

bool ManualClock::advanceUntil(const std::function<bool()>& fn, std::int64_t maxMs) {
    const std::int64_t until = now_ + maxMs;
    while (!fn()) {
        if (!fireNext(until)) {
            now_ = std::max(now_, until);
            return fn();
        }
    }
    return true;
}

Timer* ManualClock::find(const QString& name) const {
    for (auto* t : timers_)
        if (t->name() == name)
            return t;
    return nullptr;
}

} // namespace wirtal
