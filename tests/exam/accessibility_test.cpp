// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader gets from the exam page, the learning page and the statistics page:
// names, roles, values and states through Qt's accessibility interfaces, the same tree the
// desktop's accessibility bus (AT-SPI) serves.

#include "app/startup.h"
#include "examfixture.h"
#include "learn/learnpage.h"
#include "learn/revisionpanel.h"
#include "results/statsview.h"
#include "widgets/accessiblevalues.h"
#include "widgets/progressbar.h"
#include "widgets/sliderswitch.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QLabel>

using namespace wirtal;
using namespace wirtal::test;

namespace {

QAccessibleInterface* iface(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

// Every accessible object under root, depth first.
void collect(QAccessibleInterface* root, QList<QAccessibleInterface*>& out, int depth = 0) {
    if (!root || depth > 40)
        return;
    out << root;
    for (int i = 0; i < root->childCount(); ++i)
        collect(root->child(i), out, depth + 1);
}

} // namespace

class AccessibilityTest : public ExamFixture {
protected:
    AccessibilityTest() {
        installAccessibleValues();
        QAccessible::setActive(true);
    }
    ~AccessibilityTest() override { QAccessible::setActive(false); }
};

TEST_F(AccessibilityTest, TheExamClockPointsAndGaugeSayTheirValues) {
    openExam();
    draw();
    ASSERT_TRUE(waitForAnswering());

    QAccessibleInterface* minutes = iface(ui().minutesLabel);
    QAccessibleInterface* seconds = iface(ui().secondsLabel);
    EXPECT_EQ(minutes->text(QAccessible::Name), ui().minutesLabel->text()); // the digits
    EXPECT_EQ(seconds->text(QAccessible::Name), ui().secondsLabel->text());
    EXPECT_NE(minutes->text(QAccessible::Description), seconds->text(QAccessible::Description));

    QAccessibleInterface* points = iface(ui().pointsLabel);
    EXPECT_EQ(points->text(QAccessible::Name), sheet().slotPoints[1] + QStringLiteral(" pkt"));

    QAccessibleInterface* gauge = iface(ui().gauge);
    ASSERT_NE(gauge->valueInterface(), nullptr);
    EXPECT_EQ(gauge->role(), QAccessible::ProgressBar);
    EXPECT_EQ(gauge->valueInterface()->currentValue().toDouble(), ui().gauge->value());
    EXPECT_EQ(gauge->valueInterface()->maximumValue().toDouble(), 15.0);
    clock.advance(3000);
    EXPECT_EQ(gauge->valueInterface()->currentValue().toDouble(), ui().gauge->value());
    EXPECT_LT(ui().gauge->value(), 15.0);
    click(QStringLiteral("koniec"));
}

TEST_F(AccessibilityTest, LearningProgressSwitchAndTheWindowItself) {
    bank.write(folders);
    chooseB();
    LearnPage* learn = window().learnPage();
    learn->showQuestion(500, false);

    QAccessibleInterface* progress = iface(learn->progressBar());
    ASSERT_NE(progress->valueInterface(), nullptr);
    EXPECT_NEAR(progress->valueInterface()->currentValue().toDouble(),
                learn->progressBar()->position(), 1e-9);
    EXPECT_EQ(progress->text(QAccessible::Name), QStringLiteral("Postęp nauki"));

    SliderSwitch* remember = learn->revision()->findChild<SliderSwitch*>();
    ASSERT_NE(remember, nullptr);
    QAccessibleInterface* toggle = iface(remember);
    EXPECT_TRUE(toggle->state().checkable);
    EXPECT_TRUE(toggle->state().checked);
    const QString name = toggle->text(QAccessible::Name);
    remember->click();
    EXPECT_FALSE(toggle->state().checked);
    EXPECT_EQ(toggle->text(QAccessible::Name), name); // the name stays, the state changes

    EXPECT_EQ(iface(&window())->role(), QAccessible::Window);
    setApplicationIdentity(QStringLiteral("test"));
    EXPECT_EQ(iface(qApp)->text(QAccessible::Name), QStringLiteral("Wirtal 2013"));
}

TEST_F(AccessibilityTest, TheStatisticsFiguresAndTheClearButtonAreInTheTree) {
    bank.write(folders);
    chooseB();
    window().show();
    click(QStringLiteral("AdvSmoothButton79")); // "Więcej"
    window().statsView()->showStatistics();

    QList<QAccessibleInterface*> all;
    collect(iface(&window()), all);
    bool clearButton = false, learningFigures = false, examFigures = false;
    for (QAccessibleInterface* a : all) {
        clearButton = clearButton || (a->role() == QAccessible::Button &&
                                      a->text(QAccessible::Name) == u"Wyczyść statystyki");
        learningFigures = learningFigures ||
                          a->text(QAccessible::Description).contains(QStringLiteral("Poprawne: 0"));
        examFigures =
            examFigures || a->text(QAccessible::Description).contains(QStringLiteral("Zdane: 0"));
    }
    EXPECT_TRUE(clearButton);
    EXPECT_TRUE(learningFigures);
    EXPECT_TRUE(examFigures);
}
