// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/examrules.h"
#include "history/scheduler.h"

#include <QHash>
#include <QString>

#include <array>
#include <vector>

namespace wirtal {

// One question a slot of the test may draw: its stored id, its points, its part.
struct PoolQuestion {
    int question = 0;
    int points = 1;
    bool basic = true;
};
// The 32 slots of a test as the exam draws them: each slot draws one question of its pool, each
// equally likely.
using ExamPools = std::vector<std::vector<PoolQuestion>>;

struct Readiness {
    double chance = 0; // the estimated probability of passing a drawn test (0..1)
    double low = 0;    // a range the chance lies in with about 80 % probability
    double high = 0;
    int answers = 0;   // the answers it rests on
    int seen = 0;      // questions of the pools answered at least once
    int questions = 0; // distinct questions in the pools
};

// The estimate of a learner's chance of passing (68 of 74 points).
//
// Each question's chance of a right answer is a Beta posterior. Its prior is centred on the
// learner's first-answer accuracy on questions of the same part (what they got right the first
// time they met a question; with nothing answered, guessing: 1/2 for yes/no, 1/3 for three
// options), and weighs as much as the spread of the learner's accuracy over questions says (the
// method of moments on questions answered at least twice); the question's own answers update it,
// recent ones counting more. A question never answered keeps the prior: not known, but what this
// learner scores on a question they meet for the first time. A slot is right with the average
// chance of its pool, the slots are independent, the points lost add up exactly (a small
// convolution), and the test is passed when at most 6 are lost.
//
// The chance and its range come from drawing the part means and every question's chance from
// their posteriors (a fixed seed, so the same history gives the same figures): the mean of the
// draws, and the 10th and 90th percentiles.
Readiness estimateReadiness(const ExamPools& pools, const QHash<int, Card>& cards);

// The probability of losing at most maxLost points when slot k is lost with probability
// lose[k][p] for p = 1..3 points (index 0 unused).
double chanceWithin(const std::vector<std::array<double, 4>>& lose, int maxLost);

// The probability of passing a test drawn from pools when each question is right with the given
// probability (by question id; a question not in the map counts as never right).
double passChance(const ExamPools& pools, const QHash<int, double>& rightChance);

// "Szansa zdania: około 80 % (na podstawie 412 odpowiedzi)".
QString readinessSentence(const Readiness& r);

} // namespace wirtal
