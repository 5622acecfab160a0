// SPDX-License-Identifier: GPL-3.0-or-later

// Choosing and checking answers: colours, the reveal, and the counters written at once.
#include "learnfixture.h"

#include <QCheckBox>

using namespace wirtal;
using namespace wirtal::test;

class CheckTest : public LearnFixture {
protected:
    void SetUp() override {
        bank.set(1300, {QStringLiteral("Pytanie B"), QStringLiteral("a"), QStringLiteral("b"),
                        QStringLiteral("c"), QStringLiteral("B"), QString(), QStringLiteral("2")});
        bank.write(folders);
        chooseB(); // question 1, answer "T"
    }
    StyledButton* tak() { return page()->panels()->button(AnswerPanels::Yes); }
    StyledButton* nie() { return page()->panels()->button(AnswerPanels::No); }
    void autoCheck(bool on) { find<QCheckBox>(QStringLiteral("autoCheckBox"))->setChecked(on); }
};

TEST_F(CheckTest, WithAutosprawdzanieEveryChoiceIsCheckedAndCounted) {
    auto* box = find<QCheckBox>(QStringLiteral("autoCheckBox"));
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(box->text(), QStringLiteral("autosprawdzanie"));

    answer(QStringLiteral("NIE"));
    EXPECT_EQ(nie()->color(), tcolor::active);
    EXPECT_EQ(tak()->color(), tcolor::normal);
    EXPECT_TRUE(tak()->badgeVisible());
    EXPECT_EQ(tak()->badgeText(), QStringLiteral("Prawidłowa"));
    EXPECT_FALSE(nie()->badgeVisible());
    EXPECT_EQ(counter("niepoprawne"), QStringLiteral("1"));
    EXPECT_EQ(counter("poprawne"), QString());

    answer(QStringLiteral("TAK"));
    EXPECT_EQ(tak()->color(), tcolor::active);
    EXPECT_EQ(nie()->color(), tcolor::normal);
    EXPECT_EQ(counter("poprawne"), QStringLiteral("1"));
    EXPECT_EQ(counter("niepoprawne"), QStringLiteral("1"));
    EXPECT_FALSE(page()->msgform()->isVisible()); // the overlay belongs to revision runs

    // The next question starts clean.
    go(2);
    EXPECT_FALSE(tak()->badgeVisible());
    EXPECT_EQ(tak()->color(), tcolor::normal);
    EXPECT_TRUE(page()->answerCheck().chosenAnswer().isEmpty());
    EXPECT_EQ(page()->answerCheck().rightAnswer(), QStringLiteral("N"));
}

TEST_F(CheckTest, WithoutAutosprawdzanieOnlySprawdzChecksAndEveryPressCounts) {
    autoCheck(false);
    answer(QStringLiteral("TAK"));
    EXPECT_EQ(tak()->color(), tcolor::active);
    EXPECT_EQ(page()->answerCheck().chosenAnswer(), QStringLiteral("T"));
    EXPECT_FALSE(tak()->badgeVisible());
    EXPECT_EQ(counter("poprawne"), QString());

    for (int i = 0; i < 3; ++i)
        click(QStringLiteral("sprawdzbutton"));
    EXPECT_EQ(counter("poprawne"), QStringLiteral("3"));
    EXPECT_TRUE(tak()->badgeVisible());
    EXPECT_TRUE(button("sprawdzbutton")->isEnabled());
}

TEST_F(CheckTest, SprawdzBeforeChoosingCountsAWrongAnswerAndStillReveals) {
    go(2); // answer "N"
    click(QStringLiteral("sprawdzbutton"));
    EXPECT_EQ(counter("niepoprawne"), QStringLiteral("1"));
    EXPECT_TRUE(nie()->badgeVisible());
    EXPECT_FALSE(tak()->badgeVisible());
    EXPECT_EQ(nie()->color(), tcolor::normal);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("2")});
}

TEST_F(CheckTest, SpecialistRevealColoursTheCorrectAnswerText) {
    go(1300);
    for (const QString& choice : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}) {
        answer(choice);
        EXPECT_EQ(page()->panels()->answerText(0)->color(), tcolor::white) << choice.toStdString();
        EXPECT_EQ(page()->panels()->answerText(1)->color(), tcolor::right) << choice.toStdString();
        EXPECT_EQ(page()->panels()->answerText(2)->color(), tcolor::white) << choice.toStdString();
        EXPECT_FALSE(tak()->badgeVisible());
        EXPECT_FALSE(nie()->badgeVisible());
    }
    auto* a = page()->panels()->button(AnswerPanels::A);
    auto* c = page()->panels()->button(AnswerPanels::C);
    EXPECT_EQ(c->color(), tcolor::active);
    EXPECT_EQ(a->color(), tcolor::normal);
    EXPECT_EQ(counter("poprawne"), QStringLiteral("1"));
    EXPECT_EQ(counter("niepoprawne"), QStringLiteral("2"));
    go(1301);
    EXPECT_EQ(page()->panels()->answerText(1)->color(), tcolor::white);
}

TEST_F(CheckTest, CountersOfACategoryGoToItsOwnFileOnly) {
    for (int n = 1; n <= 5; ++n) {
        go(n);
        answer(n % 2 ? QStringLiteral("TAK") : QStringLiteral("NIE"));
    }
    go(6);
    answer(QStringLiteral("TAK"));
    go(7);
    answer(QStringLiteral("NIE"));
    EXPECT_EQ(folders.readUserFile(QStringLiteral("statsb.ini")),
              QByteArray("[last]\r\npytanie=7\r\n[nauka]\r\npoprawne=5\r\nniepoprawne=2\r\n"));
    for (const char* other : {"statsa.ini", "statsc.ini", "statsd.ini", "statst.ini"})
        EXPECT_FALSE(folders.userFileExists(QString::fromLatin1(other))) << other;
}

TEST_F(CheckTest, ACounterThatIsNoNumberStopsTheCheckAfterTheReveal) {
    writeIni(QStringLiteral("statsb.ini"), QStringLiteral("nauka"), QStringLiteral("niepoprawne"),
             QStringLiteral("abc"));
    dialogs.expect(QStringLiteral("abc"), Answer::Ok);
    answer(QStringLiteral("NIE"));
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(tak()->badgeVisible()); // revealed before the count
    EXPECT_EQ(counter("niepoprawne"), QStringLiteral("abc"));
    EXPECT_TRUE(entries().isEmpty()); // no revision step
    EXPECT_TRUE(window().context().learning.mayAddToRevision());
}
