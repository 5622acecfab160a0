// SPDX-License-Identifier: GPL-3.0-or-later

// What the learner has when the program switches to another question bank from inside: a
// re-import of the catalogue keeps the revision list, the last question and the history by
// official number and ends a running revision run; the demo bank's data and a catalogue's stay
// apart; the start page, the window title and "Zmień kategorię" follow the bank in use.

#include "app/leftmenu.h"
#include "app/navigation.h"
#include "bank/layout.h"
#include "base/paths.h"
#include "catalogue/xlsxwriter.h"
#include "history/answerlog.h"
#include "learn/learnpage.h"
#include "learn/revisionpanel.h"
#include "support/appfixture.h"
#include "widgets/styledbutton.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace wirtal;
using namespace wirtal::test;

namespace {

const QString runStart = QStringLiteral("Zostanie uruchomiona funkcja powtórki.");

// Basic questions of the given categories, answer "T".
QList<XRow> edition(const QList<int>& officials, const QString& categories) {
    QList<XRow> rows{officialHeader()};
    qint64 lp = 0;
    for (int official : officials)
        rows << officialRow(++lp, official, QStringLiteral("Pytanie %1").arg(official), "T", {}, {},
                            "PODSTAWOWY", categories, "2");
    return rows;
}

} // namespace

class BankSwitch : public AppFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(files.isValid());
        cwd = QDir::currentPath();
        bank.write(folders); // the demo bank: classic numbers, category B only
        QDir().mkpath(files.filePath(QStringLiteral("media")));
        log = AnswerLog::open(files.filePath(QStringLiteral("historia.sqlite")), nullptr);
        ASSERT_TRUE(log);
        history = log.get();
    }
    void TearDown() override { QDir::setCurrent(cwd); }

    // Imports the edition from the more page as the learner does; the program switches to it.
    void importEdition(const QList<XRow>& rows) {
        const QString xlsx = files.filePath(QStringLiteral("katalog-2026.xlsx"));
        ASSERT_TRUE(writeBytes(xlsx, xlsxBytes(rows)));
        dialogs.expectOpen(xlsx);
        dialogs.expectOpenMany({});
        dialogs.expectFolder(files.filePath(QStringLiteral("media")));
        dialogs.expect(QStringLiteral("Zaimportowano katalog pytań"), Answer::Ok);
        window().showPage(MainWindow::MoreSheet);
        click(QStringLiteral("importbutton"));
        ASSERT_TRUE(dialogs.allAnswered()) << dialogs.shown().join(u'\n').toStdString();
        ASSERT_TRUE(Paths::isCatalogueFolder());
    }
    LearnPage* page() { return window().learnPage(); }
    // Shows a question by its official number and answers it wrong ("T" is right).
    void answerWrong(int official) {
        auto* entry = find<QLineEdit>(QStringLiteral("numeredit"));
        entry->clear();
        QTest::keyClicks(entry, QStringLiteral("u%1").arg(official));
        QTest::keyClick(entry, Qt::Key_Return);
        click(QStringLiteral("AdvSmoothButton33")); // "NIE"
    }
    // The revision list on screen as official numbers of the folder in use.
    QList<int> listedOfficials(const QString& code) {
        const auto bank = layout::of(code);
        QList<int> out;
        for (const QString& n : page()->revision()->entries())
            out << bank->officialOf(n.toInt());
        return out;
    }
    QList<int> cardIds(const QString& code) {
        QList<int> ids = history->cards(code).keys();
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    QTemporaryDir files;
    QString cwd;
    std::unique_ptr<AnswerLog> log;
};

// In category C the list holds 10969 11022 1134 99 (our 3 4 2 1: the import numbers questions in
// ascending official number); the next edition leaves 10969 out and brings 50 and 10994, so every
// number of ours changes meaning (our 3 4 2 1 are now 1134 10994 99 50).
TEST_F(BankSwitch, AReimportKeepsTheListLastQuestionAndHistoryByOfficialNumber) {
    importEdition(edition({99, 1134, 10969, 11022}, QStringLiteral("B,C")));
    window().navigation()->chooseCategory(QStringLiteral("C"));
    for (int official : {10969, 11022, 1134, 99})
        answerWrong(official);
    ASSERT_EQ(listedOfficials(QStringLiteral("C")), (QList<int>{10969, 11022, 1134, 99}));
    // A revision run is going when the next edition comes in.
    dialogs.expect(runStart, Answer::Ok);
    click(QStringLiteral("AdvSmoothButton77"));
    ASSERT_TRUE(window().context().learning.revisionRunning());

    importEdition(edition({50, 99, 1134, 10994, 11022}, QStringLiteral("B,C")));
    // The run ended cleanly, and nothing of the edition before is on screen.
    EXPECT_FALSE(window().context().learning.revisionRunning());
    EXPECT_TRUE(find<QLineEdit>(QStringLiteral("numeredit"))->isEnabled());
    EXPECT_TRUE(page()->revision()->entries().isEmpty());
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Wirtal 2013 - Norel - www.norel.pl"));
    // The file still names what the learner answered.
    EXPECT_EQ(folders.readUserFile(QStringLiteral("katalog-repeat-c.txt")),
              QByteArray("10969\r\n11022\r\n1134\r\n99\r\n"));

    window().navigation()->chooseCategory(QStringLiteral("C"));
    EXPECT_EQ(listedOfficials(QStringLiteral("C")), (QList<int>{11022, 1134, 99}));
    // The last question shown (99, where the run's end left it) is found in its new place.
    EXPECT_EQ(page()->browserNumber(), 2);
    // 10969, gone from this edition, stays in the file for a later one.
    window().saveRevisionList();
    EXPECT_EQ(folders.readUserFile(QStringLiteral("katalog-repeat-c.txt")),
              QByteArray("11022\r\n1134\r\n99\r\n10969\r\n"));
    EXPECT_EQ(cardIds(QStringLiteral("C")), (QList<int>{99, 1134, 10969, 11022}));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Wirtal 2013 - Norel - Kategoria C"));
    // "Usuń wszystkie pytania" empties the file, kept entries too.
    dialogs.expect(QStringLiteral("Usunąć wszystkie numery"), Answer::Yes);
    window().findChild<QAction*>(QStringLiteral("N1"))->trigger();
    EXPECT_EQ(folders.readUserFile(QStringLiteral("katalog-repeat-c.txt")), QByteArray());
}

// The demo bank numbers its questions 1..1479 for good: its answers are not answers to the
// official questions of the same numbers, and its list is not emptied by an import.
TEST_F(BankSwitch, TheDemoBanksDataAndTheCataloguesStayApart) {
    QByteArray demoList;
    for (int n : {99, 100, 109, 110})
        demoList += QByteArray::number(n) + "\r\n";
    for (int n = 200; n < 227; ++n) // 31 entries in all
        demoList += QByteArray::number(n) + "\r\n";
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), demoList);
    const QByteArray demoStats = "[nauka]\r\npoprawne=7\r\n[last]\r\npytanie=109\r\n";
    folders.writeUserFile(QStringLiteral("statsb.ini"), demoStats);
    for (int n : {99, 100, 109, 110})
        ASSERT_TRUE(history->record(QStringLiteral("B"), n, false, AnswerMode::Learning,
                                    1765000000000, 1000));

    importEdition(edition({99, 100, 5000}, QStringLiteral("B")));
    window().navigation()->chooseCategory(QStringLiteral("B"));
    EXPECT_TRUE(page()->revision()->entries().isEmpty());
    EXPECT_TRUE(cardIds(QStringLiteral("B")).isEmpty());
    answerWrong(100);
    EXPECT_EQ(listedOfficials(QStringLiteral("B")), QList<int>{100});
    EXPECT_EQ(folders.readUserFile(QStringLiteral("katalog-repeat-b.txt")), QByteArray("100\r\n"));
    EXPECT_TRUE(folders.readUserFile(QStringLiteral("katalog-statsb.ini")).contains("pytanie=100"));
    EXPECT_TRUE(
        folders.readUserFile(QStringLiteral("katalog-statsb.ini")).contains("niepoprawne=1"));
    ASSERT_EQ(cardIds(QStringLiteral("B")), QList<int>{100});
    EXPECT_EQ(history->cards(QStringLiteral("B")).value(100).seen, 1);
    // The demo bank's files are as they were.
    EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), demoList);
    EXPECT_EQ(folders.readUserFile(QStringLiteral("statsb.ini")), demoStats);

    // Back on the demo bank, everything of it is there again.
    window().switchProgramFolder(folders.program());
    window().navigation()->chooseCategory(QStringLiteral("B"));
    EXPECT_EQ(page()->revision()->entries().size(), 31);
    EXPECT_EQ(page()->browserNumber(), 109);
    EXPECT_EQ(cardIds(QStringLiteral("B")), (QList<int>{99, 100, 109, 110}));
    EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), demoList);
}

TEST_F(BankSwitch, StartPageAndMenuFollowTheBankInUse) {
    auto* caption = find<QLabel>(QStringLiteral("startcaption"));
    StyledButton* change = window().menu()->button(LeftMenu::ChangeCategory);
    // The demo bank offers B alone.
    EXPECT_EQ(caption->text(),
              QStringLiteral("Nowy egzamin wg zasad obowiązujących do 19 stycznia 2013"));
    EXPECT_FALSE(change->isEnabled());

    importEdition(edition({99, 100}, QStringLiteral("B,C")));
    EXPECT_TRUE(caption->text().startsWith(QStringLiteral("Katalog pytań „katalog-2026.xlsx”, "
                                                          "zaimportowany ")))
        << caption->text().toStdString();
    EXPECT_TRUE(change->isEnabled());
    window().navigation()->chooseCategory(QStringLiteral("C"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Wirtal 2013 - Norel - Kategoria C"));
    change->click();
    EXPECT_EQ(window().currentPage(), MainWindow::StartSheet);
    window().navigation()->chooseCategory(QStringLiteral("B"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Wirtal 2013 - Norel - Kategoria B"));

    // Back on the classic bank: its line again.
    window().switchProgramFolder(folders.program());
    EXPECT_EQ(caption->text(),
              QStringLiteral("Nowy egzamin wg zasad obowiązujących do 19 stycznia 2013"));
    EXPECT_FALSE(change->isEnabled());
}

// A test runs on the questions the import replaces: it ends first, when the learner agrees.
TEST_F(BankSwitch, ARunningTestEndsBeforeTheImportWhenTheLearnerAgrees) {
    window().navigation()->chooseCategory(QStringLiteral("B"));
    click(QStringLiteral("AdvSmoothButton37")); // "Wylosuj test"
    click(QStringLiteral("nowytest"));
    ASSERT_TRUE(window().context().exam.running());
    const QString question = QStringLiteral("Przerwać test i zaimportować katalog pytań?");
    dialogs.expect(question, Answer::No);
    window().showPage(MainWindow::MoreSheet);
    click(QStringLiteral("importbutton"));
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(window().context().exam.running());
    EXPECT_FALSE(Paths::isCatalogueFolder());

    dialogs.expect(question, Answer::Yes);
    importEdition(edition({99, 100}, QStringLiteral("B")));
    EXPECT_FALSE(window().context().exam.running());
    EXPECT_EQ(window().currentPage(), MainWindow::StartSheet);
}
