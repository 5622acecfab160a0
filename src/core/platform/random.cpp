// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/random.h"

#include <chrono>

namespace wirtal {

SeededRandom::SeededRandom()
    : engine_(static_cast<std::uint64_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

SeededRandom::SeededRandom(std::uint64_t seed) : engine_(seed) {}

int SeededRandom::uniform(int from, int to) {
    std::uniform_int_distribution<int> d(from, to);
    return d(engine_);
}

} // namespace wirtal
