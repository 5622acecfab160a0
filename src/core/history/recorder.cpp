// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/recorder.h"

#include "base/context.h"
#include "base/statsfile.h"
#include "history/recording.h"

namespace wirtal {

namespace {
AnswerMode learningMode(const LearningSession& s) {
    if (s.revisionRunning())
        return AnswerMode::Revision;
    switch (s.practice()) {
    case PracticeRun::SmartReview:
        return AnswerMode::SmartReview;
    case PracticeRun::NewQuestions:
        return AnswerMode::NewQuestions;
    case PracticeRun::Topic:
        return AnswerMode::Topic;
    case PracticeRun::None:
        break;
    }
    return AnswerMode::Learning;
}
} // namespace

void Recorder::learningAnswerChecked(int number, bool correct, bool firstOfShowing,
                                     qint64 shownAtMs) const {
    StatsFile(ctx_.state.statsFile()).recordLearningAnswer(correct);
    if (firstOfShowing)
        recordAnswer(ctx_, number, correct, learningMode(ctx_.learning), shownAtMs);
}

void Recorder::examAnswerGiven(int number, bool correct, qint64 openedMs) const {
    recordAnswer(ctx_, number, correct, AnswerMode::Exam, openedMs);
}

void Recorder::testEnded(int score, bool passed) const {
    StatsFile(ctx_.state.statsFile()).recordExamResult(passed);
    recordTestResult(ctx_, score, passed);
}

} // namespace wirtal
