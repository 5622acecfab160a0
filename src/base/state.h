// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/category.h"

#include <QString>

namespace wirtal {

// A practice run of the learning page that goes through a list of questions other than the
// revision list.
enum class PracticeRun { None, SmartReview, NewQuestions, Topic };

// The working state shared by the pages, held by the main window.
struct ProgramState {
    QString categoryCode;         // a category's code ("B"); empty before the first choice
    int learningQuestion = 0;     // question number shown in learning mode
    int currentSlot = 0;          // current slot 1..32 of a running test, 0 when none
    bool testRunning = false;     // a test is running
    bool revisionRunning = false; // a revision run is in progress
    PracticeRun practice = PracticeRun::None; // a practice run is in progress
    bool canadd = true;         // the shown question may still go on the revision list
    bool rememberWrong = true;  // wrong answers are remembered
    bool englishChosen = false; // the learner asked for English texts where a question has them
    bool testInEnglish = false; // the running test shows English texts (fixed at its draw)

    // The chosen category's row of the category table; null before the first choice.
    const Category* category() const { return Category::find(categoryCode); }
    // "statsb.ini", or empty before a category was chosen.
    QString statsFile() const;
};

// The statistics file of a category in the bank of the program folder (BankIdentity): "statsb.ini"
// for "B" in a classic folder, "katalog-statsb.ini" in a catalogue one; empty for a code that
// names no category.
QString statsFileFor(const QString& categoryCode);
// The last question of a category (StatsFile::lastQuestion); 1 when none is stored.
int storedLastQuestion(const QString& categoryCode);

} // namespace wirtal
