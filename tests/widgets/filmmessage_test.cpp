// SPDX-License-Identifier: GPL-3.0-or-later

// A film the player cannot open: when its header names a codec this machine has no decoder for,
// the film's place says so in Polish with the codec and the package to install, and the learner
// goes on; any other failure is the player's error, as before.

#include "catalogue/filmbytes.h"
#include "platform/error.h"
#include "support/errors.h"
#include "support/fakes.h"
#include "support/pluginfolder.h"
#include "support/tempdirs.h"
#include "widgets/mediadisplay.h"
#include "widgets/picturebox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::test;

namespace {

// The learning display: film panel, picture and film buttons.
struct Display {
    QWidget window;
    QWidget* panel = new QWidget(&window);
    PictureBox* picture = new PictureBox(&window);
    QWidget* rewind = new QWidget(&window);
    QWidget* replay = new QWidget(&window);
    QString mediaplik;
    MediaDisplay d{panel, picture, rewind, replay, &mediaplik};

    // The message shown in the film's place, or empty when none is visible.
    QString message() const {
        const auto* label = panel->findChild<QLabel*>(QStringLiteral("filmMessage"));
        return label && !label->isHidden() ? label->text() : QString();
    }
};

const QByteArray wmv9 = asfFile({asfStream(false, {}, 0x0161), asfStream(true, "WMV3")});

} // namespace

TEST(FilmMessage, AFilmWithoutADecoderSaysWhichCodecAndWhatToInstall) {
    struct Case {
        const char* what;
        QByteArray bytes;
        QStringList plugins; // installed here
        QStringList says;    // in the film's place; empty: the player's error is thrown
        QStringList saysNot;
    } cases[] = {
        {"Windows Media 9 without libav",
         wmv9,
         {"libgstasf.so"},
         {"Windows Media Video 9 (WMV3)", "Windows Media Audio 2 (7, 8, 9) (WMA2)",
          "pakiet gstreamer1.0-libav"},
         {"ASF", "plugins-ugly"}},
        {"no plugins at all: the container's package too",
         wmv9,
         {},
         {"Windows Media Video 9 (WMV3)", "kontener ASF", "gstreamer1.0-plugins-ugly",
          "gstreamer1.0-libav", "pakiety"},
         {}},
        {"a codec no package is known for",
         asfFile({asfStream(true, "ZZZ9")}),
         {"libgstasf.so", "libgstlibav.so"},
         {"„ZZZ9”", "nie zna pakietu"},
         {"gstreamer"}},
        {"every decoder present: the player's own error",
         wmv9,
         {"libgstasf.so", "libgstlibav.so"},
         {},
         {}},
        {"no header the program reads: the player's own error", QByteArray(4000, 'x'), {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolders folders;
        folders.writeProgramFile("obrazki_prawko/filmy/film.wmv", c.bytes);
        PluginFolder plugins(c.plugins);
        Display screen;
        FakePlayer player;
        player.failOpen = true;
        const QString thrown =
            errorOf([&] { showMedia(QStringLiteral("film.wmv"), screen.d, player); });
        if (c.says.isEmpty()) {
            EXPECT_TRUE(thrown.contains(QStringLiteral("Nie można odtworzyć filmu")))
                << thrown.toStdString();
            EXPECT_EQ(screen.message(), QString());
            continue;
        }
        EXPECT_EQ(thrown, noError);
        const QString said = screen.message();
        EXPECT_TRUE(said.startsWith(QStringLiteral("Tego filmu nie można odtworzyć")))
            << said.toStdString();
        for (const QString& s : c.says)
            EXPECT_TRUE(said.contains(s)) << s.toStdString() << " in " << said.toStdString();
        for (const QString& s : c.saysNot)
            EXPECT_FALSE(said.contains(s)) << s.toStdString() << " in " << said.toStdString();
        // Nothing plays, and the film buttons do not offer a film that is not there.
        EXPECT_FALSE(player.calls.contains(QStringLiteral("play")));
        EXPECT_TRUE(screen.rewind->isHidden());
        EXPECT_TRUE(screen.replay->isHidden());
        EXPECT_TRUE(screen.mediaplik.isEmpty());
    }
}

TEST(FilmMessage, AFilmThatPlaysTakesThePlaceOfTheMessage) {
    TempFolders folders;
    folders.writeProgramFile("obrazki_prawko/filmy/wmv9.wmv", wmv9);
    folders.writeProgramFile("obrazki_prawko/filmy/wmv8.wmv", asfFile({asfStream(true, "WMV2")}));
    PluginFolder plugins({});
    Display screen;
    auto* view = new QWidget(screen.panel); // the player's film view
    FakePlayer player;
    player.failOpen = true;
    showMedia(QStringLiteral("wmv9.wmv"), screen.d, player);
    ASSERT_FALSE(screen.message().isEmpty());
    EXPECT_TRUE(view->isHidden());
    player.failOpen = false;
    showMedia(QStringLiteral("wmv8.wmv"), screen.d, player);
    EXPECT_EQ(screen.message(), QString());
    EXPECT_FALSE(view->isHidden());
    EXPECT_TRUE(player.calls.contains(QStringLiteral("play")));
}
