// SPDX-License-Identifier: GPL-3.0-or-later

// From an official catalogue to a test of every category: import, the bank tool's check, the draw
// and a flawless run.

#include "bank/layout.h"
#include "base/category.h"
#include "base/paths.h"
#include "catalogue/importer.h"
#include "catalogue/xlsxwriter.h"
#include "exam/draw.h"
#include "exam/testsheet.h"
#include "platform/random.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace wirtal;
using test::officialRow;
using test::XCell;
using test::XRow;

namespace {

// Every category of the table, as a catalogue row names them: a new row of the table is
// imported, checked and drawn here too.
const char* everyCategory() {
    static const QByteArray codes = [] {
        QStringList all;
        for (const Category& c : Category::all())
            all << c.code;
        return all.join(u',').toLatin1();
    }();
    return codes.constData();
}

// The official layout reshaped: no points column, an extra column, the columns reversed.
XRow reshaped(XRow row, const char* extra) {
    row.removeAt(10); // "Liczba punktów"
    row << XCell(extra);
    std::reverse(row.begin(), row.end());
    return row;
}

} // namespace

TEST(EveryCategory, ImportCheckDrawAndAFlawlessRun) {
    test::TempFolders f;
    QDir root(f.userData());
    ASSERT_TRUE(root.mkpath("base/obrazki_prawko") && root.mkpath("media"));
    for (const char* name : {"base/0wx.dll", "base/obrazki_prawko/empty.jpg", "media/a.jpg"}) {
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    QList<XRow> rows{reshaped(test::officialHeader(), "Uwagi")};
    qint64 lp = 1;
    constexpr int basicCount = 24, specialCount = 14;
    for (int i = 0; i < basicCount; ++i)
        rows << reshaped(officialRow(lp++, 100 + i, "Czy wolno?", i % 2 ? "T" : "N", {},
                                     i % 3 ? "" : "a.jpg", "PODSTAWOWY", everyCategory(), ""),
                         "uwaga");
    for (int i = 0; i < specialCount; ++i)
        rows << reshaped(officialRow(lp++, 500 + i, "Które?", QString(QLatin1Char("ABC"[i % 3])),
                                     {"x", "y", "z"}, "", "SPECJALISTYCZNY", everyCategory(), ""),
                         "");
    // Each kind of bad row; every one is left out.
    const QList<XRow> bad{
        officialRow(lp++, 100, "Powtórzony numer", "T", {}, "", "PODSTAWOWY", everyCategory(), ""),
        officialRow(lp++, 900, "", "T", {}, "", "PODSTAWOWY", everyCategory(), ""),
        officialRow(lp++, 901, "Zła odpowiedź", "X", {}, "", "PODSTAWOWY", everyCategory(), ""),
        officialRow(lp++, 902, "Bez wariantów", "A", {}, "", "SPECJALISTYCZNY", everyCategory(),
                    ""),
        officialRow(lp++, 903, "Niepełne", "A", {"x"}, "", "SPECJALISTYCZNY", everyCategory(), ""),
        officialRow(lp++, 904, "Bez kategorii", "T", {}, "", "PODSTAWOWY", "", ""),
        officialRow(lp++, 905, "Obca kategoria", "T", {}, "", "PODSTAWOWY", "Z", ""),
        officialRow(lp++, 906, "Zła nazwa", "T", {}, "../a.jpg", "PODSTAWOWY", everyCategory(), ""),
        officialRow(lp++, 907, "Brak pliku", "T", {}, "brak.jpg", "PODSTAWOWY", everyCategory(),
                    ""),
    };
    for (const XRow& r : bad)
        rows << reshaped(r, "");
    XRow badNumber = reshaped(
        officialRow(lp++, 1, "Zły numer", "T", {}, "", "PODSTAWOWY", everyCategory(), ""), "");
    badNumber[badNumber.size() - 2] = XCell(QStringLiteral("x1"));
    rows << badNumber;
    ASSERT_TRUE(test::writeBytes(root.filePath("katalog.xlsx"), test::xlsxBytes(rows)));

    catalogue::ImportOptions o;
    o.catalogue = root.filePath("katalog.xlsx");
    o.media = {root.filePath("media")};
    o.target = root.filePath("prog");
    o.base = root.filePath("base");
    const catalogue::ImportResult imported = catalogue::Importer(o).run();
    ASSERT_TRUE(imported.ok) << imported.error.toStdString();
    EXPECT_FALSE(imported.hasPoints);
    EXPECT_EQ(imported.leftOut(), bad.size() + 1);
    ASSERT_EQ(imported.counts.size(), qsizetype(Category::all().size()));

    // The bank tool: every category checked, none with a problem.
    QProcess tool;
    tool.start(QStringLiteral(WIRTAL_BANK_TOOL), {"check", "--folder", o.target});
    ASSERT_TRUE(tool.waitForFinished(60000));
    const QString out = QString::fromUtf8(tool.readAllStandardOutput());
    EXPECT_EQ(tool.exitCode(), 0) << out.toStdString();
    for (const Category& c : Category::all())
        EXPECT_TRUE(out.contains(QStringLiteral("%1: %2 questions, 0 problems\n")
                                     .arg(c.code)
                                     .arg(basicCount + specialCount)))
            << c.code.toStdString() << "\n"
            << out.toStdString();

    // A test of each category: 20 basic and 12 specialist questions, each slot its structure's
    // points; answered flawlessly it scores 74.
    Paths::setProgramFolder(o.target);
    ASSERT_EQ(Category::offered().size(), Category::all().size());
    SeededRandom random(2013);
    for (const Category* c : Category::offered()) {
        SCOPED_TRACE(c->code.toStdString());
        const DrawnTest t = drawTest(c->code, random);
        const auto bank = layout::of(c->code);
        TestSheet sheet;
        std::set<int> seen;
        for (int k = 1; k <= slotCount; ++k) {
            seen.insert(t.questionNumber[k]);
            EXPECT_EQ(bank->kindOf(t.questionNumber[k]) == QuestionKind::Basic, isBasicSlot(k))
                << k;
            EXPECT_EQ(t.slotPoints[k], QString::number(structurePoints(k))) << k;
            sheet.givenAnswer[k] = t.rightAnswer[k];
            sheet.rightAnswer[k] = t.rightAnswer[k];
            if (sheet.correct(k))
                sheet.score += pointsValue(t.slotPoints[k], QString(), k);
        }
        EXPECT_EQ(seen.size(), std::size_t(slotCount));
        EXPECT_EQ(sheet.score, maxPoints);
        EXPECT_TRUE(sheet.passed());
    }
}
