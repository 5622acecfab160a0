// SPDX-License-Identifier: GPL-3.0-or-later

// What a sheet keeps in memory: the columns the header names only (the top rows whole, the header
// among them), the shared strings a kept cell refers to, and every text as it was written.

#include "catalogue/catalogue.h"
#include "catalogue/xlsx.h"
#include "catalogue/xlsxwriter.h"
#include "platform/error.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::catalogue;
using test::XCell;
using test::XRow;

namespace {

QString errorOf(const Sheet& sheet) {
    try {
        readCatalogue(sheet, "k.xlsx");
    } catch (const Error& e) {
        return e.message();
    }
    return {};
}

// The official header with two columns the import does not read, far to the right.
XRow headerWithExtras() {
    XRow h = test::officialHeader();
    while (h.size() < 30)
        h << XCell("");
    h << XCell("Uwagi") << XCell("Uwagi ENG") << XCell("Film w PJM") << XCell("Podstawa prawna");
    return h;
}

XRow rowWithExtras(qint64 n) {
    XRow r = test::officialRow(n, n, QStringLiteral("Czy wolno %1?").arg(n), "T", {}, "",
                               "PODSTAWOWY", "B", "2", QStringLiteral("May you %1?").arg(n));
    while (r.size() < 20)
        r << XCell("");
    // Under no header: a stray note of whoever made the sheet.
    r << XCell(QStringLiteral("dopisek bez nagłówka %1").arg(n));
    while (r.size() < 30)
        r << XCell("");
    r << XCell(QStringLiteral("uwaga do pytania %1, długa jak akapit").arg(n))
      << XCell(QStringLiteral("note on question %1").arg(n))
      << XCell(QStringLiteral("pjm-%1.mp4").arg(n))
      << XCell(QStringLiteral("art. %1 ust. 2").arg(n), XCell::Inline);
    return r;
}

} // namespace

TEST(KeptCells, OnlyColumnsWithAHeaderBelowTheHeaderRow) {
    QList<XRow> rows{{XCell("Katalog pytań, wydanie 3"), XCell("poza"), XCell("tabelą")},
                     headerWithExtras()};
    for (qint64 n = 1; n <= 50; ++n)
        rows << rowWithExtras(n);
    const QByteArray xlsx = test::xlsxBytes(rows);
    const Sheet whole = readFirstSheet(xlsx, "k.xlsx");
    const Sheet kept = readFirstSheet(xlsx, "k.xlsx", {}, {}, catalogueColumns());

    ASSERT_EQ(kept.rowCount(), whole.rowCount());
    // The title row and the header row stay whole: every header the file has is still there.
    EXPECT_EQ(kept.cells(0).size(), 3);
    EXPECT_EQ(kept.cell(1, 30).text, "Uwagi");
    EXPECT_EQ(kept.cell(1, 0).text, "Lp.");
    // Below it, a column without a header holds nothing; every named one is kept, those the
    // import does not read too (they go to the program folder as they are).
    for (qsizetype r = 2; r < kept.rowCount(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(whole.cell(r, 20).text.isEmpty(), false);
        EXPECT_EQ(kept.cell(r, 20).text, "");
        EXPECT_EQ(kept.cellCount(r), whole.cellCount(r) - 1);
        for (const int c : {0, 1, 2, 6, 9, 10, 11, 30, 31, 32, 33}) {
            EXPECT_EQ(kept.cell(r, c).text, whole.cell(r, c).text);
            EXPECT_EQ(kept.cell(r, c).numeric, whole.cell(r, c).numeric);
        }
    }

    const Catalogue a = readCatalogue(whole, "k.xlsx"), b = readCatalogue(kept, "k.xlsx");
    ASSERT_EQ(b.questions.size(), 50);
    ASSERT_EQ(a.questions.size(), b.questions.size());
    for (qsizetype i = 0; i < a.questions.size(); ++i) {
        EXPECT_EQ(b.questions[i].number, a.questions[i].number);
        EXPECT_EQ(b.questions[i].text, a.questions[i].text);
        EXPECT_EQ(b.questions[i].en, a.questions[i].en);
        EXPECT_EQ(b.questions[i].points, a.questions[i].points);
        EXPECT_EQ(b.questions[i].row, a.questions[i].row);
        EXPECT_EQ(b.questions[i].extra, a.questions[i].extra);
    }
}

// A header below the rows where it is looked for: the rows after them keep nothing, and the
// import fails with the same message as from the sheet read whole. A reference to a missing
// string is refused in a column nobody reads as well.
TEST(KeptCells, SheetsWithoutAHeaderAtTheTopFailAlike) {
    QList<XRow> rows;
    for (int i = 0; i < 25; ++i)
        rows << XRow{XCell(QStringLiteral("wstęp %1").arg(i)), XCell("Pytanie")};
    rows << test::officialHeader() << rowWithExtras(1);
    const QByteArray xlsx = test::xlsxBytes(rows);
    const Sheet whole = readFirstSheet(xlsx, "k.xlsx");
    const Sheet kept = readFirstSheet(xlsx, "k.xlsx", {}, {}, catalogueColumns());
    ASSERT_EQ(kept.rowCount(), 27);
    EXPECT_EQ(kept.cellCount(19), 2);
    EXPECT_EQ(kept.cellCount(20), 0);
    EXPECT_EQ(kept.cellCount(26), 0);
    const QString message = errorOf(whole);
    EXPECT_TRUE(message.contains("„Numer pytania”")) << message.toStdString();
    EXPECT_EQ(errorOf(kept), message);

    const TextTable shared(QStringList{"Numer pytania"});
    const QByteArray sheet = "<worksheet><sheetData><row><c t=\"s\"><v>0</v></c></row>"
                             "<row><c r=\"Z2\" t=\"s\"><v>7</v></c></row></sheetData></worksheet>";
    KeptColumns firstOnly;
    firstOnly.wholeRows = 1;
    firstOnly.choose = [](const Sheet&, qsizetype) { return QList<int>{0}; };
    try {
        parseSheet(sheet, shared, {}, "arkusz", {}, firstOnly);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("komórka Z2 wskazuje nieistniejący napis"))
            << e.message().toStdString();
    }
}

TEST(KeptCells, TextsComeBackAsWritten) {
    const QStringList texts{
        "", "prosty", "Zażółć gęślą jaźń", "znak spoza BMP: \U0001F697", "", QString(32767, u'ą')};
    const TextTable table(texts);
    EXPECT_EQ(table.toList(), texts);
    EXPECT_TRUE(table.isEmptyAt(0));
    EXPECT_FALSE(table.isEmptyAt(1));
    // A cell given twice keeps the later text; an empty one removes the cell.
    Sheet s(table);
    s.addRow(4);
    s.setSharedCell(3, 2);
    s.setCell(1, u"1.5", true);
    s.setCell(3, u"inny", false);
    s.setSharedCell(1, 4);
    s.setSharedCell(7, 5);
    s.setSharedCell(8, 0);
    ASSERT_EQ(s.cellCount(0), 2);
    EXPECT_EQ(s.cell(0, 3).text, "inny");
    EXPECT_EQ(s.cell(0, 7).text, texts[5]);
    EXPECT_EQ(s.cell(0, 1).text, "");
    s.squeeze(); // only one of the six strings is referred to: the others go
    EXPECT_EQ(s.shared().size(), 1);
    EXPECT_EQ(s.cell(0, 7).text, texts[5]);
    EXPECT_EQ(s.cell(0, 3).text, "inny");
}
