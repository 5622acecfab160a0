// SPDX-License-Identifier: GPL-3.0-or-later

// The whole program by keyboard, through the real main window: a category chosen, a whole exam
// sat and a learning session worked, with keys only (Enter on a focused button, T / N / A / B /
// C, Enter for "Dalej" and "SPRAWDŹ", the arrows for the previous and next question).

#include "examfixture.h"
#include "learn/answerpanels.h"
#include "learn/learnpage.h"
#include "learn/numbergroup.h"
#include "learn/practicerunner.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

using namespace wirtal;
using namespace wirtal::test;

namespace {

Qt::Key keyOf(const QString& code) {
    static const QHash<QString, Qt::Key> keys{
        {"T", Qt::Key_T}, {"N", Qt::Key_N}, {"A", Qt::Key_A}, {"B", Qt::Key_B}, {"C", Qt::Key_C}};
    return keys.value(code, Qt::Key_unknown);
}

} // namespace

class KeyboardTest : public ExamFixture {
protected:
    void startWindow() {
        window().show();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }
    // A key as the learner presses it: to whatever has the focus.
    void press(Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : &window(), key);
    }
    // Tab and Shift+Tab are how a keyboard user reaches a button; the test puts the focus there
    // directly and presses Enter, as the learner does on arriving.
    void enterOn(const char* objectName) {
        find<QWidget>(QString::fromLatin1(objectName))->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Return);
    }
    QString learningStat(const char* key) { return stat("nauka", key); }
};

TEST_F(KeyboardTest, AWholeExamWithKeysOnly) {
    knownPoints();
    bank.write(folders);
    startWindow();
    enterOn("AdvSmoothButton25"); // category B
    ASSERT_EQ(st().categoryCode, QStringLiteral("B"));
    enterOn("AdvSmoothButton37"); // the exam page
    enterOn("nowytest");
    ASSERT_TRUE(session().running());

    int answered = 0;
    while (session().running()) {
        const int k = session().currentSlot();
        ASSERT_TRUE(waitForAnswering()) << "slot " << k;
        // The answering period opens with the focus on the answers.
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == ui().yesButton || focus == ui().aButton) << "slot " << k;
        press(keyOf(sheet().rightAnswer[k]));
        EXPECT_EQ(sheet().givenAnswer[k], sheet().rightAnswer[k]) << "slot " << k;
        press(Qt::Key_Return); // "Dalej"
        ++answered;
        clock.advance(100);
    }
    EXPECT_EQ(answered, 32);
    EXPECT_EQ(sheet().score, 74);
}

TEST_F(KeyboardTest, KeysDoNothingOutsideTheAnsweringPeriod) {
    bank.write(folders);
    startWindow();
    enterOn("AdvSmoothButton25");
    enterOn("AdvSmoothButton37");
    enterOn("nowytest");
    clock.advance(200); // slot 1 in its reading period: "TAK" and "Dalej" are not open yet
    ASSERT_FALSE(ui().yesButton->isEnabled());
    press(Qt::Key_T);
    press(Qt::Key_Return);
    EXPECT_TRUE(sheet().givenAnswer[1].isEmpty());
    EXPECT_EQ(session().currentSlot(), 1);
    click(QStringLiteral("koniec"));
}

TEST_F(KeyboardTest, ALearningSessionWithKeysOnly) {
    bank.write(folders);
    startWindow();
    enterOn("AdvSmoothButton25");
    LearnPage* learn = window().learnPage();
    ASSERT_TRUE(learn->isVisible());
    const int first = learn->browserNumber();
    ASSERT_GE(first, 1);
    EXPECT_EQ(QApplication::focusWidget(), learn->panels()->button(AnswerPanels::Yes));

    // With "sprawdzaj automatycznie" on (as it starts), the answer key alone checks.
    ASSERT_TRUE(learn->numberGroup()->autoCheckBox()->isChecked());
    press(first % 2 ? Qt::Key_T : Qt::Key_N); // odd numbers are "T" in the test bank
    EXPECT_EQ(learningStat("poprawne"), QStringLiteral("1"));

    press(Qt::Key_Right);
    EXPECT_EQ(learn->browserNumber(), first + 1);
    clock.advance(100); // the step buttons open again
    press(Qt::Key_PageDown);
    EXPECT_EQ(learn->browserNumber(), first + 2);
    clock.advance(100);
    press(Qt::Key_Left);
    EXPECT_EQ(learn->browserNumber(), first + 1);
    clock.advance(100);

    // Switched off with Space, an answer waits for Enter ("SPRAWDŹ"): a wrong one here.
    learn->numberGroup()->autoCheckBox()->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    ASSERT_FALSE(learn->numberGroup()->autoCheckBox()->isChecked());
    press((first + 1) % 2 ? Qt::Key_N : Qt::Key_T);
    EXPECT_EQ(learningStat("niepoprawne"), QStringLiteral("-"));
    press(Qt::Key_Return);
    EXPECT_EQ(learningStat("niepoprawne"), QStringLiteral("1"));

    // A number typed in the entry and Enter; the answers then take the focus: a specialist
    // question answered with its letter and checked with Enter.
    QLineEdit* entry = learn->numberGroup()->numberEntry();
    entry->setFocus(Qt::TabFocusReason);
    entry->selectAll();
    QTest::keyClicks(entry, QStringLiteral("1300"));
    press(Qt::Key_Return);
    EXPECT_EQ(learn->browserNumber(), 1300);
    EXPECT_EQ(QApplication::focusWidget(), learn->panels()->button(AnswerPanels::A));
    const QString right = bank.fields(1300).value(4);
    press(keyOf(right));
    press(Qt::Key_Return);
    EXPECT_EQ(learningStat("poprawne"), QStringLiteral("2"));
}

// In a practice run, Enter on a checked question goes on to the next one of the run.
TEST_F(KeyboardTest, APracticeRunWithKeysOnly) {
    bank.write(folders);
    startWindow();
    enterOn("AdvSmoothButton25");
    LearnPage* learn = window().learnPage();
    learn->practice().start(PracticeRun::Topic, {10, 20, 30}, QStringLiteral("Temat"));
    ASSERT_EQ(learn->browserNumber(), 10);
    learn->numberGroup()->autoCheckBox()->setChecked(false);
    learn->panels()->button(AnswerPanels::Yes)->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_N);      // 10 is "N" in the test bank
    press(Qt::Key_Return); // checks
    EXPECT_EQ(learn->browserNumber(), 10);
    EXPECT_EQ(learningStat("poprawne"), QStringLiteral("1"));
    press(Qt::Key_Return); // checked: the next question of the run
    EXPECT_EQ(learn->browserNumber(), 20);
    press(Qt::Key_Return); // not checked yet: Enter checks (nothing chosen: a wrong answer)
    EXPECT_EQ(learn->browserNumber(), 20);
    clock.advance(100);
    press(Qt::Key_Return);
    EXPECT_EQ(learn->browserNumber(), 30);
}
