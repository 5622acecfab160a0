// SPDX-License-Identifier: GPL-3.0-or-later

#include "bank/bank.h"
#include "exam/draw.h"
#include "platform/error.h"
#include "platform/random.h"
#include "support/tempdirs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace wirtal;
using namespace wirtal::test;

namespace {

// Lines of a specialist bank file with a header and n questions.
QStringList specialistLines(int n) {
    QStringList lines{QStringLiteral("\"nagłówek\"")};
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("\"Pytanie\",\"a\",\"b\",\"c\",A,\"m.jpg\",%1").arg(1 + i % 3);
    return lines;
}

void writeBank(const TempFolders& f, const QString& specialName, int specialCount) {
    QStringList basic{QStringLiteral("\"nagłówek\"")};
    for (int n = 1; n <= classicBasicCount; ++n)
        basic << QStringLiteral("\"Pytanie %1\",%2,\"p%1.jpg\",%3")
                     .arg(n)
                     .arg(n % 2 ? u'T' : u'N')
                     .arg(1 + n % 3);
    f.writeProgramFile(QStringLiteral("0wx.dll"), cp1250(basic.join(QStringLiteral("\r\n"))));
    f.writeProgramFile(specialName,
                       cp1250(specialistLines(specialCount).join(QStringLiteral("\r\n"))));
}

// The numbers no test of category "B" may hold.
bool excludedForB(int n) {
    return (n >= 708 && n <= 719) || (n >= 1233 && n <= 1238) || n == 1297 ||
           (n >= 1323 && n <= 1335) || n == 1356 || n == 1357 || (n >= 1444 && n <= 1460) ||
           n > 1476 || n < 1;
}

} // namespace

TEST(DrawRanges, AreDisjointAscendingAndLeaveOutTheExcludedNumbers) {
    const SlotRanges& r = categoryBRanges();
    EXPECT_EQ(r[1].from, 1);
    EXPECT_EQ(r[1].to, 109);
    EXPECT_EQ(r[20].from, 1239);
    EXPECT_EQ(r[20].to, 1296);
    EXPECT_EQ(r[21].from, 1298);
    EXPECT_EQ(r[32].to, 1476);
    for (int k = 1; k <= slotCount; ++k) {
        EXPECT_LE(r[k].from, r[k].to) << k;
        if (k > 1) {
            EXPECT_LT(r[k - 1].to, r[k].from) << k;
        }
        EXPECT_EQ(r[k].to <= classicBasicCount, isBasicSlot(k)) << k;
    }
    for (int n = 1; n <= lastQuestion; ++n) {
        const bool inSome =
            std::any_of(r.begin() + 1, r.end(), [n](const DrawRange& d) { return d.contains(n); });
        EXPECT_EQ(inSome, !excludedForB(n)) << n;
    }
}

TEST(DrawRanges, StatisticallyEverySlotStaysInItsRangeAndReachesBothBounds) {
    SeededRandom random(20261210);
    const SlotRanges& r = categoryBRanges();
    std::array<int, slotCount + 1> lowest, highest;
    lowest.fill(INT_MAX);
    highest.fill(INT_MIN);
    std::set<int> seen;
    for (int draw = 0; draw < 20000; ++draw) {
        const auto questionNumber = drawNumbers(r, random);
        for (int k = 1; k <= slotCount; ++k) {
            ASSERT_TRUE(r[k].contains(questionNumber[k]))
                << "slot " << k << ": " << questionNumber[k];
            ASSERT_FALSE(excludedForB(questionNumber[k])) << questionNumber[k];
            if (k > 1) {
                ASSERT_LT(questionNumber[k - 1],
                          questionNumber[k]); // ascending, never twice the same question
            }
            lowest[k] = std::min(lowest[k], questionNumber[k]);
            highest[k] = std::max(highest[k], questionNumber[k]);
            seen.insert(questionNumber[k]);
        }
    }
    for (int k = 1; k <= slotCount; ++k) {
        EXPECT_EQ(lowest[k], r[k].from) << "slot " << k;
        EXPECT_EQ(highest[k], r[k].to) << "slot " << k;
    }
    // Every number of every range came up: 109 (slot 1) and 110 (slot 2) among them.
    EXPECT_TRUE(seen.count(109) && seen.count(110));
    int inRanges = 0;
    for (int k = 1; k <= slotCount; ++k)
        inRanges += r[k].to - r[k].from + 1;
    EXPECT_EQ(static_cast<int>(seen.size()), inRanges);
}

TEST(DrawRanges, OtherCategoriesSplitTheirSpecialistFileIntoTwelveRanges) {
    struct Case {
        int questions;
        int expectedLast; // last number of slot 32
    };
    const Case cases[] = {{182, 1479}, {12, 1309}, {100, 1397}, {300, 1479}};
    for (const Case& c : cases) {
        const auto r = rangesFor(QStringLiteral("A"), specialistLines(c.questions));
        EXPECT_EQ(r[21].from, 1298) << c.questions;
        EXPECT_EQ(r[32].to, c.expectedLast) << c.questions;
        for (int k = 22; k <= slotCount; ++k) {
            EXPECT_EQ(r[k].from, r[k - 1].to + 1) << c.questions << " slot " << k;
            EXPECT_LE(r[k].from, r[k].to) << c.questions << " slot " << k;
        }
        EXPECT_EQ(r[1].to, 109); // basic ranges as for every category
    }
    // Blank lines at the end are no questions.
    QStringList padded = specialistLines(24);
    padded << QString() << QStringLiteral("  ");
    EXPECT_EQ(rangesFor(QStringLiteral("T"), padded)[32].to, 1297 + 24);
    try {
        rangesFor(QStringLiteral("C"), specialistLines(11));
        ADD_FAILURE() << "eleven questions accepted";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("bazac.txt"))) << e.what();
    }
}

TEST(Draw, ReadsAnswersAndPointsOfEverySlotFromTheBankFiles) {
    TempFolders folders;
    writeBank(folders, QStringLiteral("02x.dll"), 182);
    SeededRandom random(7);
    const DrawnTest t = drawTest(QStringLiteral("B"), random);
    for (int k = 1; k <= slotCount; ++k) {
        const Record r = lookup(QStringLiteral("B"), t.questionNumber[k]);
        EXPECT_EQ(t.rightAnswer[k], r.answer()) << k;
        EXPECT_EQ(t.slotPoints[k], r.points()) << k;
        EXPECT_TRUE(categoryBRanges()[k].contains(t.questionNumber[k])) << k;
    }
}

TEST(Draw, CategoryAWorksAsSoonAsItsFileExists) {
    TempFolders folders;
    writeBank(folders, QStringLiteral("bazaa.txt"), 40);
    SeededRandom random(11);
    const DrawnTest t = drawTest(QStringLiteral("A"), random);
    for (int k = 21; k <= slotCount; ++k) {
        EXPECT_GT(t.questionNumber[k], classicBasicCount);
        EXPECT_LE(t.questionNumber[k], classicBasicCount + 40);
        EXPECT_GT(t.questionNumber[k], t.questionNumber[k - 1]);
        EXPECT_EQ(t.rightAnswer[k], QStringLiteral("A"));
    }
}

TEST(Draw, AMissingOrShortBankFileIsNamed) {
    struct Case {
        const char* specialName;
        int specialCount;
        bool basic;
        const char* named;
    };
    const Case cases[] = {
        {"02x.dll", 182, false, "0wx.dll"},  // basic file missing
        {"other.txt", 182, true, "02x.dll"}, // specialist file missing
        {"02x.dll", 100, true, "02x.dll"},   // too short for the ranges of "B"
    };
    for (const Case& c : cases) {
        TempFolders folders;
        writeBank(folders, QString::fromLatin1(c.specialName), c.specialCount);
        if (!c.basic)
            QFile::remove(folders.program() + QStringLiteral("0wx.dll"));
        SeededRandom random(3);
        try {
            // Draw until a number past the end comes up (a few draws at most).
            for (int i = 0; i < 50; ++i)
                drawTest(QStringLiteral("B"), random);
            ADD_FAILURE() << "no error for " << c.named;
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QString::fromLatin1(c.named))) << e.what();
        }
    }
}
