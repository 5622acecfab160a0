// SPDX-License-Identifier: GPL-3.0-or-later

#include "examfixture.h"

#include "app/leftmenu.h"
#include "app/navigation.h"
#include "base/paths.h"
#include "history/answerlog.h"
#include "results/stars.h"
#include "support/cataloguefolder.h"
#include "widgets/picturebox.h"

#include <QTextLayout>

using namespace wirtal;
using namespace wirtal::test;

namespace {
// The lines a label's text wraps into, no-break spaces shown as spaces.
QStringList wrappedLines(const QLabel* l) {
    QTextLayout layout(l->text(), l->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(l->contentsRect().width() - 2 * l->margin());
        lines << l->text()
                     .mid(line.textStart(), line.textLength())
                     .replace(QChar(0x00A0), u' ')
                     .trimmed();
    }
    layout.endLayout();
    return lines;
}

QString fixedPicture(const char* name) {
    return Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\") + QString::fromLatin1(name));
}
} // namespace

class EndTest : public ExamFixture {
protected:
    void SetUp() override {
        for (const char* name : {"testkoniecok.jpg", "testkonieczle.jpg", "empty.jpg"})
            folders.writeProgramFile(QStringLiteral("obrazki_prawko/") + QString::fromLatin1(name),
                                     pictureBytes(QString::fromLatin1(name)));
    }
    // The state every end leaves the page in.
    void expectFinished() {
        EXPECT_FALSE(session().running());
        EXPECT_EQ(session().currentSlot(), 0);
        EXPECT_EQ(exam().shownNumber(), 0);
        EXPECT_FALSE(ui().newTest->badgeVisible());
        EXPECT_FALSE(ui().gauge->isVisibleTo(&exam()));
        EXPECT_TRUE(ui().reportPanel->isVisibleTo(&exam()));
        EXPECT_TRUE(ui().reviewHint->isVisibleTo(&exam()));
        EXPECT_FALSE(ui().secondsLabel->isVisibleTo(&exam()));
        EXPECT_FALSE(ui().nextButton->isEnabled());
        EXPECT_FALSE(ui().stopTest->isEnabled());
        EXPECT_TRUE(ui().pointsLabel->text().isEmpty());
        EXPECT_TRUE(ui().yesNoQuestion->text().isEmpty());
        for (int k = 1; k <= slotCount; ++k)
            EXPECT_EQ(ui().numbers[k]->color(), sheet().correct(k) ? tcolor::right : tcolor::wrong)
                << k;
        for (const char* name : {"Timer1", "Timer2", "Timer3", "zegartimer"})
            EXPECT_FALSE(timer(name)->isEnabled()) << name;
    }
};

TEST_F(EndTest, WholeExamsScoreAndRecordTheirVerdicts) {
    knownPoints();
    openExam();
    struct Case {
        const char* what;
        std::function<QString(int)> answer;
        bool dalej;
        int points;
        const char* line;
        const char* picture;
        const char* wyniki;
    };
    const Case cases[] = {
        {"nothing answered, time runs out", [](int) { return QString(); }, false, 0,
         "Wynik NEGATYWNY. Punktów\u00A00\u00A0na\u00A074\u00A0(0\u00A0%)", "testkonieczle.jpg",
         "00000"},
        {"wrong in slots 1, 2 and 17",
         [this](int k) { return k == 1 || k == 2 || k == 17 ? wrongButton(k) : rightButton(k); },
         true, 67, "Wynik NEGATYWNY. Punktów\u00A067\u00A0na\u00A074\u00A0(90,5\u00A0%)",
         "testkonieczle.jpg", "00000"},
        {"wrong in slots 21 and 22",
         [this](int k) { return k == 21 || k == 22 ? wrongButton(k) : rightButton(k); }, true, 68,
         "Wynik POZYTYWNY. Punktów\u00A068\u00A0na\u00A074\u00A0(91,9\u00A0%)", "testkoniecok.jpg",
         "10000"},
        {"all right, time runs out", [this](int k) { return rightButton(k); }, false, 74,
         "Wynik POZYTYWNY. Punktów\u00A074\u00A0na\u00A074\u00A0(100\u00A0%)", "testkoniecok.jpg",
         "11000"},
    };
    int passed = 0, failed = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        draw();
        const std::int64_t start = clock.now();
        sitTest(c.answer, c.dalej);
        if (!c.dalej) { // 20 x 36.2 s + 12 x 51.2 s, within the clock's 24:59
            EXPECT_EQ(clock.now() - start, 20 * 36200 + 12 * 51200);
        }
        expectFinished();
        EXPECT_EQ(sheet().score, c.points);
        EXPECT_EQ(ui().resultLine->text(), QString::fromUtf8(c.line));
        // Where the line is too long for its label it breaks after the verdict, never inside
        // the score.
        const QString score =
            QString::fromUtf8(c.line).section(u'.', 1).replace(QChar(0x00A0), u' ').trimmed();
        EXPECT_TRUE(wrappedLines(ui().resultLine).constLast().endsWith(score))
            << wrappedLines(ui().resultLine).join(u'|').toStdString();
        EXPECT_EQ(ui().resultLine->palette().color(QPalette::WindowText),
                  c.points >= 68 ? QColor(0, 128, 0) : QColor(255, 0, 0));
        EXPECT_EQ(ui().display.picture->file(), fixedPicture(c.picture));
        (c.points >= 68 ? passed : failed)++;
        EXPECT_EQ(stat("egzamin", "zdane"), passed ? QString::number(passed) : QStringLiteral("-"));
        EXPECT_EQ(stat("egzamin", "niezdane"),
                  failed ? QString::number(failed) : QStringLiteral("-"));
        EXPECT_EQ(stat("stats", "wyniki"), QString::fromLatin1(c.wyniki));
        // Only the tests taken so far are coloured.
        for (int i = 1; i <= 5; ++i)
            EXPECT_EQ(ui().stars->result(i),
                      i <= passed + failed ? QChar::fromLatin1(c.wyniki[i - 1]) : QChar())
                << "star " << i;
        // The picture of the display stays after the pending loader tick.
        clock.advance(200);
        EXPECT_EQ(ui().display.picture->file(), fixedPicture(c.picture));
    }
    for (const char* other : {"statsa.ini", "statsc.ini", "statsd.ini", "statst.ini"})
        EXPECT_FALSE(folders.userFileExists(QString::fromLatin1(other))) << other;
}

TEST_F(EndTest, PrzerwijEndsAndRecordsAFailedTest) {
    openExam();
    draw();
    clock.advance(5000);
    click(QStringLiteral("koniec"));
    expectFinished();
    EXPECT_EQ(ui().resultLine->text(),
              QStringLiteral("Wynik NEGATYWNY. Punktów\u00A00\u00A0na\u00A074\u00A0(0\u00A0%)"));
    EXPECT_EQ(stat("egzamin", "niezdane"), QStringLiteral("1"));
    EXPECT_EQ(stat("egzamin", "zdane"), QStringLiteral("-"));
    EXPECT_EQ(stat("stats", "wyniki"), QStringLiteral("00000"));
    EXPECT_EQ(ui().stars->result(1), u'0');
    // A late reading-period tick finds no question and leaves the result picture alone.
    clock.advance(30000);
    EXPECT_EQ(ui().display.picture->file(), fixedPicture("testkonieczle.jpg"));
    // After the end an answer click only recolours.
    click(QStringLiteral("Atest"));
    EXPECT_EQ(ui().aButton->color(), tcolor::active);
    for (int k = 1; k <= slotCount; ++k)
        EXPECT_TRUE(sheet().givenAnswer[k].isEmpty());
}

TEST_F(EndTest, NowyTestDuringATestAsksFirst) {
    openExam();
    draw();
    ASSERT_TRUE(waitForAnswering());
    click(rightButton(1));
    const auto before = sheet().questionNumber;
    const QString clockBefore = ui().minutesLabel->text() + ui().secondsLabel->text();
    dialogs.expect(QStringLiteral("Przerwać test i wylosować inny?"), Answer::No);
    click(QStringLiteral("nowytest"));
    EXPECT_TRUE(session().running());
    EXPECT_EQ(session().currentSlot(), 1);
    EXPECT_EQ(sheet().questionNumber, before);
    EXPECT_FALSE(sheet().givenAnswer[1].isEmpty());
    EXPECT_EQ(ui().minutesLabel->text() + ui().secondsLabel->text(), clockBefore);
    EXPECT_EQ(stat("egzamin", "niezdane"), QStringLiteral("-"));

    dialogs.expect(QStringLiteral("Przerwać test i wylosować inny?"), Answer::Yes);
    click(QStringLiteral("nowytest"));
    EXPECT_EQ(stat("egzamin", "niezdane"), QStringLiteral("1")); // the aborted test, once
    EXPECT_EQ(stat("stats", "wyniki"), QStringLiteral("00000"));
    EXPECT_TRUE(session().running()); // and a new one
    EXPECT_EQ(session().currentSlot(), 1);
    EXPECT_TRUE(sheet().givenAnswer[1].isEmpty());
    EXPECT_EQ(ui().minutesLabel->text() + ui().secondsLabel->text(), QStringLiteral("2459"));
    EXPECT_TRUE(ui().resultLine->text().isEmpty());
    EXPECT_TRUE(ui().gauge->isVisibleTo(&exam()));
    EXPECT_TRUE(ui().stopTest->isEnabled());
    // After an abort "Dalej" is usable already in the reading period.
    EXPECT_TRUE(ui().nextButton->isEnabled());
    EXPECT_FALSE(ui().yesButton->isEnabled());
    clock.advance(100);
    EXPECT_EQ(ui().yesNoQuestion->text(),
              QStringLiteral("Pytanie %1").arg(sheet().questionNumber[1]));
}

TEST_F(EndTest, LeavingForLearningOrTheStartPageAsksFirst) {
    openExam();
    draw();
    // "Nauka testów", No: page and test stay.
    dialogs.expect(QStringLiteral("Przerwać test i przejść do trybu nauki?"), Answer::No);
    click(QStringLiteral("AdvSmoothButton31"));
    EXPECT_TRUE(session().running());
    EXPECT_EQ(window().currentPage(), MainWindow::ExamSheet);
    // Yes: the test ends and is recorded, learning mode shows.
    dialogs.expect(QStringLiteral("Przerwać test i przejść do trybu nauki?"), Answer::Yes);
    click(QStringLiteral("AdvSmoothButton31"));
    EXPECT_FALSE(session().running());
    EXPECT_EQ(window().currentPage(), MainWindow::LearnSheet);
    EXPECT_EQ(stat("egzamin", "niezdane"), QStringLiteral("1"));
    EXPECT_FALSE(ui().newTest->badgeVisible());
    EXPECT_FALSE(timer("Timer13")->isEnabled());

    // "Zmień kategorię" (disabled in this edition, so called directly): the page is reset.
    click(QStringLiteral("AdvSmoothButton37"));
    draw();
    dialogs.expect(QStringLiteral("Przerwać test i przejść do wyboru kategorii?"), Answer::Yes);
    window().navigation()->changeCategory();
    EXPECT_EQ(window().currentPage(), MainWindow::StartSheet);
    EXPECT_EQ(stat("egzamin", "niezdane"), QStringLiteral("2"));
    EXPECT_FALSE(session().running());
    EXPECT_EQ(session().currentSlot(), 0);
    EXPECT_EQ(sheet().score, 0);
    EXPECT_TRUE(ui().resultLine->text().isEmpty());
    EXPECT_TRUE(ui().gauge->isVisibleTo(&exam()));
    EXPECT_EQ(ui().gauge->maximum(), 15);
    EXPECT_EQ(ui().display.picture->file(), fixedPicture("empty.jpg"));
    for (int k = 1; k <= slotCount; ++k) {
        EXPECT_FALSE(ui().numbers[k]->isEnabled()) << k;
        EXPECT_EQ(ui().numbers[k]->color(), tcolor::normal) << k;
    }
}

TEST_F(EndTest, ATestThatEndsWhileAQuestionBoxIsOpenIsRecordedOnce) {
    struct Case {
        const char* question;
        std::function<void()> ask;
        MainWindow::Page pageAfter;
        bool runningAfter;
    };
    const Case cases[] = {
        {"Przerwać test i wylosować inny?", [this] { click(QStringLiteral("nowytest")); },
         MainWindow::ExamSheet, true},
        {"Przerwać test i przejść do trybu nauki?",
         [this] { click(QStringLiteral("AdvSmoothButton31")); }, MainWindow::LearnSheet, false},
        {"Przerwać test i przejść do wyboru kategorii?",
         [this] { window().navigation()->changeCategory(); }, MainWindow::StartSheet, false},
    };
    openExam();
    int recorded = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        click(QStringLiteral("AdvSmoothButton37"));
        draw();
        // While the box is open the test runs to its end by itself.
        dialogs.expect(QString::fromUtf8(c.question), Answer::Yes, [this] {
            clock.advanceUntil([this] { return !session().running(); }, 30 * 60 * 1000);
        });
        c.ask();
        ++recorded;
        EXPECT_EQ(stat("egzamin", "niezdane"), QString::number(recorded));
        EXPECT_EQ(window().currentPage(), c.pageAfter);
        EXPECT_EQ(session().running(), c.runningAfter);
        if (c.runningAfter) { // the new test is not recorded; end it for the next case
            click(QStringLiteral("koniec"));
            ++recorded;
        }
    }
}

TEST_F(EndTest, TheReportButtonsPrintAndSaveTheFinishedTest) {
    knownPoints();
    openExam();
    folders.writeUserFile(QStringLiteral("testy.rav"),
                          "<p>{{kategoria}} {{punktow}} {{wynik}} {{pnr1}} {{odp1}}</p>");
    draw();
    sitTest([this](int k) { return k == 1 ? wrongButton(k) : rightButton(k); }, true);
    ASSERT_FALSE(session().running());
    ASSERT_TRUE(ui().reportPanel->isVisibleTo(&exam()));
    const QString expected = QStringLiteral("<p>B 71 na 74 (95,9 %) POZYTYWNY %1 %2</p>")
                                 .arg(sheet().questionNumber[1])
                                 .arg(sheet().givenAnswer[1]);
    click(QStringLiteral("AdvSmoothButton23"));
    EXPECT_EQ(report.printed, QStringList{expected});
    dialogs.expectSave(folders.userData() + QStringLiteral("wynik.pdf"));
    click(QStringLiteral("AdvSmoothButton76"));
    EXPECT_EQ(report.saved,
              QStringList{folders.userData() + QStringLiteral("wynik.pdf|") + expected});
}

// A catalogue's questions are known by their official numbers: the report gives them.
TEST_F(EndTest, TheReportOfACatalogueTestGivesOfficialNumbers) {
    writeCatalogueFolder(folders, QStringLiteral("C"), 30, 18, false); // official 100 + ours
    window().navigation()->chooseCategory(QStringLiteral("C"));
    click(QStringLiteral("AdvSmoothButton37"));
    folders.writeUserFile(QStringLiteral("testy.rav"), "<p>{{pnr1}} {{pnr32}}</p>");
    draw();
    click(QStringLiteral("koniec"));
    ASSERT_FALSE(session().running());
    click(QStringLiteral("AdvSmoothButton23"));
    EXPECT_EQ(report.printed, QStringList{QStringLiteral("<p>%1 %2</p>")
                                              .arg(100 + sheet().questionNumber[1])
                                              .arg(100 + sheet().questionNumber[32])});
}

// Every slot answered goes into the answer history as an exam answer, and the finished test with
// its score; without a history (every other test here) nothing changes.
TEST_F(EndTest, AFinishedTestIsInTheAnswerHistory) {
    const QString path = folders.userData() + QStringLiteral("historia.sqlite");
    auto log = AnswerLog::open(path, nullptr);
    ASSERT_TRUE(log);
    history = log.get();
    knownPoints();
    openExam();
    draw();
    sitTest([this](int k) { return k == 1 ? wrongButton(k) : rightButton(k); }, true);
    ASSERT_FALSE(session().running());
    const auto exams = log->exams(QStringLiteral("B"));
    ASSERT_EQ(exams.size(), 1u);
    EXPECT_EQ(exams[0].score, 71);
    EXPECT_TRUE(exams[0].passed);
    EXPECT_EQ(log->answerCount(QStringLiteral("B")), 32);
    const auto cards = log->cards(QStringLiteral("B"));
    EXPECT_FALSE(cards.value(sheet().questionNumber[1]).lastRight);
    EXPECT_TRUE(cards.value(sheet().questionNumber[2]).lastRight);
}
