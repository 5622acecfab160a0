// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/answercheck.h"

#include "base/context.h"
#include "history/recorder.h"
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
    const bool first = !recorded_;
    Recorder(ctx_).learningAnswerChecked(number_, correct, first, shownAtMs_);
    if (first) {
        recorded_ = true;
        firstRight_ = correct;
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
