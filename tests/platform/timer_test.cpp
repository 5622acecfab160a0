// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/manualclock.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace wirtal;

namespace {
struct Log {
    ManualClock* clock;
    QStringList lines;
    void operator()(const QString& what) {
        lines << QStringLiteral("%1@%2").arg(what).arg(clock->now());
    }
};
} // namespace

TEST(ManualClock, OneShotSwitchesItselfOffAndRepeatingKeepsTicking) {
    ManualClock clock;
    Log log{&clock, {}};
    auto once = clock.create(QStringLiteral("once"), 100, TimerKind::OneShot);
    auto rep = clock.create(QStringLiteral("rep"), 300, TimerKind::Repeating);
    once->setHandler([&] { log(QStringLiteral("once")); });
    rep->setHandler([&] { log(QStringLiteral("rep")); });
    once->start();
    rep->start();
    clock.advance(1000);
    EXPECT_EQ(log.lines, (QStringList{QStringLiteral("once@100"), QStringLiteral("rep@300"),
                                      QStringLiteral("rep@600"), QStringLiteral("rep@900")}));
    EXPECT_FALSE(once->isEnabled());
    EXPECT_TRUE(rep->isEnabled());
}

TEST(ManualClock, ReEnablingOrSameIntervalDoesNotRestartButANewIntervalDoes) {
    ManualClock clock;
    Log log{&clock, {}};
    auto t = clock.create(QStringLiteral("t"), 1000, TimerKind::OneShot);
    t->setHandler([&] { log(QStringLiteral("t")); });
    t->start();
    clock.advance(600);
    t->start();           // already enabled: no restart
    t->setInterval(1000); // same interval: no restart
    clock.advance(400);
    EXPECT_EQ(log.lines, QStringList{QStringLiteral("t@1000")});

    t->start();
    clock.advance(500);
    t->setInterval(200); // changed interval on an enabled timer: restarts from now
    clock.advance(199);
    EXPECT_EQ(log.lines.size(), 1);
    clock.advance(1);
    EXPECT_EQ(log.lines.last(), QStringLiteral("t@1700"));

    // A changed interval on a disabled timer does not enable it.
    t->setInterval(50);
    clock.advance(500);
    EXPECT_EQ(log.lines.size(), 2);
}

TEST(ManualClock, HandlersRunInTimeOrderOneAtATimeAndMayArmOtherTimers) {
    ManualClock clock;
    Log log{&clock, {}};
    auto a = clock.create(QStringLiteral("a"), 100, TimerKind::OneShot);
    auto b = clock.create(QStringLiteral("b"), 100, TimerKind::OneShot);
    auto c = clock.create(QStringLiteral("c"), 50, TimerKind::OneShot);
    a->setHandler([&] {
        log(QStringLiteral("a"));
        c->start(); // due 50 ms after a's tick, after b
    });
    b->setHandler([&] { log(QStringLiteral("b")); });
    c->setHandler([&] { log(QStringLiteral("c")); });
    a->start();
    b->start(); // same due time as a: fires after it
    clock.advance(1000);
    EXPECT_EQ(log.lines, (QStringList{QStringLiteral("a@100"), QStringLiteral("b@100"),
                                      QStringLiteral("c@150")}));
    EXPECT_EQ(clock.now(), 1000);
}

TEST(ManualClock, AOneShotThatFailsDoesNotRunAgain) {
    ManualClock clock;
    int runs = 0;
    auto t = clock.create(QStringLiteral("t"), 100, TimerKind::OneShot);
    t->setHandler([&] {
        ++runs;
        throw std::runtime_error("boom");
    });
    t->start();
    clock.advance(1000);
    EXPECT_EQ(runs, 1);
}

TEST(ManualClock, AdvanceUntilStopsAtTheCondition) {
    ManualClock clock;
    int ticks = 0;
    auto t = clock.create(QStringLiteral("t"), 1000, TimerKind::Repeating);
    t->setHandler([&] { ++ticks; });
    t->start();
    EXPECT_TRUE(clock.advanceUntil([&] { return ticks == 3; }, 10000));
    EXPECT_EQ(clock.now(), 3000);
    EXPECT_FALSE(clock.advanceUntil([&] { return ticks == 100; }, 5000));
    EXPECT_EQ(clock.now(), 8000);
}
