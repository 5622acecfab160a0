// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exam/examui.h"
#include "exam/testsheet.h"
#include "platform/timer.h"

#include <memory>

namespace wirtal {

struct AppContext;
struct ProgramState;
class ExamSpeech;
class MediaPlayer;

// The timers of the exam flow, by their names on the timer service.
struct ExamTimers {
    std::unique_ptr<Timer> questionLoader; // 100 ms one-shot: question loader
    std::unique_ptr<Timer>
        readingPeriod; // 20000 ms (100 ms in the review) one-shot: end of reading
    std::unique_ptr<Timer> answeringStart;  // 1000 ms, repeats while a film plays: answering starts
    std::unique_ptr<Timer> answerCountdown; // 1000 ms repeating: answering countdown
    std::unique_ptr<Timer> nextStep;        // 100 ms one-shot: step to the next question
    std::unique_ptr<Timer> examClock;       // 1000 ms repeating: exam clock

    explicit ExamTimers(TimerService& service);
};

// What the parts of the exam page share: the program state, the controls, the timers and the
// test sheet, with the small routines several parts use.
struct ExamShared {
    ExamShared(AppContext& context, ExamUi controls);

    AppContext& ctx;
    ExamUi ui;
    ExamTimers timers;
    TestSheet sheet;
    QString filename;             // bank file of the exam question on screen
    qint64 answerOpenedMs = 0;    // when the answering period of the current slot opened
    ExamSpeech* speech = nullptr; // what the page says to a screen reader (set by the page)

    ProgramState& state();
    bool testRunning() const;
    // The player of the main window (an inert one when the program has none).
    MediaPlayer& player();

    // Gauge scales: 15 (0-5 red, 5-10 yellow, 10-15 green) or 50 (0-10, 10-30, 30-50); the
    // value starts at the maximum.
    void basicScale();
    void specialistScale();
    // The five answer buttons in the normal colour.
    void answerButtonsNormal();
    // The three specialist answer texts white.
    void answerTextsWhite();
    // Hides the badges of the 32 number buttons.
    void hideSlotBadges();
    // The test-language choice: shown when the category has English texts, open to change only
    // between tests.
    void refreshLanguageChoice();
    // Loads "\obrazki_prawko\<name>" into ImageTest2 if it exists.
    void loadFixedPicture(const char* name);
    void setAnswerControlsEnabled(bool on); // "  Dalej", "TAK", "NIE"
};

} // namespace wirtal
