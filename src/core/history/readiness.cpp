// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/readiness.h"

#include "history/betadraws.h"

#include <algorithm>
#include <cmath>

namespace wirtal {

namespace {

// How many guesses the first-answer accuracy starts from (more while a part has fewer than five
// first answers); the range of a question prior's weight
// (how many answers of its own outweigh it) and the weight taken while there is too little to
// measure it; how many draws the range comes from.
constexpr double guessWeight = 0.5, fewFirstAnswers = 20;
constexpr double minPriorWeight = 2, maxPriorWeight = 200, defaultPriorWeight = 20;
constexpr int rangeSamples = 120;

double guessRate(bool basic) {
    return basic ? 1.0 / 2 : 1.0 / 3;
}

// What is known of one part (basic or specialist) of the learner's questions.
struct PartPrior {
    double firstRight = 0; // first answers right and wrong, with the guessing they start from
    double firstWrong = 0;
    double weight = defaultPriorWeight;
    double mean() const { return firstRight / (firstRight + firstWrong); }
};

// One distinct question of the pools.
struct Question {
    const Card* card; // null: never answered
    int part;         // 0 basic, 1 specialist
};

// The slotQuestions' loss probabilities when question i is right with chance[i].
std::vector<std::array<double, 4>>
slotLosses(const std::vector<std::vector<std::pair<int, int>>>& slotQuestions,
           const std::vector<double>& chance) {
    std::vector<std::array<double, 4>> lose;
    lose.reserve(slotQuestions.size());
    for (const auto& slot : slotQuestions) {
        std::array<double, 4> l{};
        const double share = slot.empty() ? 0 : 1.0 / double(slot.size());
        for (const auto& [index, points] : slot)
            l[std::size_t(points)] += share * (1 - chance[std::size_t(index)]);
        lose.push_back(l);
    }
    return lose;
}

// The part priors: the mean from first answers, the weight by the method of moments from
// questions answered at least twice (the spread of the learner's accuracy over questions:
// sum k(k-1) / sum n(n-1) estimates the mean square of a question's chance).
std::array<PartPrior, 2> partPriors(const std::vector<Question>& questions) {
    std::array<PartPrior, 2> p;
    std::array<double, 2> right{}, seen{}, pairsRight{}, pairs{}, firsts{};
    for (const Question& q : questions) {
        if (!q.card)
            continue;
        const auto part = std::size_t(q.part);
        (q.card->firstRight ? p[part].firstRight : p[part].firstWrong) += 1;
        firsts[part] += 1;
        const double n = q.card->seen, k = q.card->right;
        right[part] += k;
        seen[part] += n;
        pairsRight[part] += k * (k - 1);
        pairs[part] += n * (n - 1);
    }
    // The guessing the first answers start from: a light touch once there are a few of them, but
    // with next to none the learner is a guesser, not an unknown anywhere from 0 to 100 %.
    for (std::size_t part = 0; part < 2; ++part) {
        const double g = guessRate(part == 0);
        const double w = std::max(guessWeight, fewFirstAnswers - 4 * firsts[part]);
        p[part].firstRight += g * w;
        p[part].firstWrong += (1 - g) * w;
    }
    for (std::size_t part = 0; part < 2; ++part) {
        if (pairs[part] < 50 || seen[part] <= 0)
            continue;
        const double mu = right[part] / seen[part];
        const double spread = pairsRight[part] / pairs[part] - mu * mu;
        p[part].weight =
            spread <= 1e-9 ? maxPriorWeight
                           : std::clamp(mu * (1 - mu) / spread - 1, minPriorWeight, maxPriorWeight);
    }
    return p;
}

} // namespace

double chanceWithin(const std::vector<std::array<double, 4>>& lose, int maxLost) {
    // dist[k]: the probability of having lost exactly k points so far (k <= maxLost).
    std::vector<double> dist(std::size_t(maxLost + 1), 0.0);
    dist[0] = 1;
    for (const auto& l : lose) {
        const double keep = std::max(0.0, 1 - l[1] - l[2] - l[3]);
        for (int k = maxLost; k >= 0; --k) {
            double p = dist[std::size_t(k)] * keep;
            for (int pts = 1; pts <= 3; ++pts)
                if (k - pts >= 0)
                    p += dist[std::size_t(k - pts)] * l[std::size_t(pts)];
            dist[std::size_t(k)] = p;
        }
    }
    double sum = 0;
    for (double d : dist)
        sum += d;
    return std::clamp(sum, 0.0, 1.0);
}

namespace {
// The pools over dense indexes of their distinct questions.
struct DenseExam {
    std::vector<int> ids;
    std::vector<int> part;
    std::vector<std::vector<std::pair<int, int>>> slotQuestions; // (index, points 1..3)
};
DenseExam denseOf(const ExamPools& pools) {
    DenseExam d;
    QHash<int, int> index;
    for (const auto& pool : pools) {
        std::vector<std::pair<int, int>> slot;
        slot.reserve(pool.size());
        for (const PoolQuestion& q : pool) {
            auto it = index.constFind(q.question);
            if (it == index.constEnd()) {
                it = index.insert(q.question, int(d.ids.size()));
                d.ids.push_back(q.question);
                d.part.push_back(q.basic ? 0 : 1);
            }
            slot.emplace_back(*it, std::clamp(q.points, 1, 3));
        }
        d.slotQuestions.push_back(std::move(slot));
    }
    return d;
}
} // namespace

double passChance(const ExamPools& pools, const QHash<int, double>& rightChance) {
    const DenseExam d = denseOf(pools);
    std::vector<double> chance(d.ids.size());
    for (std::size_t i = 0; i < d.ids.size(); ++i)
        chance[i] = rightChance.value(d.ids[i], 0.0);
    return chanceWithin(slotLosses(d.slotQuestions, chance), maxPoints - passMark);
}

Readiness estimateReadiness(const ExamPools& pools, const QHash<int, Card>& cards) {
    Readiness r;
    const DenseExam d = denseOf(pools);
    std::vector<Question> questions;
    questions.reserve(d.ids.size());
    for (std::size_t i = 0; i < d.ids.size(); ++i) {
        const auto it = cards.constFind(d.ids[i]);
        const Card* c = it == cards.constEnd() || it->seen == 0 ? nullptr : &*it;
        questions.push_back({c, d.part[i]});
        if (c) {
            ++r.seen;
            r.answers += c->seen;
        }
    }
    r.questions = int(questions.size());
    const std::array<PartPrior, 2> priors = partPriors(questions);

    // A question's chance: the mean of its Beta posterior, its prior centred on the part's
    // first-answer accuracy.
    auto posterior = [&](const Question& q, double priorMean) {
        const double w = priors[std::size_t(q.part)].weight;
        const double a = priorMean * w + (q.card ? q.card->recentRight : 0);
        const double b = (1 - priorMean) * w + (q.card ? q.card->recentWrong : 0);
        return std::pair{a, b};
    };
    std::vector<double> chance(questions.size());
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const auto [a, b] = posterior(questions[i], priors[std::size_t(questions[i].part)].mean());
        chance[i] = a / (a + b);
    }
    const int maxLost = maxPoints - passMark;
    r.chance = chanceWithin(slotLosses(d.slotQuestions, chance), maxLost);

    // The range: the part means and every question's chance drawn from their posteriors.
    BetaDraws rng(20261210);
    std::vector<double> samples;
    samples.reserve(rangeSamples);
    for (int s = 0; s < rangeSamples; ++s) {
        std::array<double, 2> priorMean{};
        for (std::size_t part = 0; part < 2; ++part)
            priorMean[part] = rng.beta(priors[part].firstRight, priors[part].firstWrong);
        for (std::size_t i = 0; i < questions.size(); ++i) {
            const auto [a, b] = posterior(questions[i], priorMean[std::size_t(questions[i].part)]);
            chance[i] = rng.beta(a, b);
        }
        samples.push_back(chanceWithin(slotLosses(d.slotQuestions, chance), maxLost));
    }
    // The estimate is the mean over the draws: a pass needs nearly every slot right, so the
    // chance at the mean question chances would understate what the uncertainty leaves open.
    double sum = 0;
    for (double v : samples)
        sum += v;
    r.chance = sum / rangeSamples;
    std::sort(samples.begin(), samples.end());
    r.low = std::min(samples[std::size_t(rangeSamples / 10)], r.chance);
    r.high = std::max(samples[std::size_t(rangeSamples - 1 - rangeSamples / 10)], r.chance);
    return r;
}

QString readinessSentence(const Readiness& r) {
    return QStringLiteral("Szansa zdania: około %1 % (na podstawie %2 odpowiedzi)")
        .arg(std::lround(r.chance * 100))
        .arg(r.answers);
}

} // namespace wirtal
