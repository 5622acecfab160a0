// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/examreview.h"

#include "bank/layout.h"
#include "base/context.h"
#include "exam/examflow.h"
#include "exam/examshared.h"
#include "exam/examspeech.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "widgets/picturebox.h"
#include "widgets/styledbutton.h"

namespace wirtal {

namespace {
// Answer codes in the order of ExamUi::answerButtons() and of the answer texts.
const QString codes[] = {QStringLiteral("T"), QStringLiteral("N"), QStringLiteral("A"),
                         QStringLiteral("B"), QStringLiteral("C")};
} // namespace

ExamReview::ExamReview(ExamShared& shared, ExamFlow& flow) : s_(shared), flow_(flow) {
    for (int k = 1; k <= slotCount; ++k)
        s_.ui.numbers[k]->setHandler([this, k] { numberClick(k); });
}

void ExamReview::check(int n) {
    if (s_.testRunning()) {
        s_.ctx.services.dialogs->message(
            QStringLiteral("Tu będzie można zajrzeć po zakończeniu testu."), Buttons::Ok,
            Icon::Information);
        return;
    }
    s_.timers.readingPeriod->setInterval(100); // media at once, no reading period
    // The number already on display is shown again too.
    flow_.setShownNumber(n, /*evenIfSame=*/true);
    s_.hideSlotBadges();
    s_.ui.yesButton->setEnabled(true);
    s_.ui.noButton->setEnabled(true);
    s_.ui.display.picture->hide();
    s_.ui.display.picture->clear();
}

void ExamReview::markGivenAnswer(const QString& code) {
    if (!code.isEmpty() && std::find(std::begin(codes), std::end(codes), code) == std::end(codes))
        return; // an unknown code leaves the colours as they are
    const auto buttons = s_.ui.answerButtons();
    for (int i = 0; i < 5; ++i)
        buttons[i]->setColor(codes[i] == code ? tcolor::active : tcolor::normal);
    for (int i = 0; i < 5; ++i)
        buttons[i]->setChecked(codes[i] == code);
}

void ExamReview::numberClick(int k) {
    const TestSheet& sheet = s_.sheet;
    check(sheet.questionNumber[k]);
    if (s_.testRunning() || sheet.questionNumber[1] <= 0)
        return;
    if (s_.speech)
        s_.speech->reviewing(k);
    StyledButton* b = s_.ui.numbers[k];
    // With official numbers the badge shows it after ours, as the number entry takes it ("u").
    int official = 0;
    try {
        official = layout::of(s_.state().categoryCode)->officialOf(sheet.questionNumber[k]);
    } catch (const Error&) {
    }
    b->setBadge(official ? QStringLiteral("%1 (u%2)").arg(sheet.questionNumber[k]).arg(official)
                         : QString::number(sheet.questionNumber[k]),
                10092543);
    b->setToolTip(official ? QStringLiteral("Pytanie %1, nr urzędowy %2")
                                 .arg(sheet.questionNumber[k])
                                 .arg(official)
                           : QString());
    b->setBadgeVisible(true);
    markGivenAnswer(sheet.givenAnswer[k]);
    const QString& right = sheet.rightAnswer[k];
    if (isBasicSlot(k)) {
        if (right == u"T" || right == u"N") {
            s_.ui.yesButton->setBadgeVisible(right == u"T");
            s_.ui.noButton->setBadgeVisible(right == u"N");
        }
        return;
    }
    const auto texts = s_.ui.answerTexts();
    for (int i = 0; i < 3; ++i) {
        if (right == codes[2 + i]) {
            for (int j = 0; j < 3; ++j)
                texts[j]->setColor(i == j ? tcolor::right : tcolor::white);
            return;
        }
    }
}

} // namespace wirtal
