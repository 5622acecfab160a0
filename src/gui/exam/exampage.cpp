// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/exampage.h"

#include "base/context.h"
#include "exam/examanswers.h"
#include "exam/examdraw.h"
#include "exam/examend.h"
#include "exam/examflow.h"
#include "exam/examreview.h"
#include "exam/examshared.h"
#include "exam/examspeech.h"
#include "results/stars.h"
#include "widgets/countdowngauge.h"
#include "widgets/pagekeys.h"
#include "widgets/styledbutton.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace wirtal {

ExamPage::ExamPage(AppContext& ctx, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet5"));
    shared_ = std::make_unique<ExamShared>(ctx, buildExamUi(this));
    flow_ = std::make_unique<ExamFlow>(*shared_);
    draw_ = std::make_unique<ExamDraw>(*shared_, *flow_);
    answers_ = std::make_unique<ExamAnswers>(*shared_);
    end_ = std::make_unique<ExamEnd>(*shared_, *flow_);
    review_ = std::make_unique<ExamReview>(*shared_, *flow_);
    speech_ = std::make_unique<ExamSpeech>(*shared_, *this);
    shared_->speech = speech_.get();

    // The page before any test: "Dalej", "Przerwij" and "TAK"/"NIE" wait for a test, the gauge
    // shows the basic scale.
    ExamUi& ui = shared_->ui;
    shared_->setAnswerControlsEnabled(false);
    ui.stopTest->setEnabled(false);
    ui.nextButton->hide();
    ui.stopTest->hide();
    shared_->basicScale();
    shared_->loadFixedPicture("empty2.jpg");
    // The report buttons are given their work by the report.
    ui.printButton->setHandler([] {});
    ui.saveButton->setHandler([] {});
    bindExamKeys();
}

void ExamPage::bindExamKeys() {
    // T, N, A, B, C answer as the buttons do, while they can be clicked; Enter is "Dalej" (see
    // below for the focused buttons it presses instead).
    ExamUi& ui = shared_->ui;
    const std::pair<QChar, StyledButton*> answerKeys[] = {{u'T', ui.yesButton},
                                                          {u'N', ui.noButton},
                                                          {u'A', ui.aButton},
                                                          {u'B', ui.bButton},
                                                          {u'C', ui.cButton}};
    for (const auto& [key, button] : answerKeys) {
        StyledButton* b = button;
        bindKeys(this, {QKeySequence(QString(key))}, [this, b] { answerByKey(this, b); });
        tellKey(b, QString(key));
    }
    bindKeys(this, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, [this] {
        ExamUi& u = shared_->ui;
        auto* focused = qobject_cast<StyledButton*>(QApplication::focusWidget());
        if (!focused || !isAncestorOf(focused))
            focused = nullptr;
        // A slot number in the review opens its question.
        if (focused && std::find(u.numbers.begin(), u.numbers.end(), focused) != u.numbers.end() &&
            pressIfReady(this, focused))
            return;
        if (pressIfReady(this, u.nextButton))
            return;
        // Between tests Enter presses the focused button ("Nowy Test", the report); within a
        // test it never does, so an Enter too early cannot abort the test.
        const auto answers = u.answerButtons();
        if (focused && !shared_->testRunning() &&
            std::find(answers.begin(), answers.end(), focused) == answers.end())
            pressIfReady(this, focused);
    });
    tellKey(ui.nextButton, QStringLiteral("Enter"));
}

ExamPage::~ExamPage() = default;

void ExamPage::abortTest() {
    shared_->ui.stopTest->clickFromCode();
}
void ExamPage::hideNewTestBadge() {
    shared_->ui.newTest->setBadgeVisible(false);
}
void ExamPage::clearPointsLabel() {
    shared_->ui.pointsLabel->clear();
}
void ExamPage::showStars() {
    wirtal::showStars(shared_->state().categoryCode, *shared_->ui.stars);
}
void ExamPage::resetExamPage() {
    end_->resetExamPage();
}
void ExamPage::refreshLanguageChoice() {
    shared_->refreshLanguageChoice();
}
void ExamPage::stopReadingTimer() {
    shared_->timers.readingPeriod->stop();
}

const TestSheet& ExamPage::sheet() const {
    return shared_->sheet;
}
int ExamPage::shownNumber() const {
    return flow_->shownNumber();
}
const ExamUi& ExamPage::controls() const {
    return shared_->ui;
}
StyledButton* ExamPage::printButton() const {
    return shared_->ui.printButton;
}
StyledButton* ExamPage::saveButton() const {
    return shared_->ui.saveButton;
}
StyledButton* ExamPage::rulesButton() const {
    return shared_->ui.rulesButton;
}

void ExamPage::paintEvent(QPaintEvent*) {
    // Two soft cards behind the question column and the controls column.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF cards[] = {QRectF(6, 6, 498, 638), QRectF(510, 6, 424, 638)};
    for (const QRectF& r : cards) {
        QPainterPath path;
        path.addRoundedRect(r, 12, 12);
        p.fillPath(path, QColor(255, 255, 255, 150));
        p.setPen(QPen(QColor(120, 150, 190, 120), 1));
        p.drawPath(path);
    }
    // A frame around the display.
    p.setPen(QPen(QColor(70, 90, 120), 1));
    p.setBrush(QColor(232, 238, 246));
    p.drawRect(QRectF(14.5, 14.5, 481, 361));
}

} // namespace wirtal
