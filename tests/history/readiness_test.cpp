// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/readiness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace wirtal {
namespace {

// Points of slot k (1..32) as the exam gives them.
int slotPoints(int k) {
    if (k <= 10 || (k >= 21 && k <= 26))
        return 3;
    if (k <= 16 || (k >= 27 && k <= 30))
        return 2;
    return 1;
}

// A test structure like the classic bank's: 20 basic slots of 60 questions, 12 specialist slots
// of 15 (ids 1.. and 5001..).
ExamPools classicLikePools() {
    ExamPools pools;
    for (int k = 1; k <= 32; ++k) {
        std::vector<PoolQuestion> pool;
        const bool basic = k <= 20;
        const int size = basic ? 60 : 15;
        const int first = basic ? (k - 1) * 60 + 1 : 5001 + (k - 21) * 15;
        for (int i = 0; i < size; ++i)
            pool.push_back({first + i, slotPoints(k), basic});
        pools.push_back(pool);
    }
    return pools;
}

TEST(Readiness, ThePointConvolutionMatchesCountingEveryOutcome) {
    // Five slots small enough to enumerate: 2^5 outcomes.
    const std::vector<std::array<double, 4>> lose = {
        {0, 0, 0, 0.3}, {0, 0, 0.5, 0}, {0, 0.2, 0, 0}, {0, 0, 0, 0.1}, {0, 0.6, 0, 0}};
    const int pts[] = {3, 2, 1, 3, 1};
    const double p[] = {0.3, 0.5, 0.2, 0.1, 0.6};
    for (int maxLost = 0; maxLost <= 10; ++maxLost) {
        double expected = 0;
        for (int mask = 0; mask < 32; ++mask) {
            double prob = 1;
            int lost = 0;
            for (int i = 0; i < 5; ++i) {
                const bool l = mask & (1 << i);
                prob *= l ? p[i] : 1 - p[i];
                lost += l ? pts[i] : 0;
            }
            if (lost <= maxLost)
                expected += prob;
        }
        EXPECT_NEAR(chanceWithin(lose, maxLost), expected, 1e-12) << maxLost;
    }
}

TEST(Readiness, KnownEdgesOfThePassChance) {
    const ExamPools pools = classicLikePools();
    QHash<int, double> all, none, oneWrong;
    for (const auto& pool : pools)
        for (const PoolQuestion& q : pool) {
            all[q.question] = 1.0;
            none[q.question] = 0.0;
            oneWrong[q.question] = 1.0;
        }
    EXPECT_DOUBLE_EQ(passChance(pools, all), 1.0);
    EXPECT_DOUBLE_EQ(passChance(pools, none), 0.0);
    // Every question of slot 1 always wrong: 3 points lost, still a pass.
    for (const PoolQuestion& q : pools[0])
        oneWrong[q.question] = 0.0;
    EXPECT_DOUBLE_EQ(passChance(pools, oneWrong), 1.0);
    // ...and slots 2 and 3 as well: 9 points lost, never a pass.
    for (int s : {1, 2})
        for (const PoolQuestion& q : pools[std::size_t(s)])
            oneWrong[q.question] = 0.0;
    EXPECT_DOUBLE_EQ(passChance(pools, oneWrong), 0.0);
}

TEST(Readiness, NeverSeenQuestionsAreNotCountedAsKnown) {
    const ExamPools pools = classicLikePools();
    // Nothing answered: the estimate is a guesser's, near nothing.
    const Readiness nothing = estimateReadiness(pools, {});
    EXPECT_LT(nothing.chance, 0.01);
    EXPECT_EQ(nothing.answers, 0);
    EXPECT_EQ(nothing.questions, 20 * 60 + 12 * 15);

    // Ten questions answered right many times: the rest still count with the learner's
    // first-answer accuracy (all right here, smoothed by guessing), not as known.
    QHash<int, Card> cards;
    for (int id = 1; id <= 10; ++id) {
        Card c;
        c.question = id;
        for (int i = 0; i < 5; ++i)
            scheduleAnswer(c, true, 1000 + i);
        cards.insert(id, c);
    }
    const Readiness few = estimateReadiness(pools, cards);
    EXPECT_EQ(few.answers, 50);
    EXPECT_EQ(few.seen, 10);
    EXPECT_LT(few.chance, 0.5);
    EXPECT_LE(few.low, few.chance);
    EXPECT_GE(few.high, few.chance);
    EXPECT_EQ(readinessSentence(few).left(15), QStringLiteral("Szansa zdania: "));
}

// Simulated learners with known per-question accuracy answer questions of the bank at random,
// then sit simulated tests. Learners grouped by their estimate must pass about as often as
// estimated.
TEST(Readiness, TheEstimateIsCalibratedAgainstSimulatedLearners) {
    const ExamPools pools = classicLikePools();
    std::vector<PoolQuestion> bank;
    for (const auto& pool : pools)
        for (const PoolQuestion& q : pool)
            bank.push_back(q);

    std::mt19937_64 rng(42);
    constexpr int learners = 400;
    constexpr int testsEach = 200;
    struct Bin {
        int learners = 0;
        double predicted = 0;
        double passed = 0;
    };
    std::array<Bin, 10> bins{};
    for (int l = 0; l < learners; ++l) {
        // The learner's level and the spread of their accuracy over questions.
        const double level = std::uniform_real_distribution<double>(0.82, 0.995)(rng);
        const double spread = 30;
        std::vector<double> truth(5200);
        for (const PoolQuestion& q : bank) {
            std::gamma_distribution<double> ga(level * spread), gb((1 - level) * spread);
            const double x = ga(rng), y = gb(rng);
            truth[std::size_t(q.question)] = x / (x + y);
        }
        // Practice: a number of answers to questions picked at random.
        const int answers = std::uniform_int_distribution<int>(100, 3000)(rng);
        QHash<int, Card> cards;
        std::uniform_int_distribution<std::size_t> pick(0, bank.size() - 1);
        for (int a = 0; a < answers; ++a) {
            const PoolQuestion& q = bank[pick(rng)];
            Card& c = cards[q.question];
            c.question = q.question;
            scheduleAnswer(
                c, std::uniform_real_distribution<double>()(rng) < truth[std::size_t(q.question)],
                qint64(a) * 600'000);
        }
        const Readiness r = estimateReadiness(pools, cards);

        // Simulated tests: each slot draws a question of its pool.
        int passed = 0;
        for (int t = 0; t < testsEach; ++t) {
            int lost = 0;
            for (const auto& pool : pools) {
                const PoolQuestion& q =
                    pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng)];
                if (std::uniform_real_distribution<double>()(rng) >= truth[std::size_t(q.question)])
                    lost += q.points;
            }
            passed += lost <= maxPoints - passMark ? 1 : 0;
        }
        Bin& b = bins[std::size_t(std::min(9, int(r.chance * 10)))];
        ++b.learners;
        b.predicted += r.chance;
        b.passed += double(passed) / testsEach;
    }

    std::printf("estimated    learners  mean estimate  simulated pass rate  difference\n");
    double worst = 0;
    for (int i = 0; i < 10; ++i) {
        const Bin& b = bins[std::size_t(i)];
        if (b.learners == 0)
            continue;
        const double predicted = b.predicted / b.learners, actual = b.passed / b.learners;
        std::printf("%3d-%3d %%   %8d  %12.1f %%  %18.1f %%  %+9.1f\n", i * 10, i * 10 + 10,
                    b.learners, predicted * 100, actual * 100, (predicted - actual) * 100);
        if (b.learners >= 15)
            worst = std::max(worst, std::abs(predicted - actual));
    }
    std::printf("largest difference in a bin of 15 or more learners: %.1f points\n", worst * 100);
    EXPECT_LT(worst, 0.05);
}

} // namespace
} // namespace wirtal
