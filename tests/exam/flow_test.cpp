// SPDX-License-Identifier: GPL-3.0-or-later

#include "examfixture.h"

#include "base/paths.h"
#include "catalogue/filmbytes.h"
#include "results/stars.h"
#include "support/pluginfolder.h"
#include "widgets/picturebox.h"

#include <QLabel>

using namespace wirtal;
using namespace wirtal::test;

namespace {
QString fixedPicture(const char* name) {
    return Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\") + QString::fromLatin1(name));
}
QString mediaFile(const QString& name) {
    return Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\filmy\\") + name);
}
} // namespace

class FlowTest : public ExamFixture {};

TEST_F(FlowTest, ADrawResetsTheSheetAndShowsSlotOne) {
    openExam();
    draw();
    const TestSheet& s = sheet();
    for (int k = 1; k <= slotCount; ++k) {
        EXPECT_TRUE(s.givenAnswer[k].isEmpty()) << k;
        EXPECT_EQ(ui().numbers[k]->color(), k == 1 ? tcolor::active : tcolor::normal) << k;
        EXPECT_TRUE(ui().numbers[k]->isEnabled()) << k;
        EXPECT_EQ(s.rightAnswer[k], bank.fields(s.questionNumber[k])[isBasicSlot(k) ? 1 : 4]) << k;
    }
    EXPECT_EQ(session().currentSlot(), 1);
    EXPECT_EQ(s.score, 0);
    EXPECT_EQ(ui().minutesLabel->text() + ui().colonLabel->text() + ui().secondsLabel->text(),
              QStringLiteral("24:59"));
    EXPECT_EQ(ui().pointsLabel->text(), s.slotPoints[1] + QStringLiteral(" pkt"));
    EXPECT_EQ(exam().shownNumber(), s.questionNumber[1]);
    EXPECT_TRUE(ui().newTest->badgeVisible());
    EXPECT_EQ(ui().newTest->badgeText(), QStringLiteral("Test w toku... "));
    EXPECT_TRUE(ui().stopTest->isEnabled());
    EXPECT_FALSE(ui().nextButton->isEnabled()); // until the answering period
    EXPECT_FALSE(ui().yesButton->isEnabled());
    EXPECT_TRUE(timer("zegartimer")->isEnabled());
    EXPECT_EQ(timer("Timer13")->interval(), 20000);
    EXPECT_EQ(ui().gauge->maximum(), 15);
    EXPECT_EQ(ui().gauge->value(), 15);
    ASSERT_EQ(ui().gauge->sections().size(), 3u);
    EXPECT_EQ(ui().gauge->sections()[0].tcolor, tcolor::wrong);
    EXPECT_EQ(ui().gauge->sections()[1].tcolor, tcolor::active);
    EXPECT_EQ(ui().gauge->sections()[2].end, 15);
}

TEST_F(FlowTest, BasicQuestionTimeline) {
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/empty2.jpg"),
                             pictureBytes(QStringLiteral("empty2.jpg")));
    openExam();
    draw();
    const int n1 = sheet().questionNumber[1];
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/filmy/p%1.jpg").arg(n1),
                             pictureBytes(QStringLiteral("x.jpg")));
    PictureBox* picture = ui().display.picture;
    EXPECT_EQ(picture->file(), fixedPicture("empty2.jpg"));

    clock.advance(99);
    EXPECT_TRUE(ui().yesNoQuestion->text().isEmpty());
    clock.advance(1); // 0.1 s: text, reading period
    EXPECT_EQ(ui().yesNoQuestion->text(), QStringLiteral("Pytanie %1").arg(n1));
    EXPECT_TRUE(ui().yesNoPanel->isVisibleTo(&exam()));
    EXPECT_FALSE(ui().abcPanel->isVisibleTo(&exam()));
    clock.advance(19999);
    EXPECT_EQ(picture->file(), fixedPicture("empty2.jpg"));
    clock.advance(1); // 20.1 s: the picture
    EXPECT_EQ(picture->file(), mediaFile(QStringLiteral("p%1.jpg").arg(n1)));
    clock.advance(999);
    EXPECT_FALSE(ui().yesButton->isEnabled());
    EXPECT_FALSE(ui().nextButton->isEnabled());
    clock.advance(1); // 21.1 s: answering
    EXPECT_TRUE(ui().yesButton->isEnabled());
    EXPECT_TRUE(ui().noButton->isEnabled());
    EXPECT_TRUE(ui().nextButton->isEnabled());
    EXPECT_EQ(ui().gauge->maximum(), 15);
    EXPECT_EQ(ui().gauge->value(), 15);
    clock.advance(1000);
    EXPECT_EQ(ui().gauge->value(), 14);
    EXPECT_EQ(ui().gauge->valueText(), QStringLiteral("014"));
    clock.advance(13999);
    EXPECT_EQ(ui().gauge->value(), 1);
    clock.advance(1); // 36.1 s: time is up
    EXPECT_EQ(ui().gauge->value(), 15);
    EXPECT_TRUE(timer("Timer2")->isEnabled());
    clock.advance(99);
    EXPECT_EQ(session().currentSlot(), 1);
    clock.advance(1); // 36.2 s: the step, unanswered slot 1 scores nothing
    EXPECT_EQ(session().currentSlot(), 2);
    EXPECT_EQ(sheet().score, 0);
    EXPECT_EQ(exam().shownNumber(), sheet().questionNumber[2]);
    EXPECT_EQ(ui().pointsLabel->text(), sheet().slotPoints[2] + QStringLiteral(" pkt"));
    EXPECT_EQ(ui().numbers[1]->color(), tcolor::active);
    EXPECT_EQ(ui().numbers[2]->color(), tcolor::active);
    EXPECT_EQ(ui().numbers[3]->color(), tcolor::normal);
    EXPECT_FALSE(ui().yesButton->isEnabled());
    EXPECT_FALSE(ui().nextButton->isEnabled());
    EXPECT_EQ(ui().minutesLabel->text() + u':' + ui().secondsLabel->text(),
              QStringLiteral("24:23"));
    clock.advance(100); // the next question's text
    EXPECT_EQ(ui().yesNoQuestion->text(),
              QStringLiteral("Pytanie %1").arg(sheet().questionNumber[2]));
}

TEST_F(FlowTest, SpecialistQuestionTimelineAndAnAnswerBeforeItsCountdown) {
    openExam();
    draw();
    for (int k = 1; k <= basicSlots; ++k) { // on through the basic questions with "Dalej"
        ASSERT_TRUE(waitForAnswering());
        click(QStringLiteral("NextTestButton"));
        ASSERT_TRUE(clock.advanceUntil([&] { return session().currentSlot() != k; }, 1000));
    }
    ASSERT_EQ(session().currentSlot(), 21);
    const int n = sheet().questionNumber[21];
    EXPECT_EQ(exam().shownNumber(), n);
    clock.advance(100); // 0.1 s: text, answers, media
    EXPECT_EQ(ui().abcQuestion->text(), QStringLiteral("Pytanie %1").arg(n));
    EXPECT_EQ(ui().answerTextB->text(), QStringLiteral("Odpowiedź B %1").arg(n));
    EXPECT_TRUE(ui().abcPanel->isVisibleTo(&exam()));
    EXPECT_FALSE(ui().yesNoPanel->isVisibleTo(&exam()));
    EXPECT_TRUE(ui().aButton->isEnabled());
    EXPECT_FALSE(ui().nextButton->isEnabled());
    clock.advance(400);
    click(QStringLiteral("Ctest"));
    click(QStringLiteral("Atest")); // the last answer counts
    EXPECT_EQ(sheet().givenAnswer[21], QStringLiteral("A"));
    EXPECT_EQ(ui().aButton->color(), tcolor::active);
    EXPECT_EQ(ui().cButton->color(), tcolor::normal);
    clock.advance(599);
    EXPECT_FALSE(ui().nextButton->isEnabled());
    clock.advance(1); // 1.1 s: the countdown from 50
    EXPECT_TRUE(ui().nextButton->isEnabled());
    EXPECT_EQ(ui().gauge->maximum(), 50);
    EXPECT_EQ(ui().gauge->value(), 50);
    EXPECT_EQ(ui().gauge->sections()[1].end, 30);
    clock.advance(49999);
    EXPECT_EQ(ui().gauge->value(), 1);
    EXPECT_EQ(session().currentSlot(), 21);
    clock.advance(1); // 51.1 s: time is up
    EXPECT_TRUE(timer("Timer2")->isEnabled());
    clock.advance(100); // 51.2 s: step
    EXPECT_EQ(session().currentSlot(), 22);
    const int expected = sheet().rightAnswer[21] == u"A" ? sheet().slotPoints[21].toInt() : 0;
    EXPECT_EQ(sheet().score, expected);
}

TEST_F(FlowTest, TheAnsweringPeriodWaitsForAPlayingFilm) {
    for (int n = 1; n <= 109; ++n) { // slot 1 always shows a film
        QStringList f = bank.fields(n);
        f[2] = QStringLiteral("film.wmv");
        bank.set(n, f);
    }
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/filmy/film.wmv"), "film");
    openExam();
    draw();
    clock.advance(20100);
    EXPECT_TRUE(player.playing);
    EXPECT_TRUE(ui().display.filmPanel->isVisibleTo(&exam()));
    EXPECT_FALSE(ui().display.picture->isVisibleTo(&exam()));
    EXPECT_TRUE(
        player.calls.contains(QStringLiteral("open ") + mediaFile(QStringLiteral("film.wmv"))));
    clock.advance(3000); // 23.1 s: still playing, no countdown
    EXPECT_FALSE(ui().yesButton->isEnabled());
    EXPECT_FALSE(timer("Timer3")->isEnabled());
    EXPECT_TRUE(timer("Timer1")->isEnabled());
    clock.advance(500);
    player.finish(); // 23.6 s
    clock.advance(499);
    EXPECT_FALSE(ui().yesButton->isEnabled());
    clock.advance(1); // 24.1 s: the next whole second after the film
    EXPECT_TRUE(ui().yesButton->isEnabled());
    EXPECT_EQ(ui().gauge->value(), 15);
    EXPECT_FALSE(timer("Timer1")->isEnabled());
}

// A film this machine cannot decode does not end the test: its place says why, and the question
// is answered without it.
TEST_F(FlowTest, AFilmWithoutADecoderLeavesTheTestRunning) {
    for (int n = 1; n <= 109; ++n) { // slot 1 always shows a film
        QStringList f = bank.fields(n);
        f[2] = QStringLiteral("film.wmv");
        bank.set(n, f);
    }
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/filmy/film.wmv"),
                             asfFile({asfStream(true, "WMV3")}));
    PluginFolder plugins({});
    player.failOpen = true;
    openExam();
    draw();
    clock.advance(20100);
    clock.advance(2000);
    EXPECT_TRUE(session().running());
    EXPECT_TRUE(dialogs.allAnswered());
    const auto* said = ui().display.filmPanel->findChild<QLabel*>(QStringLiteral("filmMessage"));
    ASSERT_NE(said, nullptr);
    EXPECT_TRUE(said->isVisibleTo(&exam()));
    EXPECT_TRUE(said->text().contains(QStringLiteral("Windows Media Video 9 (WMV3)")))
        << said->text().toStdString();
    EXPECT_TRUE(ui().yesButton->isEnabled());
}

// The film helper starts when a film is near, never by time alone: while a slot is shown, the
// next slot's film is prepared.
TEST_F(FlowTest, TheNextSlotsFilmIsPreparedWhileThisOneIsShown) {
    openExam();
    clock.advance(10 * 60 * 1000);
    EXPECT_TRUE(player.prepared.isEmpty());
    draw();
    const int next = sheet().questionNumber[2]; // a basic slot: its media is field 2
    QStringList f = bank.fields(next);
    f[2] = QStringLiteral("nastepny.wmv");
    bank.set(next, f);
    bank.write(folders);
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/filmy/nastepny.wmv"), "film");
    EXPECT_FALSE(player.prepared.contains(mediaFile(QStringLiteral("nastepny.wmv"))));
    clock.advance(20100); // slot 1 shown, its reading period over
    EXPECT_EQ(session().currentSlot(), 1);
    EXPECT_TRUE(player.prepared.contains(mediaFile(QStringLiteral("nastepny.wmv"))))
        << player.prepared.join(u' ').toStdString();
    EXPECT_FALSE(
        player.calls.contains(QStringLiteral("open ") + mediaFile(QStringLiteral("nastepny.wmv"))))
        << "prepared, not opened";
}

TEST_F(FlowTest, AnsweringAndDalej) {
    openExam();
    draw();
    ASSERT_TRUE(waitForAnswering());
    click(QStringLiteral("Taktest"));
    click(QStringLiteral("Nietest"));
    EXPECT_EQ(sheet().givenAnswer[1], QStringLiteral("N"));
    EXPECT_EQ(ui().noButton->color(), tcolor::active);
    EXPECT_EQ(ui().yesButton->color(), tcolor::normal);
    click(QStringLiteral("Atest")); // a specialist answer on a basic slot only recolours
    EXPECT_EQ(sheet().givenAnswer[1], QStringLiteral("N"));
    EXPECT_EQ(ui().aButton->color(), tcolor::active);
    clock.advance(3000);
    EXPECT_EQ(ui().gauge->value(), 12);
    click(QStringLiteral("NextTestButton"));
    EXPECT_EQ(ui().gauge->value(), 15); // at once
    EXPECT_FALSE(ui().nextButton->isEnabled());
    EXPECT_FALSE(ui().yesButton->isEnabled());
    EXPECT_FALSE(timer("Timer3")->isEnabled());
    clock.advance(99);
    EXPECT_EQ(session().currentSlot(), 1);
    clock.advance(1); // the step 0.1 s after "Dalej"
    EXPECT_EQ(session().currentSlot(), 2);
    const int expected = sheet().rightAnswer[1] == u"N" ? sheet().slotPoints[1].toInt() : 0;
    EXPECT_EQ(sheet().score, expected);
    clock.advance(100);
    EXPECT_EQ(ui().yesNoQuestion->text(),
              QStringLiteral("Pytanie %1").arg(sheet().questionNumber[2]));
    for (StyledButton* b : ui().answerButtons()) // the new question starts in sky blue
        EXPECT_EQ(b->color(), tcolor::normal);
}

TEST_F(FlowTest, TheClockEndsTheTestAtZeroInAnyPhase) {
    for (int n = 1; n <= 109; ++n) { // slot 1 shows a film that never ends
        QStringList f = bank.fields(n);
        f[2] = QStringLiteral("film.wmv");
        bank.set(n, f);
    }
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/filmy/film.wmv"), "film");
    openExam();
    draw();
    auto clockText = [&] { return ui().minutesLabel->text() + u':' + ui().secondsLabel->text(); };
    clock.advance(1000);
    EXPECT_EQ(clockText(), QStringLiteral("24:58"));
    clock.advance(58000);
    EXPECT_EQ(clockText(), QStringLiteral("24:00"));
    clock.advance(1000);
    EXPECT_EQ(clockText(), QStringLiteral("23:59"));
    clock.advance(1499000 - 60000 - 1);
    EXPECT_TRUE(session().running());
    EXPECT_EQ(clockText(), QStringLiteral("00:01"));
    clock.advance(1);
    EXPECT_FALSE(session().running());
    EXPECT_EQ(clockText(), QStringLiteral("00:00"));
    EXPECT_FALSE(ui().minutesLabel->isVisibleTo(&exam()));
    EXPECT_EQ(ui().resultLine->text(),
              QStringLiteral("Wynik NEGATYWNY. Punktów\u00A00\u00A0na\u00A074\u00A0(0\u00A0%)"));
    EXPECT_EQ(stat("egzamin", "niezdane"), QStringLiteral("1"));
    for (const char* name : {"Timer1", "Timer2", "Timer3", "zegartimer"})
        EXPECT_FALSE(timer(name)->isEnabled()) << name;
}
