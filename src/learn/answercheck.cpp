// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/answercheck.h"

#include "base/context.h"
#include "base/statsfile.h"
#include "history/recording.h"
#include "learn/msgform.h"
#include "learn/revisionpanel.h"

#include <QCheckBox>

namespace wirtal {

AnswerCheck::AnswerCheck(AppContext& ctx, AnswerPanels& panels, QCheckBox& autoCheckBox,
                         MsgForm& msgform, RevisionPanel& revision)
    : ctx_(ctx), panels_(panels), auto_(autoCheckBox), msgform_(msgform), revision_(revision) {}

void AnswerCheck::newQuestion(int number) {
    chosenAnswer_.clear();
    number_ = number;
    shownAtMs_ = historyNow(ctx_);
    recorded_ = false;
    firstRight_ = false;
    checks_ = 0;
}

namespace {
AnswerMode modeOf(const LearningSession& s) {
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

void AnswerCheck::choose(AnswerPanels::Answer a) {
    panels_.markChosen(a);
    chosenAnswer_ = AnswerPanels::code(a);
    if (auto_.isChecked())
        checkAnswer();
}

void AnswerCheck::revealRightAnswer() {
    if (ctx_.learning.revisionRunning())
        return; // during a revision run the user has to find the answer
    panels_.reveal(rightAnswer_);
}

void AnswerCheck::checkAnswer() {
    revealRightAnswer();
    const bool correct = chosenAnswer_ == rightAnswer_;
    ++checks_;
    StatsFile(ctx_.state.statsFile()).recordLearningAnswer(correct);
    if (!recorded_) {
        recorded_ = true;
        firstRight_ = correct;
        recordAnswer(ctx_, number_, correct, modeOf(ctx_.learning), shownAtMs_);
    }
    if (ctx_.learning.revisionRunning())
        msgform_.showAnswer(correct);
    if (correct)
        revision_.afterCorrect();
    else
        revision_.afterWrong();
    if (afterCheck_)
        afterCheck_();
}

} // namespace wirtal
