// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/scheduler.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace wirtal {

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
// Each answer is one transaction (the answer row and its question's card) in WAL mode with
// synchronous=NORMAL: a crash or a killed process loses at most the answer being written and
// never damages the file (a power cut may lose the last few answers, never the file). A file that
// is not a sound database of a version we know is moved aside, never emptied.
class AnswerLog {
public:
    static constexpr int schemaVersion = 1;

    ~AnswerLog();
    AnswerLog(const AnswerLog&) = delete;
    AnswerLog& operator=(const AnswerLog&) = delete;

    // Opens (or creates) the database at path. A damaged file, a file of a newer version or one
    // that is not a regular file is renamed to "<name>-odlozona-<date>-<time>.sqlite" and a new
    // one is made; *notice then says so in a sentence for the learner. Null when no database can
    // be opened at all (*notice says why); the program then goes on without history.
    static std::unique_ptr<AnswerLog> open(const QString& path, QString* notice);
    // "historia.sqlite" in the user data folder.
    static QString defaultPath();

    // One answer. A failure to write is reported by the return value only: the history is an
    // addition and never stops the learner.
    bool record(const QString& category, int question, bool correct, AnswerMode mode, qint64 atMs,
                int tookMs);
    bool recordExam(const QString& category, qint64 atMs, int score, bool passed);

    // The cards of a category, by question id.
    QHash<int, Card> cards(const QString& category) const;
    std::vector<ExamRecord> exams(const QString& category) const;
    // Answers recorded for a category.
    int answerCount(const QString& category) const;
    // Answers of a category by question (id, number of wrong answers), the most wrong first.
    std::vector<std::pair<int, int>> mostWrong(const QString& category, int limit) const;

    const QString& path() const { return path_; }

private:
    explicit AnswerLog(QString path, QString connection);
    bool createSchema();

    QString path_;
    QString connection_;
    // The statements of record(), prepared once (they go before the connection closes).
    struct Statements;
    std::unique_ptr<Statements> statements_;
};

} // namespace wirtal
