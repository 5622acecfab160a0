// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/examflow.h"

#include "bank/bank.h"
#include "base/context.h"
#include "base/textfile.h"
#include "exam/examshared.h"
#include "exam/examspeech.h"
#include "history/recorder.h"
#include "platform/error.h"
#include "platform/mediaplayer.h"
#include "widgets/countdowngauge.h"
#include "widgets/picturebox.h"
#include "widgets/styledbutton.h"

namespace wirtal {

namespace {
QString twoDigits(int n) {
    return n < 10 ? u'0' + QString::number(n) : QString::number(n);
}
} // namespace

ExamFlow::ExamFlow(ExamShared& shared) : s_(shared) {
    ExamTimers& t = s_.timers;
    t.questionLoader->setHandler([this] { loadQuestion(); });
    t.readingPeriod->setHandler([this] { endReading(); });
    t.answeringStart->setHandler([this] { startAnswering(); });
    t.answerCountdown->setHandler([this] { countDownAnswer(); });
    t.nextStep->setHandler([this] { leaveSlot(); });
    t.examClock->setHandler([this] { tickExamClock(); });
}

void ExamFlow::setShownNumber(int n, bool evenIfSame) {
    if (n == shownNumber_ && !evenIfSame)
        return;
    shownNumber_ = n;
    shownNumberChanged();
}

void ExamFlow::shownNumberChanged() {
    s_.timers.questionLoader->start();
    if (s_.testRunning())
        s_.loadFixedPicture("empty2.jpg");
    else
        s_.ui.display.picture->clear();
    s_.ui.display.filmPanel->update();
}

void ExamFlow::testStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const Error& e) {
        if (!s_.testRunning())
            throw;
        guarded([this] { s_.ui.stopTest->clickFromCode(); });
        throw Error(e.message() + QStringLiteral(" Test został zakończony."));
    }
}

Record ExamFlow::currentRecord() {
    const Location where = locate(s_.state().categoryCode, shownNumber_);
    s_.filename = where.path;
    const Record r = recordAt(loadTextLines(where.path), where, shownNumber_);
    return s_.ctx.exam.inEnglish() ? r.inEnglish() : r;
}

void ExamFlow::showPanelOf(const Record& r) {
    const bool basic = r.kind == QuestionKind::Basic;
    s_.ui.yesNoPanel->setVisible(basic);
    s_.ui.abcPanel->setVisible(!basic);
}

std::optional<Record> ExamFlow::openQuestion() {
    s_.player().close();
    if (s_.testRunning())
        s_.answerButtonsNormal();
    if (shownNumber_ == 0)
        return std::nullopt;
    Record r = currentRecord();
    showPanelOf(r);
    prepareNextFilm();
    return r;
}

void ExamFlow::prepareNextFilm() {
    const int next = s_.ctx.exam.currentSlot() + 1;
    if (!s_.testRunning() || next < 1 || next > slotCount)
        return;
    const int n = s_.sheet.questionNumber[next];
    try {
        const Location where = locate(s_.state().categoryCode, n);
        prepareFilm(recordAt(loadTextLines(where.path), where, n), s_.player());
    } catch (const Error&) {
        // Said when that question is shown.
    }
}

void ExamFlow::showSpecialistTexts(const Record& r) {
    s_.ui.abcQuestion->showText(r.text());
    s_.ui.answerTextA->showText(r.option(0));
    s_.ui.answerTextB->showText(r.option(1));
    s_.ui.answerTextC->showText(r.option(2));
}

void ExamFlow::loadQuestion() {
    testStep([this] {
        const std::optional<Record> question = openQuestion();
        if (!question)
            return;
        const Record& r = *question;
        if (r.kind == QuestionKind::Basic) {
            s_.ui.yesNoQuestion->showText(r.text());
            s_.ui.display.showPicture();
            s_.timers.readingPeriod->start(); // the reading period
        } else {
            showSpecialistTexts(r);
            showMedia(r.media(), s_.ui.display, s_.player());
            s_.timers.answeringStart->start();
        }
        if (s_.speech)
            s_.speech->questionShown(r);
        if (s_.speech && r.kind == QuestionKind::Basic)
            s_.speech->readingStarts();
    });
}

void ExamFlow::endReading() {
    testStep([this] {
        const std::optional<Record> question = openQuestion();
        if (!question)
            return;
        const Record& r = *question;
        if (r.kind == QuestionKind::Basic) {
            showMedia(r.media(), s_.ui.display, s_.player());
            s_.timers.answeringStart->start();
            return;
        }
        showMedia(r.media(), s_.ui.display, s_.player());
        const Category* c = s_.state().category();
        if (!c || !c->wholeBank()) {
            showSpecialistTexts(r);
            s_.timers.answeringStart->start();
        }
    });
}

void ExamFlow::startAnswering() {
    if (s_.player().isPlaying()) {
        s_.timers.answerCountdown->stop(); // the answering period waits for the film
        return;
    }
    const int k = s_.ctx.exam.currentSlot();
    if (k >= 1 && k <= basicSlots)
        s_.basicScale();
    else
        s_.specialistScale();
    s_.setAnswerControlsEnabled(true);
    // In the review there is no answering period for "Dalej" to end.
    s_.ui.nextButton->setEnabled(s_.testRunning());
    // The answering period opens with the keyboard focus on the answers.
    if (s_.testRunning())
        (isBasicSlot(k) ? s_.ui.yesButton : s_.ui.aButton)->setFocus(Qt::OtherFocusReason);
    s_.timers.answerCountdown->start();
    s_.timers.answeringStart->stop();
    s_.answerOpenedMs = historyNow(s_.ctx);
    if (s_.speech)
        s_.speech->answeringStarts();
}

void ExamFlow::countDownAnswer() {
    if (!s_.testRunning())
        return;
    CountdownGauge& g = *s_.ui.gauge;
    g.setValue(g.value() - 1);
    if (g.value() == 0) { // the answering time has run out
        s_.timers.nextStep->start();
        g.setValue(g.maximum());
        s_.timers.answerCountdown->stop();
    }
}

void ExamFlow::leaveSlot() {
    struct Finally {
        ExamShared& s;
        ~Finally() { s.setAnswerControlsEnabled(false); }
    } finally{s_};
    if (!s_.testRunning()) {
        s_.timers.nextStep->stop();
        return;
    }
    testStep([this] { step(); });
}

void ExamFlow::step() {
    TestSheet& sheet = s_.sheet;
    const int k = s_.ctx.exam.currentSlot();
    if (k < 1 || k > slotCount)
        return;
    const QStringList lines = loadTextLines(s_.filename); // the file of slot k's question
    const QString& categoryCode = s_.state().categoryCode;
    // The slot's answer goes into the history (no answer in time is a wrong one).
    Recorder(s_.ctx).examAnswerGiven(sheet.questionNumber[k], sheet.correct(k), s_.answerOpenedMs);
    if (k < slotCount) {
        setShownNumber(sheet.questionNumber[k + 1]);
        s_.ui.numbers[k + 1]->setColor(tcolor::active);
        const Record r =
            recordAt(lines, locate(categoryCode, sheet.questionNumber[k]), sheet.questionNumber[k]);
        s_.ui.pointsLabel->setText(sheet.slotPoints[k + 1] + QStringLiteral(" pkt"));
        if (sheet.correct(k))
            sheet.score += pointsValue(r.points(), r.fileName, r.line);
        s_.timers.nextStep->stop();
        s_.ctx.exam.goToSlot(k + 1);
        return;
    }
    s_.ui.numbers[slotCount]->setColor(tcolor::active);
    const Record r =
        recordAt(lines, locate(categoryCode, sheet.questionNumber[k]), sheet.questionNumber[k]);
    if (sheet.correct(k))
        sheet.score += pointsValue(r.points(), r.fileName, r.line);
    s_.timers.nextStep->stop();
    for (ExamText* m : {s_.ui.abcQuestion, s_.ui.answerTextA, s_.ui.answerTextB, s_.ui.answerTextC})
        m->clear();
    s_.answerButtonsNormal();
    s_.ui.nextButton->setEnabled(false);
    s_.ui.stopTest->setEnabled(false);
    s_.ui.stopTest->clickFromCode(); // the test ends and is recorded
}

void ExamFlow::tickExamClock() {
    TestSheet& t = s_.sheet;
    if (t.sec < 1) {
        t.sec = 60;
        --t.min;
        s_.ui.minutesLabel->setText(twoDigits(t.min));
    }
    --t.sec;
    s_.ui.secondsLabel->setText(twoDigits(t.sec));
    if (s_.speech)
        s_.speech->clockTicked();
    if (t.min < 1 && t.sec < 1) {
        s_.timers.examClock->stop();
        s_.ui.stopTest->clickFromCode(); // time is up, whatever the phase
        s_.ui.minutesLabel->setText(QStringLiteral("00"));
        s_.ui.secondsLabel->setText(QStringLiteral("00"));
    }
}

} // namespace wirtal
