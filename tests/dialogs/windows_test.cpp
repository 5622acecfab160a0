// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/tcolor.h"
#include "dialogs/aboutform.h"
#include "dialogs/auxwindows.h"
#include "dialogs/helpform.h"
#include "platform/manualclock.h"
#include "platform/timer.h"
#include "startup/splashwindow.h"
#include "support/appfixture.h"
#include "widgets/styledbutton.h"

#include <QApplication>
#include <QBitmap>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

using namespace wirtal;
using namespace wirtal::test;

namespace {

TEST(Splash, ClosesItselfOneSecondAfterItWasCreated) {
    ManualClock clock;
    SplashWindow splash(clock);
    EXPECT_EQ(splash.objectName(), QStringLiteral("Form2"));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.size(), QSize(751, 462));
    EXPECT_EQ(splash.timer()->name(), QStringLiteral("Timer1"));
    EXPECT_TRUE(splash.timer()->isEnabled());
    splash.show();
    clock.advance(999);
    EXPECT_TRUE(splash.isVisible());
    clock.advance(1);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.timer()->isEnabled());
}

TEST(Splash, TheStartWaitsUntilTheTimerHasClosedIt) {
    ManualClock clock;
    SplashWindow splash(clock);
    bool visibleWhileWaiting = false;
    QTimer::singleShot(0, [&] {
        visibleWhileWaiting = splash.isVisible();
        clock.advance(1000);
    });
    splash.showAndWait(); // returns only once the splash has closed
    EXPECT_TRUE(visibleWhileWaiting);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(clock.now(), 1000);
}

TEST(Splash, IsShapedByItsColourKey) {
    const QImage pic = SplashWindow::picture();
    EXPECT_EQ(pic.size(), QSize(751, 472));
    const QRgb key = toQColor(SplashWindow::colorKey).rgb();
    EXPECT_EQ(key, qRgb(0, 176, 80));
    for (const QPoint& p : {QPoint(0, 0), QPoint(750, 0), QPoint(0, 471), QPoint(750, 471)})
        EXPECT_EQ(pic.pixel(p), key) << p.x() << "," << p.y();
    EXPECT_NE(pic.pixel(375, 236), key);

    ManualClock clock;
    SplashWindow splash(clock);
    const QRegion mask = splash.mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(750, 461)));
    EXPECT_TRUE(mask.contains(QPoint(375, 230)));
    auto* label = splash.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), QStringLiteral("kategoria B"));
    EXPECT_EQ(label->pos(), QPoint(376, 280));
}

TEST(RulesWindow, HoldsTheNineteenLinesExactly) {
    HelpForm help;
    const QStringList expected = {
        "Zasady nowego egzaminu:",
        "",
        "- Pytania są podzielone na PODSTAWOWE - wspólne dla wszystkich kategorii oraz ",
        "SPECJALISTYCZNE dla danej kategorii.",
        "- Na pytania PODSTAWOWE odpowiadamy \"TAK\" albo \"NIE\"",
        "- W pytaniach specjalistycznych wybieramy jedną z odpowiedzi A, B lub C.",
        "- W każdym pytaniu tylko jedna odpowiedź jest prawidłowa.",
        "- Podczas testu losowane jest 20 pytań PODSTAWOWYCH oraz 12 pytań ",
        "specjalistycznych.",
        "- W pytaniach PODSTAWOWYCH masz 20 sekund na przeczytanie pytania, po czym ",
        "pojawi się filmik, zdjęcie lub obrazek do pytania. Od tego momentu masz 15 sekund na ",
        "odpowiedź.",
        "- W pytaniach SPECJALISTYCZNYCH masz 50 sekund na przeczytanie pytania i ",
        "udzielenie odpowiedzi.",
        "- Nie można wracać do wcześniejszych pytań.",
        "- Do pytań przypisana jest waga punktowa zależna od znaczenia pytania dla ",
        "bezpieczeństwa ruchu drogowego. Pytania mają 1, 2 lub 3 punkty.",
        "- W teście można uzyskać maksymalnie 74 punkty. Wynik pozytywny uzyskuje się po ",
        "zdobyciu minimum 68 punktów.",
    };
    auto* memo = help.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    ASSERT_TRUE(memo);
    const QStringList lines = memo->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), 19);
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(memo->pos(), QPoint(8, 8));
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Wirtal"));
}

TEST(RulesWindow, ShowsEveryLineWholeOnOneRowWithoutScrolling) {
    HelpForm help;
    help.show();
    QCoreApplication::processEvents();
    auto* memo = help.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    ASSERT_TRUE(memo);
    int blocks = 0;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next(), ++blocks)
        EXPECT_EQ(b.layout()->lineCount(), 1)
            << "line " << blocks + 1 << " wraps: " << b.text().toStdString();
    EXPECT_EQ(blocks, 19);
    EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0) << "the pass mark needs scrolling";
    EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0);
    // The text box and "OK" lie inside the window, "OK" below the text, and the window fits a
    // 1366 x 768 screen.
    auto* ok = help.findChild<StyledButton*>(QStringLiteral("AdvSmoothButton1"));
    ASSERT_TRUE(ok);
    EXPECT_TRUE(help.rect().contains(memo->geometry()));
    EXPECT_TRUE(help.rect().contains(ok->geometry()));
    EXPECT_GT(ok->y(), memo->geometry().bottom());
    EXPECT_LE(help.width(), 1366);
    EXPECT_LE(help.height(), 700);
}

class AuxWindowsTest : public AppFixture {
protected:
    void SetUp() override {
        bank.write(folders);
        chooseB();
        click(QStringLiteral("AdvSmoothButton79")); // "Więcej"
    }
};

TEST_F(AuxWindowsTest, RulesWindowIsModelessAndOkHidesIt) {
    window().show();
    HelpForm* help = window().auxWindows()->helpForm();
    EXPECT_FALSE(help->isVisible());
    window().auxWindows()->showRules();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowModality(), Qt::NonModal);
    window().auxWindows()->showRules(); // a second time only brings it to the front
    EXPECT_TRUE(help->isVisible());
    help->findChild<StyledButton*>(QStringLiteral("AdvSmoothButton1"))->click();
    EXPECT_FALSE(help->isVisible());
    window().auxWindows()->showRules(); // the same content again
    EXPECT_EQ(help->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))
                  ->toPlainText()
                  .split(u'\n')
                  .size(),
              19);
}

TEST_F(AuxWindowsTest, AboutWindowBlocksTheMainWindowUntilOk) {
    window().show();
    AboutForm* about = window().auxWindows()->aboutForm();
    EXPECT_FALSE(about->isVisible());
    click(QStringLiteral("AdvSmoothButton75"));
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("O programie"));
    EXPECT_EQ(QApplication::activeModalWidget(), about);
    EXPECT_TRUE(QApplication::activeModalWidget() != &window());
    const QStringList lines =
        about->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], QStringLiteral("Wirtal 2013"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines[4], QString());
    about->findChild<StyledButton*>(QStringLiteral("AdvSmoothButton1"))->click();
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(AuxWindowsTest, MorePageButtonsHaveTheirCaptions) {
    const std::pair<const char*, const char*> buttons[] = {
        {"statystykibutton", "Statystyki"},
        {"AdvSmoothButton74", "Aktualizacje"},
        {"AdvSmoothButton75", "O programie"},
    };
    for (const auto& [name, caption] : buttons) {
        auto* b = find<StyledButton>(QLatin1String(name));
        EXPECT_EQ(b->text(), QString::fromUtf8(caption));
        EXPECT_EQ(b->accessibleName(), QString::fromUtf8(caption));
    }
}

} // namespace
