// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/error.h"
#include "widgets/styledbutton.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace wirtal;

TEST(StyledButton, CodeClickRunsTheHandlerEvenWhileDisabledAndAUserClickDoesNot) {
    StyledButton b(QStringLiteral("Przerwij"));
    int runs = 0;
    b.setHandler([&] { ++runs; });
    b.click();
    EXPECT_EQ(runs, 1);
    b.setEnabled(false);
    b.click(); // what a user can do with a disabled button: nothing
    EXPECT_EQ(runs, 1);
    b.clickFromCode();
    EXPECT_EQ(runs, 2);
}

TEST(StyledButton, BadgeIsPartOfTheAccessibleDescriptionOnlyWhileShown) {
    StyledButton b(QStringLiteral("TAK"));
    EXPECT_EQ(b.accessibleName(), QStringLiteral("TAK"));
    b.setBadge(QStringLiteral("Prawidłowa"), tcolor::right);
    EXPECT_EQ(b.accessibleDescription(), QString());
    b.setBadgeVisible(true);
    EXPECT_TRUE(b.badgeVisible());
    EXPECT_EQ(b.accessibleDescription(), QStringLiteral("Prawidłowa"));
    b.setBadgeVisible(false);
    EXPECT_EQ(b.accessibleDescription(), QString());
    b.setColor(8454143);
    EXPECT_EQ(toQColor(b.color()), QColor(255, 255, 128));
}

TEST(StyledButton, AnExceptionFromAUserClickIsReported) {
    QStringList shown;
    const ErrorSink old = setErrorSink([&](const QString& m) { shown << m; });
    StyledButton b(QStringLiteral("SPRAWDŹ"));
    b.setHandler([] { throw Error(QStringLiteral("zły licznik")); });
    b.click();
    setErrorSink(old);
    EXPECT_EQ(shown, QStringList{QStringLiteral("zły licznik")});
}
