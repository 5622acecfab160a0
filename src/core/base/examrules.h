// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace wirtal {

// The rules of the theory exam in one place: the test's slots, its times, the points of each
// slot and the pass mark. The exam page, the draw, the chance of passing, the report, the
// progress page and the benchmarks read them from here; a change of the exam's timing is a change
// of this file.

// The 32 slots of a test: slots 1..20 hold basic questions ("T"/"N"), slots 21..32 specialist
// ones ("A"/"B"/"C").
constexpr int slotCount = 32;
constexpr int basicSlots = 20;

constexpr int maxPoints = 74; // all 32 slots right
constexpr int passMark = 68;  // passed with this many points or more

// Times of a question: a basic question is read for 20 s (its picture or film held back), then
// answered within 15 s; a specialist question is answered within 50 s from the start.
constexpr int readingPeriodMs = 20000;
constexpr int basicAnswerSeconds = 15;
constexpr int specialistAnswerSeconds = 50;
// The whole test's clock starts at 24:59 and ends the test at 00:00.
constexpr int examClockMinutes = 24;
constexpr int examClockSeconds = 59;

inline constexpr bool isBasicSlot(int k) {
    return k >= 1 && k <= basicSlots;
}
inline constexpr bool isSpecialistSlot(int k) {
    return k > basicSlots && k <= slotCount;
}

// The points of a slot in the official exam structure: basic slots 1..10 three points, 11..16
// two, 17..20 one; specialist slots 21..26 three, 27..30 two, 31..32 one.
inline constexpr int structurePoints(int slot) {
    if (slot <= 10)
        return 3;
    if (slot <= 16)
        return 2;
    if (slot <= basicSlots)
        return 1;
    if (slot <= 26)
        return 3;
    if (slot <= 30)
        return 2;
    return 1;
}

// The structure adds up to the maximum.
static_assert([] {
    int sum = 0;
    for (int k = 1; k <= slotCount; ++k)
        sum += structurePoints(k);
    return sum == maxPoints;
}());

} // namespace wirtal
