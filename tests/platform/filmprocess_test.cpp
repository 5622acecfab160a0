// SPDX-License-Identifier: GPL-3.0-or-later

// Films played in the film helper, drawn into the panel through their frames: the real helper
// on the real film (tests/fixtures/film.wmv: a yellow square moving from the left edge to the
// right), the errors, the idle end, a helper of another version, a process that does not speak
// the protocol (frames beyond the bound among it), one that hangs, and the shared frame memory.
#include "platform/error.h"
#include "platform/filmprocess.h"
#include "platform/filmshared.h"
#include "platform/filmview.h"
#include "platform/manualclock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

using namespace wirtal;

namespace {
const QString filmFile = QStringLiteral(WIRTAL_FIXTURES "/film.wmv");
const QByteArray version = QByteArrayLiteral(FILM_HELPER_VERSION);
// The hello of a helper of this version, for the fake helpers in shell (their $0).
const QString hello = QString::fromLatin1(film::hello(version));
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
    FilmProcessPlayer player{QStringLiteral(FILM_HELPER), {}, version, &clock, 30000, 60000};
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
    s.player.setFile(filmFile);
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
#ifdef Q_OS_LINUX
    EXPECT_GT(s.player.sharedFrames(), 0) << "the frames come through the shared memory";
#endif
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

    FilmProcessPlayer missing(dir.filePath(QStringLiteral("brak-programu")), {}, version, nullptr);
    missing.setFile(filmFile);
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
    s.player.setFile(filmFile);
    s.player.prepare(filmFile); // a film is near
    ASSERT_TRUE(s.player.processRunning());
    s.player.open();
    s.player.play();
    s.player.prepare(filmFile); // the next question's film: the running helper is left playing
    EXPECT_EQ(s.player.processStarts(), 1);
    EXPECT_TRUE(s.player.isPlaying());
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
        const char* script; // $0: the hello of this version
    };
    const Case cases[] = {
        {"a frame larger than any film",
         "echo \"$0\"; read x; printf 'frame 99999 99999\\n'; sleep 20"},
        {"a frame one row over the bound",
         "echo \"$0\"; read x; printf 'frame 1280 961\\n'; sleep 20"},
        {"a shared frame larger than the shared memory",
         "echo \"$0\"; read x; printf 'shm 99999 99999\\n'; sleep 20"},
        {"a shared frame one column over the bound",
         "echo \"$0\"; read x; printf 'shm 1281 960\\n'; sleep 20"},
        {"a shared frame without its size", "echo \"$0\"; read x; printf 'shm 480\\n'; sleep 20"},
        {"a frame before the hello",
         "read x; printf 'frame 2 2\\n'; head -c 16 /dev/zero; sleep 20"},
        {"a line without an end", "echo \"$0\"; read x; head -c 10000 /dev/zero; sleep 20"},
        {"a process that dies", "echo \"$0\"; read x; exit 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FilmProcessPlayer player(QStringLiteral("/bin/sh"),
                                 {QStringLiteral("-c"), QString::fromLatin1(c.script), hello},
                                 version, nullptr, 10000);
        QWidget panel;
        player.setOutput(&panel);
        player.setFile(filmFile);
        try {
            player.open();
            FAIL() << "opened";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("odtwarzacz filmów się zakończył")))
                << e.message().toStdString();
        }
        EXPECT_FALSE(player.processRunning());
        EXPECT_TRUE(player.videoFor(&panel)->image().isNull());
        EXPECT_EQ(player.sharedFrames(), 0);
    }
}

// A helper of another version (a program left running after an upgrade finds the new helper
// beside it) is refused at its hello, said in Polish, and not started again for each film.
TEST(FilmProcessPlayer, AHelperOfAnotherVersionIsRefused) {
    struct Case {
        const char* what;
        QByteArray hello;
        const char* named; // the version the refusal names
    };
    const Case cases[] = {
        {"another program version", "wirtal-filmy 2 2099.1", "2099.1"},
        {"another protocol", "wirtal-filmy 1 " FILM_HELPER_VERSION, FILM_HELPER_VERSION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString starts = dir.filePath(QStringLiteral("starts"));
        FilmProcessPlayer player(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"),
             QStringLiteral("echo $$ >> \"$1\"; echo \"$0\"; echo ready; exec cat > /dev/null"),
             QString::fromLatin1(c.hello), starts},
            version, nullptr, 10000);
        QWidget panel;
        player.setOutput(&panel);
        player.setFile(filmFile);
        for (int round = 1; round <= 2; ++round) {
            SCOPED_TRACE(round);
            try {
                player.open();
                FAIL() << "a film opened in a helper of another version";
            } catch (const Error& e) {
                EXPECT_TRUE(e.message().contains(QStringLiteral("z innej wersji programu")))
                    << e.message().toStdString();
                EXPECT_TRUE(e.message().contains(QString::fromLatin1(c.named)))
                    << e.message().toStdString();
                EXPECT_TRUE(e.message().contains(QString::fromLatin1(version)))
                    << e.message().toStdString();
            }
            EXPECT_FALSE(player.processRunning());
        }
        player.prepare(filmFile);
        EXPECT_EQ(player.processStarts(), 1) << "refused once, not started again";
        QFile f(starts);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().trimmed().split('\n').size(), 1);
    }
}

#ifdef Q_OS_LINUX
// The shared frame memory is the program's: sealed at the bound's size, so a helper that tries to
// make it smaller under the program's reading (which would end the program with SIGBUS) cannot.
// The frame it wrote there is shown and taken with an "ack".
TEST(FilmProcessPlayer, AHelperCannotShrinkTheSharedFrameMemory) {
    QTemporaryDir dir;
    const QString acks = dir.filePath(QStringLiteral("acks"));
    const char* script =
        "echo \"$0\"; echo ready; read x; "
        "head -c 691200 /dev/zero | tr '\\000' '\\377' | "
        "dd of=/proc/self/fd/3 conv=notrunc status=none; "
        "truncate -s 0 /proc/self/fd/3 2>/dev/null; "
        "printf 'loaded 1\\nshm 480 360\\n'; read a; echo \"$a\" > \"$1\"; exec cat > /dev/null";
    FilmProcessPlayer player(QStringLiteral("/bin/sh"),
                             {QStringLiteral("-c"), QString::fromLatin1(script), hello, acks},
                             version, nullptr, 10000);
    QWidget panel;
    player.setOutput(&panel);
    player.setFile(filmFile);
    player.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.sharedFrames() == 1; }, patience));
    const QImage shown = player.videoFor(&panel)->image();
    EXPECT_EQ(shown.size(), QSize(480, 360));
    EXPECT_EQ(shown.pixel(479, 359), qRgb(255, 255, 255)) << "the helper's frame, whole";
    EXPECT_TRUE(player.processRunning());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QFile f(acks);
            return f.open(QIODevice::ReadOnly) && f.readAll().trimmed() == "ack";
        },
        patience))
        << "the helper is told the frame was taken";
}
#endif

// A film process that does not answer is given up on after its short wait: the film's open
// fails (the question goes on without its film), the process is ended, and the next film starts
// a new one. Counted, not timed: each start of the fake process adds its id to a file.
TEST(FilmProcessPlayer, AHungProcessIsEndedAndTheNextFilmStartsANewOne) {
    struct Case {
        const char* what;
        const char* script; // $0: the hello, $1: the file of process ids
        bool saysReady;
    };
    const Case cases[] = {
        {"ready, then reads its commands and never answers",
         "echo $$ >> \"$1\"; echo \"$0\"; echo ready; exec cat > /dev/null", true},
        {"never gets as far as ready", "echo $$ >> \"$1\"; echo \"$0\"; exec sleep 600", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString starts = dir.filePath(QStringLiteral("starts"));
        ManualClock clock;
        FilmProcessPlayer player(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QString::fromLatin1(c.script), hello, starts}, version, &clock,
            /*openTimeoutMs=*/50, /*idleEndMs=*/60000);
        QWidget panel;
        player.setOutput(&panel);
        player.setFile(filmFile);
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

// The helper is the program's own: beside the executable (a build tree) or in the installed helper
// folder, an executable file; never one found on PATH.
TEST(FilmProcessPlayer, TheHelperIsFoundBesideTheExecutableOrInItsFolderOnly) {
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString installed = dir.filePath(QStringLiteral("lib/wirtal"));
    const QString onPath = dir.filePath(QStringLiteral("path"));
    auto place = [](const QString& folder, bool executable) {
        QDir().mkpath(folder);
        QFile f(folder + QStringLiteral("/wirtal-filmy"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                    : QFile::ReadOwner | QFile::WriteOwner);
        return f.fileName();
    };
    QDir().mkpath(bin);
    place(onPath, true);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", onPath.toLocal8Bit());
    EXPECT_EQ(findFilmHelper(bin, QStringLiteral("../lib/wirtal")), QString()) << "not on PATH";
    qputenv("PATH", path);

    place(installed, false);
    EXPECT_EQ(findFilmHelper(bin, QStringLiteral("../lib/wirtal")), QString()) << "not executable";
    const QString inFolder = place(installed, true);
    EXPECT_EQ(findFilmHelper(bin, QStringLiteral("../lib/wirtal")), inFolder);
    const QString beside = place(bin, true);
    EXPECT_EQ(findFilmHelper(bin, QStringLiteral("../lib/wirtal")), beside) << "a build tree";
}
