// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exam/testsheet.h"

#include <QStringList>

#include <array>

namespace wirtal {

class Random;

// An inclusive range of question numbers.
struct DrawRange {
    int from = 0;
    int to = 0;
    bool contains(int n) const { return n >= from && n <= to; }
};
using SlotRanges = std::array<DrawRange, slotCount + 1>; // indexed 1..32

// The basic ranges of slots 1..20 (every category) and the specialist ranges of slots 21..32 of
// category "B". Numbers between them never appear in a test.
const SlotRanges& categoryBRanges();

// The specialist ranges of a category whose specialist bank file has the given lines (line 0 is
// the header): twelve disjoint ascending ranges that split the questions 1298.. of the file as
// evenly as possible. Throws Error naming the file when it holds fewer than twelve questions.
std::array<DrawRange, slotCount - basicSlots> spreadSpecialistRanges(const QStringList& lines,
                                                                     const QString& fileName);

// The slot ranges of a category; for a category whose ranges are spread over its file ("A",
// "C", "D", "T") the specialist ones come from its specialist bank file as loaded.
SlotRanges rangesFor(const QString& categoryCode, const QStringList& specialistLines);

// The 32 numbers of a test, each uniform over its slot's inclusive range, in slot order.
std::array<int, slotCount + 1> drawNumbers(const SlotRanges& ranges, Random& random);

// One drawn test: numbers, points and correct answers of the 32 slots.
struct DrawnTest {
    std::array<int, slotCount + 1> questionNumber{};
    std::array<QString, slotCount + 1> slotPoints{};
    std::array<QString, slotCount + 1> rightAnswer{};
};

// The draw in a folder made by the catalogue import. With points in the records: slots 1..10 from
// the basic questions worth 3 points, 11..16 worth 2, 17..20 worth 1, slots 21..26, 27..30, 31..32
// likewise from the specialist ones, each class drawn without repeats; then the order inside the
// basic and inside the specialist part is shuffled (a question keeps its points). Without points:
// 20 distinct basic and 12 distinct specialist questions, each slot worth its place's points.
// Throws Error naming the category and class when a class holds too few questions.
DrawnTest drawCatalogueTest(const QString& categoryCode, Random& random);

// The draw: every slot from its range in slot order (uniform over the inclusive range), then the
// correct answer and the points of each from the basic bank file (read once) and the category's
// specialist bank file (read once). Throws Error naming the file (missing, unreadable, too short)
// or the file and line (a record with too few fields); nothing is changed then. In a folder made
// by the catalogue import it is drawCatalogueTest.
DrawnTest drawTest(const QString& categoryCode, Random& random);

} // namespace wirtal
