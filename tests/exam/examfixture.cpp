// SPDX-License-Identifier: GPL-3.0-or-later

#include "examfixture.h"

#include "bank/bank.h"
#include "exam/draw.h"

namespace wirtal::test {

int ExamFixture::slotPoints(int k) {
    static const int points[] = {0, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2,
                                 1, 1, 1, 1, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 1, 1};
    return points[k];
}

void ExamFixture::knownPoints() {
    const SlotRanges& r = categoryBRanges();
    for (int k = 1; k <= slotCount; ++k) {
        for (int n = r[k].from; n <= r[k].to; ++n) {
            QStringList f = bank.fields(n);
            f[isBasicSlot(k) ? basicField::points : specialistField::points] =
                QString::number(slotPoints(k));
            bank.set(n, f);
        }
    }
}

void ExamFixture::openExam() {
    bank.write(folders);
    chooseB();
    click(QStringLiteral("AdvSmoothButton37")); // "Wylosuj test"
}

void ExamFixture::draw() {
    click(QStringLiteral("nowytest"));
    ASSERT_TRUE(session().running());
}

QString ExamFixture::buttonFor(const QString& code) {
    if (code == u"T")
        return QStringLiteral("Taktest");
    if (code == u"N")
        return QStringLiteral("Nietest");
    return code + QStringLiteral("test");
}

QString ExamFixture::wrongButton(int k) {
    const QString& right = sheet().rightAnswer[k];
    if (isBasicSlot(k))
        return buttonFor(right == u"T" ? QStringLiteral("N") : QStringLiteral("T"));
    return buttonFor(right == u"A" ? QStringLiteral("B") : QStringLiteral("A"));
}

bool ExamFixture::waitForAnswering(std::int64_t maxMs) {
    const int k = session().currentSlot();
    StyledButton* sign = isBasicSlot(k) ? ui().yesButton : ui().nextButton;
    return clock.advanceUntil([&] { return !session().running() || sign->isEnabled(); }, maxMs) &&
           session().running();
}

void ExamFixture::sitTest(const std::function<QString(int)>& answer, bool dalej) {
    while (session().running()) {
        const int k = session().currentSlot();
        ASSERT_TRUE(waitForAnswering()) << "slot " << k << " never became answerable";
        const QString b = answer(k);
        if (!b.isEmpty())
            click(b);
        if (dalej)
            click(QStringLiteral("NextTestButton"));
        ASSERT_TRUE(clock.advanceUntil(
            [&] { return !session().running() || session().currentSlot() != k; }, 120000))
            << "slot " << k << " never left";
    }
}

} // namespace wirtal::test
