// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace wirtal {

struct ExamShared;
class ExamFlow;

// The answer review after a test: a number button shows its slot's question again with the
// given answer (yellow button) and the correct one ("Prawidłowa" badge or green answer text).
class ExamReview {
public:
    ExamReview(ExamShared& shared, ExamFlow& flow);

    // The click on the number button of slot k (AdvSmoothButton42Click .. AdvSmoothButton73Click).
    void numberClick(int k);
    // Entry step: refuses while a test runs, else shows question n.
    void check(int n);
    // Marks the given answer on the five answer buttons.
    void markGivenAnswer(const QString& code);

private:
    ExamShared& s_;
    ExamFlow& flow_;
};

} // namespace wirtal
