// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <vector>

namespace wirtal {

// What the learner's answers to one question add up to. Kept per category and question by the
// answer log, updated at every answer; everything the progress page and the runs need is here,
// so they never read the whole log.
struct Card {
    int question = 0; // the stored id (layout::storedIdOf): stays the same across a re-import
    int seen = 0;     // answers given
    int right = 0;    // of them right
    bool firstRight = false;
    bool lastRight = false;
    // Right and wrong answers with older ones counting less (each answer multiplies the earlier
    // weights by recentDecay): what the learner knows now, not a year ago.
    double recentRight = 0;
    double recentWrong = 0;
    // The review schedule (SM-2, see scheduleAnswer).
    int reps = 0;            // successful reviews in a row
    double ease = 2.5;       // SM-2 easiness factor, never below 1.3
    double intervalDays = 0; // the gap before the next review
    qint64 dueMs = 0;        // the next review is due (ms since the epoch)
    qint64 lastMs = 0;       // the last answer

    int wrong() const { return seen - right; }
};

constexpr double recentDecay = 0.8;

// Where a question stands for the progress page.
enum class CardState { Unseen, Seen, Weak, Mastered };
// Weak: the last answer was wrong. Mastered: three reviews in a row passed at their due time
// (the last at least six days after the one before), the last answer right. Seen: the rest.
CardState stateOf(const Card& c);

// One answer into the card, at atMs. The schedule is SM-2 with two grades: a right answer is
// grade 4, a wrong one grade 1. A wrong answer starts the question over (due again at once,
// easiness down by 0.54); a right answer at or after its due time is a passed review (intervals 1
// day, 6 days, then the last one times the easiness); a right answer before its due time (the
// learner browsing the bank) is counted but does not move the schedule, so that answering the
// same question five times in a minute does not make it "mastered".
void scheduleAnswer(Card& c, bool correct, qint64 atMs);

// The order of a "Powtórka inteligentna" run at nowMs: every question answered wrong last time
// (the most recent lapse first) and every question whose review is due (the most overdue, by its
// own interval, first). Questions not yet due and never-seen questions are not in it.
std::vector<int> smartReviewOrder(const std::vector<Card>& cards, qint64 nowMs);

} // namespace wirtal
