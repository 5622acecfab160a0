// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/answerlog.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wirtal {
namespace {

constexpr qint64 day = 24LL * 3600 * 1000;
constexpr qint64 t0 = 1'765'000'000'000LL;

class AnswerLogTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("historia.sqlite")); }
    std::unique_ptr<AnswerLog> open() {
        notice.clear();
        return AnswerLog::open(path(), &notice);
    }
    QStringList asideFiles() const {
        return QDir(dir.path()).entryList({QStringLiteral("historia-odlozona-*.sqlite")});
    }
    QTemporaryDir dir;
    QString notice;
};

TEST_F(AnswerLogTest, AnswersAndTestsAreKeptAcrossReopening) {
    {
        auto log = open();
        ASSERT_TRUE(log);
        EXPECT_TRUE(notice.isEmpty());
        EXPECT_TRUE(log->record("B", 17, false, AnswerMode::Learning, t0, 4200));
        EXPECT_TRUE(log->record("B", 17, true, AnswerMode::Learning, t0 + 60'000, 3100));
        EXPECT_TRUE(log->record("B", 17, true, AnswerMode::Exam, t0 + 2 * day, 9000));
        EXPECT_TRUE(log->record("B", 900, false, AnswerMode::SmartReview, t0, 1000));
        EXPECT_TRUE(log->record("A", 17, true, AnswerMode::Learning, t0, 1000));
        EXPECT_TRUE(log->recordExam("B", t0 + day, 70, true));
        EXPECT_TRUE(log->recordExam("B", t0, 50, false));
    }
    auto log = open();
    ASSERT_TRUE(log);
    const auto cards = log->cards("B");
    ASSERT_EQ(cards.size(), 2);
    const Card c = cards.value(17);
    EXPECT_EQ(c.seen, 3);
    EXPECT_EQ(c.right, 2);
    EXPECT_FALSE(c.firstRight);
    EXPECT_TRUE(c.lastRight);
    EXPECT_EQ(c.reps, 2); // a lapse is due again at once: both right answers were reviews
    EXPECT_EQ(c.lastMs, t0 + 2 * day);
    EXPECT_EQ(log->answerCount("B"), 4);
    EXPECT_EQ(log->answerCount("A"), 1);
    const auto exams = log->exams("B");
    ASSERT_EQ(exams.size(), 2u);
    EXPECT_EQ(exams[0].score, 50); // in time order
    EXPECT_TRUE(exams[1].passed);
    const auto wrong = log->mostWrong("B", 10);
    ASSERT_EQ(wrong.size(), 2u);
    EXPECT_EQ(wrong[0], std::make_pair(17, 1));
}

// A file that is not a sound database of a version we know is moved aside with a notice, and a
// new history starts; the file's bytes are kept as they were.
TEST_F(AnswerLogTest, DamagedOrNewerFilesAreSetAsideNeverEmptied) {
    struct Case {
        const char* what;
        std::function<void(const QString&)> make;
        const char* noticeWord;
    };
    const std::vector<Case> cases = {
        {"not a database",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray(8192, 'x'));
         },
         "uszkodzona"},
        {"a damaged page",
         [this](const QString& p) {
             {
                 auto log = AnswerLog::open(p, nullptr);
                 for (int i = 0; i < 400; ++i)
                     log->record("B", i, i % 2, AnswerMode::Learning, t0 + i, 10);
             }
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.seek(100); // the schema's page, after the file header
             f.write(QByteArray(2000, '\x5a'));
             (void)this;
         },
         "uszkodzona"},
        {"a newer version",
         [](const QString& p) {
             {
                 auto log = AnswerLog::open(p, nullptr);
                 log->record("B", 1, true, AnswerMode::Learning, t0, 10);
             }
             QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
             db.setDatabaseName(p);
             ASSERT_TRUE(db.open());
             QSqlQuery(db).exec("PRAGMA user_version=7");
             db.close();
             db = {};
             QSqlDatabase::removeDatabase("newer");
         },
         "nowszej"},
        {"a folder under its name", [](const QString& p) { QDir().mkpath(p); }, "uszkodzona"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        c.make(path());
        QByteArray before;
        if (QFileInfo(path()).isFile()) {
            QFile f(path());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            before = f.readAll();
        }
        auto log = open();
        ASSERT_TRUE(log);
        EXPECT_TRUE(notice.contains(QLatin1String(c.noticeWord))) << notice.toStdString();
        ASSERT_EQ(asideFiles().size(), 1);
        EXPECT_TRUE(notice.contains(asideFiles().front()));
        if (!before.isEmpty()) {
            QFile aside(dir.filePath(asideFiles().front()));
            ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
            EXPECT_EQ(aside.readAll(), before);
        }
        EXPECT_EQ(log->answerCount("B"), 0);
        EXPECT_TRUE(log->record("B", 5, true, AnswerMode::Learning, t0, 10));
    }
}

// A process killed while it writes answer after answer leaves a sound file that holds every
// answer it had finished writing.
TEST_F(AnswerLogTest, AKilledWriterLosesAtMostTheAnswerBeingWritten) {
    QProcess writer;
    writer.start(QStringLiteral(HISTORY_WRITER), {path()});
    ASSERT_TRUE(writer.waitForStarted(10'000));
    int acknowledged = 0;
    while (acknowledged < 300 && writer.waitForReadyRead(30'000))
        while (writer.canReadLine())
            acknowledged = writer.readLine().trimmed().toInt();
    ASSERT_GE(acknowledged, 300);
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished(10'000));
    while (writer.canReadLine()) // lines written just before the kill
        acknowledged = std::max(acknowledged, writer.readLine().trimmed().toInt());

    auto log = open();
    ASSERT_TRUE(log);
    EXPECT_TRUE(notice.isEmpty()) << notice.toStdString();
    const int kept = log->answerCount("B");
    EXPECT_GE(kept, acknowledged);
    EXPECT_LE(kept, acknowledged + 1);
}

// Without Qt's SQLite driver (its own package) the program goes on without a history and says
// why in Polish, naming the package, instead of Qt's "Driver not loaded".
TEST_F(AnswerLogTest, AMissingDriverIsSaidInPolish) {
    QProcess opener;
    opener.start(QStringLiteral(HISTORY_WRITER), {QStringLiteral("--without-driver"), path()});
    ASSERT_TRUE(opener.waitForFinished(30'000));
    EXPECT_EQ(opener.exitCode(), 0) << "the history opened without a driver";
    const QString said = QString::fromUtf8(opener.readAllStandardOutput()).trimmed();
    EXPECT_TRUE(said.contains(QStringLiteral("libqt6sql6-sqlite"))) << said.toStdString();
    EXPECT_TRUE(said.startsWith(QStringLiteral("Historii odpowiedzi nie można otworzyć")))
        << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("Driver not loaded"))) << said.toStdString();
}

} // namespace
} // namespace wirtal
