// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>

namespace wirtal {

// The 32 slots of a test: slots 1..20 hold basic questions ("T"/"N"), slots 21..32 specialist
// ones ("A"/"B"/"C"). Each family is indexed 1..32 (index 0 is unused).
constexpr int slotCount = 32;
constexpr int basicSlots = 20;
constexpr int maxPoints = 74;
constexpr int passMark = 68;

inline bool isBasicSlot(int k) {
    return k >= 1 && k <= basicSlots;
}
inline bool isSpecialistSlot(int k) {
    return k > basicSlots && k <= slotCount;
}

// The test sheet and the exam-only state of a test. It stays in memory after the end of a test
// for the answer review and the report.
struct TestSheet {
    std::array<int, slotCount + 1> questionNumber{};  // question number of each slot
    std::array<QString, slotCount + 1> slotPoints{};  // the question's points as stored ("1".."3")
    std::array<QString, slotCount + 1> rightAnswer{}; // correct answer code
    std::array<QString, slotCount + 1> givenAnswer{}; // answer given; empty while not answered
    int score = 0;                                    // points scored so far
    int min = 24;                                     // exam clock
    int sec = 59;

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
