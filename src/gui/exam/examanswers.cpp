// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/examanswers.h"

#include "base/context.h"
#include "exam/examshared.h"
#include "widgets/countdowngauge.h"
#include "widgets/styledbutton.h"

namespace wirtal {

namespace {
struct AnswerKind {
    const char16_t* code;
    bool basic;      // "TAK"/"NIE" answer slots 1..20, "A"/"B"/"C" slots 21..32
    int firstOfKind; // the buttons of the same kind: [firstOfKind, lastOfKind]
    int lastOfKind;
};
// In the order of ExamUi::answerButtons().
constexpr AnswerKind answers[] = {
    {u"T", true, 0, 1},  {u"N", true, 0, 1},  {u"A", false, 2, 4},
    {u"B", false, 2, 4}, {u"C", false, 2, 4},
};
} // namespace

ExamAnswers::ExamAnswers(ExamShared& shared) : s_(shared) {
    const auto buttons = s_.ui.answerButtons();
    for (int i = 0; i < 5; ++i)
        buttons[i]->setHandler([this, i] { answerClick(i); });
    s_.ui.nextButton->setHandler([this] { moveOn(); });
}

void ExamAnswers::answerClick(int index) {
    const AnswerKind& a = answers[index];
    const auto buttons = s_.ui.answerButtons();
    for (int i = a.firstOfKind; i <= a.lastOfKind; ++i)
        buttons[i]->setColor(i == index ? tcolor::active : tcolor::normal);
    for (int i = a.firstOfKind; i <= a.lastOfKind; ++i)
        buttons[i]->setChecked(i == index);
    const int k = s_.ctx.exam.currentSlot();
    if (s_.testRunning() && (a.basic ? isBasicSlot(k) : isSpecialistSlot(k)))
        s_.sheet.givenAnswer[k] = QString::fromUtf16(a.code);
}

void ExamAnswers::moveOn() {
    CountdownGauge& g = *s_.ui.gauge;
    g.setValue(g.maximum());
    s_.timers.nextStep->setInterval(100);
    s_.timers.answerCountdown->stop();
    s_.timers.nextStep->start();
    s_.setAnswerControlsEnabled(false);
}

} // namespace wirtal
