// SPDX-License-Identifier: GPL-3.0-or-later

// The film controls of the learning display and the film's return with "Nauka testów".
#include "catalogue/filmbytes.h"
#include "learnfixture.h"
#include "support/pluginfolder.h"

#include <QLabel>

using namespace wirtal;
using namespace wirtal::test;

class MediaTest : public LearnFixture {
protected:
    void SetUp() override {
        bank.set(3, {QStringLiteral("Film podstawowy"), QStringLiteral("T"),
                     QStringLiteral("ruch.wmv"), QStringLiteral("3")});
        bank.set(4, {QStringLiteral("Obrazek"), QStringLiteral("N"), QStringLiteral("znak.jpg"),
                     QStringLiteral("1")});
        bank.set(1400, {QStringLiteral("Film specjalistyczny"), QStringLiteral("a"),
                        QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("A"),
                        QStringLiteral("skrzyzowanie.wmv"), QStringLiteral("2")});
        bank.write(folders);
        media(QStringLiteral("ruch.wmv"), "film");
        media(QStringLiteral("skrzyzowanie.wmv"), "film");
        media(QStringLiteral("znak.jpg"), pictureBytes(QStringLiteral("znak.jpg")));
        chooseB();
    }
};

TEST_F(MediaTest, ReplayPlaysTheFilmAgainAfter200Ms) {
    go(3);
    player.finish();
    player.calls.clear();
    player.output = nullptr;
    click(QStringLiteral("replay"));
    clock.advance(199);
    EXPECT_TRUE(player.calls.isEmpty());
    clock.advance(1);
    EXPECT_EQ(player.output, page()->display()->filmPanel());
    EXPECT_EQ(player.calls, (QStringList{QStringLiteral("open ") + mediaFile("ruch.wmv"),
                                         QStringLiteral("play")}));
    EXPECT_TRUE(player.isPlaying());
}

TEST_F(MediaTest, RewindLeavesTheFilmStandingOnItsFirstFrame) {
    go(3);
    player.finish();
    player.calls.clear();
    click(QStringLiteral("rewind"));
    EXPECT_EQ(player.calls, (QStringList{QStringLiteral("open ") + mediaFile("ruch.wmv"),
                                         QStringLiteral("step"), QStringLiteral("rewind")}));
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(button("rewind")->accessibleName(), QStringLiteral("Przewiń film do początku"));
    EXPECT_EQ(button("replay")->accessibleName(), QStringLiteral("Odtwórz film ponownie"));
}

TEST_F(MediaTest, BackInLearningModeTheLastFilmPlaysAgain) {
    for (int n : {3, 1400}) {
        go(n);
        const QString film = page()->display()->mediaplik();
        click(QStringLiteral("AdvSmoothButton40")); // "Znaki drogowe"
        player.setFile(QStringLiteral("inny.wmv")); // the exam display may have used the player
        player.calls.clear();
        click(QStringLiteral("AdvSmoothButton31")); // "Nauka testów"
        EXPECT_EQ(page()->browserNumber(), n);
        EXPECT_EQ(player.file(), film) << n;
        clock.advance(200);
        EXPECT_EQ(player.calls,
                  (QStringList{QStringLiteral("open ") + film, QStringLiteral("play")}))
            << n;
    }
    // A picture on the display: nothing is replayed.
    go(4);
    EXPECT_FALSE(button("replay")->isVisibleTo(page()));
    player.calls.clear();
    click(QStringLiteral("AdvSmoothButton40"));
    click(QStringLiteral("AdvSmoothButton31"));
    clock.advance(1000);
    EXPECT_TRUE(player.calls.isEmpty());
}

TEST_F(MediaTest, FilmsAndPicturesThatCannotBeShownAreReported) {
    player.failOpen = true;
    dialogs.expect(QStringLiteral("ruch.wmv"), Answer::Ok);
    go(3);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(page()->browserNumber(), 3);
    player.failOpen = false;

    media(QStringLiteral("zepsuty.jpg"), "no picture");
    bank.set(5, {QStringLiteral("Zepsuty obrazek"), QStringLiteral("T"),
                 QStringLiteral("zepsuty.jpg"), QStringLiteral("1")});
    bank.write(folders);
    dialogs.expect(QStringLiteral("zepsuty.jpg"), Answer::Ok);
    go(5);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(page()->panels()->yesNoQuestion()->text(), QStringLiteral("Zepsuty obrazek"));
}

// A film whose codec has no decoder here: its place says so, no message box, and coming back to
// learning does not try it again.
TEST_F(MediaTest, AFilmWithoutADecoderSaysSoInItsPlace) {
    PluginFolder plugins({QStringLiteral("libgstasf.so")});
    media(QStringLiteral("ruch.wmv"), asfFile({asfStream(true, "WMV3")}));
    player.failOpen = true;
    go(3);
    const auto* said = page()->display()->filmPanel()->findChild<QLabel*>("filmMessage");
    ASSERT_NE(said, nullptr);
    EXPECT_TRUE(said->isVisibleTo(page()));
    EXPECT_TRUE(said->text().contains(QStringLiteral("Windows Media Video 9 (WMV3)")) &&
                said->text().contains(QStringLiteral("gstreamer1.0-libav")))
        << said->text().toStdString();
    EXPECT_FALSE(button("replay")->isVisibleTo(page()));
    player.calls.clear();
    click(QStringLiteral("AdvSmoothButton40")); // "Znaki drogowe"
    click(QStringLiteral("AdvSmoothButton31")); // "Nauka testów"
    clock.advance(1000);
    EXPECT_FALSE(player.calls.contains(QStringLiteral("play")));
    EXPECT_TRUE(said->isVisibleTo(page()));
    EXPECT_TRUE(dialogs.allAnswered());
}

// The player hears of a film only when one is near: the question shown has one (it is opened) or
// the next one has (prepare, so the film helper starts while this one is read). Time alone
// starts nothing: a learner who never meets a film never pays for the helper.
TEST_F(MediaTest, ThePlayerIsToldOfAFilmOnlyWhenOneIsNear) {
    go(1);
    clock.advance(10 * 60 * 1000);
    EXPECT_TRUE(player.prepared.isEmpty());
    EXPECT_FALSE(player.calls.contains(QStringLiteral("play")));

    struct Step {
        int question;
        QStringList prepared; // all told so far
    };
    const Step steps[] = {
        {2, {mediaFile("ruch.wmv")}}, // the next question has a film
        {3, {mediaFile("ruch.wmv")}}, // this one: opened, the next has a picture
        {4, {mediaFile("ruch.wmv")}},
        {1399, {mediaFile("ruch.wmv"), mediaFile("skrzyzowanie.wmv")}},
    };
    for (const Step& s : steps) {
        go(s.question);
        EXPECT_EQ(player.prepared, s.prepared) << s.question;
    }
}
