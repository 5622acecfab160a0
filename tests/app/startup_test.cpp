// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/singleinstance.h"
#include "startup/startup.h"
#include "support/appfixture.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>

using namespace wirtal;
using namespace wirtal::test;

namespace {

double luminance(const QColor& c) {
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour a label's text stands on: the nearest widget that paints its own background.
QColor backgroundOf(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (p->autoFillBackground() || p->isWindow())
            return p->palette().color(p->backgroundRole());
    return QApplication::palette().color(QPalette::Window);
}

QPalette darkSystemPalette() {
    QPalette p(QColor(40, 40, 40));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    return p;
}

class FixedLookTest : public AppFixture {
protected:
    FixedLookTest() : saved_(QApplication::palette()) {
        // A dark desktop theme, then what the program does at start.
        QApplication::setPalette(darkSystemPalette());
        QApplication::setPalette(fixedPalette());
    }
    ~FixedLookTest() override { QApplication::setPalette(saved_); }

private:
    QPalette saved_;
};

} // namespace

// Under a dark system theme every text of the exam page (clock, points, group titles, the
// instruction lines) and of the other pages stays readable on the program's light panels.
TEST_F(FixedLookTest, EveryLabelIsReadableUnderADarkSystemTheme) {
    bank.write(folders);
    window().show();
    chooseB();
    click(QStringLiteral("AdvSmoothButton37")); // the exam page
    int checked = 0;
    for (const QLabel* label : window().findChildren<QLabel*>()) {
        if (label->text().trimmed().isEmpty() || label->text().startsWith(u'<'))
            continue; // pictures and rich text paint their own colours
        const QColor text = label->palette().color(label->foregroundRole());
        const QColor back = backgroundOf(label);
        EXPECT_GE(contrast(text, back), 3.0)
            << label->objectName().toStdString() << " \"" << label->text().toStdString() << "\" "
            << text.name().toStdString() << " on " << back.name().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

TEST(SingleInstance, ASecondStartOnTheSameDataRaisesTheFirstAndEnds) {
    TempFolders folders;
    SingleInstance first(folders.userData());
    ASSERT_TRUE(first.listening());
    EXPECT_FALSE(first.handedOver());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    SingleInstance second(folders.userData());
    EXPECT_TRUE(second.handedOver());
    EXPECT_TRUE(raised.wait(5000)); // the local socket's message, not a timer

    // Other user data: a program of its own.
    TempFolders others;
    SingleInstance third(others.userData());
    EXPECT_FALSE(third.handedOver());
    EXPECT_TRUE(third.listening());
}

// A copy that crashed leaves its socket behind; the next start must not hand over to nobody.
TEST(SingleInstance, AStaleSocketOfACrashedCopyIsTakenOver) {
    TempFolders folders;
    const QString name = SingleInstance::serverNameFor(folders.userData());
    {
        QLocalServer crashed;
        ASSERT_TRUE(crashed.listen(name));
        crashed.close(); // the name is free again, as after a crash once the socket is gone
    }
    SingleInstance next(folders.userData());
    EXPECT_FALSE(next.handedOver());
    EXPECT_TRUE(next.listening());
}

// The panel's scale for the screen's available area: the original layout pixel for pixel up to
// screens a quarter larger than it, larger beyond; never smaller (the layout keeps the essentials
// in view on small screens).
TEST(PanelScale, FitsTheAvailableArea) {
    struct Case {
        const char* screen;
        double w, h, scale;
    } cases[] = {
        {"1366 x 768, nothing taken", 1366, 768, 1.0},
        {"1366 x 768 under a 32 px top bar", 1366, 736, 1.0},
        {"1024 x 768", 1024, 768, 1.0},
        {"1920 x 1080 at system scale 1.5", 1280, 720, 1.0},
        {"1280 x 1024", 1280, 1024, 1.0},
        {"1920 x 1080 under a 27 px bar", 1920, 1053, 1053.0 / 768},
        {"3840 x 2160", 3840, 2160, 2160.0 / 768},
        {"a tiny window manager area", 400, 300, 1.0},
        {"no screen size", 0, 0, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(panelScaleFor(c.w, c.h), c.scale, 1e-9) << c.screen;
}
