// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/testsheet.h"
#include "platform/error.h"

#include <gtest/gtest.h>

using namespace wirtal;

TEST(Verdict, PassesAtSixtyEightPoints) {
    struct Case {
        int points;
        const char* line;
    };
    const Case cases[] = {
        {0, "Wynik NEGATYWNY. Punktów 0 na 74 (0 %)"},
        {67, "Wynik NEGATYWNY. Punktów 67 na 74 (90,5 %)"},
        {68, "Wynik POZYTYWNY. Punktów 68 na 74 (91,9 %)"},
        {74, "Wynik POZYTYWNY. Punktów 74 na 74 (100 %)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(verdictText(c.points), QString::fromUtf8(c.line));
        TestSheet s;
        s.score = c.points;
        EXPECT_EQ(s.passed(), c.points >= 68);
    }
}

TEST(Sheet, AnEmptyAnswerIsNeverCorrect) {
    TestSheet s;
    s.rightAnswer[3] = QStringLiteral("T");
    EXPECT_FALSE(s.correct(3));
    s.givenAnswer[3] = QStringLiteral("T");
    EXPECT_TRUE(s.correct(3));
    s.givenAnswer[3] = QStringLiteral("t"); // exact comparison
    EXPECT_FALSE(s.correct(3));
    EXPECT_FALSE(s.correct(4)); // empty against empty: not answered
}

TEST(Sheet, PointsMustBeAWholeNumberAndTheErrorNamesFileLineAndValue) {
    EXPECT_EQ(pointsValue(QStringLiteral("3"), QStringLiteral("\\0wx.dll"), 5), 3);
    EXPECT_EQ(pointsValue(QStringLiteral(" 2 "), QStringLiteral("\\0wx.dll"), 5), 2);
    // Only 1, 2 or 3: a huge weight would overflow the score.
    for (const char* bad : {"", "x", "2.5", "3 pkt", "0", "4", "-1", "2147483647", "99999999999"}) {
        try {
            pointsValue(QString::fromLatin1(bad), QStringLiteral("\\02x.dll"), 17);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("02x.dll"))) << e.what();
            EXPECT_TRUE(e.message().contains(QStringLiteral("17"))) << e.what();
            EXPECT_TRUE(e.message().contains(QStringLiteral("„") + QString::fromLatin1(bad)))
                << e.what();
        }
    }
}
