// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/state.h"

#include <QObject>
#include <QString>

#include <vector>

namespace wirtal {

struct AppContext;
class LearnPage;
class StyledButton;

// The practice runs of the learning page beside the revision run: "Powtórka inteligentna", new
// questions and a topic. A run shows its questions one after another; the step buttons (and
// their keys, and Enter once the shown question is checked) go through the run instead of the
// bank, and the page's caption says where in the run the learner is. Its button in the group
// " Do powtórki: " starts a smart review, or ends the running run.
class PracticeRunner : public QObject {
    Q_OBJECT
public:
    PracticeRunner(AppContext& ctx, LearnPage& page, QWidget* buttonParent);

    bool active() const;
    // Starts a run of the given questions (our numbers); a running run ends first. Refused with
    // a message during the revision run or when there are no questions.
    void start(PracticeRun kind, std::vector<int> queue, const QString& title);
    // The smart review from the learning page's button.
    void startSmartReview();
    // The next and previous question of the run; past the last, the run ends with its tally.
    void next();
    void previous();
    // Ends the run (quietly: a category change, the revision run starting).
    void end();
    // The caption suffix of the page: "Nowe pytania: 3 z 20", or empty.
    QString caption() const;
    // After every check on the page: the run's tally counts the first check of each question.
    void afterCheck(bool firstCheck, bool right);

    StyledButton* button() const { return button_; }
    int position() const { return index_; }
    const std::vector<int>& queue() const { return queue_; }

private:
    void showCurrent();
    void finish();

    AppContext& ctx_;
    LearnPage& page_;
    StyledButton* button_ = nullptr;
    std::vector<int> queue_;
    QString title_;
    int index_ = 0;
    int answered_ = 0;
    int right_ = 0;
};

} // namespace wirtal
