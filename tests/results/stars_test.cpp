#include "exam/examfixture.h"

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
    void storeHistory(const char* value) {
        folders.writeUserFile(QStringLiteral("statsb.ini"),
                              QByteArray("[stats]\r\nwyniki=") + value + "\r\n");
    }
};

TEST_F(StarsTest, ShowTheHistoryOfTheCategoryAndFollowEachTest) {
    storeHistory("11111");
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

TEST_F(StarsTest, AShortHistoryLeavesTheOtherStarsAsTheyWere) {
    struct Case {
        const char* stored;
        const char* shown;
    };
    for (const Case& c : {Case{"1", "1----"}, Case{"2x1", "2-1--"}, Case{"", "-----"}}) {
        TempFolders own;
        bank.write(own);
        own.writeUserFile(QStringLiteral("statsb.ini"),
                          QByteArray("[stats]\r\nwyniki=") + c.stored + "\r\n");
        Services s = window().context().services;
        MainWindow w(s);
        w.findChild<StyledButton*>(QStringLiteral("AdvSmoothButton25"))->click();
        auto* stars = w.findChild<StarsPanel*>(QStringLiteral("Panel4"));
        QString got;
        for (int i = 1; i <= 5; ++i)
            got += stars->result(i).isNull() ? u'-' : stars->result(i);
        EXPECT_EQ(got, QString::fromLatin1(c.shown)) << c.stored;
    }
    // With no statistics file star 1 turns red.
    openExam();
    EXPECT_EQ(shown(), QStringLiteral("0----"));
}

TEST_F(StarsTest, UseTheStarPicturesOfTheProgramFolderWhenPresent) {
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/greenstar.png"),
                             pictureBytes(QStringLiteral("greenstar.png"), 16, 16));
    storeHistory("10");
    openExam();
    const QImage green = find<QLabel>(QStringLiteral("starimage1"))->pixmap().toImage();
    EXPECT_EQ(green.pixelColor(8, 8), QColor(90, 140, 200)); // the file's picture
    const QImage red = find<QLabel>(QStringLiteral("starimage2"))->pixmap().toImage();
    EXPECT_EQ(red.size(), QSize(16, 16)); // drawn, as redstar.png is missing
    EXPECT_GT(red.pixelColor(8, 8).red(), 180);
}
