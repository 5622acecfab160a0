// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bank/bank.h"

#include <functional>
#include <optional>

namespace wirtal {

struct ExamShared;
struct Record;

// The timed flow of a test: the hidden question number "numertest" and the chain of timers
// that shows each question, holds back a basic question's media for the reading period, waits
// for a film, counts the answering time down on the gauge, scores the slot when it is left and
// runs the exam clock. The loader and the end of the reading period also serve the review.
class ExamFlow {
public:
    explicit ExamFlow(ExamShared& shared);

    int shownNumber() const { return shownNumber_; }
    // A new value shows that question (shownNumberChanged); the same value does nothing unless
    // evenIfSame.
    void setShownNumber(int n, bool evenIfSame = false);

    void shownNumberChanged();
    void loadQuestion();
    void endReading();
    void startAnswering();
    void countDownAnswer();
    void leaveSlot();
    void tickExamClock();

private:
    // Runs a step of a running test; when it fails, the test is ended through "Przerwij" and the
    // failure is reported once, instead of the test hanging on the failed step.
    void testStep(const std::function<void()>& step);
    // The record of the question on screen; sets filename.
    Record currentRecord();
    // The first steps of the loader and of the end of the reading period: the player closed,
    // the answer buttons unmarked in a test, the question's record read and its panel shown;
    // nothing when no question is on display.
    std::optional<Record> openQuestion();
    // While a test runs: the next slot's film is made ready (MediaPlayer::prepare).
    void prepareNextFilm();
    // A specialist question's text and its three answers into their texts.
    void showSpecialistTexts(const Record& r);
    void showPanelOf(const Record& r);
    void step();

    ExamShared& s_;
    int shownNumber_ = 0;
};

} // namespace wirtal
