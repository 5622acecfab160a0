// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/examdraw.h"

#include "base/context.h"
#include "exam/draw.h"
#include "exam/examflow.h"
#include "exam/examshared.h"
#include "exam/examspeech.h"
#include "platform/dialogs.h"
#include "platform/mediaplayer.h"
#include "widgets/countdowngauge.h"
#include "widgets/picturebox.h"
#include "widgets/styledbutton.h"

#include <QCheckBox>

namespace wirtal {

ExamDraw::ExamDraw(ExamShared& shared, ExamFlow& flow) : s_(shared), flow_(flow) {
    s_.ui.newTest->setHandler([this] { startNewTest(); });
}

void ExamDraw::startNewTest() {
    ExamUi& ui = s_.ui;
    ProgramState& st = s_.state();
    if (s_.ctx.exam.running()) {
        ui.reportPanel->hide();
        for (QWidget* w : {ui.minutesLabel, ui.colonLabel, ui.secondsLabel})
            w->show();
        ui.reviewHint->hide();
        for (int k = 1; k <= slotCount; ++k)
            ui.numbers[k]->setEnabled(true);
        abortAndRedraw();
        return;
    }

    // Both bank files are read before anything changes: a missing or short file leaves the page
    // as it was instead of half in a test.
    const DrawnTest drawn = drawTest(st.categoryCode, *s_.ctx.services.random);

    ui.reportPanel->hide();
    for (QWidget* w : {ui.minutesLabel, ui.colonLabel, ui.secondsLabel})
        w->show();
    ui.reviewHint->hide();
    for (int k = 1; k <= slotCount; ++k)
        ui.numbers[k]->setEnabled(true);

    s_.timers.readingPeriod->setInterval(readingPeriodMs);
    ui.stopTest->setEnabled(true);
    s_.setAnswerControlsEnabled(false);
    s_.hideSlotBadges();
    ui.resultLine->clear();
    s_.player().close();
    ui.newTest->setBadgeVisible(true);
    s_.timers.answeringStart->stop();
    s_.timers.nextStep->stop();
    s_.timers.answerCountdown->stop();
    s_.ctx.exam.start(!ui.englishBox->isHidden() && ui.englishBox->isChecked());
    if (s_.speech)
        s_.speech->testStarted();
    s_.refreshLanguageChoice();
    TestSheet& sheet = s_.sheet;
    sheet.score = 0;
    s_.loadFixedPicture("empty2.jpg");
    ui.gauge->show();
    s_.basicScale();
    for (int k = 1; k <= slotCount; ++k) {
        ui.numbers[k]->setColor(tcolor::normal);
        sheet.givenAnswer[k].clear();
        sheet.questionNumber[k] = drawn.questionNumber[k];
        sheet.rightAnswer[k] = drawn.rightAnswer[k];
        sheet.slotPoints[k] = drawn.slotPoints[k];
    }
    ui.pointsLabel->setText(sheet.slotPoints[1] + QStringLiteral(" pkt"));

    s_.timers.examClock->start();
    sheet.min = examClockMinutes;
    ui.minutesLabel->setText(QString::number(examClockMinutes));
    sheet.sec = examClockSeconds;
    ui.secondsLabel->setText(QString::number(examClockSeconds));

    s_.ctx.exam.goToSlot(1);
    s_.answerTextsWhite();
    s_.answerButtonsNormal();
    ui.numbers[1]->setColor(tcolor::active);
    ui.gauge->setMaximum(basicAnswerSeconds);
    ui.gauge->setValue(ui.gauge->maximum());
    ui.nextButton->show();
    ui.stopTest->show();
    // Always shows slot 1, also when the review left the same number on display.
    flow_.setShownNumber(sheet.questionNumber[1], /*evenIfSame=*/true);
    ui.yesButton->setBadgeVisible(false);
    ui.noButton->setBadgeVisible(false);
}

void ExamDraw::abortAndRedraw() {
    ExamUi& ui = s_.ui;
    if (s_.ctx.services.dialogs->message(QStringLiteral("Przerwać test i wylosować inny?"),
                                         Buttons::YesNo, Icon::None) != Answer::Yes)
        return;
    // The test may have ended by itself while the box was open: it is recorded only once.
    if (s_.ctx.exam.running())
        ui.stopTest->clickFromCode();
    s_.sheet.score = 0;
    s_.hideSlotBadges();
    ui.newTest->clickFromCode(); // the new test

    s_.timers.answerCountdown->stop();
    s_.setAnswerControlsEnabled(false);
    ui.gauge->show();
    s_.basicScale();
    ui.resultLine->clear();
    ui.stopTest->setEnabled(true);
    ui.nextButton->setEnabled(true);
    s_.answerTextsWhite();
    s_.loadFixedPicture("empty2.jpg");
}

} // namespace wirtal
