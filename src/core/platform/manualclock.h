// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/timer.h"

#include <cstdint>
#include <vector>

namespace wirtal {

// Timers on a virtual clock for tests and benchmarks: nothing happens until advance(), which
// fires the due ticks in time order (equal times in the order the timers were armed), one
// handler at a time, with now() at the tick's time.
class ManualClock final : public TimerService {
public:
    ManualClock();
    ~ManualClock() override;

    std::unique_ptr<Timer> create(const QString& name, int intervalMs, TimerKind kind) override;

    // Moves the clock on by ms, firing every tick due until then (inclusive).
    void advance(std::int64_t ms);
    // Fires ticks until fn() is true or maxMs have passed; returns whether fn() became true.
    bool advanceUntil(const std::function<bool()>& fn, std::int64_t maxMs);
    std::int64_t now() const { return now_; }
    // The enabled timer with the given name, or nullptr.
    Timer* find(const QString& name) const;

private:
    class ManualTimer;
    friend class ManualTimer;
    ManualTimer* nextDue() const;
    bool fireNext(std::int64_t limit);

    std::int64_t now_ = 0;
    std::uint64_t armSeq_ = 0;
    std::vector<ManualTimer*> timers_;
};

} // namespace wirtal
