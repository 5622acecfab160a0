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
    s_.ui.nowytest->setHandler([this] { nowytestClick(); });
}

void ExamDraw::nowytestClick() {
    ExamUi& ui = s_.ui;
    ProgramState& st = s_.state();
    if (st.testRunning) {
        ui.raportpanel->hide();
        for (QWidget* w : {ui.labelmin, ui.dwukropeklabel, ui.labelsec})
            w->show();
        ui.Label4->hide();
        for (int k = 1; k <= slotCount; ++k)
            ui.numbers[k]->setEnabled(true);
        abortAndRedraw();
        return;
    }

    // Both bank files are read before anything changes: a missing or short file leaves the page
    // as it was instead of half in a test.
    const DrawnTest drawn = drawTest(st.categoryCode, *s_.ctx.services.random);

    ui.raportpanel->hide();
    for (QWidget* w : {ui.labelmin, ui.dwukropeklabel, ui.labelsec})
        w->show();
    ui.Label4->hide();
    for (int k = 1; k <= slotCount; ++k)
        ui.numbers[k]->setEnabled(true);

    s_.timers.readingPeriod->setInterval(readingPeriodMs);
    ui.koniec->setEnabled(true);
    s_.setAnswerControlsEnabled(false);
    s_.hideSlotBadges();
    ui.Label2->clear();
    s_.player().close();
    ui.nowytest->setBadgeVisible(true);
    s_.timers.answeringStart->stop();
    s_.timers.nextStep->stop();
    s_.timers.answerCountdown->stop();
    st.testRunning = true;
    if (s_.speech)
        s_.speech->testStarted();
    st.testInEnglish = !ui.angielski->isHidden() && ui.angielski->isChecked();
    s_.refreshLanguageChoice();
    st.currentSlot = 0;
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
    ui.pktylabel->setText(sheet.slotPoints[1] + QStringLiteral(" pkt"));

    s_.timers.examClock->start();
    sheet.min = examClockMinutes;
    ui.labelmin->setText(QString::number(examClockMinutes));
    sheet.sec = examClockSeconds;
    ui.labelsec->setText(QString::number(examClockSeconds));

    st.currentSlot = 1;
    s_.answerMemosWhite();
    s_.answerButtonsNormal();
    ui.numbers[1]->setColor(tcolor::active);
    ui.gauge->setMaximum(basicAnswerSeconds);
    ui.gauge->setValue(ui.gauge->maximum());
    ui.NextTestButton->show();
    ui.koniec->show();
    // Always shows slot 1, also when the review left the same number on display.
    flow_.setNumertest(sheet.questionNumber[1], /*evenIfSame=*/true);
    ui.Taktest->setBadgeVisible(false);
    ui.Nietest->setBadgeVisible(false);
}

void ExamDraw::abortAndRedraw() {
    ExamUi& ui = s_.ui;
    ProgramState& st = s_.state();
    if (s_.ctx.services.dialogs->message(QStringLiteral("Przerwać test i wylosować inny?"),
                                         Buttons::YesNo, Icon::None) != Answer::Yes)
        return;
    // The test may have ended by itself while the box was open: it is recorded only once.
    if (st.testRunning)
        ui.koniec->clickFromCode();
    st.currentSlot = 0;
    s_.sheet.score = 0;
    s_.hideSlotBadges();
    st.testRunning = false;
    ui.nowytest->clickFromCode(); // the new test

    s_.timers.answerCountdown->stop();
    s_.setAnswerControlsEnabled(false);
    ui.gauge->show();
    s_.basicScale();
    ui.Label2->clear();
    ui.koniec->setEnabled(true);
    ui.NextTestButton->setEnabled(true);
    s_.answerMemosWhite();
    s_.loadFixedPicture("empty2.jpg");
}

} // namespace wirtal
