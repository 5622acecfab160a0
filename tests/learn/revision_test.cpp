// SPDX-License-Identifier: GPL-3.0-or-later

// The revision list: collecting wrong answers, its file across restarts, the revision run.
#include "learn/msgform.h"
#include "learnfixture.h"
#include "widgets/sliderswitch.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>

#include <unistd.h>

using namespace wirtal;
using namespace wirtal::test;

namespace {
const QString runStart = QStringLiteral("Zostanie uruchomiona funkcja powtórki.");
} // namespace

class RevisionTest : public LearnFixture {
protected:
    void SetUp() override { bank.write(folders); }
    // The wrong and the right answer of a basic question of the test bank (odd: "T").
    void wrong(int n) { answer(n % 2 ? QStringLiteral("NIE") : QStringLiteral("TAK")); }
    void right(int n) { answer(n % 2 ? QStringLiteral("TAK") : QStringLiteral("NIE")); }
    SliderSwitch* slider() { return find<SliderSwitch>(QStringLiteral("AdvSmoothSlider1")); }
    QAction* action(const char* name) {
        return window().findChild<QAction*>(QString::fromLatin1(name));
    }
    void startRun() {
        dialogs.expect(runStart, Answer::Ok);
        click(QStringLiteral("AdvSmoothButton77"));
    }
    bool running() { return window().context().learning.revisionRunning(); }
};

TEST_F(RevisionTest, AWrongAnswerIsListedOncePerShowingAndOnlyWithTheSwitchOn) {
    chooseB();
    go(12);
    wrong(12);
    wrong(12); // the same showing: listed once
    EXPECT_EQ(entries(), QStringList{QStringLiteral("12")});
    EXPECT_EQ(page()->revision()->itemIndex(), -1); // not selected
    go(13);
    go(12);
    wrong(12); // shown again: listed again
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("12"), QStringLiteral("12")}));

    // Switched off by the user: counted, not listed.
    EXPECT_EQ(slider()->caption(), QStringLiteral("Zapamiętuje błędy"));
    slider()->click();
    EXPECT_EQ(slider()->caption(), QStringLiteral("Nie zapamiętuje"));
    EXPECT_EQ(slider()->accessibleName(), QStringLiteral("Zapamiętuje błędy")); // a toggle...
    EXPECT_FALSE(slider()->isChecked());                                        // ...now off
    EXPECT_EQ(slider()->accessibleDescription(), QStringLiteral("Nie zapamiętuje"));
    EXPECT_FALSE(window().state().rememberWrong);
    go(20);
    wrong(20);
    EXPECT_EQ(entries().size(), 2);
    EXPECT_EQ(counter("niepoprawne"), QStringLiteral("4"));
    slider()->click();
    EXPECT_TRUE(window().state().rememberWrong);
    go(21);
    wrong(21);
    EXPECT_EQ(entries().size(), 3);
}

TEST_F(RevisionTest, TheListSurvivesARestartEvenWhenItsFileDidNotExist) {
    chooseB();
    go(12);
    wrong(12);
    go(40);
    wrong(40);
    EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), QByteArray("12\r\n40\r\n"));
    window().close(); // saves the list again
    EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), QByteArray("12\r\n40\r\n"));

    Services s = window().context().services;
    MainWindow second(s);
    second.findChild<StyledButton*>(QStringLiteral("AdvSmoothButton25"))->click();
    auto* l = second.findChild<QListWidget*>(QStringLiteral("dopowtorkilistbox1"));
    ASSERT_EQ(l->count(), 2);
    EXPECT_EQ(l->item(0)->text(), QStringLiteral("12"));
    EXPECT_EQ(l->item(1)->text(), QStringLiteral("40"));
    EXPECT_TRUE(l->selectedItems().isEmpty());
    EXPECT_EQ(second.learnPage()->browserNumber(), 40); // the last question shown
}

// Whatever ends the program later (a signal, a lost display, a crash), the list is on disk the
// moment it changes: each step below is checked against the file before anything else runs.
TEST_F(RevisionTest, EveryChangeOfTheListIsOnDiskAtOnce) {
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), "12\r\n40\r\n7\r\n");
    chooseB();
    const auto file = [this] { return folders.readUserFile(QStringLiteral("repeat-b.txt")); };
    go(20);
    wrong(20);
    EXPECT_EQ(file(), QByteArray("12\r\n40\r\n7\r\n20\r\n")) << "wrong answer";
    clickEntry(1);
    clock.advance(200);
    right(40);
    EXPECT_EQ(file(), QByteArray("12\r\n7\r\n20\r\n")) << "right answer to the selected entry";
    clickEntry(2);
    action("usun")->trigger();
    EXPECT_EQ(file(), QByteArray("12\r\n7\r\n")) << "Usuń zaznaczony numer";
    startRun();
    clock.advance(200);
    right(12);
    EXPECT_EQ(file(), QByteArray("7\r\n")) << "right answer in a run";
    dialogs.expect(QStringLiteral("Usunąć wszystkie numery"), Answer::Yes);
    action("N1")->trigger();
    EXPECT_EQ(file(), QByteArray()) << "Usuń wszystkie pytania";
    EXPECT_TRUE(dialogs.allAnswered());
}

// A list file that exists but cannot be read is never replaced by the empty list shown
// instead: the message says so, and neither a change nor closing writes it.
TEST_F(RevisionTest, AListFileThatCannotBeReadIsNeverReplaced) {
    if (geteuid() == 0)
        GTEST_SKIP() << "runs as root, and permissions do not stop root from reading";
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), "12\r\n40\r\n");
    const QString path = folders.userData() + QStringLiteral("repeat-b.txt");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    dialogs.expect(QStringLiteral("nie zostanie zapisana"), Answer::Ok);
    chooseB();
    EXPECT_TRUE(dialogs.allAnswered());
    go(20);
    wrong(20);
    window().close();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), QByteArray("12\r\n40\r\n"));
}

// The question on screen may be the first one of the list, with its answer revealed by a check:
// the run shows it afresh, its answer hidden.
TEST_F(RevisionTest, ARunStartsWithTheAnswerHiddenAlsoOnTheQuestionShown) {
    struct Case {
        const char* what;
        int question; // on the list and on screen
        const char* answer;
        AnswerPanels::Answer revealed;
    };
    const Case cases[] = {
        {"basic, NIE right", 12, "TAK", AnswerPanels::No},
        {"basic, TAK right", 13, "TAK", AnswerPanels::Yes},
        {"specialist", 1300, "C", AnswerPanels::B},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolders own;
        bank.write(own);
        own.writeUserFile(QStringLiteral("repeat-b.txt"),
                          QByteArray::number(c.question) + "\r\n99\r\n");
        Services s = window().context().services;
        MainWindow w(s);
        w.findChild<StyledButton*>(QStringLiteral("AdvSmoothButton25"))->click();
        LearnPage* p = w.learnPage();
        p->setNumberEntry(c.question);
        p->setBrowserNumber(c.question);
        p->answerCheck().choose(static_cast<AnswerPanels::Answer>(
            QStringList{"TAK", "NIE", "A", "B", "C"}.indexOf(QString::fromLatin1(c.answer))));
        p->answerCheck().checkAnswer();
        const auto shownRight = [p, &c] {
            return c.revealed <= AnswerPanels::No
                       ? p->panels()->button(c.revealed)->badgeVisible()
                       : p->panels()->answerText(c.revealed - AnswerPanels::A)->color() ==
                             tcolor::right;
        };
        ASSERT_TRUE(shownRight()); // revealed by the check
        dialogs.expect(runStart, Answer::Ok);
        w.findChild<StyledButton*>(QStringLiteral("AdvSmoothButton77"))->click();
        clock.advance(200);
        EXPECT_EQ(p->browserNumber(), c.question);
        EXPECT_FALSE(shownRight());
        for (int b = AnswerPanels::Yes; b <= AnswerPanels::C; ++b)
            EXPECT_EQ(p->panels()->button(static_cast<AnswerPanels::Answer>(b))->color(),
                      tcolor::normal)
                << "button " << b;
    }
}

TEST_F(RevisionTest, ADamagedFileKeepsItsNumbersAndSkipsTheRest) {
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), "12\r\nabc\r\n\r\n4O\r\n40\r\n");
    chooseB();
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("12"), QStringLiteral("40")}));
    // "Zmień kategorię" writes the list back clean (the button is disabled for the user).
    window().menu()->button(LeftMenu::ChangeCategory)->clickFromCode();
    EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), QByteArray("12\r\n40\r\n"));
}

TEST_F(RevisionTest, ClickingAnEntryShowsItsQuestionAndARightAnswerRemovesIt) {
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), "12\r\n40\r\n");
    chooseB();
    clickEntry(1);
    EXPECT_EQ(page()->browserNumber(), 1); // 200 ms later
    clock.advance(199);
    EXPECT_EQ(page()->browserNumber(), 1);
    clock.advance(1);
    EXPECT_EQ(page()->browserNumber(), 40);
    EXPECT_EQ(window().context().learning.question(), 40);
    EXPECT_EQ(numberEntry()->text(), QStringLiteral("40"));
    EXPECT_EQ(lastStored(), QStringLiteral("40"));
    right(40);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("12")});
    EXPECT_EQ(page()->revision()->itemIndex(), -1);
    EXPECT_FALSE(window().context().learning.mayAddToRevision());
    wrong(40); // removed on this showing: not listed again
    EXPECT_EQ(entries(), QStringList{QStringLiteral("12")});

    // A right answer to a question whose entry is not selected leaves the list alone.
    go(12);
    right(12);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("12")});

    // The keyboard moves the selection as a click does.
    go(13);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(page()->revision()->itemIndex(), 0);
    clock.advance(200);
    EXPECT_EQ(page()->browserNumber(), 12);
    EXPECT_EQ(numberEntry()->text(), QStringLiteral("12"));
}

TEST_F(RevisionTest, ARunOverTwelveFortyAndSevenEndsWithCongratulations) {
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), "12\r\n40\r\n7\r\n");
    folders.writeUserFile(QStringLiteral("statsb.ini"), "[last]\r\npytanie=3\r\n");
    chooseB();
    startRun();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(running());
    EXPECT_TRUE(button("AdvSmoothButton77")->badgeVisible());
    EXPECT_EQ(button("AdvSmoothButton77")->badgeText(), QStringLiteral("!"));
    EXPECT_FALSE(numberEntry()->isEnabled());
    EXPECT_FALSE(button("AdvSmoothButton29")->isEnabled());
    EXPECT_FALSE(button("AdvSmoothButton30")->isEnabled());
    EXPECT_EQ(slider()->caption(), QStringLiteral("Nie zapamiętuje"));
    EXPECT_FALSE(window().state().rememberWrong);
    EXPECT_EQ(action("WczWyczpowtrk1")->text(), QStringLiteral("Wyłącz powtórkę"));
    clock.advance(200);
    EXPECT_EQ(page()->browserNumber(), 12);
    EXPECT_EQ(lastStored(), QStringLiteral("3")); // not stored during a run

    MsgForm* overlay = page()->msgform();
    wrong(12);
    EXPECT_EQ(page()->browserNumber(), 12);
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_TRUE(overlay->crossImage()->isVisibleTo(overlay));
    EXPECT_FALSE(overlay->tickImage()->isVisibleTo(overlay));
    EXPECT_FALSE(page()->panels()->button(AnswerPanels::No)->badgeVisible()); // not revealed
    EXPECT_EQ(entries().size(), 3);
    EXPECT_EQ(counter("niepoprawne"), QStringLiteral("1"));
    clock.advance(800);
    EXPECT_FALSE(overlay->isVisible());

    right(12);
    EXPECT_TRUE(overlay->tickImage()->isVisibleTo(overlay));
    EXPECT_FALSE(overlay->crossImage()->isVisibleTo(overlay));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("40"), QStringLiteral("7")}));
    EXPECT_EQ(page()->browserNumber(), 12);
    clock.advance(200);
    EXPECT_EQ(page()->browserNumber(), 40);
    EXPECT_EQ(numberEntry()->text(), QStringLiteral("40"));
    right(40);
    clock.advance(200);
    EXPECT_EQ(page()->browserNumber(), 7);
    dialogs.expect(QStringLiteral("Gratulacje!!!"), Answer::Ok);
    right(7);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(counter("poprawne"), QStringLiteral("3"));

    // The run is over: question 1, everything back on.
    EXPECT_FALSE(running());
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(page()->browserNumber(), 1);
    EXPECT_EQ(window().context().learning.question(), 1);
    EXPECT_EQ(numberEntry()->text(), QStringLiteral("1"));
    EXPECT_TRUE(numberEntry()->isEnabled());
    EXPECT_TRUE(button("AdvSmoothButton29")->isEnabled());
    EXPECT_TRUE(button("AdvSmoothButton30")->isEnabled());
    EXPECT_FALSE(button("AdvSmoothButton77")->badgeVisible());
    EXPECT_EQ(slider()->caption(), QStringLiteral("Zapamiętuje błędy"));
    EXPECT_TRUE(window().state().rememberWrong);
    EXPECT_EQ(action("WczWyczpowtrk1")->text(), QStringLiteral("Włącz powtórkę"));
    EXPECT_EQ(lastStored(), QStringLiteral("1"));
    clock.advance(800);
    EXPECT_FALSE(overlay->isVisible());

    // Wrong answers are remembered again.
    go(2);
    wrong(2);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("2")});
}

TEST_F(RevisionTest, ARunNeedsOkAndAListAndCanBeSwitchedOff) {
    chooseB();
    dialogs.expect(runStart, Answer::Cancel);
    click(QStringLiteral("AdvSmoothButton77"));
    dialogs.expect(runStart, Answer::Ok);
    dialogs.expect(QStringLiteral("Na liście nie ma pytań do powtórki."), Answer::Ok);
    action("WczWyczpowtrk1")->trigger();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_FALSE(running());

    go(12);
    wrong(12);
    startRun();
    clock.advance(200);
    dialogs.expect(QStringLiteral("Czy chcesz wyłączyć funkcję powtórki?"), Answer::No);
    click(QStringLiteral("AdvSmoothButton77"));
    EXPECT_TRUE(running());
    dialogs.expect(QStringLiteral("Czy chcesz wyłączyć funkcję powtórki?"), Answer::Yes);
    action("WczWyczpowtrk1")->trigger();
    EXPECT_FALSE(running());
    EXPECT_EQ(page()->browserNumber(), 1);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("12")});
}

TEST_F(RevisionTest, EmptyingTheListByHandDuringARun) {
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), "12\r\n40\r\n");
    chooseB();
    startRun();
    clock.advance(200);
    ASSERT_EQ(page()->revision()->itemIndex(), 0);
    action("usun")->trigger(); // the selected entry, without a question
    EXPECT_EQ(entries(), QStringList{QStringLiteral("40")});
    action("usun")->trigger(); // nothing selected now: nothing happens
    EXPECT_EQ(entries(), QStringList{QStringLiteral("40")});
    dialogs.expect(QStringLiteral("Usunąć wszystkie numery"), Answer::No);
    action("N1")->trigger();
    EXPECT_EQ(entries().size(), 1);
    dialogs.expect(QStringLiteral("Usunąć wszystkie numery"), Answer::Yes);
    action("N1")->trigger();
    EXPECT_TRUE(entries().isEmpty());

    right(12); // nothing to remove: the run goes on
    EXPECT_TRUE(running());
    dialogs.expect(QStringLiteral("Przerobiono wszystkie pytania powtórkowe. Tryb powtórkowy"),
                   Answer::Ok);
    wrong(12);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_FALSE(running());
    EXPECT_EQ(page()->browserNumber(), 1);
}

TEST_F(RevisionTest, ContextMenuItemsAndTheInformationMessage) {
    chooseB();
    const char* names[] = {"usun", "N1", "Informacjaooknie1", "WczWyczpowtrk1"};
    const char* captions[] = {"Usuń zaznaczony numer", "Usuń wszystkie pytania",
                              "Informacja o oknie", "Włącz powtórkę"};
    auto* menu = window().findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 5);
    for (int i = 0; i < 4; ++i) {
        QAction* a = items[i < 3 ? i : 4];
        EXPECT_EQ(a->objectName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(a->text(), QString::fromUtf8(captions[i]));
    }
    EXPECT_TRUE(items[3]->isSeparator());
    dialogs.expect(QStringLiteral("Pytania na które udzielono błędnej odpowiedzi trafiają na "
                                  "listę pytań do powtórki.\nKliknij na numer pytania"),
                   Answer::Ok);
    action("Informacjaooknie1")->trigger();
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(RevisionTest, TheOverlayIsAHalfTransparentWindowThatNeverTakesTheFocus) {
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), "12\r\n40\r\n");
    chooseB();
    window().show();
    QApplication::setActiveWindow(&window());
    MsgForm* overlay = page()->msgform();
    EXPECT_TRUE(overlay->isWindow());
    EXPECT_TRUE(overlay->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(overlay->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(overlay->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_NEAR(overlay->windowOpacity(), 120.0 / 255.0, 0.01);
    EXPECT_EQ(overlay->size(), QSize(126, 116));
    EXPECT_FALSE(overlay->isVisible());

    startRun();
    clock.advance(200);
    StyledButton* tak = page()->panels()->button(AnswerPanels::Yes);
    tak->setFocus();
    wrong(12);
    EXPECT_TRUE(overlay->isVisible());
    QCoreApplication::processEvents();
    EXPECT_NE(QApplication::activeWindow(), overlay);
    EXPECT_EQ(QApplication::focusWidget(), tak); // the learning page keeps the focus

    // A second check while it is up only changes the picture; it closes 800 ms after it came up.
    clock.advance(500);
    right(12);
    EXPECT_TRUE(overlay->tickImage()->isVisibleTo(overlay));
    clock.advance(299);
    EXPECT_TRUE(overlay->isVisible());
    clock.advance(1);
    EXPECT_FALSE(overlay->isVisible());
    EXPECT_EQ(page()->browserNumber(), 40);
}
