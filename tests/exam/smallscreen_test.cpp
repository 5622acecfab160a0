// SPDX-License-Identifier: GPL-3.0-or-later

// A screen narrower than the panel: the left menu narrows and the pages keep their full width,
// so everything on the learning and exam pages stays inside the window, and the menu's captions
// stay whole.

#include "app/leftmenu.h"
#include "base/layoutrule.h"
#include "examfixture.h"
#include "learn/learnpage.h"
#include "widgets/styledbutton.h"

#include <QCoreApplication>
#include <QFontMetrics>

using namespace wirtal;
using namespace wirtal::test;

TEST(LayoutRule, ANarrowWindowNarrowsTheMenuNotThePages) {
    const struct {
        int w;
        int menu, panelWidth, left;
    } cases[] = {
        {1920, 150, 1089, 416}, // room: as centred
        {1089, 150, 1089, 0},   // the panel exactly
        {1050, 111, 1050, 0},   // the menu gives up the 39 pixels missing
        {1024, 85, 1024, 0},    // the narrowest menu: the panel fits exactly
        {800, 85, 1024, 0},     // smaller still: the left side stays in view
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        const PanelLayout l = layoutWithin(c.w, 768);
        EXPECT_EQ(l.menuWidth, c.menu);
        EXPECT_EQ(l.panelSize, QSize(c.panelWidth, panelHeight));
        EXPECT_EQ(l.panel.x(), c.left);
        EXPECT_EQ(l.panelSize.width() - l.menuWidth, panelWidth - menuWidth); // the pages' width
    }
}

namespace {

// Every shown widget under root that reaches past the window's right or bottom edge.
QStringList outside(QWidget& window, QWidget* root) {
    QStringList out;
    const QRect inside = window.rect();
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->width() <= 0)
            continue;
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        if (!inside.contains(r))
            out << QStringLiteral("%1 %2,%3 %4x%5")
                       .arg(w->objectName(), QString::number(r.x()), QString::number(r.y()),
                            QString::number(r.width()), QString::number(r.height()));
    }
    return out;
}

} // namespace

TEST_F(ExamFixture, At1024By768EveryPageLiesInsideTheWindow) {
    window().show();
    window().resize(1024, 768);
    QCoreApplication::processEvents();
    openExam();
    draw();
    ASSERT_TRUE(waitForAnswering());
    EXPECT_EQ(outside(window(), window().examPage()), QStringList()) << "the exam page";
    EXPECT_EQ(outside(window(), window().menu()), QStringList()) << "the left menu";
    click(QStringLiteral("koniec"));
    click(QStringLiteral("AdvSmoothButton31")); // "Nauka testów"
    EXPECT_EQ(outside(window(), window().learnPage()), QStringList()) << "the learning page";
    // Every other page shown beside the menu (the start page, without it, is centred).
    for (int p = MainWindow::LearnSheet; window().page(MainWindow::Page(p)); ++p) {
        window().showPage(MainWindow::Page(p));
        QCoreApplication::processEvents();
        EXPECT_EQ(outside(window(), window().page(MainWindow::Page(p))), QStringList())
            << "page " << p;
    }

    // The menu's captions, in one size for all, fit their narrowed buttons word by word.
    const qreal points = window().menu()->button(LeftMenu::Learning)->font().pointSizeF();
    for (int e = 0; e < LeftMenu::Count; ++e) {
        StyledButton* b = window().menu()->button(LeftMenu::Entry(e));
        SCOPED_TRACE(b->text().toStdString());
        EXPECT_EQ(b->font().pointSizeF(), points);
        EXPECT_GE(points, 7.0);
        const QRect box = b->contentBoxes();
        const QRect need = QFontMetrics(b->font()).boundingRect(
            box, Qt::AlignCenter | Qt::TextWordWrap, b->text());
        EXPECT_TRUE(box.contains(need))
            << need.width() << "x" << need.height() << " in " << box.width() << "x" << box.height();
    }

    // Back on a wide screen: the menu and its captions as they were.
    window().resize(1366, 768);
    QCoreApplication::processEvents();
    EXPECT_EQ(window().menu()->width(), menuWidth);
    EXPECT_EQ(window().menu()->button(LeftMenu::Learning)->font().pointSizeF(), 11.0);
}
