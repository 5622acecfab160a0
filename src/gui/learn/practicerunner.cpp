// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/practicerunner.h"

#include "art/tcolor.h"
#include "base/context.h"
#include "history/recorder.h"
#include "learn/learnpage.h"
#include "platform/dialogs.h"
#include "progress/progressmodel.h"
#include "widgets/styledbutton.h"

namespace wirtal {

namespace {
const QString smartCaption = QStringLiteral("Powtórka inteligentna");
const QString endCaption = QStringLiteral("Zakończ ćwiczenie");
} // namespace

PracticeRunner::PracticeRunner(AppContext& ctx, LearnPage& page, QWidget* buttonParent)
    : QObject(buttonParent), ctx_(ctx), page_(page) {
    button_ = new StyledButton(smartCaption, buttonParent);
    button_->setObjectName(QStringLiteral("powtorkainteligentnabutton"));
    button_->setToolTip(QStringLiteral(
        "Pytania z błędną ostatnią odpowiedzią i te, których powtórka przypada na dziś, w "
        "kolejności ustalonej przez harmonogram powtórek."));
    button_->setCaptionPointSize(10);
    button_->setHandler([this] {
        if (active())
            end();
        else
            startSmartReview();
    });
}

bool PracticeRunner::active() const {
    return ctx_.learning.practice() != PracticeRun::None;
}

void PracticeRunner::startSmartReview() {
    if (!ctx_.history) {
        ctx_.services.dialogs->message(
            QStringLiteral("Historia odpowiedzi nie jest dostępna, więc nie ma z czego ułożyć "
                           "powtórki."),
            Buttons::Ok, Icon::Information);
        return;
    }
    start(PracticeRun::SmartReview,
          smartReviewQueue(ctx_.state.categoryCode, ctx_.history, historyNow(ctx_)), smartCaption);
}

void PracticeRunner::start(PracticeRun kind, std::vector<int> queue, const QString& title) {
    Dialogs& boxes = *ctx_.services.dialogs;
    if (ctx_.learning.revisionRunning()) {
        boxes.message(QStringLiteral("Trwa powtórka pytań z listy „Do powtórki”. Wyłącz ją, "
                                     "zanim zaczniesz inne ćwiczenie."),
                      Buttons::Ok, Icon::Information);
        return;
    }
    if (queue.empty()) {
        boxes.message(kind == PracticeRun::SmartReview
                          ? QStringLiteral("Na dziś nie ma pytań do powtórki.\nOdpowiadaj na nowe "
                                           "pytania albo wróć jutro.")
                          : QStringLiteral("W tym ćwiczeniu nie ma pytań."),
                      Buttons::Ok, Icon::Information);
        return;
    }
    end();
    ctx_.learning.startPractice(kind);
    queue_ = std::move(queue);
    title_ = title;
    index_ = 0;
    answered_ = right_ = 0;
    button_->setText(endCaption);
    button_->setColor(tcolor::active);
    page_.setNumberEntryEnabled(false);
    showCurrent();
}

void PracticeRunner::showCurrent() {
    const int n = queue_[std::size_t(index_)];
    page_.showQuestion(n, /*evenIfSame=*/true);
    ctx_.learning.setQuestion(page_.browserNumber());
    page_.setNumberEntry(ctx_.learning.question());
    page_.refreshCaption();
}

void PracticeRunner::next() {
    if (!active())
        return;
    if (index_ + 1 >= int(queue_.size())) {
        finish();
        return;
    }
    ++index_;
    showCurrent();
}

void PracticeRunner::previous() {
    if (!active() || index_ == 0)
        return;
    --index_;
    showCurrent();
}

void PracticeRunner::afterCheck(bool firstCheck, bool right) {
    if (!active() || !firstCheck)
        return;
    ++answered_;
    right_ += right ? 1 : 0;
}

void PracticeRunner::finish() {
    const QString tally = QStringLiteral("Koniec ćwiczenia „%1”.\nPoprawne odpowiedzi: %2 z %3.")
                              .arg(title_)
                              .arg(right_)
                              .arg(answered_);
    end();
    ctx_.services.dialogs->message(tally, Buttons::Ok, Icon::Information);
}

void PracticeRunner::end() {
    if (!active())
        return;
    ctx_.learning.endPractice();
    queue_.clear();
    button_->setText(smartCaption);
    button_->setColor(tcolor::normal);
    page_.setNumberEntryEnabled(true);
    page_.refreshCaption();
}

QString PracticeRunner::caption() const {
    if (!active())
        return {};
    return QStringLiteral("%1: %2 z %3").arg(title_).arg(index_ + 1).arg(queue_.size());
}

} // namespace wirtal
