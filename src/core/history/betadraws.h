// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace wirtal {

// Draws from Beta distributions for the estimate of the chance of passing: many thousands per
// estimate, so it has its own small generator (xoshiro256**, seeded through splitmix64) and
// samplers (Marsaglia and Tsang's gamma, the polar method's normal) instead of the standard
// library's, several times slower here. A seed gives the same draws on every platform and
// compiler (the standard library's distributions do not promise that).
class BetaDraws {
public:
    explicit BetaDraws(std::uint64_t seed);

    // One draw of Beta(a, b); shapes of 0 or less count as 0, and 0.5 is drawn when both are.
    double beta(double a, double b);
    // One draw of Gamma(shape, 1) (0 for a shape of 0 or less).
    double gamma(double shape);
    double normal();
    // Uniform in (0, 1), never 0 or 1.
    double uniform();

private:
    std::uint64_t next();

    std::uint64_t s_[4];
    double spare_ = 0;
    bool hasSpare_ = false;
};

} // namespace wirtal
