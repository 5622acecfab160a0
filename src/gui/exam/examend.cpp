// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/examend.h"

#include "base/context.h"
#include "exam/examflow.h"
#include "exam/examshared.h"
#include "exam/examspeech.h"
#include "history/recorder.h"
#include "platform/mediaplayer.h"
#include "results/stars.h"
#include "widgets/countdowngauge.h"
#include "widgets/picturebox.h"
#include "widgets/styledbutton.h"

namespace wirtal {

namespace {
// The result line as shown: it may break after the verdict ("Wynik POZYTYWNY."), never inside
// the score ("Punktów 68 na 74 (91,9 %)").
QString shownVerdict(int score) {
    QString line = verdictText(score);
    const qsizetype scoreAt = line.indexOf(QStringLiteral("Punktów"));
    for (qsizetype i = scoreAt; i >= 0 && i < line.size(); ++i)
        if (line[i] == u' ')
            line[i] = QChar(0x00A0);
    return line;
}
} // namespace

ExamEnd::ExamEnd(ExamShared& shared, ExamFlow& flow) : s_(shared), flow_(flow) {
    s_.ui.stopTest->setHandler([this] { endTest(); });
}

void ExamEnd::endTest() {
    ExamUi& ui = s_.ui;
    TestSheet& sheet = s_.sheet;
    ExamTimers& t = s_.timers;

    // Stop the exam.
    ui.display.showPicture();
    ui.nextButton->setEnabled(false);
    ui.gauge->hide();
    for (Timer* timer : {t.answeringStart.get(), t.nextStep.get(), t.answerCountdown.get(),
                         t.questionLoader.get(), t.examClock.get()})
        timer->stop();
    ui.newTest->setBadgeVisible(false);
    s_.ctx.exam.end();
    s_.refreshLanguageChoice();
    ui.pointsLabel->clear();
    ui.gauge->setMaximum(basicAnswerSeconds);
    ui.gauge->setValue(15);
    ui.reportPanel->show();

    for (int k = 1; k <= slotCount; ++k)
        ui.numbers[k]->setColor(sheet.correct(k) ? tcolor::right : tcolor::wrong);

    // Clear the question display (shownNumber 0 empties the picture, so the result picture
    // comes after it).
    s_.player().close();
    ui.display.filmPanel->update();
    flow_.setShownNumber(0);
    for (ExamText* m :
         {ui.yesNoQuestion, ui.abcQuestion, ui.answerTextA, ui.answerTextB, ui.answerTextC})
        m->clear();
    s_.answerButtonsNormal();
    ui.nextButton->setEnabled(false);
    ui.stopTest->setEnabled(false);

    // The page reaches its finished state also when recording the result fails below.
    struct Finally {
        ExamShared& s;
        ~Finally() {
            for (QWidget* w : {s.ui.minutesLabel, s.ui.colonLabel, s.ui.secondsLabel})
                w->hide();
            s.ui.reviewHint->show();
        }
    } finally{s_};

    const bool passed = sheet.passed();
    QPalette pal = ui.resultLine->palette();
    pal.setColor(QPalette::WindowText, passed ? QColor(0, 128, 0) : QColor(255, 0, 0));
    ui.resultLine->setPalette(pal);
    ui.resultLine->setText(shownVerdict(sheet.score));
    if (s_.speech)
        s_.speech->testEnded();
    s_.loadFixedPicture(passed ? "testkoniecok.jpg" : "testkonieczle.jpg");
    record(passed);
}

void ExamEnd::record(bool passed) {
    Recorder(s_.ctx).testEnded(s_.sheet.score, passed);
    showStars(s_.state().categoryCode, *s_.ui.stars);
}

void ExamEnd::resetExamPage() {
    ExamUi& ui = s_.ui;
    s_.sheet.score = 0;
    s_.hideSlotBadges();
    s_.timers.answerCountdown->stop();
    s_.setAnswerControlsEnabled(false);
    ui.gauge->show();
    s_.basicScale();
    ui.resultLine->clear();
    for (int k = 1; k <= slotCount; ++k) {
        ui.numbers[k]->setColor(tcolor::normal);
        ui.numbers[k]->setEnabled(false);
    }
    s_.loadFixedPicture("empty.jpg");
    s_.refreshLanguageChoice();
}

} // namespace wirtal
