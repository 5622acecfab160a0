// SPDX-License-Identifier: GPL-3.0-or-later

// The real player on a real film: a 2-second ASF/WMV2 film of 480 x 360 (tests/fixtures/film.wmv),
// a yellow square moving from the left edge (first frame: at x 20..100) to the right.
#include "platform/error.h"
#include "platform/filmview.h"
#include "platform/qtmediaplayer.h"

#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QTest>
#include <QVideoFrame>
#include <QVideoSink>

#include <gtest/gtest.h>

using namespace wirtal;

namespace {
const QString film = QStringLiteral(WIRTAL_FIXTURES "/film.wmv");

// The player, its panel and the frames that reach the panel's video widget.
struct Stage {
    QWidget panel;
    QtMediaPlayer player{5000};
    int frames = 0;
    QVideoFrame last;

    Stage() {
        panel.resize(480, 360);
        panel.show();
        player.setFile(film);
        player.setOutput(&panel);
        FilmView* video = player.videoFor(&panel);
        QObject::connect(video->videoSink(), &QVideoSink::videoFrameChanged, &panel,
                         [this](const QVideoFrame& f) {
                             ++frames;
                             last = f;
                         });
    }
};

// Opening needs the GStreamer back end; without one the test cannot run here.
bool backendMissing(Stage& s, QString& why) {
    try {
        s.player.open();
        return false;
    } catch (const Error& e) {
        QMediaPlayer* b = s.player.backend();
        if (b && !b->isAvailable()) {
            why = QStringLiteral("no multimedia back end: ") + e.message();
            return true;
        }
        throw;
    }
}
// Whether a frame, as the panel paints it, shows the yellow square where the film starts.
bool squareAtStart(const QVideoFrame& frame) {
    const QImage img = FilmView::imageOf(frame);
    if (img.isNull())
        return false;
    const QColor c = img.pixelColor(60 * img.width() / 480, 180 * img.height() / 360);
    return c.red() > 180 && c.green() > 180 && c.blue() < 120;
}
} // namespace

TEST(QtMediaPlayer, PlaysARealFilmToItsEndThenRewindsToAStillFirstFrame) {
    Stage s;
    QString why;
    if (backendMissing(s, why))
        GTEST_SKIP() << why.toStdString();
    QMediaPlayer* backend = s.player.backend();
    ASSERT_NE(backend, nullptr);
    EXPECT_EQ(backend->mediaStatus(), QMediaPlayer::LoadedMedia);
    EXPECT_FALSE(s.player.isPlaying());

    s.player.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.player.isPlaying(); }, 3000));
    // The film plays once, to its end, and the player then stops by itself.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return backend->mediaStatus() == QMediaPlayer::EndOfMedia; }, 6000));
    EXPECT_FALSE(s.player.isPlaying());
    EXPECT_GT(s.frames, 5) << "the film's frames reach the panel";
    EXPECT_EQ(s.last.size(), QSize(480, 360));
    EXPECT_FALSE(squareAtStart(s.last)) << "the last frame shows the square moved away";

    // Rewound after the end: the first frame, standing still.
    s.player.rewind();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return backend->playbackState() == QMediaPlayer::PausedState; }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return squareAtStart(s.last); }, 3000))
        << "the first frame is shown";
    QTest::qWait(400);
    EXPECT_TRUE(squareAtStart(s.last)) << "and stays";
    // Our conversion of the frame matches Qt's own, pixel for pixel within rounding.
    {
        const QImage ours = FilmView::imageOf(s.last), theirs = s.last.toImage();
        ASSERT_EQ(ours.size(), theirs.size());
        double diff = 0;
        int n = 0;
        for (int y = 4; y < ours.height(); y += 16)
            for (int x = 4; x < ours.width(); x += 16, ++n) {
                const QColor a = ours.pixelColor(x, y), b = theirs.pixelColor(x, y);
                diff += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                        std::abs(a.blue() - b.blue());
            }
        EXPECT_LT(diff / (3 * n), 8.0) << "mean difference per channel";
        EXPECT_FALSE(s.player.videoFor(&s.panel)->image().isNull()) << "the panel has a frame";
    }
    EXPECT_FALSE(s.player.isPlaying());
    EXPECT_EQ(backend->playbackState(), QMediaPlayer::PausedState);
    EXPECT_LE(backend->position(), 100) << "stands still at the start";

    s.player.close();
    EXPECT_FALSE(s.player.isPlaying());
    EXPECT_TRUE(backend->source().isEmpty());

    // Rewind as the learning page's button does it: open, step, back to the start.
    s.player.open();
    s.player.step();
    s.player.rewind();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return backend->playbackState() == QMediaPlayer::PausedState; }, 3000));
    EXPECT_LE(backend->position(), 100);
    EXPECT_FALSE(s.player.isPlaying());

    // Played again after the rewind: from the start, to the end.
    s.player.open();
    s.player.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.player.isPlaying(); }, 3000));
    EXPECT_LE(backend->position(), 1000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !squareAtStart(s.last); }, 3000))
        << "the square moves on: the film really plays";
    s.player.close();
}

TEST(QtMediaPlayer, IsMadeOnlyForTheFirstFilmAndReportsFilesItCannotOpen) {
    QtMediaPlayer player(3000);
    QWidget panel;
    player.setOutput(&panel);
    player.close(); // before any film: nothing to do
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.backend(), nullptr);

    QTemporaryDir dir;
    player.setFile(dir.path() + QStringLiteral("/brak.wmv"));
    try {
        player.open();
        ADD_FAILURE() << "a missing film opened";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("brak.wmv"))) << e.message().toStdString();
    }

    const QString broken = dir.path() + QStringLiteral("/zepsuty.wmv");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    player.setFile(broken);
    try {
        player.open();
        ADD_FAILURE() << "a file that is no film opened";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("zepsuty.wmv")))
            << e.message().toStdString();
    }
    EXPECT_FALSE(player.isPlaying());
}

TEST(QtMediaPlayer, AWarmUpMakesTheBackEndOnceForThePanelAndTheFirstFilmUsesIt) {
    QtMediaPlayer player(3000);
    QWidget panel;
    player.setOutput(&panel);
    player.warmUp();
    QMediaPlayer* backend = player.backend();
    ASSERT_NE(backend, nullptr);
    EXPECT_EQ(backend->videoSink(), player.videoFor(&panel)->videoSink()) << "drawn into the panel";
    player.warmUp();
    EXPECT_EQ(player.backend(), backend) << "made once";

    QTemporaryDir dir;
    player.setFile(dir.path() + QStringLiteral("/brak.wmv"));
    EXPECT_THROW(player.open(), Error);
    EXPECT_EQ(player.backend(), backend);
}

TEST(QtMediaPlayer, OutlivesThePanelsItDrewInto) {
    // The main window (with its film panels) goes before the player at the program's end.
    QtMediaPlayer player(5000);
    auto panel = std::make_unique<QWidget>();
    panel->resize(480, 360);
    panel->show();
    player.setFile(film);
    player.setOutput(panel.get());
    try {
        player.open();
    } catch (const Error& e) {
        if (player.backend() && !player.backend()->isAvailable())
            GTEST_SKIP() << "no multimedia back end: " << e.message().toStdString();
        throw;
    }
    player.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.isPlaying(); }, 3000));
    panel.reset();
    EXPECT_EQ(player.videoFor(nullptr), nullptr);
    QTest::qWait(200); // frames keep coming while it plays
    player.close();
    EXPECT_FALSE(player.isPlaying());
}
