// SPDX-License-Identifier: GPL-3.0-or-later

// The question browser: what a shown question puts on the page, previous/next, typed numbers.
#include "learn/numbergroup.h"
#include "learnfixture.h"
#include "widgets/progressbar.h"

using namespace wirtal;
using namespace wirtal::test;

namespace {
QStringList basic(const QString& text, const char* answer, const QString& media, const char* pts) {
    return {text, QString::fromLatin1(answer), media, QString::fromLatin1(pts)};
}
} // namespace

class BrowserTest : public LearnFixture {};

TEST_F(BrowserTest, CategoryChoiceShowsTheStoredBasicQuestionWithItsPicture) {
    bank.set(5, basic(QStringLiteral("Czy w tej sytuacji wolno ci wyprzedzać?"), "N",
                      QStringLiteral("znak.jpg"), "2"));
    bank.write(folders);
    media(QStringLiteral("znak.jpg"), pictureBytes(QStringLiteral("znak.jpg")));
    folders.writeUserFile(QStringLiteral("statsb.ini"), "[last]\r\npytanie=5\r\n");
    chooseB();

    LearnPage* p = page();
    EXPECT_EQ(p->browserNumber(), 5);
    // Shown with a no-break space after the one-letter "w".
    EXPECT_EQ(p->panels()->yesNoQuestion()->text(),
              QStringLiteral("Czy w\u00A0tej sytuacji wolno ci wyprzedzać?"));
    EXPECT_TRUE(p->panels()->yesNoPanel()->isVisibleTo(p));
    EXPECT_FALSE(p->panels()->abcPanel()->isVisibleTo(p));
    EXPECT_EQ(p->answerCheck().rightAnswer(), QStringLiteral("N"));
    EXPECT_EQ(button("sprawdzbutton")->badgeText(), QStringLiteral("2 pkt."));
    EXPECT_TRUE(button("sprawdzbutton")->badgeVisible());
    EXPECT_TRUE(p->display()->picture()->isVisibleTo(p));
    EXPECT_FALSE(p->display()->filmPanel()->isVisibleTo(p));
    EXPECT_EQ(p->display()->picture()->file(), mediaFile(QStringLiteral("znak.jpg")));
    EXPECT_FALSE(p->display()->picture()->picture().isNull());
    EXPECT_FALSE(button("rewind")->isVisibleTo(p));
    EXPECT_FALSE(button("replay")->isVisibleTo(p));
    EXPECT_NEAR(p->progressBar()->position(), 5.0 / 1297 * 100, 1e-9);
    EXPECT_EQ(player.calls.value(0), QStringLiteral("close"));
    EXPECT_EQ(lastStored(), QStringLiteral("5"));
}

TEST_F(BrowserTest, SpecialistQuestionWithAFilmFillsTheAbcPanelAndPlaysTheFilm) {
    bank.set(1298, {QStringLiteral("Jak postąpisz?"), QStringLiteral("Zwolnię"),
                    QStringLiteral("Przyspieszę"), QStringLiteral("Zatrzymam się"),
                    QStringLiteral("C"), QStringLiteral("jazda.wmv"), QStringLiteral("3")});
    bank.write(folders);
    media(QStringLiteral("jazda.wmv"), "film");
    chooseB();
    player.calls.clear();
    go(1298);

    LearnPage* p = page();
    EXPECT_TRUE(p->panels()->abcPanel()->isVisibleTo(p));
    EXPECT_FALSE(p->panels()->yesNoPanel()->isVisibleTo(p));
    EXPECT_EQ(p->panels()->abcQuestion()->text(), QStringLiteral("Jak postąpisz?"));
    EXPECT_EQ(p->panels()->answerText(0)->text(), QStringLiteral("Zwolnię"));
    EXPECT_EQ(p->panels()->answerText(1)->text(), QStringLiteral("Przyspieszę"));
    EXPECT_EQ(p->panels()->answerText(2)->text(), QStringLiteral("Zatrzymam się"));
    EXPECT_EQ(p->answerCheck().rightAnswer(), QStringLiteral("C"));
    EXPECT_EQ(button("sprawdzbutton")->badgeText(), QStringLiteral("3 pkt."));
    // Line 1 of "02x.dll"; the bar is full for every specialist question.
    EXPECT_GT(p->progressBar()->position(), 100.0);
    EXPECT_EQ(p->progressBar()->fraction(), 1.0);

    EXPECT_TRUE(p->display()->filmPanel()->isVisibleTo(p));
    EXPECT_FALSE(p->display()->picture()->isVisibleTo(p));
    EXPECT_TRUE(button("rewind")->isVisibleTo(p));
    EXPECT_TRUE(button("replay")->isVisibleTo(p));
    EXPECT_EQ(player.output, p->display()->filmPanel());
    EXPECT_EQ(player.calls, (QStringList{QStringLiteral("close"),
                                         QStringLiteral("open ") + mediaFile("jazda.wmv"),
                                         QStringLiteral("play")}));
    EXPECT_EQ(p->display()->mediaplik(), mediaFile(QStringLiteral("jazda.wmv")));
}

TEST_F(BrowserTest, MediaNamesThatShowNothingLeaveThePreviousPicture) {
    bank.set(10, basic(QStringLiteral("Obrazek"), "T", QStringLiteral("obraz.jpg"), "1"));
    bank.set(11, basic(QStringLiteral("Wielkie litery"), "T", QStringLiteral("duze.JPG"), "1"));
    bank.set(12, basic(QStringLiteral("Brak filmu"), "T", QStringLiteral("brak.wmv"), "1"));
    bank.set(13, basic(QStringLiteral("Brak obrazka"), "T", QStringLiteral("brak.jpg"), "1"));
    bank.set(14, basic(QStringLiteral("Pusta nazwa"), "T", QString(), "1"));
    bank.set(15, basic(QStringLiteral("Inny rodzaj"), "T", QStringLiteral("obraz.png"), "1"));
    bank.set(16, basic(QStringLiteral("Film wielkimi"), "T", QStringLiteral("film.WMV"), "1"));
    bank.write(folders);
    media(QStringLiteral("obraz.jpg"), pictureBytes(QStringLiteral("obraz.jpg")));
    media(QStringLiteral("duze.JPG"), pictureBytes(QStringLiteral("duze.jpg")));
    media(QStringLiteral("obraz.png"), pictureBytes(QStringLiteral("obraz.png")));
    media(QStringLiteral("film.WMV"), "film");
    chooseB();
    go(10);
    const QString shown = mediaFile(QStringLiteral("obraz.jpg"));
    ASSERT_EQ(page()->display()->picture()->file(), shown);
    for (int n = 11; n <= 16; ++n) {
        player.calls.clear();
        go(n);
        EXPECT_EQ(page()->panels()->yesNoQuestion()->text(), bank.fields(n).value(0)) << n;
        EXPECT_EQ(page()->display()->picture()->file(), shown) << n;
        EXPECT_TRUE(page()->display()->picture()->isVisibleTo(page())) << n;
        EXPECT_EQ(player.calls, QStringList{QStringLiteral("close")}) << n;
    }
}

TEST_F(BrowserTest, PreviousAndNextStepAndTakeOneClickIn100Ms) {
    bank.write(folders);
    chooseB();
    StyledButton* prev = button("AdvSmoothButton29");
    StyledButton* next = button("AdvSmoothButton30");
    EXPECT_EQ(prev->accessibleName(), QStringLiteral("Poprzednie pytanie"));
    EXPECT_EQ(next->accessibleName(), QStringLiteral("Następne pytanie"));

    // At question 1 previous changes nothing, but still waits its 100 ms.
    click(QStringLiteral("AdvSmoothButton29"));
    EXPECT_EQ(page()->browserNumber(), 1);
    clock.advance(100);

    click(QStringLiteral("AdvSmoothButton30"));
    EXPECT_EQ(page()->browserNumber(), 2);
    EXPECT_EQ(numberEntry()->text(), QStringLiteral("2"));
    EXPECT_EQ(page()->panels()->yesNoQuestion()->text(), QStringLiteral("Pytanie 2"));
    EXPECT_EQ(lastStored(), QStringLiteral("2"));
    // A second press within 100 ms, by mouse or from code, has no effect; the button does not look
    // disabled meanwhile (the wait does not show). The other button is not held.
    EXPECT_TRUE(next->isEnabled());
    next->click();
    next->clickFromCode();
    EXPECT_EQ(page()->browserNumber(), 2);
    clock.advance(99);
    next->click();
    EXPECT_EQ(page()->browserNumber(), 2);
    click(QStringLiteral("AdvSmoothButton29"));
    EXPECT_EQ(page()->browserNumber(), 1);
    clock.advance(1);
    click(QStringLiteral("AdvSmoothButton30"));
    EXPECT_EQ(page()->browserNumber(), 2);
    click(QStringLiteral("AdvSmoothButton29"));
    EXPECT_EQ(page()->browserNumber(), 1);
    clock.advance(100);
    click(QStringLiteral("AdvSmoothButton30"));
    EXPECT_EQ(page()->browserNumber(), 2);
    clock.advance(100);

    // Next at the last question changes nothing.
    go(1479);
    click(QStringLiteral("AdvSmoothButton30"));
    EXPECT_EQ(page()->browserNumber(), 1479);
    EXPECT_EQ(window().context().learning.question(), 1479);
    clock.advance(100);
    click(QStringLiteral("AdvSmoothButton29"));
    EXPECT_EQ(page()->browserNumber(), 1478);
    EXPECT_EQ(lastStored(), QStringLiteral("1478"));
}

TEST_F(BrowserTest, EnterInTheNumberEntryFollowsTheTypedNumberRules) {
    bank.write(folders);
    folders.writeUserFile(QStringLiteral("statsb.ini"), "[last]\r\npytanie=20\r\n");
    chooseB();
    struct Case {
        const char* typed;
        int shown;         // question shown afterwards
        const char* entry; // text of the entry afterwards
    };
    const Case cases[] = {
        {"7", 7, "7"},          {"0005", 5, "0005"},
        {"0", 5, "0"},          {"", 5, ""},
        {"1479", 1479, "1479"}, {"1", 1, "1"},
        {"1500", 1479, "1479"}, {"9999", 1479, "1479"},
        {"1297", 1297, "1297"}, {"1298", 1298, "1298"},
    };
    for (const Case& c : cases) {
        typeNumber(QString::fromLatin1(c.typed));
        EXPECT_EQ(page()->browserNumber(), c.shown) << c.typed;
        EXPECT_EQ(window().context().learning.question(), c.shown) << c.typed;
        EXPECT_EQ(numberEntry()->text(), QString::fromLatin1(c.entry)) << c.typed;
    }
    // Digits only, at most four.
    numberEntry()->clear();
    QTest::keyClicks(numberEntry(), QStringLiteral("12ab-345"));
    EXPECT_EQ(numberEntry()->text(), QStringLiteral("1234"));
    // The hint is there until the entry is first clicked.
    EXPECT_EQ(numberEntry()->toolTip(), NumberGroup::numberEntryHint());
    QTest::mouseClick(numberEntry(), Qt::LeftButton);
    EXPECT_TRUE(numberEntry()->toolTip().isEmpty());
}

TEST_F(BrowserTest, EnterDoesNothingOutsideCategoryBAndCategoryAReadsItsOwnFile) {
    bank.set(1298, {QStringLiteral("Pytanie kategorii A"), QStringLiteral("a"), QStringLiteral("b"),
                    QStringLiteral("c"), QStringLiteral("A"), QString(), QStringLiteral("1")});
    bank.write(folders, QStringLiteral("A"));
    folders.writeUserFile(QStringLiteral("statsa.ini"), "[last]\r\npytanie=1298\r\n");
    window().navigation()->chooseCategory(QStringLiteral("A"));
    EXPECT_EQ(page()->panels()->abcQuestion()->text(), QStringLiteral("Pytanie kategorii A"));
    EXPECT_EQ(page()->progressBar()->position(), 10.0); // kept outside category B
    typeNumber(QStringLiteral("12"));
    EXPECT_EQ(page()->browserNumber(), 1298);
    EXPECT_EQ(numberEntry()->text(), QStringLiteral("12"));
    typeNumber(QStringLiteral("1500"));
    EXPECT_EQ(numberEntry()->text(), QStringLiteral("1500"));
    EXPECT_EQ(page()->browserNumber(), 1298);
}

TEST_F(BrowserTest, QuestionZeroShowsTheEmptyPictureAndLeavesTheTexts) {
    bank.write(folders);
    chooseB();
    go(5);
    page()->setBrowserNumber(0);
    EXPECT_EQ(page()->display()->picture()->file(),
              folders.program() + QStringLiteral("obrazki_prawko/empty.jpg"));
    EXPECT_TRUE(page()->display()->picture()->isVisibleTo(page()));
    EXPECT_EQ(page()->panels()->yesNoQuestion()->text(), QStringLiteral("Pytanie 5"));
    EXPECT_EQ(lastStored(), QStringLiteral("0"));

    // Without the empty picture question 0 ends with the file error.
    QFile::remove(folders.program() + QStringLiteral("obrazki_prawko/empty.jpg"));
    go(6);
    dialogs.expect(QStringLiteral("empty.jpg"), Answer::Ok);
    guarded([this] { page()->setBrowserNumber(0); });
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(BrowserTest, AMissingBankFileIsReportedAfterTheFirstStepsTookEffect) {
    bank.write(folders);
    QFile::remove(folders.program() + QStringLiteral("02x.dll"));
    folders.writeUserFile(QStringLiteral("statsb.ini"), "[last]\r\npytanie=1300\r\n");
    dialogs.expect(QStringLiteral("02x.dll"), Answer::Ok);
    chooseB();
    EXPECT_TRUE(dialogs.allAnswered());
    MainWindow& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Wirtal 2013 - Norel - Kategoria B"));
    EXPECT_EQ(page()->browserNumber(), 1300);
    EXPECT_EQ(lastStored(), QStringLiteral("1300")); // the category reopens on it
    EXPECT_TRUE(w.context().learning.mayAddToRevision());
    EXPECT_EQ(player.calls, QStringList{QStringLiteral("close")});
    EXPECT_TRUE(button("sprawdzbutton")->isEnabled());
    // The basic questions still work.
    go(3);
    EXPECT_EQ(page()->panels()->yesNoQuestion()->text(), QStringLiteral("Pytanie 3"));
}
