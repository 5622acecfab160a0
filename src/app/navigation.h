#pragma once

#include <QString>

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

private:
    // Asks before abandoning a running test; false when the user said No. On Yes the test is
    // ended as "Przerwij" ends it.
    bool confirmAbort(const QString& question);

    MainWindow& w_;
};

} // namespace wirtal
