// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/examshared.h"

#include "bank/bank.h"
#include "base/context.h"
#include "base/paths.h"
#include "platform/mediaplayer.h"
#include "widgets/countdowngauge.h"
#include "widgets/picturebox.h"
#include "widgets/styledbutton.h"

#include <QCheckBox>
#include <QFileInfo>

namespace wirtal {

namespace {
void setScale(CountdownGauge& g, int maximum, int low, int high) {
    g.clearSections();
    g.setMaximum(maximum);
    g.setValue(maximum);
    g.addSection(0, low, tcolor::wrong, 0);
    g.addSection(low, high, tcolor::active, 0);
    g.addSection(high, maximum, tcolor::right, 0);
}
} // namespace

ExamTimers::ExamTimers(TimerService& s)
    : questionLoader(s.create(QStringLiteral("Timer9"), 100, TimerKind::OneShot)),
      readingPeriod(s.create(QStringLiteral("Timer13"), readingPeriodMs, TimerKind::OneShot)),
      answeringStart(s.create(QStringLiteral("Timer1"), 1000, TimerKind::Repeating)),
      answerCountdown(s.create(QStringLiteral("Timer3"), 1000, TimerKind::Repeating)),
      nextStep(s.create(QStringLiteral("Timer2"), 100, TimerKind::OneShot)),
      examClock(s.create(QStringLiteral("zegartimer"), 1000, TimerKind::Repeating)) {}

ExamShared::ExamShared(AppContext& context, ExamUi controls)
    : ctx(context), ui(controls), timers(*context.services.timers) {}

ProgramState& ExamShared::state() {
    return ctx.state;
}
bool ExamShared::testRunning() const {
    return ctx.exam.running();
}

MediaPlayer& ExamShared::player() {
    static InertPlayer inert;
    return ctx.services.player ? *ctx.services.player : inert;
}

void ExamShared::basicScale() {
    setScale(*ui.gauge, basicAnswerSeconds, 5, 10);
}
void ExamShared::specialistScale() {
    setScale(*ui.gauge, specialistAnswerSeconds, 10, 30);
}

void ExamShared::answerButtonsNormal() {
    for (StyledButton* b : ui.answerButtons()) {
        b->setColor(tcolor::normal);
        b->setChecked(false);
    }
}

void ExamShared::answerTextsWhite() {
    for (ExamText* m : ui.answerTexts())
        m->setColor(tcolor::white);
}

void ExamShared::hideSlotBadges() {
    for (int k = 1; k <= slotCount; ++k)
        ui.numbers[k]->setBadgeVisible(false);
}

void ExamShared::loadFixedPicture(const char* name) {
    const QString path =
        Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\") + QString::fromLatin1(name));
    if (QFileInfo::exists(path))
        ui.display.picture->load(path);
}

void ExamShared::setAnswerControlsEnabled(bool on) {
    ui.nextButton->setEnabled(on);
    ui.yesButton->setEnabled(on);
    ui.noButton->setEnabled(on);
}

void ExamShared::refreshLanguageChoice() {
    ui.englishBox->setVisible(categoryHasEnglish(ctx.state.categoryCode));
    ui.englishBox->setEnabled(!ctx.exam.running());
}

} // namespace wirtal
