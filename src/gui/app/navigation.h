// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/state.h"

#include <QString>

#include <vector>

namespace wirtal {

class MainWindow;

// The left menu's operations and the category choice: which page shows, which entry is
// highlighted, and what each move does to the learning and exam pages.
class Navigation {
public:
    explicit Navigation(MainWindow& window);

    // "Kategoria X" on the start page.
    void chooseCategory(const QString& letter);
    // "Zmień kategorię".
    void changeCategory();
    // "Nauka testów": back to learning mode.
    void backToLearning();
    // "Postępy" of the more page: the progress page, read anew.
    void showProgress();
    // From the progress page: a practice run on the learning page, or one question in it.
    void startPractice(PracticeRun kind, std::vector<int> queue, const QString& title);
    void openQuestion(int number);

    // Asks before abandoning a running test; false when the user said No. On Yes the test is
    // ended as "Przerwij" ends it.
    bool confirmAbort(const QString& question);

private:
    MainWindow& w_;
};

} // namespace wirtal
