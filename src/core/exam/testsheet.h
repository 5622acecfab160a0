// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/examrules.h"

#include <QString>

#include <array>

namespace wirtal {

// The test sheet and the exam-only state of a test. It stays in memory after the end of a test
// for the answer review and the report. Each family is indexed 1..32 (index 0 is unused).
struct TestSheet {
    std::array<int, slotCount + 1> questionNumber{};  // question number of each slot
    std::array<QString, slotCount + 1> slotPoints{};  // the question's points as stored ("1".."3")
    std::array<QString, slotCount + 1> rightAnswer{}; // correct answer code
    std::array<QString, slotCount + 1> givenAnswer{}; // answer given; empty while not answered
    int score = 0;                                    // points scored so far
    int min = examClockMinutes;                       // exam clock
    int sec = examClockSeconds;

    // Slot k answered and the answer equals the correct one (exactly).
    bool correct(int k) const {
        return !givenAnswer[k].isEmpty() && givenAnswer[k] == rightAnswer[k];
    }
    bool passed() const { return score >= passMark; }
};

// "Wynik POZYTYWNY. Punktów 68 na 74 (91,9 %)" or "Wynik NEGATYWNY. ...", with the percentage
// the report prints too.
QString verdictText(int score);

// The integer value of a points field as the score adds it; throws Error naming the file, line
// and value when it is not a whole number from 1 to 3.
int pointsValue(const QString& field, const QString& fileName, int line);

} // namespace wirtal
