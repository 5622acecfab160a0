// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/inifile.h"
#include "results/history.h"
#include "support/tempdirs.h"

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::test;

TEST(History, PushKeepsTheNewDigitAndTheFirstFourOfTheOldValue) {
    struct Case {
        const char* stored; // nullptr: no value yet
        char digit;
        const char* expected;
    };
    const Case cases[] = {
        {"10110", '0', "01011"}, {"10110", '1', "11011"},      {nullptr, '0', "00000"},
        {nullptr, '1', "10000"}, {"22222", '1', "12222"},      {"22222", '0', "02222"},
        {"1", '0', "01"},        {"1101100111", '1', "11101"}, {"11111", '0', "01111"},
    };
    for (const Case& c : cases) {
        TempFolders folders;
        if (c.stored)
            writeIni(QStringLiteral("statsb.ini"), QStringLiteral("stats"),
                     QStringLiteral("wyniki"), QString::fromLatin1(c.stored));
        history::push(QStringLiteral("statsb.ini"), QChar::fromLatin1(c.digit));
        EXPECT_EQ(readIni(QStringLiteral("statsb.ini"), QStringLiteral("stats"),
                          QStringLiteral("wyniki"), QString()),
                  QString::fromLatin1(c.expected))
            << (c.stored ? c.stored : "(none)") << " + " << c.digit;
    }
}

TEST(History, StarsShowAtMostFiveCharactersAndNoMoreThanTheTestsTaken) {
    struct Case {
        const char* wyniki; // nullptr: no value
        const char* zdane;
        const char* niezdane;
        const char* stars;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, ""}, {"1201101", "4", "3", "12011"},
        {"1201101", "1", "1", "12"},     {nullptr, "0", "1", "0"},
        {"00000", nullptr, nullptr, ""}, {"10", "9", "9", "10"},
        {"11111", "x", "4", "11111"},    {"11111", "2147483647", "2147483647", "11111"},
    };
    for (const Case& c : cases) {
        TempFolders folders;
        const auto store = [](const char* section, const char* key, const char* value) {
            if (value)
                writeIni(QStringLiteral("statsb.ini"), QString::fromLatin1(section),
                         QString::fromLatin1(key), QString::fromLatin1(value));
        };
        store("stats", "wyniki", c.wyniki);
        store("egzamin", "zdane", c.zdane);
        store("egzamin", "niezdane", c.niezdane);
        EXPECT_EQ(history::stars(QStringLiteral("statsb.ini")), QString::fromLatin1(c.stars))
            << (c.wyniki ? c.wyniki : "(none)");
    }
}
