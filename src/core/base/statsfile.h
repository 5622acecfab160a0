// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace wirtal {

// The statistics file of one category in the user data folder ("statsb.ini"): the only code
// that knows its sections and keys. Every call reads or writes the file at once, so two
// instances see each other's writes. Without a file name (no category chosen yet) every read
// gives its default and nothing is written.
//
//   [last]     pytanie      the learning-mode question last shown
//   [nauka]    poprawne     learning checks answered right
//              niepoprawne  learning checks answered wrong
//   [egzamin]  zdane        tests passed
//              niezdane     tests failed
//   [stats]    wyniki       result history, newest first: "1" passed, "0" failed, "2" no result
class StatsFile {
public:
    explicit StatsFile(QString fileName) : file_(std::move(fileName)) {}
    // The statistics file of a category's code in the bank of the program folder (statsFileFor);
    // without a file for an unknown or empty code.
    static StatsFile of(const QString& categoryCode);

    const QString& fileName() const { return file_; }

    // The last question shown in learning mode; 1 when none is stored or it is no integer.
    int lastQuestion() const;
    void setLastQuestion(int number);
    // The same, saved once the event loop has shown what is on screen now (after the paint
    // that is pending), so a click shows the next question before the file is saved and synced.
    // One such save is pending at a time, for the whole program: a newer one replaces it, and
    // every other call of this class saves it first, so what is read is always what was set.
    // Without an event loop it is saved at once. Errors of the later save go to the error sink.
    void setLastQuestionSoon(int number);
    // Saves the pending last question now (quitting, a signal, the session manager's save).
    static void savePending();
    // Off: setLastQuestionSoon keeps its save pending without asking the event loop, as if the
    // loop had not come round to it yet (for tests of the paths that must save it). On by default.
    static void setSaveFromEventLoopForTest(bool on);

    // Adds one to the right or wrong learning counter. Throws Error naming the file and value
    // when the stored count is no integer (nothing is written then).
    void recordLearningAnswer(bool correct);
    // Adds one to the passed or failed test counter (same errors), then pushes the result onto
    // the history.
    void recordExamResult(bool passed);

    // The four counters of the file.
    enum class Counter { Poprawne, Niepoprawne, Zdane, Niezdane };
    // A counter as the statistics view shows it: a decimal number, the locale's decimal separator
    // allowed; 0 when it is missing. Throws Error naming the file, key and value otherwise.
    double count(Counter which) const;
    // The four counters back to "0" (zdane, niezdane, poprawne, niepoprawne, in that order);
    // the last question and the history stay.
    void clearCounters();

    // Pushes a result digit onto the history: the digit, then the first four characters stored
    // before (read with the default "000000").
    void pushResult(QChar digit);
    // The stored history as the stars read it: its first five characters (read with the default
    // "0"), fewer when it is shorter.
    QString resultStars() const;
    // Tests passed plus tests failed; -1 when a counter is no number.
    qint64 testsTaken() const;

private:
    QString file_;
};

} // namespace wirtal
