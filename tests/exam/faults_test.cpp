// SPDX-License-Identifier: GPL-3.0-or-later

#include "examfixture.h"

#include "app/navigation.h"
#include "results/stars.h"

#include <QFile>

using namespace wirtal;
using namespace wirtal::test;

class FaultsTest : public ExamFixture {};

TEST_F(FaultsTest, ABankFileLostDuringATestEndsItWithOneMessage) {
    struct Case {
        const char* what;
        bool atTheStep; // lost while answering (the step fails) or before the loader
    };
    for (const Case& c : {Case{"before the loader", false}, Case{"before the step", true}}) {
        SCOPED_TRACE(c.what);
        TempFolders own;
        bank.write(own);
        Services s = window().context().services;
        MainWindow w(s);
        w.findChild<StyledButton*>(QStringLiteral("AdvSmoothButton25"))->click();
        w.findChild<StyledButton*>(QStringLiteral("nowytest"))->click();
        ASSERT_TRUE(w.context().exam.running());
        if (c.atTheStep)
            clock.advance(21100);
        QFile::remove(own.program() + QStringLiteral("0wx.dll"));
        dialogs.expect(QStringLiteral("0wx.dll"), Answer::Ok);
        if (c.atTheStep)
            w.findChild<StyledButton*>(QStringLiteral("NextTestButton"))->click();
        clock.advance(200);
        EXPECT_FALSE(w.context().exam.running());
        ASSERT_FALSE(dialogs.shown().isEmpty());
        EXPECT_TRUE(dialogs.shown().last().contains(QStringLiteral("Test został zakończony")));
        EXPECT_EQ(readIni(QStringLiteral("statsb.ini"), QStringLiteral("egzamin"),
                          QStringLiteral("niezdane"), QString()),
                  QStringLiteral("1"));
        clock.advance(30 * 60 * 1000); // nothing repeats: an unexpected box would fail
        EXPECT_TRUE(dialogs.allAnswered());
        dialogs.clear();
    }
}

TEST_F(FaultsTest, PointsThatAreNoNumberEndTheTestWhenTheAnswerIsRight) {
    for (int n = 1; n <= 109; ++n) {
        QStringList f = bank.fields(n);
        f[3] = QStringLiteral("trzy");
        bank.set(n, f);
    }
    // Choosing the category shows question 1 in learning, whose points are refused there too.
    dialogs.expect(QStringLiteral("„trzy”"), Answer::Ok);
    openExam();
    draw();
    // A wrong answer never reads the points: the test goes on.
    ASSERT_TRUE(waitForAnswering());
    click(wrongButton(1));
    click(QStringLiteral("NextTestButton"));
    clock.advance(200);
    EXPECT_TRUE(session().running());
    EXPECT_EQ(session().currentSlot(), 2);
    click(QStringLiteral("koniec"));

    draw();
    ASSERT_TRUE(waitForAnswering());
    click(rightButton(1));
    dialogs.expect(QStringLiteral("„trzy”"), Answer::Ok);
    click(QStringLiteral("NextTestButton"));
    clock.advance(200);
    EXPECT_FALSE(session().running());
    EXPECT_TRUE(dialogs.shown().last().contains(QStringLiteral("0wx.dll")));
    EXPECT_TRUE(dialogs.shown().last().contains(
        QStringLiteral("wiersz %1").arg(sheet().questionNumber[1])));
    EXPECT_EQ(sheet().score, 0);
    EXPECT_EQ(stat("egzamin", "niezdane"), QStringLiteral("2"));
    EXPECT_EQ(exam().shownNumber(), 0);
    clock.advance(30 * 60 * 1000);
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(FaultsTest, ADrawThatCannotReadTheBankStartsNoTest) {
    bank.write(folders);
    chooseB();
    click(QStringLiteral("AdvSmoothButton37"));
    QFile::remove(folders.program() + QStringLiteral("02x.dll"));
    dialogs.expect(QStringLiteral("02x.dll"), Answer::Ok);
    click(QStringLiteral("nowytest"));
    EXPECT_FALSE(session().running());
    EXPECT_FALSE(timer("zegartimer")->isEnabled());
    EXPECT_FALSE(ui().newTest->badgeVisible());
    EXPECT_FALSE(ui().stopTest->isEnabled());
    clock.advance(30 * 60 * 1000);
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(FaultsTest, CategoryAGetsATestFromItsOwnFile) {
    bank.write(folders, QStringLiteral("A"));
    bank.write(folders); // the basic file
    // The button of category "A" is disabled in this edition: the choice is made directly.
    window().navigation()->chooseCategory(QStringLiteral("A"));
    click(QStringLiteral("AdvSmoothButton37"));
    draw();
    for (int k = 21; k <= slotCount; ++k) {
        EXPECT_GT(sheet().questionNumber[k], sheet().questionNumber[k - 1]);
        EXPECT_EQ(sheet().rightAnswer[k], bank.fields(sheet().questionNumber[k])[4]);
    }
    sitTest([this](int k) { return rightButton(k); }, true);
    EXPECT_EQ(readIni(QStringLiteral("statsa.ini"), QStringLiteral("egzamin"),
                      QStringLiteral("zdane"), QString()) +
                  readIni(QStringLiteral("statsa.ini"), QStringLiteral("egzamin"),
                          QStringLiteral("niezdane"), QString()),
              QStringLiteral("1"));
    EXPECT_FALSE(folders.userFileExists(QStringLiteral("statsb.ini")));
}

TEST_F(FaultsTest, ACounterThatIsNoNumberStopsTheRecordingButNotTheEnd) {
    folders.writeUserFile(QStringLiteral("statsb.ini"),
                          "[egzamin]\r\nniezdane=abc\r\n[stats]\r\nwyniki=11111\r\n");
    openExam();
    draw();
    dialogs.expect(QStringLiteral("„abc”"), Answer::Ok);
    click(QStringLiteral("koniec"));
    EXPECT_FALSE(session().running());
    EXPECT_EQ(ui().resultLine->text(),
              QStringLiteral("Wynik NEGATYWNY. Punktów\u00A00\u00A0na\u00A074\u00A0(0\u00A0%)"));
    EXPECT_EQ(stat("egzamin", "niezdane"), QStringLiteral("abc"));
    EXPECT_EQ(stat("stats", "wyniki"), QStringLiteral("11111")); // history and stars untouched
    EXPECT_EQ(ui().stars->result(1), u'1');
    // The page still reaches its finished state.
    EXPECT_EQ(session().currentSlot(), 0);
    EXPECT_TRUE(ui().reviewHint->isVisibleTo(&exam()));
    EXPECT_FALSE(ui().minutesLabel->isVisibleTo(&exam()));
}
