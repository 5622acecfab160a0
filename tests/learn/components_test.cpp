// SPDX-License-Identifier: GPL-3.0-or-later

// The presentation components of the learning page: the progress bar and the slider switch.
#include "widgets/progressbar.h"
#include "widgets/sliderswitch.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>

using namespace wirtal;

TEST(ProgressBar, ShowsPositionsBeyondTheRangeAsEmptyOrFull) {
    struct Case {
        double position;
        double fraction;
    };
    const Case cases[] = {
        {1.0 / 1297 * 100, 1.0 / 1297},
        {50, 0.5},
        {100, 1.0},
        {1479.0 / 1297 * 100, 1.0},
        {-5, 0.0},
        {0, 0.0},
        {std::numeric_limits<double>::infinity(), 1.0},
    };
    ProgressBar bar;
    for (const Case& c : cases) {
        bar.setPosition(c.position);
        EXPECT_EQ(bar.position(), c.position);
        EXPECT_NEAR(bar.fraction(), c.fraction, 1e-12) << c.position;
        bar.grab(); // paints without trouble at every position
    }
}

TEST(SliderSwitch, ReportsOnlyWhatTheUserChanges) {
    SliderSwitch s(QStringLiteral("Zapamiętuje błędy"), QStringLiteral("Nie zapamiętuje"));
    s.resize(s.sizeHint());
    QSignalSpy changes(&s, &SliderSwitch::userChanged);
    EXPECT_TRUE(s.isOn());
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Zapamiętuje błędy"));

    QTest::mouseClick(&s, Qt::LeftButton);
    EXPECT_FALSE(s.isOn());
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes.takeFirst().value(0).toBool(), false);
    // A toggle for screen readers: the name stays, the checked state and description follow.
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Zapamiętuje błędy"));
    EXPECT_FALSE(s.isChecked());
    EXPECT_EQ(s.accessibleDescription(), QStringLiteral("Nie zapamiętuje"));

    QTest::keyClick(&s, Qt::Key_Space);
    EXPECT_TRUE(s.isOn());
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes.takeFirst().value(0).toBool(), true);

    s.setOn(false); // set by the program: no report
    EXPECT_FALSE(s.isOn());
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_EQ(s.caption(), QStringLiteral("Nie zapamiętuje"));
}
