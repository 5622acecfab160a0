// The statistics file: what each event writes, byte for byte, and what a bad value does.

#include "base/statsfile.h"
#include "platform/error.h"
#include "support/tempdirs.h"

#include <QDir>

#include <gtest/gtest.h>

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
    // Two tests taken: only their two results are shown in colour.
    EXPECT_EQ(f.resultStars(), QStringLiteral("01"));
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
        {"", 1, ""},
        {"[LAST]\r\nPYTANIE=1479\r\n[STATS]\r\nWYNIKI=1120\r\n[EGZAMIN]\r\nZDANE=4\r\n", 1479,
         "1120"},
        {"[last]\r\npytanie=abc\r\n[stats]\r\nwyniki=1111111\r\n[egzamin]\r\nzdane=9\r\n", 1,
         "11111"},
        {"[last]\r\npytanie=0\r\n[egzamin]\r\nniezdane=3\r\n", 0, "0"},
        // More results stored than tests taken: only the taken ones.
        {"[stats]\r\nwyniki=10201\r\n[egzamin]\r\nzdane=1\r\nniezdane=1\r\n", 1, "10"},
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
