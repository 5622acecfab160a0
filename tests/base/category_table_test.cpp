// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/category.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace wirtal;

TEST(CategoryTable, EveryRowDerivesItsFilesAndBankFromItsCode) {
    struct Case {
        const char* code;
        const char* stats;
        const char* revision;
        const char* bank;
        SpecialistDraw draw;
    };
    using D = SpecialistDraw;
    const Case cases[] = {
        {"A", "statsa.ini", "repeat-a.txt", "\\bazaa.txt", D::SpreadOverFile},
        {"A1", "statsa1.ini", "repeat-a1.txt", "", D::None},
        {"A2", "statsa2.ini", "repeat-a2.txt", "", D::None},
        {"AM", "statsam.ini", "repeat-am.txt", "", D::None},
        {"B", "statsb.ini", "repeat-b.txt", "\\02x.dll", D::FixedTable},
        {"B1", "statsb1.ini", "repeat-b1.txt", "", D::None},
        {"C", "statsc.ini", "repeat-c.txt", "\\bazac.txt", D::SpreadOverFile},
        {"C1", "statsc1.ini", "repeat-c1.txt", "", D::None},
        {"D", "statsd.ini", "repeat-d.txt", "\\bazad.txt", D::SpreadOverFile},
        {"D1", "statsd1.ini", "repeat-d1.txt", "", D::None},
        {"PT", "statspt.ini", "repeat-pt.txt", "", D::None},
        {"T", "statst.ini", "repeat-t.txt", "\\bazat.txt", D::SpreadOverFile},
    };
    // The table holds exactly these, in the order learners know them.
    ASSERT_EQ(Category::all().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const Category& row = Category::all()[i];
        EXPECT_EQ(row.code, QString::fromLatin1(c.code));
        EXPECT_EQ(Category::find(QString::fromLatin1(c.code)), &row) << c.code;
        EXPECT_EQ(row.statsFile(), QString::fromLatin1(c.stats)) << c.code;
        EXPECT_EQ(row.revisionFile(), QString::fromLatin1(c.revision)) << c.code;
        EXPECT_EQ(row.specialistBank, QString::fromLatin1(c.bank)) << c.code;
        EXPECT_EQ(row.draw, c.draw) << c.code;
        EXPECT_EQ(row.buttonCaption(), QStringLiteral("Kategoria ") + row.code) << c.code;
        EXPECT_EQ(row.label(), QStringLiteral("kategoria ") + row.code) << c.code;
    }
}

TEST(CategoryTable, UnknownCodesNameNoCategory) {
    for (const char* code : {"", "b", "a1", "E", "BB", " B"})
        EXPECT_EQ(Category::find(QString::fromLatin1(code)), nullptr) << '"' << code << '"';
}

TEST(CategoryTable, TheProgramFolderOffersTheFiveWithABankAndOnlyBAtStart) {
    QStringList offered, enabled, full;
    for (const Category* c : Category::offered()) {
        offered << c->code;
        if (c->enabledAtStart)
            enabled << c->code;
        if (c->fullBank)
            full << c->code;
    }
    EXPECT_EQ(offered, (QStringList{"A", "B", "C", "D", "T"}));
    EXPECT_EQ(enabled, QStringList{"B"});
    EXPECT_EQ(full, QStringList{"B"});
}
