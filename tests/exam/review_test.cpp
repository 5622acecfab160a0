// SPDX-License-Identifier: GPL-3.0-or-later

#include "examfixture.h"

#include "base/paths.h"
#include "widgets/picturebox.h"

using namespace wirtal;
using namespace wirtal::test;

class ReviewTest : public ExamFixture {
protected:
    QString number(int k) { return QStringLiteral("AdvSmoothButton%1").arg(41 + k); }
    void expectAnswerColours(const QString& given) {
        const QString codes[] = {QStringLiteral("T"), QStringLiteral("N"), QStringLiteral("A"),
                                 QStringLiteral("B"), QStringLiteral("C")};
        const auto buttons = ui().answerButtons();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(buttons[i]->color(), codes[i] == given ? tcolor::active : tcolor::normal)
                << codes[i].toStdString();
    }
};

TEST_F(ReviewTest, BeforeTheFirstTestANumberShowsNothing) {
    openExam();
    click(number(1));
    clock.advance(500);
    EXPECT_EQ(exam().shownNumber(), 0);
    EXPECT_FALSE(ui().numbers[1]->badgeVisible());
    EXPECT_TRUE(ui().display.picture->picture().isNull());
}

TEST_F(ReviewTest, DuringATestTheNumbersRefuse) {
    openExam();
    draw();
    dialogs.expect(QStringLiteral("Tu będzie można zajrzeć po zakończeniu testu."), Answer::Ok);
    click(number(5));
    EXPECT_TRUE(session().running());
    EXPECT_EQ(exam().shownNumber(), sheet().questionNumber[1]);
    EXPECT_FALSE(ui().numbers[5]->badgeVisible());
    EXPECT_EQ(timer("Timer13")->interval(), 20000);
}

TEST_F(ReviewTest, ShowsABasicAndASpecialistSlotWithGivenAndCorrectAnswer) {
    openExam();
    draw();
    // Slot 1 answered wrongly, slot 2 not at all, slot 21 rightly, the rest left to run out.
    sitTest(
        [this](int k) {
            if (k == 1)
                return wrongButton(1);
            return k == 21 ? rightButton(21) : QString();
        },
        true);
    const TestSheet& s = sheet();
    const int n1 = s.questionNumber[1];
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/filmy/p%1.jpg").arg(n1),
                             pictureBytes(QStringLiteral("x.jpg")));

    click(number(1));
    EXPECT_FALSE(session().running());
    EXPECT_TRUE(ui().numbers[1]->badgeVisible());
    EXPECT_EQ(ui().numbers[1]->badgeText(), QString::number(n1));
    EXPECT_EQ(timer("Timer13")->interval(), 100);
    EXPECT_TRUE(ui().yesButton->isEnabled());
    expectAnswerColours(s.givenAnswer[1]);
    EXPECT_EQ(ui().yesButton->badgeVisible(), s.rightAnswer[1] == u"T");
    EXPECT_EQ(ui().noButton->badgeVisible(), s.rightAnswer[1] == u"N");
    EXPECT_EQ(ui().yesButton->badgeText(), QStringLiteral("Prawidłowa"));
    clock.advance(100); // the question
    EXPECT_EQ(ui().yesNoQuestion->text(), QStringLiteral("Pytanie %1").arg(n1));
    EXPECT_TRUE(ui().yesNoPanel->isVisibleTo(&exam()));
    clock.advance(100); // and at once its picture
    EXPECT_EQ(ui().display.picture->file(),
              Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\filmy\\p%1.jpg").arg(n1)));
    EXPECT_TRUE(ui().display.picture->isVisibleTo(&exam()));

    // An unanswered slot: no answer marked, the correct one still is.
    click(number(2));
    EXPECT_FALSE(ui().numbers[1]->badgeVisible());
    EXPECT_TRUE(ui().numbers[2]->badgeVisible());
    expectAnswerColours(QString());
    EXPECT_EQ(ui().yesButton->badgeVisible(), s.rightAnswer[2] == u"T");

    // A specialist slot: the correct answer's text turns green.
    click(number(21));
    clock.advance(100);
    EXPECT_TRUE(ui().abcPanel->isVisibleTo(&exam()));
    EXPECT_EQ(ui().abcQuestion->text(), QStringLiteral("Pytanie %1").arg(s.questionNumber[21]));
    expectAnswerColours(s.givenAnswer[21]);
    EXPECT_EQ(s.givenAnswer[21], s.rightAnswer[21]);
    const QString abc = QStringLiteral("ABC");
    const auto memos = ui().answerTexts();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(memos[i]->color(),
                  abc[i] == s.rightAnswer[21][0] ? tcolor::right : tcolor::white);
    EXPECT_EQ(ui().numbers[21]->color(), tcolor::right);
    EXPECT_EQ(ui().numbers[1]->color(), tcolor::wrong);
    EXPECT_EQ(ui().numbers[2]->color(), tcolor::wrong);

    // The number already on display shows its question again.
    ui().abcQuestion->clear();
    click(number(21));
    clock.advance(100);
    EXPECT_EQ(ui().abcQuestion->text(), QStringLiteral("Pytanie %1").arg(s.questionNumber[21]));

    // A new draw hides the "Prawidłowa" marks and shows slot 1 even if it was on display.
    click(number(1));
    draw();
    EXPECT_FALSE(ui().yesButton->badgeVisible());
    EXPECT_FALSE(ui().noButton->badgeVisible());
    EXPECT_TRUE(timer("Timer9")->isEnabled());
}

// In the review "Dalej" has nothing to end: it stays disabled once the question's answering
// period would begin, for a basic and a specialist slot alike, while "TAK"/"NIE" stay enabled.
TEST_F(ReviewTest, DalejStaysDisabledDuringTheReview) {
    openExam();
    draw();
    sitTest([](int) { return QString(); }, true);
    ASSERT_FALSE(session().running());
    for (int k : {1, 21, 2}) {
        SCOPED_TRACE(k);
        click(number(k));
        clock.advance(1500);                 // question, media, and the first tick of Timer1
        EXPECT_NE(timer("Timer3"), nullptr); // the countdown would run now
        EXPECT_FALSE(ui().nextButton->isEnabled());
        EXPECT_TRUE(ui().yesButton->isEnabled());
        EXPECT_TRUE(ui().noButton->isEnabled());
    }
}
