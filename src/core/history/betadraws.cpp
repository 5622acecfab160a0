// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/betadraws.h"

#include <cmath>

namespace wirtal {

namespace {
std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}
std::uint64_t splitmix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}
} // namespace

BetaDraws::BetaDraws(std::uint64_t seed) {
    for (std::uint64_t& s : s_)
        s = splitmix(seed);
}

std::uint64_t BetaDraws::next() {
    const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

double BetaDraws::uniform() {
    return (double(next() >> 11) + 0.5) * 0x1.0p-53;
}

double BetaDraws::normal() {
    if (hasSpare_) {
        hasSpare_ = false;
        return spare_;
    }
    double u = 0, v = 0, s = 0;
    do {
        u = 2 * uniform() - 1;
        v = 2 * uniform() - 1;
        s = u * u + v * v;
    } while (s >= 1 || s == 0);
    const double m = std::sqrt(-2 * std::log(s) / s);
    spare_ = v * m;
    hasSpare_ = true;
    return u * m;
}

double BetaDraws::gamma(double shape) {
    if (!(shape > 0))
        return 0;
    if (shape < 1) // Gamma(a) = Gamma(a + 1) * U^(1/a)
        return gamma(shape + 1) * std::exp(std::log(uniform()) / shape);
    const double d = shape - 1.0 / 3, c = 1 / std::sqrt(9 * d);
    for (;;) {
        double x = 0, v = 0;
        do {
            x = normal();
            v = 1 + c * x;
        } while (v <= 0);
        v = v * v * v;
        const double u = uniform(), x2 = x * x;
        if (u < 1 - 0.0331 * x2 * x2 || std::log(u) < 0.5 * x2 + d * (1 - v + std::log(v)))
            return d * v;
    }
}

double BetaDraws::beta(double a, double b) {
    const double x = gamma(a), y = gamma(b);
    return x + y > 0 ? x / (x + y) : 0.5;
}

} // namespace wirtal
