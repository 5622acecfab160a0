// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/examfixture.h"

#include "app/navigation.h"
#include "results/stars.h"

#include <QLabel>

using namespace wirtal;
using namespace wirtal::test;

class StarsTest : public ExamFixture {
protected:
    QString shown() {
        QString s;
        for (int i = 1; i <= 5; ++i)
            s += ui().stars->result(i).isNull() ? u'-' : ui().stars->result(i);
        return s;
    }
    // A history and the number of tests taken (all counted as passed).
    void storeHistory(const char* value, int taken) {
        folders.writeUserFile(QStringLiteral("statsb.ini"),
                              QByteArray("[stats]\r\nwyniki=") + value +
                                  "\r\n[egzamin]\r\nzdane=" + QByteArray::number(taken) + "\r\n");
    }
};

TEST_F(StarsTest, ShowTheHistoryOfTheCategoryAndFollowEachTest) {
    storeHistory("11111", 7);
    openExam();
    EXPECT_EQ(shown(), QStringLiteral("11111"));
    draw();
    click(QStringLiteral("koniec"));
    EXPECT_EQ(stat("stats", "wyniki"), QStringLiteral("01111"));
    EXPECT_EQ(shown(), QStringLiteral("01111"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("starimage1"))->toolTip(),
              QStringLiteral("Wynik ostatniego testu."));
    EXPECT_EQ(find<QWidget>(QStringLiteral("Panel4"))->toolTip(),
              QStringLiteral("Wynik ostatnich 5 testów w danej kategorii."));
}

// Only as many stars are coloured as tests were taken (the passed and failed counters say how
// many); the others are empty, as is a star whose character is no result. A counter that is no
// number leaves the count unknown: the stored history is shown. A fresh history reads
// as failures, so this is what keeps the stars from reporting tests that never happened.
TEST_F(StarsTest, ColourOnlyAsManyStarsAsTestsWereTaken) {
    struct Case {
        const char* file; // statsb.ini; nullptr: none
        const char* shown;
    };
    const Case cases[] = {
        {nullptr, "-----"},
        {"[stats]\r\nwyniki=00000\r\n", "-----"},
        {"[stats]\r\nwyniki=00000\r\n[egzamin]\r\nniezdane=1\r\n", "0----"},
        {"[stats]\r\nwyniki=01011\r\n[egzamin]\r\nzdane=1\r\nniezdane=1\r\n", "01---"},
        {"[stats]\r\nwyniki=11111\r\n[egzamin]\r\nzdane=40\r\nniezdane=3\r\n", "11111"},
        {"[stats]\r\nwyniki=1\r\n[egzamin]\r\nzdane=3\r\n", "1----"},
        {"[stats]\r\nwyniki=2x1\r\n[egzamin]\r\nzdane=3\r\n", "2-1--"},
        {"[stats]\r\nwyniki=22222\r\n", "-----"},
        {"[stats]\r\nwyniki=00000\r\n[egzamin]\r\nzdane=abc\r\nniezdane=2\r\n", "00000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no statistics file");
        TempFolders own;
        bank.write(own);
        if (c.file)
            own.writeUserFile(QStringLiteral("statsb.ini"), c.file);
        Services s = window().context().services;
        MainWindow w(s);
        w.findChild<StyledButton*>(QStringLiteral("AdvSmoothButton25"))->click();
        auto* stars = w.findChild<StarsPanel*>(QStringLiteral("Panel4"));
        QString got;
        for (int i = 1; i <= 5; ++i)
            got += stars->result(i).isNull() ? u'-' : stars->result(i);
        EXPECT_EQ(got, QString::fromLatin1(c.shown));
    }
}

// Before the first test no star is coloured; the first failed test colours one red star, not
// five; the stored history keeps its format.
TEST_F(StarsTest, TheFirstTestColoursOneStar) {
    openExam();
    EXPECT_EQ(shown(), QStringLiteral("-----"));
    draw();
    click(QStringLiteral("koniec"));
    EXPECT_EQ(stat("stats", "wyniki"), QStringLiteral("00000"));
    EXPECT_EQ(shown(), QStringLiteral("0----"));
    draw();
    click(QStringLiteral("koniec"));
    EXPECT_EQ(stat("stats", "wyniki"), QStringLiteral("00000"));
    EXPECT_EQ(shown(), QStringLiteral("00---"));
    // Another category's stars never stay on: choosing the category again shows its own.
    window().navigation()->chooseCategory(QStringLiteral("B"));
    EXPECT_EQ(shown(), QStringLiteral("00---"));
}

TEST_F(StarsTest, UseTheStarPicturesOfTheProgramFolderWhenPresent) {
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/greenstar.png"),
                             pictureBytes(QStringLiteral("greenstar.png"), 16, 16));
    storeHistory("10", 2);
    openExam();
    const QImage green = find<QLabel>(QStringLiteral("starimage1"))->pixmap().toImage();
    EXPECT_EQ(green.pixelColor(8, 8), QColor(90, 140, 200)); // the file's picture
    const QImage red = find<QLabel>(QStringLiteral("starimage2"))->pixmap().toImage();
    EXPECT_EQ(red.size(), QSize(16, 16)); // drawn, as redstar.png is missing
    EXPECT_GT(red.pixelColor(8, 8).red(), 180);
}
