#include "learn/answercheck.h"

#include "base/context.h"
#include "base/statsfile.h"
#include "learn/msgform.h"
#include "learn/revisionpanel.h"

#include <QCheckBox>

namespace wirtal {

AnswerCheck::AnswerCheck(AppContext& ctx, AnswerPanels& panels, QCheckBox& autoCheckBox,
                         MsgForm& msgform, RevisionPanel& revision)
    : ctx_(ctx), panels_(panels), auto_(autoCheckBox), msgform_(msgform), revision_(revision) {}

void AnswerCheck::choose(AnswerPanels::Answer a) {
    panels_.markChosen(a);
    wybranaodp_ = AnswerPanels::code(a);
    if (auto_.isChecked())
        sprawdzbuttonClick();
}

void AnswerCheck::kolorprzyciskutest() {
    if (ctx_.state.revisionRunning)
        return; // during a revision run the user has to find the answer
    panels_.reveal(rightAnswer_);
}

void AnswerCheck::sprawdzbuttonClick() {
    kolorprzyciskutest();
    const bool correct = wybranaodp_ == rightAnswer_;
    StatsFile(ctx_.state.statsFile()).recordLearningAnswer(correct);
    if (ctx_.state.revisionRunning)
        msgform_.showAnswer(correct);
    if (correct)
        revision_.afterCorrect();
    else
        revision_.afterWrong();
}

} // namespace wirtal
