#pragma once

#include "learn/answerpanels.h"

#include <QString>

class QCheckBox;

namespace wirtal {

struct AppContext;
class MsgForm;
class RevisionPanel;

// Choosing an answer and checking it: the reveal of the correct answer, the learning counters of
// the statistics file (written at once), the overlay during a revision run, and the revision
// step with the outcome.
class AnswerCheck {
public:
    AnswerCheck(AppContext& ctx, AnswerPanels& panels, QCheckBox& autoCheckBox, MsgForm& msgform,
                RevisionPanel& revision);

    // An answer button: colours, "wybranaodp", and with "autosprawdzanie" the check.
    void choose(AnswerPanels::Answer a);
    // "SPRAWDŹ".
    void sprawdzbuttonClick();
    // Reveals the correct answer of the question shown, except during a revision run.
    void kolorprzyciskutest();

    // Every shown question: nothing chosen, the record's correct answer.
    void newQuestion() { wybranaodp_.clear(); }
    void setRightAnswer(const QString& rightAnswer) { rightAnswer_ = rightAnswer; }

    const QString& rightAnswer() const { return rightAnswer_; }
    const QString& wybranaodp() const { return wybranaodp_; }

private:
    AppContext& ctx_;
    AnswerPanels& panels_;
    QCheckBox& auto_;
    MsgForm& msgform_;
    RevisionPanel& revision_;
    QString rightAnswer_;
    QString wybranaodp_;
};

} // namespace wirtal
