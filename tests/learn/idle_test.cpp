// SPDX-License-Identifier: GPL-3.0-or-later

// A question shown means the window is idle: once the question a click brought is painted,
// nothing on the learning page paints again until the learner does something, whatever the
// timers do meanwhile.
#include "learnfixture.h"

#include <QTest>
#include <QWindow>

using namespace wirtal;
using namespace wirtal::test;

namespace {

// Counts the paint events of every widget, by the widget's name.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    QStringList painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType())
            painted << QStringLiteral("%1 \"%2\"")
                           .arg(QString::fromLatin1(watched->metaObject()->className()),
                                watched->objectName());
        return false;
    }
};

// Delivers what is pending (updates and repaints included) until nothing is left.
void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

} // namespace

class IdleTest : public LearnFixture {
protected:
    // The window on screen at question 1 of category B, its first paint done.
    void showLearningPage() {
        bank.write(folders);
        chooseB();
        window().show();
        settle();
        ASSERT_TRUE(window().windowHandle() && window().windowHandle()->isExposed());
        clock.advance(1000);
        settle();
    }
};

TEST_F(IdleTest, NothingPaintsAfterTheQuestionAStepBroughtIsShown) {
    showLearningPage();
    struct Step {
        const char* what;
        std::function<void()> act;
        int expected;
    };
    const Step steps[] = {
        {"next button", [&] { click(QStringLiteral("AdvSmoothButton30")); }, 2},
        {"previous button", [&] { click(QStringLiteral("AdvSmoothButton29")); }, 1},
        {"Page Down", [&] { QTest::keyClick(page(), Qt::Key_PageDown); }, 2},
        {"Right", [&] { QTest::keyClick(page(), Qt::Key_Right); }, 3},
        {"typed number",
         [&] {
             numberEntry()->setFocus();
             go(7);
         },
         7},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(page()->browserNumber(), step.expected) << step.what;
        PaintCounter counter;
        settle();
        EXPECT_FALSE(counter.painted.isEmpty()) << step.what << ": the question was not painted";
        counter.painted.clear();
        // Every timer of the page comes due and goes by; nothing on screen may change.
        for (int ms = 0; ms < 2000; ms += 20) {
            clock.advance(20);
            settle();
        }
        EXPECT_TRUE(counter.painted.isEmpty())
            << step.what << ": painted after the question was shown: "
            << counter.painted.join(QStringLiteral(", ")).toStdString();
    }
}
