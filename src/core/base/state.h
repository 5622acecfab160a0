// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/category.h"
#include "base/sessions.h"

#include <QString>

namespace wirtal {

// What the pages share beyond a test or a learning run, held by the main window: the chosen
// category and the learner's remembered switches. A test is an ExamSession, learning a
// LearningSession (base/sessions.h).
struct ProgramState {
    QString categoryCode;       // a category's code ("B"); empty before the first choice
    bool rememberWrong = true;  // wrong answers are remembered
    bool englishChosen = false; // the learner asked for English texts where a question has them

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
