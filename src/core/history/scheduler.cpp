// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/scheduler.h"

#include <algorithm>
#include <cmath>

namespace wirtal {

namespace {
constexpr qint64 dayMs = 24LL * 60 * 60 * 1000;
constexpr double minEase = 1.3;

// SM-2's change of the easiness factor for a grade 0..5.
double easeAfter(double ease, int grade) {
    const int miss = 5 - grade;
    return std::max(minEase, ease + 0.1 - miss * (0.08 + miss * 0.02));
}
} // namespace

CardState stateOf(const Card& c) {
    if (c.seen == 0)
        return CardState::Unseen;
    if (!c.lastRight)
        return CardState::Weak;
    if (c.reps >= 3)
        return CardState::Mastered;
    return CardState::Seen;
}

void scheduleAnswer(Card& c, bool correct, qint64 atMs) {
    if (c.seen == 0)
        c.firstRight = correct;
    ++c.seen;
    if (correct)
        ++c.right;
    c.lastRight = correct;
    c.recentRight = c.recentRight * recentDecay + (correct ? 1 : 0);
    c.recentWrong = c.recentWrong * recentDecay + (correct ? 0 : 1);
    c.lastMs = atMs;

    if (!correct) {
        c.reps = 0;
        c.ease = easeAfter(c.ease, 1);
        c.intervalDays = 0;
        c.dueMs = atMs; // due again at once
        return;
    }
    if (atMs < c.dueMs)
        return; // an early answer: counted, the schedule stays
    ++c.reps;
    c.intervalDays = c.reps == 1 ? 1.0 : c.reps == 2 ? 6.0 : std::round(c.intervalDays * c.ease);
    c.ease = easeAfter(c.ease, 4);
    c.dueMs = atMs + qint64(c.intervalDays * double(dayMs));
}

std::vector<int> smartReviewOrder(const std::vector<Card>& cards, qint64 nowMs) {
    struct Entry {
        bool lapsed;
        double urgency;
        int question;
    };
    std::vector<Entry> due;
    for (const Card& c : cards) {
        if (c.seen == 0)
            continue;
        if (!c.lastRight) {
            due.push_back({true, double(c.lastMs), c.question});
            continue;
        }
        if (c.dueMs > nowMs)
            continue;
        // Overdue by how many of its own intervals: a card a day late on a one-day interval comes
        // before one a day late on a month.
        const double interval = std::max(c.intervalDays, 1.0) * double(dayMs);
        due.push_back({false, double(nowMs - c.dueMs) / interval, c.question});
    }
    std::stable_sort(due.begin(), due.end(), [](const Entry& a, const Entry& b) {
        if (a.lapsed != b.lapsed)
            return a.lapsed;
        if (a.urgency != b.urgency)
            return a.urgency > b.urgency;
        return a.question < b.question;
    });
    std::vector<int> out;
    out.reserve(due.size());
    for (const Entry& e : due)
        out.push_back(e.question);
    return out;
}

} // namespace wirtal
