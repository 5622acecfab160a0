// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/scheduler.h"

#include <gtest/gtest.h>

namespace wirtal {
namespace {

constexpr qint64 day = 24LL * 3600 * 1000;
constexpr qint64 t0 = 1'765'000'000'000LL;

// Answers (right or wrong, at a day offset) and where the card stands after them.
TEST(Scheduler, TheScheduleFollowsSm2WithTwoGrades) {
    struct Step {
        double atDay;
        bool right;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        int reps;
        double interval;
        CardState state;
    };
    const std::vector<Case> cases = {
        {"one right answer", {{0, true}}, 1, 1, CardState::Seen},
        {"right on its due days", {{0, true}, {1, true}, {7, true}}, 3, 15, CardState::Mastered},
        {"five right in a minute count once",
         {{0, true}, {0.0001, true}, {0.0002, true}, {0.0003, true}, {0.0004, true}},
         1,
         1,
         CardState::Seen},
        {"a lapse starts over", {{0, true}, {1, true}, {7, false}}, 0, 0, CardState::Weak},
        {"right again after a lapse", {{0, false}, {0, true}}, 1, 1, CardState::Seen},
        {"late reviews still pass",
         {{0, true}, {30, true}, {90, true}},
         3,
         15,
         CardState::Mastered},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Card card;
        for (const Step& s : c.steps)
            scheduleAnswer(card, s.right, t0 + qint64(s.atDay * double(day)));
        EXPECT_EQ(card.reps, c.reps);
        EXPECT_DOUBLE_EQ(card.intervalDays, c.interval);
        EXPECT_EQ(stateOf(card), c.state);
        EXPECT_EQ(card.seen, int(c.steps.size()));
        EXPECT_GE(card.ease, 1.3);
    }
}

TEST(Scheduler, EasinessFallsWithLapsesAndNeverBelowItsFloor) {
    Card card;
    for (int i = 0; i < 10; ++i)
        scheduleAnswer(card, false, t0 + i);
    EXPECT_DOUBLE_EQ(card.ease, 1.3);
    EXPECT_EQ(card.dueMs, t0 + 9); // due at once
    EXPECT_EQ(card.right, 0);
    EXPECT_FALSE(card.firstRight);
}

TEST(Scheduler, SmartReviewTakesLapsesFirstThenTheMostOverdue) {
    auto card = [](int question, bool lastRight, double dueDay, double interval, qint64 last) {
        Card c;
        c.question = question;
        c.seen = 2;
        c.lastRight = lastRight;
        c.dueMs = t0 + qint64(dueDay * double(day));
        c.intervalDays = interval;
        c.lastMs = last;
        return c;
    };
    Card unseen;
    unseen.question = 99;
    const std::vector<Card> cards = {
        card(1, true, -1, 1, 0),   // a day late on a one-day interval
        card(2, true, -1, 30, 0),  // a day late on a month
        card(3, true, +2, 6, 0),   // not due yet
        card(4, false, 0, 0, 500), // lapsed earlier
        card(5, false, 0, 0, 900), // lapsed last
        card(6, true, -10, 15, 0), // ten days late on fifteen
        unseen,
    };
    EXPECT_EQ(smartReviewOrder(cards, t0), (std::vector<int>{5, 4, 1, 6, 2}));
}

} // namespace
} // namespace wirtal
