// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "learn/answerpanels.h"

#include <QString>

#include <functional>

class QCheckBox;

namespace wirtal {

struct AppContext;
class MsgForm;
class RevisionPanel;

// Choosing an answer and checking it: the reveal of the correct answer, the learning counters of
// the statistics file (written at once), the answer history (the first check of each showing of
// a question: a second try after seeing the answer is not an answer), the overlay during a
// revision run, and the revision step with the outcome.
class AnswerCheck {
public:
    AnswerCheck(AppContext& ctx, AnswerPanels& panels, QCheckBox& autoCheckBox, MsgForm& msgform,
                RevisionPanel& revision);

    // An answer button: colours, "wybranaodp", and with "autosprawdzanie" the check.
    void choose(AnswerPanels::Answer a);
    // "SPRAWDŹ".
    void checkAnswer();
    // Reveals the correct answer of the question shown, except during a revision run.
    void revealRightAnswer();

    // Every shown question (our number): nothing chosen, nothing recorded yet; the record's
    // correct answer follows.
    void newQuestion(int number);
    // Runs after every check (the page shows the legal basis).
    void setAfterCheck(std::function<void()> afterCheck) { afterCheck_ = std::move(afterCheck); }
    // How often the shown question has been checked, and whether the first check was right.
    int checkCount() const { return checks_; }
    bool firstCheckRight() const { return firstRight_; }
    void setRightAnswer(const QString& rightAnswer) { rightAnswer_ = rightAnswer; }

    const QString& rightAnswer() const { return rightAnswer_; }
    const QString& chosenAnswer() const { return chosenAnswer_; }

private:
    AppContext& ctx_;
    AnswerPanels& panels_;
    QCheckBox& auto_;
    MsgForm& msgform_;
    RevisionPanel& revision_;
    QString rightAnswer_;
    QString chosenAnswer_;
    int number_ = 0;
    qint64 shownAtMs_ = 0;
    bool recorded_ = false;
    int checks_ = 0;
    bool firstRight_ = false;
    std::function<void()> afterCheck_;
};

} // namespace wirtal
