// SPDX-License-Identifier: GPL-3.0-or-later

// The statistics file: what each event writes, byte for byte, and what a bad value does.

#include "base/statsfile.h"
#include "platform/error.h"
#include "support/tempdirs.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <functional>

using namespace wirtal;
using namespace wirtal::test;

TEST(StatsFile, EventsWriteTheirKeysInTheOrderTheyFirstHappen) {
    TempFolders dirs;
    StatsFile f = StatsFile::of(QStringLiteral("B"));
    ASSERT_EQ(f.fileName(), QStringLiteral("statsb.ini"));
    f.setLastQuestion(1);
    f.recordLearningAnswer(true);
    f.recordLearningAnswer(true);
    f.recordLearningAnswer(false);
    f.recordExamResult(true);
    f.recordExamResult(false);
    f.setLastQuestion(640);
    EXPECT_EQ(dirs.readUserFile(QStringLiteral("statsb.ini")),
              QByteArray("[last]\r\npytanie=640\r\n"
                         "[nauka]\r\npoprawne=2\r\nniepoprawne=1\r\n"
                         "[egzamin]\r\nzdane=1\r\nniezdane=1\r\n"
                         "[stats]\r\nwyniki=01000\r\n"));
    EXPECT_EQ(f.lastQuestion(), 640);
    EXPECT_EQ(f.resultStars(), QStringLiteral("01000"));
    using C = StatsFile::Counter;
    EXPECT_EQ(f.count(C::Poprawne), 2);
    EXPECT_EQ(f.count(C::Niepoprawne), 1);
    EXPECT_EQ(f.count(C::Zdane), 1);
    EXPECT_EQ(f.count(C::Niezdane), 1);
    for (const char* other : {"statsa.ini", "statsc.ini", "statsd.ini", "statst.ini"})
        EXPECT_FALSE(dirs.userFileExists(QString::fromLatin1(other))) << other;
}

TEST(StatsFile, ClearingZeroesTheCountersAndKeepsTheLastQuestionAndTheHistory) {
    TempFolders dirs;
    dirs.writeUserFile(
        QStringLiteral("statsc.ini"),
        "[stats]\r\nwyniki=10201\r\n[nauka]\r\npoprawne=7\r\n[last]\r\npytanie=12\r\n");
    StatsFile::of(QStringLiteral("C")).clearCounters();
    EXPECT_EQ(dirs.readUserFile(QStringLiteral("statsc.ini")),
              QByteArray("[stats]\r\nwyniki=10201\r\n[nauka]\r\npoprawne=0\r\nniepoprawne=0\r\n"
                         "[last]\r\npytanie=12\r\n[egzamin]\r\nzdane=0\r\nniezdane=0\r\n"));
}

TEST(StatsFile, StoredValuesAsTheyAreRead) {
    TempFolders dirs;
    struct Case {
        QByteArray stored;
        int lastQuestion;
        const char* stars;
    };
    const Case cases[] = {
        {"", 1, "0"},
        {"[LAST]\r\nPYTANIE=1479\r\n[STATS]\r\nWYNIKI=1120\r\n", 1479, "1120"},
        {"[last]\r\npytanie=abc\r\n[stats]\r\nwyniki=1111111\r\n", 1, "11111"},
        {"[last]\r\npytanie=0\r\n", 0, "0"},
    };
    for (const Case& c : cases) {
        dirs.writeUserFile(QStringLiteral("statsb.ini"), c.stored);
        const StatsFile f(QStringLiteral("statsb.ini"));
        EXPECT_EQ(f.lastQuestion(), c.lastQuestion) << c.stored.constData();
        EXPECT_EQ(f.resultStars(), QString::fromLatin1(c.stars)) << c.stored.constData();
    }
}

TEST(StatsFile, ACountThatIsNoIntegerStopsTheExamResultBeforeTheHistory) {
    TempFolders dirs;
    const QByteArray stored = "[egzamin]\r\nzdane=abc\r\n[stats]\r\nwyniki=00000\r\n";
    dirs.writeUserFile(QStringLiteral("statsb.ini"), stored);
    const StatsFile f(QStringLiteral("statsb.ini"));
    EXPECT_EQ(f.count(StatsFile::Counter::Niezdane), 0);
    EXPECT_THROW(f.count(StatsFile::Counter::Zdane), Error);
    StatsFile g = f;
    EXPECT_THROW(g.recordExamResult(true), Error);
    EXPECT_EQ(dirs.readUserFile(QStringLiteral("statsb.ini")), stored);
}

TEST(StatsFile, WithoutACategoryNothingIsWritten) {
    TempFolders dirs;
    StatsFile f = StatsFile::of(QString());
    EXPECT_TRUE(f.fileName().isEmpty());
    f.setLastQuestion(5);
    f.recordLearningAnswer(true);
    f.recordExamResult(false);
    f.clearCounters();
    EXPECT_EQ(f.lastQuestion(), 1);
    EXPECT_EQ(QDir(dirs.userData()).entryList(QDir::Files), QStringList());
}

namespace {

// The last question shown is saved after the event loop has shown it; until then every other
// use of the file saves it first, so nothing reads or overwrites an older value.
TEST(StatsFileSoon, TheLastQuestionIsSavedAfterThePendingEventsAndBeforeAnyOtherUse) {
    test::TempFolders dirs;
    const QString name = QStringLiteral("statsb.ini");
    StatsFile f(name);
    f.setLastQuestion(3);
    const QByteArray before = dirs.readUserFile(name);

    f.setLastQuestionSoon(4);
    f.setLastQuestionSoon(5); // replaces the pending one
    EXPECT_EQ(dirs.readUserFile(name), before) << "not saved while the click is handled";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(f.lastQuestion(), 5);
    EXPECT_TRUE(dirs.readUserFile(name).contains("pytanie=5"));

    struct Case {
        const char* what;
        std::function<void()> use;
    };
    const Case cases[] = {
        {"a read", [&] { EXPECT_EQ(StatsFile(name).lastQuestion(), 6); }},
        {"a counter written", [&] { StatsFile(name).recordLearningAnswer(true); }},
        {"the counters cleared", [&] { StatsFile(name).clearCounters(); }},
        {"an exam result", [&] { StatsFile(name).recordExamResult(true); }},
        {"quitting or a signal", [] { StatsFile::savePending(); }},
    };
    StatsFile::setSaveFromEventLoopForTest(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f.setLastQuestion(1);
        f.setLastQuestionSoon(6);
        EXPECT_TRUE(dirs.readUserFile(name).contains("pytanie=1"));
        c.use();
        EXPECT_TRUE(dirs.readUserFile(name).contains("pytanie=6"));
    }
    StatsFile::setSaveFromEventLoopForTest(true);

    // Another category's pending save goes to its own file before this one is pending.
    StatsFile::setSaveFromEventLoopForTest(false);
    StatsFile(QStringLiteral("statsc.ini")).setLastQuestionSoon(7);
    f.setLastQuestionSoon(8);
    EXPECT_TRUE(dirs.readUserFile(QStringLiteral("statsc.ini")).contains("pytanie=7"));
    StatsFile::savePending();
    EXPECT_TRUE(dirs.readUserFile(name).contains("pytanie=8"));
    StatsFile::setSaveFromEventLoopForTest(true);
}

} // namespace
