// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/leftmenu.h"
#include "base/layoutrule.h"
#include "support/appfixture.h"
#include "widgets/styledbutton.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QStackedWidget>

using namespace wirtal;
using namespace wirtal::test;

TEST(LayoutRule, CentresThePanelWithHalvesToEvenAndNoClamping) {
    struct Case {
        int w, h;
        QPoint panel, minimize, close;
    };
    const Case cases[] = {
        {1366, 768, {138, 24}, {1188, 4}, {1208, 4}},       // 138.5 -> 138
        {1280, 720, {96, 0}, {1146, -20}, {1166, -20}},     // 95.5 -> 96
        {1024, 768, {-32, 24}, {1018, 4}, {1038, 4}},       // -32.5 -> -32
        {1920, 1080, {416, 180}, {1466, 160}, {1486, 160}}, // 415.5 -> 416
        {1089, 650, {0, -35}, {1050, -55}, {1070, -55}},
    };
    for (const Case& c : cases) {
        const PanelLayout l = layoutFor(c.w, c.h);
        EXPECT_EQ(l.panel, c.panel) << c.w << "x" << c.h;
        EXPECT_EQ(l.minimizeButton, c.minimize) << c.w << "x" << c.h;
        EXPECT_EQ(l.closeButton, c.close) << c.w << "x" << c.h;
    }
}

class MainWindowTest : public AppFixture {};

TEST_F(MainWindowTest, StartsOnTheStartPageWithOnlyCategoryBEnabled) {
    MainWindow& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Wirtal 2013 - Norel - www.norel.pl"));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.currentPage(), MainWindow::StartSheet);
    EXPECT_FALSE(find<LeftMenu>(QStringLiteral("leftpanel"))->isVisibleTo(&w));
    const char* names[] = {"AdvSmoothButton24", "AdvSmoothButton25", "AdvSmoothButton26",
                           "AdvSmoothButton27", "AdvSmoothButton28"};
    for (int i = 0; i < 5; ++i) {
        auto* b = find<StyledButton>(QString::fromLatin1(names[i]));
        EXPECT_EQ(b->isEnabled(), i == 1) << names[i];
        EXPECT_EQ(b->accessibleName(), QStringLiteral("Kategoria ") + QChar(u"ABCDT"[i]));
    }
    EXPECT_EQ(find<StyledButton>(QStringLiteral("AdvSmoothButton31"))->color(), tcolor::active);
    EXPECT_FALSE(find<StyledButton>(QStringLiteral("AdvSmoothButton41"))->isEnabled());
    EXPECT_EQ(w.state().categoryCode, QString());
    EXPECT_EQ(w.context().learning.question(), 0);
    EXPECT_TRUE(w.context().learning.mayAddToRevision());
    EXPECT_TRUE(w.state().rememberWrong);
    EXPECT_FALSE(w.context().exam.running());
    EXPECT_EQ(find<QWidget>(QStringLiteral("minimizebutton"))->accessibleName(),
              QStringLiteral("Minimalizuj"));
    EXPECT_EQ(find<QWidget>(QStringLiteral("closebutton"))->accessibleName(),
              QStringLiteral("Zamknij"));
}

TEST_F(MainWindowTest, ResizingPlacesPanelAndWindowButtons) {
    MainWindow& w = window();
    w.show(); // resize events reach a shown window
    w.resize(1366, 768);
    QCoreApplication::processEvents();
    EXPECT_EQ(find<QWidget>(QStringLiteral("mainpanel"))->pos(), QPoint(138, 30));
    EXPECT_EQ(find<QWidget>(QStringLiteral("minimizebutton"))->pos(), QPoint(1177, 4));
    EXPECT_EQ(find<QWidget>(QStringLiteral("closebutton"))->pos(), QPoint(1203, 4));
    EXPECT_EQ(find<QWidget>(QStringLiteral("mainpanel"))->size(), QSize(1089, 650));
    // The window's buttons are targets of at least 24 x 24, clear of the panel and each other.
    const QRect panel = find<QWidget>(QStringLiteral("mainpanel"))->geometry();
    const QRect minimize = find<QWidget>(QStringLiteral("minimizebutton"))->geometry();
    const QRect close = find<QWidget>(QStringLiteral("closebutton"))->geometry();
    for (const QRect& b : {minimize, close}) {
        EXPECT_GE(b.width(), 24);
        EXPECT_GE(b.height(), 24);
        EXPECT_FALSE(b.intersects(panel));
    }
    EXPECT_FALSE(minimize.intersects(close));
    // Narrower than the panel: its left side (the menu) stays in view, and so do the buttons.
    w.resize(1024, 768);
    QCoreApplication::processEvents();
    EXPECT_EQ(find<QWidget>(QStringLiteral("mainpanel"))->pos(), QPoint(0, 30));
    EXPECT_EQ(find<QWidget>(QStringLiteral("closebutton"))->pos(), QPoint(996, 4));
}

TEST_F(MainWindowTest, LeftMenuShowsEachPageAndHighlightsExactlyOneEntry) {
    bank.write(folders);
    chooseB();
    struct Case {
        const char* button;
        MainWindow::Page page;
    };
    const Case cases[] = {
        {"AdvSmoothButton37", MainWindow::ExamSheet},
        {"AdvSmoothButton38", MainWindow::RulesMenu},
        {"AdvSmoothButton39", MainWindow::VehiclesMenu},
        {"AdvSmoothButton40", MainWindow::SignsMenu},
        {"AdvSmoothButton79", MainWindow::MoreSheet},
        {"AdvSmoothButton31", MainWindow::LearnSheet},
    };
    const char* all[] = {"AdvSmoothButton31", "AdvSmoothButton37", "AdvSmoothButton38",
                         "AdvSmoothButton39", "AdvSmoothButton40", "AdvSmoothButton41",
                         "AdvSmoothButton79"};
    for (const Case& c : cases) {
        click(QString::fromLatin1(c.button));
        EXPECT_EQ(window().currentPage(), c.page) << c.button;
        EXPECT_EQ(window().page(c.page)->objectName(), QStringLiteral("TabSheet%1").arg(c.page));
        for (const char* name : all)
            EXPECT_EQ(find<StyledButton>(QString::fromLatin1(name))->color(),
                      qstrcmp(name, c.button) == 0 ? tcolor::active : tcolor::normal)
                << "after " << c.button << ": " << name;
    }
}

TEST_F(MainWindowTest, NaukaTestowTwiceKeepsTheShownQuestion) {
    bank.write(folders);
    folders.writeUserFile(QStringLiteral("statsb.ini"), "[last]\r\npytanie=57\r\n");
    chooseB();
    click(QStringLiteral("AdvSmoothButton38"));
    click(QStringLiteral("AdvSmoothButton31"));
    click(QStringLiteral("AdvSmoothButton31"));
    EXPECT_EQ(window().context().learning.question(), 57);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("numeredit"))->text(), QStringLiteral("57"));
}

// Where the centred layout would put the window's buttons or the panel's left side off the
// window, the window moves them in; where it fits, nothing changes.
TEST(LayoutRule, KeepsTheButtonsAndTheLeftSideInView) {
    struct Case {
        const char* screen;
        int w, h;
        QPoint panel, minimize, close;
    } cases[] = {
        {"1366 x 768: 6 px lower for the buttons", 1366, 768, {138, 30}, {1177, 4}, {1203, 4}},
        {"1920 x 1080: as centred", 1920, 1080, {416, 180}, {1455, 154}, {1481, 154}},
        {"1366 x 736 under a 32 px bar", 1366, 736, {138, 30}, {1177, 4}, {1203, 4}},
        {"1280 x 720 (1080p at scale 1.5)", 1280, 720, {96, 30}, {1135, 4}, {1161, 4}},
        {"1024 x 768", 1024, 768, {0, 30}, {970, 4}, {996, 4}},
        {"1089 x 650: the panel alone", 1089, 650, {0, 0}, {1035, 0}, {1061, 0}},
    };
    for (const Case& c : cases) {
        const PanelLayout l = layoutWithin(c.w, c.h);
        EXPECT_EQ(l.panel, c.panel) << c.screen;
        EXPECT_EQ(l.minimizeButton, c.minimize) << c.screen;
        EXPECT_EQ(l.closeButton, c.close) << c.screen;
    }
}
