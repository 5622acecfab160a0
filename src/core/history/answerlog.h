// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/scheduler.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QSqlError;

namespace wirtal {

class Dialogs;
class Timer;
class TimerService;
struct PendingEntry;

// How an answer was given. Stored as its number: never renumber.
enum class AnswerMode {
    Learning = 0,
    Exam = 1,
    Revision = 2,    // the revision run of the list "Do powtórki"
    SmartReview = 3, // "Powtórka inteligentna"
    NewQuestions = 4,
    Topic = 5,
};

struct ExamRecord {
    qint64 atMs = 0;
    int score = 0;
    bool passed = false;
};

// The answer history: every answer in learning and in exams, and every finished test, in an
// SQLite database in the user data folder ("historia.sqlite"), beside (never instead of) the
// statistics and revision files.
//
// Every call names a category by its code; the history keeps it apart by the bank of the program
// folder at the call (BankIdentity::historyKey: "B" for a classic bank, "katalog:B" for a
// catalogue, whose questions are official numbers), so a classic bank's answers never count for a
// catalogue's questions of the same numbers.
//
// Each answer is one transaction (the answer row and its question's card) in WAL mode with
// synchronous=NORMAL: a crash or a killed process loses at most the answer being written and
// never damages the file (a power cut may lose the last few answers, never the file). A file that
// is not a sound database of a version we know is moved aside, never emptied.
//
// Another program may hold the file (a backup tool, a second reader) or it may not take writes
// (a read-only or immutable file, a full disk). A lock is waited for briefly (busyTimeoutMs: the
// history is written on the GUI thread) and is never taken for damage. What cannot be written
// now waits, in order: it is written before the next answer, at every tick of the retry timer,
// and at close; what is still waiting then goes into "<name>-niezapisane.txt" beside the history
// and is written at the next open, which removes the file. The learner is told once that
// answers wait.
class AnswerLog {
public:
    static constexpr int schemaVersion = 1;
    // The longest one statement waits for a lock another program holds.
    static constexpr int busyTimeoutMs = 150;
    // How often what waits is tried again.
    static constexpr int retryMs = 5000;

    ~AnswerLog();
    AnswerLog(const AnswerLog&) = delete;
    AnswerLog& operator=(const AnswerLog&) = delete;

    // Opens (or creates) the database at path. A damaged file, a file of a newer version or one
    // that is not a regular file is renamed to "<name>-odlozona-<date>-<time>.sqlite" and a new
    // one is made; *notice then says so in a sentence for the learner. A file that cannot be
    // read now (locked by another program) is opened all the same and checked when it can be
    // read; until then it reads as empty and answers wait. Answers waiting in the file beside
    // from an earlier run are taken in and written. Null when no database can be opened at all
    // (*notice says why); the program then goes on without history.
    static std::unique_ptr<AnswerLog> open(const QString& path, QString* notice);
    // "historia.sqlite" in the user data folder.
    static QString defaultPath();
    // The file beside the history at path that keeps answers not written by the close.
    static QString pendingPathFor(const QString& path);

    // The seams for what happens after the open: timers retry what waits, message boxes tell the
    // learner (once that answers wait; a file set aside later). Without them (tools, the crash
    // test) what waits is tried at the next answer and at close only. Both must outlive the log.
    void useSeams(TimerService* timers, Dialogs* dialogs);

    // One answer or test result, written now or, when the history cannot take it now, kept
    // (above). Returns whether it is written now, together with everything that waited before
    // it. Never throws: the history is an addition and never stops the learner.
    bool record(const QString& category, int question, bool correct, AnswerMode mode, qint64 atMs,
                int tookMs);
    bool recordExam(const QString& category, qint64 atMs, int score, bool passed);
    // Answers and test results not written yet.
    int pendingCount() const;
    // Writes what waits, in order, as far as the history takes it; true when nothing waits.
    bool writePending();

    // An earlier version recorded a catalogue's answers under the plain category code ("B"):
    // the answers and tests of plain codes at or after sinceMs (when the catalogue was imported)
    // become the catalogue's ("katalog:B"), and the cards of both are worked out again from their
    // answers, in one transaction. Returns the answers moved; -1 when the history cannot take it
    // now (nothing is changed then).
    int moveToCatalogue(qint64 sinceMs);

    // The cards of a category, by question id.
    QHash<int, Card> cards(const QString& category) const;
    std::vector<ExamRecord> exams(const QString& category) const;
    // Answers recorded for a category.
    int answerCount(const QString& category) const;
    // Answers of a category by question (id, number of wrong answers), the most wrong first.
    std::vector<std::pair<int, int>> mostWrong(const QString& category, int limit) const;

    const QString& path() const { return path_; }

private:
    enum class Opening { Ready, Waiting, Failed };
    explicit AnswerLog(QString path);
    // Connects (when not connected), checks the file and makes its tables; a file found unsound
    // is set aside and a new one made (*notice says so). Waiting: it cannot be read or written
    // now; Failed: there is no history to be had.
    Opening connect(QString* notice);
    bool createSchema();
    bool write(const PendingEntry& entry);
    bool writeAnswer(const PendingEntry& entry);
    bool writeExam(const PendingEntry& entry);
    void writeFailed(const QSqlError& error);
    void keep(PendingEntry entry);
    // Brings the file beside in line with what waits: rewritten while answers taken from it
    // wait, removed once none does. Called only once the file holds something.
    void syncPendingFile();
    void tell(const QString& text);
    void showNotices();

    QString path_;
    QString connection_;
    bool ready_ = false; // checked and its tables made
    // The statements of record(), prepared once (they go before the connection closes).
    struct Statements;
    std::unique_ptr<Statements> statements_;
    std::vector<PendingEntry> pending_;
    bool fileHolds_ = false; // the file beside holds entries (some may be written meanwhile)
    Dialogs* dialogs_ = nullptr;
    std::unique_ptr<Timer> retry_, notice_;
    QStringList notices_;
    bool toldWaiting_ = false;
};

} // namespace wirtal
