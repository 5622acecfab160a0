// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace wirtal {

struct ExamShared;
class ExamFlow;

// The end of a test, whatever ended it ("Przerwij", the last question, 00:00, an abort), and
// the reset of the page on a category change.
class ExamEnd {
public:
    ExamEnd(ExamShared& shared, ExamFlow& flow);

    // The one end routine: stops the exam, colours the number buttons, shows the verdict and the
    // result picture, counts the result, pushes it onto the history and refreshes the stars.
    void endTest();
    // Resets the page and the exam counters to the state before any test.
    void resetExamPage();

private:
    void record(bool passed);

    ExamShared& s_;
    ExamFlow& flow_;
};

} // namespace wirtal
