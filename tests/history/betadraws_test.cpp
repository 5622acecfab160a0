// SPDX-License-Identifier: GPL-3.0-or-later

// The draws behind the estimate of the chance of passing: their moments over the shapes the
// estimate uses (shapes below 1 take another way through the gamma sampler), and a seed that
// repeats them.
#include "history/betadraws.h"

#include <gtest/gtest.h>

#include <cmath>

namespace wirtal {
namespace {

struct Moments {
    double mean = 0, variance = 0;
};

template <class Draw> Moments momentsOf(Draw draw, int n) {
    double sum = 0, squares = 0;
    for (int i = 0; i < n; ++i) {
        const double x = draw();
        sum += x;
        squares += x * x;
    }
    const double mean = sum / n;
    return {mean, squares / n - mean * mean};
}

TEST(BetaDraws, BetaAndGammaDrawsHaveTheirDistributionsMoments) {
    constexpr int n = 200'000;
    const struct {
        double a, b;
    } betas[] = {{0.2, 3}, {2, 0.3}, {0.5, 0.5}, {1, 1}, {30, 2}, {170, 12}, {4.5, 40}};
    BetaDraws draws(7);
    for (const auto& [a, b] : betas) {
        const double mean = a / (a + b), variance = a * b / ((a + b) * (a + b) * (a + b + 1));
        const Moments m = momentsOf([&] { return draws.beta(a, b); }, n);
        EXPECT_NEAR(m.mean, mean, 5 * std::sqrt(variance / n)) << a << ", " << b;
        EXPECT_NEAR(m.variance, variance, 0.03 * variance) << a << ", " << b;
    }
    for (const double shape : {0.3, 1.0, 4.5, 50.0}) {
        const Moments m = momentsOf([&] { return draws.gamma(shape); }, n);
        EXPECT_NEAR(m.mean, shape, 5 * std::sqrt(shape / n)) << shape;
        EXPECT_NEAR(m.variance, shape, 0.04 * shape) << shape;
    }
    const Moments normal = momentsOf([&] { return draws.normal(); }, n);
    EXPECT_NEAR(normal.mean, 0, 5 / std::sqrt(double(n)));
    EXPECT_NEAR(normal.variance, 1, 0.02);
    // Uniform draws stay inside (0, 1).
    for (int i = 0; i < n; ++i) {
        const double u = draws.uniform();
        ASSERT_GT(u, 0);
        ASSERT_LT(u, 1);
    }
}

TEST(BetaDraws, ASeedRepeatsItsDrawsAndEmptyShapesAreHandled) {
    BetaDraws one(20261210), again(20261210), other(20261211);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const double x = one.beta(3, 0.7);
        ASSERT_EQ(x, again.beta(3, 0.7));
        differs = differs || x != other.beta(3, 0.7);
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(one.gamma(0), 0);
    EXPECT_EQ(one.gamma(-1), 0);
    EXPECT_EQ(one.beta(0, 0), 0.5);
    EXPECT_EQ(one.beta(0, 2), 0);
    EXPECT_EQ(one.beta(2, 0), 1);
}

} // namespace
} // namespace wirtal
