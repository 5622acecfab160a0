// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/examspeech.h"

#include "bank/bank.h"
#include "base/context.h"
#include "base/examrules.h"
#include "exam/examshared.h"
#include "exam/examui.h"
#include "widgets/accessiblevalues.h"
#include "widgets/announcer.h"
#include "widgets/answermark.h"
#include "widgets/countdowngauge.h"
#include "widgets/pagekeys.h"
#include "widgets/styledbutton.h"

#include <cmath>

namespace wirtal {

namespace {
// Polish plural of a count: 1 minuta, 2-4 minuty (not 12-14), else minut.
QString counted(int n, const char* one, const char* few, const char* many) {
    const int tens = n % 100, units = n % 10;
    const char* word = n == 1                                                   ? one
                       : (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) ? few
                                                                                : many;
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(word));
}
} // namespace

ExamSpeech::ExamSpeech(ExamShared& shared, QWidget& page) : s_(shared), page_(page) {
    ExamUi& ui = s_.ui;
    for (StyledButton* b : ui.answerButtons())
        makeAnswerChoice(b);
    const auto memos = ui.answerTexts();
    memos[0]->setBuddy(ui.aButton);
    memos[1]->setBuddy(ui.bButton);
    memos[2]->setBuddy(ui.cButton);
    const QString key = QString(QChar(timeKey));
    bindKeys(&page, {QKeySequence(key)}, [this] { sayTimeLeft(); });
    const QString tip =
        QStringLiteral("Czas do końca testu (klawisz %1 mówi, ile zostało)").arg(key);
    for (QWidget* w :
         {static_cast<QWidget*>(ui.minutesLabel), static_cast<QWidget*>(ui.secondsLabel),
          static_cast<QWidget*>(ui.colonLabel), static_cast<QWidget*>(ui.gauge)})
        w->setToolTip(tip);
}

QString ExamSpeech::pointsText(int points) {
    return counted(points, "punkt", "punkty", "punktów");
}

QString ExamSpeech::minutesText(int minutes) {
    return counted(minutes, "minuta", "minuty", "minut");
}

QString ExamSpeech::secondsText(int seconds) {
    return counted(seconds, "sekunda", "sekundy", "sekund");
}

QString ExamSpeech::slotOutcome(const QString& given, const QString& right) {
    if (given.isEmpty())
        return QStringLiteral("bez odpowiedzi");
    return given == right ? QStringLiteral("dobrze") : QStringLiteral("źle");
}

void ExamSpeech::markReviewedAnswers() {
    const int k = reviewed_;
    if (k < 1 || k > slotCount || !isSpecialistSlot(k))
        return;
    static const QString abc[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    const auto memos = s_.ui.answerTexts();
    const QString& given = s_.sheet.givenAnswer[k];
    const QString& right = s_.sheet.rightAnswer[k];
    for (int i = 0; i < 3; ++i)
        markAnswerText(*memos[i], abc[i] == right   ? AnswerMark::Right
                                  : abc[i] == given ? AnswerMark::Wrong
                                                    : AnswerMark::None);
}

void ExamSpeech::questionShown(const Record& r) {
    if (!s_.testRunning()) {
        markReviewedAnswers();
        return;
    }
    reviewed_ = 0;
    const int k = s_.ctx.exam.currentSlot();
    if (!s_.testRunning() || k < 1 || k > slotCount)
        return;
    QString text = QStringLiteral("Pytanie %1 z %2").arg(k).arg(slotCount);
    const int points = s_.sheet.slotPoints[k].toInt();
    if (points > 0)
        text += QStringLiteral(", ") + pointsText(points);
    announce(&page_, text + QStringLiteral(". ") + r.text().simplified());
}

void ExamSpeech::readingStarts() {
    if (s_.testRunning())
        announce(&page_, QStringLiteral("Czas na zapoznanie się z pytaniem: ") +
                             secondsText(readingPeriodMs / 1000));
}

void ExamSpeech::answeringStarts() {
    if (s_.testRunning())
        announce(&page_, QStringLiteral("Czas na odpowiedź: ") +
                             secondsText(int(std::lround(s_.ui.gauge->maximum()))));
}

void ExamSpeech::clockTicked() {
    const TestSheet& t = s_.sheet;
    if (!s_.testRunning() || t.sec != 0)
        return;
    if (t.min == 10 || t.min == 5 || t.min == 1)
        announce(&page_, QStringLiteral("Do końca testu zostało: ") + minutesText(t.min));
}

void ExamSpeech::sayTimeLeft() {
    if (!s_.testRunning()) {
        announce(&page_, QStringLiteral("Test nie trwa"));
        return;
    }
    const TestSheet& t = s_.sheet;
    QString text = QStringLiteral("Do końca testu: ");
    if (t.min > 0)
        text += minutesText(t.min) + QStringLiteral(" ");
    text += secondsText(t.sec);
    if (s_.timers.answerCountdown->isEnabled())
        text += QStringLiteral(". Na odpowiedź: ") +
                secondsText(int(std::lround(std::max(0.0, s_.ui.gauge->value()))));
    announce(&page_, text);
}

void ExamSpeech::testEnded() {
    const TestSheet& sheet = s_.sheet;
    for (int k = 1; k <= slotCount; ++k)
        s_.ui.numbers[k]->setAccessibleDescription(
            slotOutcome(sheet.givenAnswer[k], sheet.rightAnswer[k]));
    announce(&page_, QStringLiteral("Koniec testu. ") + s_.ui.resultLine->text());
}

void ExamSpeech::testStarted() {
    for (int k = 1; k <= slotCount; ++k)
        s_.ui.numbers[k]->setAccessibleDescription(QString());
}

} // namespace wirtal
