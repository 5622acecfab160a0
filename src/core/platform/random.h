// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <random>

namespace wirtal {

// Uniform integers over inclusive ranges.
class Random {
public:
    virtual ~Random() = default;
    virtual int uniform(int from, int to) = 0;
};

// The program's generator: seeded once per run (from the high-resolution clock), or with a fixed
// seed in tests.
class SeededRandom final : public Random {
public:
    SeededRandom();                            // seeded from the clock
    explicit SeededRandom(std::uint64_t seed); // fixed seed
    int uniform(int from, int to) override;

private:
    std::mt19937_64 engine_;
};

} // namespace wirtal
