#pragma once

#include <QString>

namespace wirtal {

// The working state shared by the pages, held by the main window.
struct ProgramState {
    QString kategoria;         // "A", "B", "C", "D", "T"; empty before the first choice
    int pytanie = 0;           // question number shown in learning mode
    int globalint = 0;         // current slot 1..32 of a running test, 0 when none
    bool testtrwa = false;     // a test is running
    bool powtorkatrwa = false; // a revision run is in progress
    bool canadd = true;        // the shown question may still go on the revision list
    bool SliderState = true;   // wrong answers are remembered

    // "b" for "B": the letter in file names.
    QString letter() const { return kategoria.toLower(); }
    // "statsb.ini", or empty before a category was chosen.
    QString statsFile() const;
};

// A per-category file name: prefix + lower-case letter + suffix ("stats" "b" ".ini"); empty for
// anything that is not one of the five letters.
QString categoryFileName(const QString& prefix, const QString& kategoria, const QString& suffix);
// The statistics file of a category: "stats" + lower-case letter + ".ini"; empty for anything
// that is not one of the five letters.
QString statsFileFor(const QString& kategoria);
// The last question of a category: readini(..., "last", "pytanie", "1"); a value that is no
// integer counts as 1.
int storedLastQuestion(const QString& kategoria);

} // namespace wirtal
