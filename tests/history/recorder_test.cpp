// SPDX-License-Identifier: GPL-3.0-or-later

// The recorder: what a checked learning answer, a left exam slot and an ended test write to the
// statistics file and to the answer history, together, and that a statistics file that cannot
// take the event keeps the history from taking it.

#include "history/recorder.h"

#include "base/context.h"
#include "history/answerlog.h"
#include "platform/error.h"
#include "platform/wallclock.h"
#include "support/tempdirs.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <functional>

namespace wirtal {
namespace {

using test::TempFolders;

constexpr qint64 t0 = 1'765'000'000'000LL;

class RecorderTest : public ::testing::Test {
protected:
    RecorderTest() {
        log = AnswerLog::open(dirs.userData() + QStringLiteral("historia.sqlite"), &notice);
        ctx.state.categoryCode = QStringLiteral("B");
        ctx.services.clock = &clock;
        ctx.history = log.get();
    }
    QByteArray stats() const { return dirs.readUserFile(QStringLiteral("statsb.ini")); }
    // The stored answers as "question mode took_ms correct", in order.
    QStringList answers() const {
        QStringList rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                        QStringLiteral("recorder-check"));
            db.setDatabaseName(dirs.userData() + QStringLiteral("historia.sqlite"));
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            q.exec(
                QStringLiteral("SELECT question, mode, took_ms, correct FROM answers ORDER BY id"));
            while (q.next())
                rows << QStringLiteral("%1 %2 %3 %4")
                            .arg(q.value(0).toInt())
                            .arg(q.value(1).toInt())
                            .arg(q.value(2).toInt())
                            .arg(q.value(3).toInt());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("recorder-check"));
        return rows;
    }

    TempFolders dirs;
    QString notice;
    std::unique_ptr<AnswerLog> log;
    FixedWallClock clock{QDateTime::fromMSecsSinceEpoch(t0)};
    AppContext ctx;
};

TEST_F(RecorderTest, EveryCheckCountsAndTheFirstOfAShowingGoesIntoTheHistoryInTheSessionsMode) {
    ASSERT_TRUE(log) << notice.toStdString();
    struct Case {
        const char* name;
        std::function<void(LearningSession&)> session;
        int mode;
    };
    const Case cases[] = {
        {"learning", [](LearningSession&) {}, int(AnswerMode::Learning)},
        {"revision run", [](LearningSession& s) { s.startRevision(); }, int(AnswerMode::Revision)},
        {"smart review", [](LearningSession& s) { s.startPractice(PracticeRun::SmartReview); },
         int(AnswerMode::SmartReview)},
        {"topic", [](LearningSession& s) { s.startPractice(PracticeRun::Topic); },
         int(AnswerMode::Topic)},
    };
    const Recorder recorder(ctx);
    QStringList expected;
    int question = 10;
    for (const Case& c : cases) {
        ctx.learning = LearningSession();
        c.session(ctx.learning);
        ++question;
        recorder.learningAnswerChecked(question, false, /*firstOfShowing=*/true, t0 - 4200);
        recorder.learningAnswerChecked(question, true, /*firstOfShowing=*/false, t0 - 100);
        expected << QStringLiteral("%1 %2 4200 0").arg(question).arg(c.mode);
        EXPECT_EQ(answers(), expected) << c.name;
    }
    // Every check counts in the statistics file, the second tries too.
    EXPECT_EQ(stats(), QByteArray("[nauka]\r\nniepoprawne=4\r\npoprawne=4\r\n"));
}

TEST_F(RecorderTest, ALeftSlotGoesIntoTheHistoryOnlyAndAnEndedTestIntoBoth) {
    ASSERT_TRUE(log) << notice.toStdString();
    const Recorder recorder(ctx);
    recorder.examAnswerGiven(1300, true, t0 - 9000);
    EXPECT_EQ(answers(), QStringList{QStringLiteral("1300 1 9000 1")});
    EXPECT_FALSE(dirs.userFileExists(QStringLiteral("statsb.ini")));

    recorder.testEnded(70, true);
    EXPECT_EQ(stats(), QByteArray("[egzamin]\r\nzdane=1\r\n[stats]\r\nwyniki=10000\r\n"));
    const auto exams = log->exams(QStringLiteral("B"));
    ASSERT_EQ(exams.size(), 1u);
    EXPECT_EQ(exams[0].score, 70);
    EXPECT_TRUE(exams[0].passed);
}

TEST_F(RecorderTest, AStatisticsFileThatCannotCountTheEventKeepsItOutOfTheHistory) {
    ASSERT_TRUE(log) << notice.toStdString();
    const QByteArray stored = "[nauka]\r\npoprawne=abc\r\n[egzamin]\r\nniezdane=x\r\n";
    dirs.writeUserFile(QStringLiteral("statsb.ini"), stored);
    const Recorder recorder(ctx);
    EXPECT_THROW(recorder.learningAnswerChecked(5, true, true, t0), Error);
    EXPECT_THROW(recorder.testEnded(40, false), Error);
    EXPECT_EQ(stats(), stored);
    EXPECT_TRUE(answers().isEmpty());
    EXPECT_TRUE(log->exams(QStringLiteral("B")).empty());
}

TEST_F(RecorderTest, WithoutAHistoryTheStatisticsFileIsStillWritten) {
    ctx.history = nullptr;
    const Recorder recorder(ctx);
    recorder.learningAnswerChecked(5, true, true, t0);
    recorder.testEnded(40, false);
    EXPECT_EQ(stats(), QByteArray("[nauka]\r\npoprawne=1\r\n[egzamin]\r\nniezdane=1\r\n[stats]"
                                  "\r\nwyniki=00000\r\n"));
}

} // namespace
} // namespace wirtal
