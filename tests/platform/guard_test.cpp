// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/error.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace wirtal;

TEST(Guard, ReportsEscapingExceptionsAndLetsTheProgramGoOn) {
    QStringList shown;
    const ErrorSink old = setErrorSink([&](const QString& m) { shown << m; });
    EXPECT_TRUE(guarded([] {}));
    EXPECT_FALSE(guarded([] { throw Error(QStringLiteral("Brak pliku „0wx.dll”.")); }));
    EXPECT_FALSE(guarded([] { throw std::out_of_range("index"); }));
    EXPECT_FALSE(guarded([] { throw 42; }));
    setErrorSink(old);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0], QStringLiteral("Brak pliku „0wx.dll”."));
    EXPECT_EQ(shown[1], QStringLiteral("index"));
    EXPECT_FALSE(shown[2].isEmpty());
}
