// SPDX-License-Identifier: GPL-3.0-or-later

// The answer history through the real main window: what learning records, the practice runs, the
// progress page and the legal basis after a check.
#include "bank/topics.h"
#include "exam/exampools.h"
#include "history/answerlog.h"
#include "learn/learnfixture.h"
#include "learn/practicerunner.h"
#include "progress/progresspage.h"
#include "support/cataloguefolder.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QValueAxis>

using namespace wirtal;
using namespace wirtal::test;

class HistoryWindowTest : public LearnFixture {
protected:
    void SetUp() override {
        log = AnswerLog::open(folders.userData() + QStringLiteral("historia.sqlite"), nullptr);
        ASSERT_TRUE(log);
        history = log.get();
    }
    void start() {
        bank.write(folders);
        chooseB(); // question 1; odd questions are answered "T", even ones "N"
    }
    Card card(int n) { return log->cards(QStringLiteral("B")).value(n); }
    // The next-question button (it rests a moment after each press).
    void next() {
        clock.advance(200);
        click(QStringLiteral("AdvSmoothButton30"));
    }
    QString caption() { return find<QLabel>(QStringLiteral("Label1"))->text(); }
    std::unique_ptr<AnswerLog> log;
};

TEST_F(HistoryWindowTest, TheFirstCheckOfEachShowingIsRecorded) {
    start();
    answer(QStringLiteral("NIE")); // wrong
    answer(QStringLiteral("TAK")); // the second try after seeing the answer is not recorded
    EXPECT_EQ(card(1).seen, 1);
    EXPECT_EQ(card(1).right, 0);
    go(2);
    answer(QStringLiteral("NIE"));
    EXPECT_TRUE(card(2).lastRight);
    go(1); // shown again: a new answer
    answer(QStringLiteral("TAK"));
    EXPECT_EQ(card(1).seen, 2);
    EXPECT_TRUE(card(1).lastRight);
    EXPECT_EQ(log->answerCount(QStringLiteral("B")), 3);
    // The statistics file keeps counting every check as it always did.
    EXPECT_EQ(counter("niepoprawne"), QStringLiteral("1"));
    EXPECT_EQ(counter("poprawne"), QStringLiteral("3"));
}

TEST_F(HistoryWindowTest, ASmartReviewGoesThroughTheLapsesAndEndsWithItsTally) {
    start();
    answer(QStringLiteral("NIE")); // 1 wrong
    go(3);
    answer(QStringLiteral("NIE")); // 3 wrong
    go(4);
    answer(QStringLiteral("NIE")); // 4 right: not due until tomorrow

    click(QStringLiteral("powtorkainteligentnabutton"));
    PracticeRunner& run = page()->practice();
    ASSERT_TRUE(run.active());
    // The lapses, the latest first; the clock of this test stands, so by number.
    EXPECT_EQ(run.queue(), (std::vector<int>{1, 3}));
    EXPECT_TRUE(caption().contains(QStringLiteral("Powtórka inteligentna: 1 z 2")));
    EXPECT_FALSE(numberEntry()->isEnabled());
    EXPECT_EQ(page()->browserNumber(), 1);

    answer(QStringLiteral("TAK"));
    next();
    EXPECT_EQ(page()->browserNumber(), 3);
    EXPECT_TRUE(caption().contains(QStringLiteral("2 z 2")));
    answer(QStringLiteral("NIE"));
    dialogs.expect(QStringLiteral("Poprawne odpowiedzi: 1 z 2"), Answer::Ok);
    next();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_FALSE(run.active());
    EXPECT_TRUE(numberEntry()->isEnabled());
    EXPECT_FALSE(caption().contains(QStringLiteral("Powtórka")));
    EXPECT_EQ(card(3).seen, 2);

    // Nothing due: the run does not start.
    dialogs.expect(QStringLiteral("Na dziś nie ma pytań"), Answer::Ok);
    for (int n : {3})
        log->record(QStringLiteral("B"), n, true, AnswerMode::Learning,
                    wallclock.now().toMSecsSinceEpoch(), 10);
    click(QStringLiteral("powtorkainteligentnabutton"));
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_FALSE(run.active());
}

TEST_F(HistoryWindowTest, TheProgressPageShowsWhereTheLearnerStandsAndStartsRuns) {
    start();
    answer(QStringLiteral("NIE")); // 1 wrong
    go(110);
    answer(QStringLiteral("NIE"));              // 110 right ("N")
    click(QStringLiteral("AdvSmoothButton79")); // "Więcej"
    click(QStringLiteral("postepybutton"));
    ASSERT_EQ(window().currentPage(), MainWindow::ProgressSheet);
    ProgressPage* progress = window().progressPage();
    EXPECT_TRUE(
        progress->chanceLabel()->text().startsWith(QStringLiteral("Szansa zdania: około ")));
    EXPECT_TRUE(
        progress->chanceLabel()->text().endsWith(QStringLiteral("(na podstawie 2 odpowiedzi)")));

    const ProgressSummary& s = progress->summary();
    ASSERT_TRUE(s.namedTopics);
    EXPECT_EQ(s.topics.front().name, QStringLiteral("Znaki ostrzegawcze"));
    EXPECT_EQ(s.topics.front().count[std::size_t(CardState::Weak)], 1);
    EXPECT_EQ(s.topics[1].count[std::size_t(CardState::Seen)], 1);
    EXPECT_EQ(s.total.total(), 1479);
    EXPECT_EQ(s.total.count[std::size_t(CardState::Unseen)], 1477);
    ASSERT_EQ(s.mostWrong.size(), 1u);
    EXPECT_EQ(s.mostWrong.front().number, 1);
    QTableWidget* table = progress->topicTable();
    EXPECT_EQ(table->rowCount(), int(s.topics.size()) + 1);
    EXPECT_EQ(table->item(table->rowCount() - 1, 0)->text(), QStringLiteral("Razem"));

    // "Nowe pytania": the learning page, from the first question never answered.
    click(QStringLiteral("nowepytania"));
    ASSERT_EQ(window().currentPage(), MainWindow::LearnSheet);
    EXPECT_TRUE(page()->practice().active());
    EXPECT_EQ(page()->browserNumber(), 2);
    EXPECT_EQ(page()->practice().queue().size(), 1477u);

    // A topic: its weak question first, then those never answered.
    click(QStringLiteral("AdvSmoothButton79"));
    click(QStringLiteral("postepybutton"));
    progress->topicTable()->setCurrentCell(0, 0);
    click(QStringLiteral("cwicztemat"));
    EXPECT_EQ(page()->practice().queue().front(), 1);
    EXPECT_EQ(page()->practice().queue()[1], 2);
    EXPECT_TRUE(caption().contains(QStringLiteral("Znaki ostrzegawcze: 1 z 109")));
}

TEST_F(HistoryWindowTest, TheResultsChartShowsTheLastTestsAndTellsOfThemAll) {
    start();
    auto addTests = [&](int from, int to) {
        for (int i = from; i <= to; ++i) // scores 60, 61, ... 74, 60, ...; 68 and more pass
            log->recordExam(QStringLiteral("B"), 1000 + i, 60 + (i - 1) % 15,
                            60 + (i - 1) % 15 >= 68);
    };
    click(QStringLiteral("AdvSmoothButton79"));
    click(QStringLiteral("postepybutton"));
    ProgressPage* progress = window().progressPage();
    QChart* chart = progress->resultsChart()->chart();
    auto shown = [&] {
        QList<QPointF> points;
        for (QAbstractSeries* series : chart->series())
            if (auto* scatter = qobject_cast<QScatterSeries*>(series))
                points = scatter->points();
        return points;
    };
    auto axis = [&] {
        auto axes = chart->axes(Qt::Horizontal);
        auto* x = axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.front());
        return x ? std::pair{x->min(), x->max()} : std::pair{0.0, 0.0};
    };
    const struct {
        int tests;
        int firstShown;
        const char* title;
        const char* description;
    } cases[] = {
        {0, 0, "Wyniki testów (punkty; próg 68)", "Nie rozwiązano jeszcze żadnego testu."},
        {3, 1, "Wyniki testów (punkty; próg 68)", "Testów: 3, zdanych: 0, ostatni wynik: 62"},
        {50, 1, "Wyniki testów (punkty; próg 68)", "Testów: 50, zdanych: 21, ostatni wynik: 64"},
        {60, 11, "Wyniki ostatnich 50 testów (punkty; próg 68)",
         "Testów: 60, zdanych: 28, ostatni wynik: 74"},
    };
    int recorded = 0;
    for (const auto& c : cases) {
        addTests(recorded + 1, c.tests);
        recorded = c.tests;
        progress->refresh();
        const QList<QPointF> points = shown();
        const int count = c.tests - std::max(c.firstShown, 1) + 1;
        ASSERT_EQ(points.size(), c.firstShown == 0 ? 0 : count) << c.tests;
        if (!points.isEmpty()) {
            EXPECT_EQ(points.front(), QPointF(c.firstShown, 60 + (c.firstShown - 1) % 15));
            EXPECT_EQ(points.back().x(), c.tests);
        }
        const auto [from, to] = axis();
        EXPECT_EQ(from, std::max(c.firstShown, 1) - 0.5) << c.tests;
        EXPECT_EQ(to, std::max(c.tests, 1) + 0.5) << c.tests;
        EXPECT_EQ(chart->title(), QString::fromUtf8(c.title)) << c.tests;
        EXPECT_TRUE(progress->resultsChart()->accessibleDescription().startsWith(
            QString::fromUtf8(c.description)))
            << progress->resultsChart()->accessibleDescription().toStdString();
    }
}

TEST_F(HistoryWindowTest, TheLegalBasisFollowsACheckAndLinksToItsPage) {
    folders.writeProgramFile(QStringLiteral("podstawy.txt"),
                             cp1250(QStringLiteral("1\trozp. w sprawie znaków i sygnałów drogowych "
                                                   "– znak A-12a\r\n3\twytyczne ERC\r\n")));
    start();
    QLabel* basis = find<QLabel>(QStringLiteral("podstawalabel"));
    EXPECT_FALSE(basis->isVisibleTo(page())); // only after a check
    answer(QStringLiteral("TAK"));
    ASSERT_TRUE(basis->isVisibleTo(page()));
    EXPECT_TRUE(basis->toolTip().contains(QStringLiteral("znak A-12a")));
    EXPECT_TRUE(basis->text().contains(QStringLiteral("ostrzegawcze.htm")));
    emit basis->linkActivated(QStringLiteral("/obrazki_prawko/ostrzegawcze.htm"));
    EXPECT_EQ(window().currentPage(), MainWindow::SignsView);

    click(QStringLiteral("AdvSmoothButton31")); // back to learning
    go(2);
    answer(QStringLiteral("NIE"));
    EXPECT_FALSE(basis->isVisibleTo(page())); // no basis for 2
    go(3);
    answer(QStringLiteral("TAK"));
    EXPECT_TRUE(basis->isVisibleTo(page()));
    EXPECT_FALSE(basis->text().contains(QStringLiteral("href"))); // no page fits
}

// A folder made by the catalogue import: its two parts stand for topics, the pools are its point
// classes, and the history names questions by their official numbers.
TEST(CatalogueProgress, PartsPoolsAndOfficialNumbers) {
    TempFolders folders;
    writeCatalogueFolder(folders, QStringLiteral("B"), 60, 30, false);
    const TopicList list = topicsOf(QStringLiteral("B"));
    EXPECT_FALSE(list.namedTopics);
    ASSERT_EQ(list.topics.size(), 2u);
    EXPECT_EQ(list.topics[0].name, QStringLiteral("Pytania podstawowe"));
    EXPECT_EQ(list.topics[1].first, 61);
    EXPECT_EQ(list.topics[1].last, 90);

    const ExamPools pools = examPools(QStringLiteral("B"));
    ASSERT_EQ(pools.size(), 32u);
    // Slot 1 draws from the basic questions worth 3 (our n with n % 3 == 2), by official number.
    ASSERT_EQ(pools[0].size(), 20u);
    EXPECT_EQ(pools[0].front().question, 102);
    EXPECT_TRUE(pools[0].front().basic);
    // Slot 32 from the specialist ones worth 1.
    for (const PoolQuestion& q : pools[31]) {
        EXPECT_FALSE(q.basic);
        EXPECT_EQ(q.points, 1);
    }

    QTemporaryDir dir;
    auto log = AnswerLog::open(dir.filePath(QStringLiteral("h.sqlite")), nullptr);
    log->record(QStringLiteral("B"), 102, false, AnswerMode::Learning, 1000, 10);
    EXPECT_EQ(smartReviewQueue(QStringLiteral("B"), log.get(), 2000), std::vector<int>{2});
    const ProgressSummary s = summarize(QStringLiteral("B"), log.get(), 2000);
    EXPECT_EQ(s.topics[0].count[std::size_t(CardState::Weak)], 1);
    ASSERT_EQ(s.mostWrong.size(), 1u);
    EXPECT_EQ(s.mostWrong[0].number, 2);
}
