// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/answerlog.h"
#include "history/readiness.h"

#include <QString>

#include <array>
#include <vector>

namespace wirtal {

class AnswerLog;

// Where the learner stands in one category, as the progress page shows it.
struct TopicProgress {
    QString name;
    int first = 0, last = 0;    // our numbers
    std::array<int, 4> count{}; // by CardState: unseen, seen, weak, mastered
    int total() const { return count[0] + count[1] + count[2] + count[3]; }
};

struct WrongQuestion {
    int number = 0; // ours
    int wrong = 0;
    int seen = 0;
    QString text; // the start of the question's text
};

struct ProgressSummary {
    std::vector<TopicProgress> topics;
    bool namedTopics = false;
    TopicProgress total;
    std::vector<ExamRecord> exams;
    std::vector<WrongQuestion> mostWrong;
    Readiness readiness;
    int dueNow = 0; // questions a smart review would bring now
    bool hasHistory = false;
};

// The summary of a category from the history (empty figures without one). Throws Error as the
// bank lookups do when the bank files cannot be read.
ProgressSummary summarize(const QString& categoryCode, const AnswerLog* history, qint64 nowMs);

// The questions (our numbers) of the practice runs, in the order they are asked.
// "Powtórka inteligentna": answered wrong last time and due for review (smartReviewOrder).
std::vector<int> smartReviewQueue(const QString& categoryCode, const AnswerLog* history,
                                  qint64 nowMs);
// Never answered yet, in the bank's order.
std::vector<int> newQuestionsQueue(const QString& categoryCode, const AnswerLog* history);
// One topic's questions: weak ones first, then those never answered, then the seen ones, then
// the mastered ones; within each, in the bank's order.
std::vector<int> topicQueue(const QString& categoryCode, const AnswerLog* history, int first,
                            int last);

} // namespace wirtal
