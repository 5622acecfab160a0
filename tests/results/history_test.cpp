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
            writeini(QStringLiteral("statsb.ini"), QStringLiteral("stats"),
                     QStringLiteral("wyniki"), QString::fromLatin1(c.stored));
        history::push(QStringLiteral("statsb.ini"), QChar::fromLatin1(c.digit));
        EXPECT_EQ(readini(QStringLiteral("statsb.ini"), QStringLiteral("stats"),
                          QStringLiteral("wyniki"), QString()),
                  QString::fromLatin1(c.expected))
            << (c.stored ? c.stored : "(none)") << " + " << c.digit;
    }
}

TEST(History, StarsShowAtMostFiveCharactersAndAMissingValueAsOneFailure) {
    TempFolders folders;
    EXPECT_EQ(history::stars(QStringLiteral("statsb.ini")), QStringLiteral("0"));
    writeini(QStringLiteral("statsb.ini"), QStringLiteral("stats"), QStringLiteral("wyniki"),
             QStringLiteral("1201101"));
    EXPECT_EQ(history::stars(QStringLiteral("statsb.ini")), QStringLiteral("12011"));
}
