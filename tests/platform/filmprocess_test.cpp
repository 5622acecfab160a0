// SPDX-License-Identifier: GPL-3.0-or-later

// Films played in a process of their own, drawn into the panel through their frames: the real
// film (tests/fixtures/film.wmv: a yellow square moving from the left edge to the right), the
// errors, the idle end, a process that does not speak the protocol and one that hangs.
#include "platform/error.h"
#include "platform/filmprocess.h"
#include "platform/filmview.h"
#include "platform/manualclock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

using namespace wirtal;

namespace {
const QString film = QStringLiteral(WIRTAL_FIXTURES "/film.wmv");
// How long a step of a real film in another process may take on a busy machine (the sanitizers,
// other tests beside it); a wait ends as soon as its step is seen.
constexpr int patience = 30000;

bool squareAtStart(const QImage& img) {
    if (img.isNull())
        return false;
    const QColor c = img.pixelColor(60 * img.width() / 480, 180 * img.height() / 360);
    return c.red() > 180 && c.green() > 180 && c.blue() < 120;
}

struct Stage {
    ManualClock clock;
    QWidget panel;
    FilmProcessPlayer player{QStringLiteral(FILM_PROCESS_CHILD), {}, &clock, 30000, 60000};
    Stage() {
        panel.resize(480, 360);
        panel.show();
        player.setOutput(&panel);
    }
    QImage shown() { return player.videoFor(&panel)->image(); }
};
} // namespace

TEST(FilmProcessPlayer, PlaysARealFilmDrawnThroughItsFrames) {
    Stage s;
    s.player.setFile(film);
    try {
        s.player.open();
    } catch (const Error& e) {
        if (e.message().contains(QStringLiteral("back end")) ||
            e.message().contains(QStringLiteral("not available")))
            GTEST_SKIP() << e.message().toStdString();
        throw;
    }
    EXPECT_TRUE(s.player.processRunning());
    s.player.play();
    EXPECT_TRUE(s.player.isPlaying());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !s.shown().isNull(); }, patience)) << "frames arrive";
    EXPECT_EQ(s.shown().size(), QSize(480, 360));
    // The film plays once to its end; the process says it has stopped.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !s.player.isPlaying(); }, patience));
    EXPECT_FALSE(squareAtStart(s.shown())) << "the last frame shows the square moved away";

    s.player.rewind();
    EXPECT_TRUE(QTest::qWaitFor([&] { return squareAtStart(s.shown()); }, patience))
        << "rewound: the first frame";
    EXPECT_FALSE(s.player.isPlaying());

    // A second film opens in the same process.
    s.player.close();
    s.player.open();
    s.player.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !squareAtStart(s.shown()); }, patience))
        << "the square moves on: the film really plays";
    s.player.close();
}

TEST(FilmProcessPlayer, ReportsWhatCannotBePlayed) {
    Stage s;
    QTemporaryDir dir;
    s.player.setFile(dir.filePath(QStringLiteral("brak.wmv")));
    EXPECT_THROW(s.player.open(), Error);
    EXPECT_FALSE(s.player.processRunning()) << "a missing file never reaches the process";

    const QString text = dir.filePath(QStringLiteral("tekst.wmv"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("to nie jest film\n");
    f.close();
    s.player.setFile(text);
    try {
        s.player.open();
        FAIL() << "a text file opened as a film";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Nie można odtworzyć filmu")))
            << e.message().toStdString();
    }
    EXPECT_FALSE(s.player.isPlaying());

    FilmProcessPlayer missing(dir.filePath(QStringLiteral("brak-programu")), {}, nullptr);
    missing.setFile(film);
    try {
        missing.open();
        FAIL() << "no film process, yet the film opened";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Nie można uruchomić odtwarzacza")))
            << e.message().toStdString();
    }
}

TEST(FilmProcessPlayer, TheProcessEndsAWhileAfterTheLastFilmAndComesBackForTheNext) {
    Stage s;
    s.player.setFile(film);
    s.player.warmUp(film);
    ASSERT_TRUE(s.player.processRunning());
    s.player.open();
    s.player.close();
    s.clock.advance(59000);
    EXPECT_TRUE(s.player.processRunning()) << "not before its minute";
    s.clock.advance(1000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !s.player.processRunning(); }, patience));

    // The next film starts it again.
    s.player.open();
    EXPECT_TRUE(s.player.processRunning());
    s.player.close();
}

TEST(FilmProcessPlayer, AProcessThatBreaksTheProtocolIsEnded) {
    struct Case {
        const char* what;
        const char* script;
    };
    const Case cases[] = {
        {"a frame larger than any film", "read x; printf 'frame 99999 99999\\n'; sleep 20"},
        {"a line without an end", "read x; head -c 10000 /dev/zero; sleep 20"},
        {"a process that dies", "read x; exit 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FilmProcessPlayer player(QStringLiteral("/bin/sh"),
                                 {QStringLiteral("-c"), QString::fromLatin1(c.script)}, nullptr,
                                 10000);
        QWidget panel;
        player.setOutput(&panel);
        player.setFile(film);
        try {
            player.open();
            FAIL() << "opened";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("odtwarzacz filmów się zakończył")))
                << e.message().toStdString();
        }
        EXPECT_FALSE(player.processRunning());
        EXPECT_TRUE(player.videoFor(&panel)->image().isNull());
    }
}

// A film process that does not answer is given up on after its short wait: the film's open
// fails (the question goes on without its film), the process is ended, and the next film starts
// a new one. Counted, not timed: each start of the fake process adds its id to a file.
TEST(FilmProcessPlayer, AHungProcessIsEndedAndTheNextFilmStartsANewOne) {
    struct Case {
        const char* what;
        const char* script; // $0: the file of process ids
        bool saysReady;
    };
    const Case cases[] = {
        {"ready, then reads its commands and never answers",
         "echo $$ >> \"$0\"; echo ready; exec cat > /dev/null", true},
        {"never gets as far as ready", "echo $$ >> \"$0\"; exec sleep 600", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString starts = dir.filePath(QStringLiteral("starts"));
        ManualClock clock;
        FilmProcessPlayer player(QStringLiteral("/bin/sh"),
                                 {QStringLiteral("-c"), QString::fromLatin1(c.script), starts},
                                 &clock, /*openTimeoutMs=*/50, /*idleEndMs=*/60000);
        QWidget panel;
        player.setOutput(&panel);
        player.setFile(film);
        for (int round = 1; round <= 2; ++round) {
            SCOPED_TRACE(round);
            if (c.saysReady) {
                player.warmUp();
                ASSERT_TRUE(QTest::qWaitFor([&] { return player.processReady(); }, patience));
            }
            try {
                player.open();
                FAIL() << "a film opened in a process that never answers";
            } catch (const Error& e) {
                EXPECT_TRUE(e.message().contains(QStringLiteral("w wyznaczonym czasie")))
                    << e.message().toStdString();
            }
            if (!c.saysReady) {
                EXPECT_TRUE(player.processRunning()) << "still starting: it has its start limit";
                clock.advance(filmProcessStartLimitMs);
            }
            EXPECT_FALSE(player.processRunning());
            QFile f(starts);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QList<QByteArray> ids = f.readAll().trimmed().split('\n');
            ASSERT_EQ(ids.size(), round) << "one new process for each film";
            const pid_t id = pid_t(ids.back().toLongLong());
            ASSERT_GT(id, 0);
            EXPECT_TRUE(QTest::qWaitFor([&] { return ::kill(id, 0) != 0; }, patience))
                << "the process has gone";
        }
    }
}
