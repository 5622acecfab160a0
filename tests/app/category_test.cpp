// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/leftmenu.h"
#include "app/startpage.h"
#include "art/shellart.h"
#include "base/category.h"
#include "learn/learnpage.h"
#include "support/appfixture.h"
#include "widgets/styledbutton.h"

#include <QLabel>
#include <QLineEdit>

using namespace wirtal;
using namespace wirtal::test;

class CategoryTest : public AppFixture {};

TEST_F(CategoryTest, ChoosingBOnAFreshFolderOpensQuestionOneAndCreatesTheStatisticsFile) {
    bank.write(folders);
    chooseB();
    MainWindow& w = window();
    EXPECT_EQ(w.state().categoryCode, QStringLiteral("B"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Wirtal 2013 - Norel - Kategoria B"));
    EXPECT_EQ(w.currentPage(), MainWindow::LearnSheet);
    EXPECT_TRUE(find<LeftMenu>(QStringLiteral("leftpanel"))->isVisibleTo(&w));
    EXPECT_FALSE(find<StyledButton>(QStringLiteral("AdvSmoothButton25"))->isEnabled());
    for (const char* other :
         {"AdvSmoothButton24", "AdvSmoothButton26", "AdvSmoothButton27", "AdvSmoothButton28"})
        EXPECT_TRUE(find<StyledButton>(QString::fromLatin1(other))->isEnabled()) << other;
    EXPECT_EQ(w.context().learning.question(), 1);
    EXPECT_EQ(w.learnPage()->browserNumber(), 1);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("numeredit"))->text(), QStringLiteral("1"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("kategoria B"));
    EXPECT_EQ(find<StyledButton>(QStringLiteral("AdvSmoothButton31"))->color(), tcolor::active);
    EXPECT_EQ(folders.readUserFile(QStringLiteral("statsb.ini")),
              QByteArray("[last]\r\npytanie=1\r\n"));
    for (const char* other : {"statsa.ini", "statsc.ini", "statsd.ini", "statst.ini"})
        EXPECT_FALSE(folders.userFileExists(QString::fromLatin1(other))) << other;
}

TEST_F(CategoryTest, OpensOnTheStoredLastQuestion) {
    bank.write(folders);
    struct Case {
        QByteArray stored;
        int expected;
    };
    const Case cases[] = {
        {"[last]\r\npytanie=1297\r\n", 1297}, {"[last]\r\npytanie=1479\r\n", 1479},
        {"[LAST]\r\nPYTANIE=640\r\n", 640}, // names match without regard to case
        {"[last]\r\npytanie=abc\r\n", 1},   // no integer: question 1
        {"[last]\r\npytanie=0\r\n", 0},     // the empty state
    };
    for (const Case& c : cases) {
        TempFolders own;
        bank.write(own);
        own.writeUserFile(QStringLiteral("statsb.ini"), c.stored);
        Services s = window().context().services;
        MainWindow w(s);
        w.findChild<StyledButton*>(QStringLiteral("AdvSmoothButton25"))->click();
        EXPECT_EQ(w.context().learning.question(), c.expected) << c.stored.constData();
        EXPECT_EQ(w.learnPage()->browserNumber(), c.expected) << c.stored.constData();
    }
}

TEST_F(CategoryTest, ACatalogueFolderEnablesTheCategoriesItLists) {
    auto utf8 = [](const QStringList& lines) {
        return QByteArray("\xEF\xBB\xBF") +
               (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    };
    for (const char* code : {"pt", "c1"}) {
        folders.writeProgramFile(
            QStringLiteral("pytania-%1-podst.txt").arg(code),
            utf8({quotedLine({"h"}), quotedLine({"Czy?", "T", "", "1", "7", ""})}));
        folders.writeProgramFile(QStringLiteral("pytania-%1-spec.txt").arg(code),
                                 utf8({quotedLine({"h"})}));
    }
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/empty.jpg"),
                             pictureBytes(QStringLiteral("empty.jpg")));
    folders.writeProgramFile(
        QStringLiteral("katalog.ini"),
        utf8({"[katalog]", "kategorie=C1,PT", "punkty=1", "[C1]", "podstawowe=1",
              "specjalistyczne=0", "[PT]", "podstawowe=1", "specjalistyczne=0"}));
    MainWindow& w = window();
    // All twelve buttons; the classic five keep their names.
    const char* const names[] = {"AdvSmoothButton24", "CategoryButtonA1",  "CategoryButtonA2",
                                 "CategoryButtonAM",  "AdvSmoothButton25", "CategoryButtonB1",
                                 "AdvSmoothButton26", "CategoryButtonC1",  "AdvSmoothButton27",
                                 "CategoryButtonD1",  "CategoryButtonPT",  "AdvSmoothButton28"};
    for (const char* name : names) {
        const QString n = QString::fromLatin1(name);
        EXPECT_EQ(find<StyledButton>(n)->isEnabled(), n.endsWith(u"C1") || n.endsWith(u"PT"))
            << name;
    }
    click(QStringLiteral("CategoryButtonPT"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Wirtal 2013 - Norel - Kategoria PT"));
    EXPECT_TRUE(find<QLabel>(QStringLiteral("Label1"))->text().startsWith(u"kategoria PT"));
    EXPECT_FALSE(find<StyledButton>(QStringLiteral("CategoryButtonPT"))->isEnabled());
    EXPECT_TRUE(find<StyledButton>(QStringLiteral("CategoryButtonC1"))->isEnabled());
    EXPECT_FALSE(find<StyledButton>(QStringLiteral("AdvSmoothButton25"))->isEnabled());
    // The catalogue's own file, by its official number.
    EXPECT_EQ(folders.readUserFile(QStringLiteral("katalog-statspt.ini")),
              QByteArray("[last]\r\npytanie=7\r\n"));
}

// The start page follows the category table: one button per row of the table, each with the
// vehicle of its category, laid out for any number of rows (a thirteenth category is one more
// row of the table, not a new layout).
TEST(StartPageLayout, ButtonsFollowTheTableForAnyNumberOfCategories) {
    for (int count : {1, 5, 12, 13, 18}) {
        SCOPED_TRACE(count);
        const std::vector<QRect> places = StartPage::categoryButtonPlaces(count);
        ASSERT_EQ(int(places.size()), count);
        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_GE(places[i].height(), 80);
            EXPECT_GE(places[i].left(), 40);
            EXPECT_LE(places[i].right(), 1049);
            EXPECT_LE(places[i].bottom(), 610);
            for (std::size_t j = i + 1; j < places.size(); ++j)
                EXPECT_FALSE(places[i].intersects(places[j])) << i << " and " << j;
        }
    }
    // Every category draws its own vehicle: no two vehicles share a picture.
    std::vector<QImage> pictures;
    for (Vehicle v : {Vehicle::Motorcycle, Vehicle::Car, Vehicle::Truck, Vehicle::Bus,
                      Vehicle::Tram, Vehicle::Tractor})
        pictures.push_back(shellart::categoryPicture(v, 124, 62, 1.0).toImage());
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
    EXPECT_EQ(Category::find(QStringLiteral("PT"))->vehicle, Vehicle::Tram);
}
