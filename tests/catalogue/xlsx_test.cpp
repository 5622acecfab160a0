// SPDX-License-Identifier: GPL-3.0-or-later

// Reading the first sheet of a workbook: string and number cells, and hostile archives and XML.

#include "catalogue/xlsx.h"
#include "catalogue/xlsxwriter.h"
#include "platform/error.h"
#include "support/qt_printers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace wirtal;
using namespace wirtal::catalogue;
using test::XCell;

namespace {

// The message of the Error the call throws; empty when it throws none.
template <typename F> QString errorOf(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.message();
    }
    return {};
}

QByteArray sheetOf(const QString& sheetData) {
    return QStringLiteral("<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/"
                          "2006/main\"><sheetData>%1</sheetData></worksheet>")
        .arg(sheetData)
        .toUtf8();
}

// The zip with the uncompressed size of entry `name` given as `delta` bytes more than it is, in its
// local header and in the central directory alike.
QByteArray withAnnouncedSize(QByteArray zip, const QByteArray& name, int delta) {
    auto patch = [&](qsizetype at) {
        quint32 v = 0;
        std::memcpy(&v, zip.constData() + at, 4); // little-endian, as the machine
        v = quint32(qint64(v) + delta);
        std::memcpy(zip.data() + at, &v, 4);
    };
    for (qsizetype i = 0; (i = zip.indexOf("PK\x03\x04", i)) >= 0; ++i)
        if (zip.mid(i + 30, name.size()) == name)
            patch(i + 22);
    for (qsizetype i = 0; (i = zip.indexOf("PK\x01\x02", i)) >= 0; ++i)
        if (zip.mid(i + 46, name.size()) == name)
            patch(i + 24);
    return zip;
}

} // namespace

TEST(Xlsx, SharedInlineAndNumberCellsReadAlike) {
    const QByteArray x = test::xlsxBytes({
        {"Numer", "Pytanie"},
        {XCell("99", XCell::Number), XCell("Czy wolno \"tu\" & <tam>?", XCell::Inline)},
        {XCell("100.0", XCell::Number), XCell("Zakręt ąęł", XCell::Shared)},
    });
    const Sheet s = readFirstSheet(x, "k.xlsx");
    ASSERT_EQ(s.rowCount(), 3);
    EXPECT_EQ(s.rowNumber(1), 2);
    EXPECT_EQ(s.cell(1, 0).text, "99");
    EXPECT_TRUE(s.cell(1, 0).numeric);
    EXPECT_EQ(s.cell(1, 1).text, "Czy wolno \"tu\" & <tam>?");
    EXPECT_FALSE(s.cell(1, 1).numeric);
    EXPECT_EQ(s.cell(2, 1).text, "Zakręt ąęł");
    EXPECT_EQ(s.cell(2, 7).text, ""); // past the row's last cell
}

TEST(Xlsx, CellPlacesRichTextAndEscapes) {
    const TextTable shared = parseSharedStrings(
        "<sst><si><t>prosty</t></si>"
        "<si><r><t>po</t></r><r><rPr><b/></rPr><t xml:space=\"preserve\">grubione </t></r>"
        "<rPh><t>czytanie</t></rPh></si>"
        "<si><t>linia_x000D_druga _x005F_x0041_</t></si></sst>",
        {});
    EXPECT_EQ(shared.toList(), QStringList({"prosty", "pogrubione ", "linia\rdruga _x0041_"}));
    // Cells without references follow the previous one; references may skip columns and rows.
    const Sheet s = parseSheet(sheetOf("<row r=\"3\"><c t=\"s\"><v>1</v></c><c><v>7</v></c>"
                                       "<c r=\"E3\" t=\"str\"><f>A1</f><v>wynik</v></c></row>"
                                       "<row><c r=\"B4\" t=\"b\"><v>1</v></c></row>"),
                               shared, {});
    ASSERT_EQ(s.rowCount(), 2);
    EXPECT_EQ(s.rowNumber(0), 3);
    EXPECT_EQ(s.cell(0, 0).text, "pogrubione ");
    EXPECT_EQ(s.cell(0, 1).text, "7");
    EXPECT_EQ(s.cell(0, 4).text, "wynik");
    EXPECT_EQ(s.rowNumber(1), 4);
    EXPECT_EQ(s.cell(1, 1).text, "1");
}

// A row costs the cells it has: one cell far to the right is one cell, not the columns before it,
// and cells given out of order or twice still land in their columns.
TEST(Xlsx, RowsHoldOnlyTheirCells) {
    const Sheet s = parseSheet(sheetOf("<row r=\"1\"><c r=\"SR1\" t=\"inlineStr\"><is><t>daleko"
                                       "</t></is></c></row>"
                                       "<row r=\"2\"><c r=\"C2\"><v>3</v></c><c r=\"A2\"><v>1</v>"
                                       "</c><c r=\"B2\"><v>2</v></c><c r=\"A2\"><v>9</v></c>"
                                       "<c r=\"B2\"/></row>"),
                               {}, {});
    ASSERT_EQ(s.rowCount(), 2);
    ASSERT_EQ(s.cellCount(0), 1);
    EXPECT_EQ(s.cells(0)[0].column, 511);
    EXPECT_EQ(s.cell(0, 511).text, "daleko");
    EXPECT_EQ(s.cell(0, 0).text, "");
    ASSERT_EQ(s.cellCount(1), 2);
    EXPECT_EQ(s.cell(1, 0).text, "9");
    EXPECT_EQ(s.cell(1, 1).text, ""); // emptied by the later cell of the same place
    EXPECT_EQ(s.cell(1, 2).text, "3");
}

TEST(Xlsx, WholeNumbers) {
    struct Case {
        const char* text;
        bool whole;
        qint64 value;
    } cases[] = {{"99", true, 99},   {"99.0", true, 99},  {" 9.9E1 ", true, 99},
                 {"99.5", false, 0}, {"", false, 0},      {"abc", false, 0},
                 {"inf", false, 0},  {"1e300", false, 0}, {"-3", true, -3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        qint64 v = 0;
        EXPECT_EQ(wholeNumber(c.text, &v), c.whole);
        if (c.whole) {
            EXPECT_EQ(v, c.value);
        }
    }
}

TEST(Xlsx, SheetFoundThroughWorkbookRelationships) {
    auto entries = test::workbookEntries({{"a"}});
    // The sheet moved and named by an absolute target; a decoy sheet1.xml is not read.
    for (auto& [name, bytes] : entries) {
        if (name == "xl/worksheets/sheet1.xml")
            name = "xl/worksheets/data.xml";
        if (name == "xl/_rels/workbook.xml.rels")
            bytes.replace("Target=\"worksheets/sheet1.xml\"", "Target=\"/xl/worksheets/data.xml\"");
    }
    entries.append({"xl/worksheets/sheet1.xml", sheetOf("<row><c t=\"inlineStr\"><is><t>zły</t>"
                                                        "</is></c></row>")});
    const Sheet s = readFirstSheet(test::zipBytes(entries), "k.xlsx");
    ASSERT_EQ(s.rowCount(), 1);
    EXPECT_EQ(s.cell(0, 0).text, "a");
}

TEST(Xlsx, DirectoryEntriesAreHarmless) {
    auto entries = test::workbookEntries({{"a"}});
    entries.prepend({"xl/worksheets/", {}});
    entries.prepend({"xl/", {}});
    EXPECT_EQ(readFirstSheet(test::zipBytes(entries), "k.xlsx").rowCount(), 1);
}

TEST(Xlsx, HostileArchivesAreRefusedWithTheFileNamed) {
    XlsxLimits small;
    small.entries = 8;
    small.entryBytes = 4000;
    auto withEntry = [](const QString& name, const QByteArray& bytes) {
        auto e = test::workbookEntries({{"a"}});
        for (auto& [n, b] : e)
            if (n == name)
                b = bytes;
        return test::zipBytes(e);
    };
    auto manyEntries = [] {
        auto e = test::workbookEntries({{"a"}});
        for (int i = 0; i < 20; ++i)
            e.append({QStringLiteral("xl/media/image%1.png").arg(i), "x"});
        return test::zipBytes(e);
    };
    auto without = [](const QString& name) {
        auto e = test::workbookEntries({{"a"}});
        e.removeIf([&](const auto& p) { return p.first == name; });
        return test::zipBytes(e);
    };
    // A sheet of 2 MB that packs into a few kilobytes.
    const QByteArray bomb =
        sheetOf(QString(2 << 20, u' ') + QStringLiteral("<row><c><v>1</v></c></row>"));
    struct Case {
        const char* name;
        QByteArray bytes;
        XlsxLimits limits;
        const char* expected;
    } cases[] = {
        {"not a zip", "PK\x03\x04 to nie jest archiwum", {}, "to nie jest skoroszyt"},
        {"empty file", {}, {}, "to nie jest skoroszyt"},
        {"too many entries", manyEntries(), small, "za dużo wpisów"},
        {"entry too large", withEntry("xl/worksheets/sheet1.xml", QByteArray(5000, ' ') + "<x/>"),
         small, "za duża"},
        {"compression ratio", withEntry("xl/worksheets/sheet1.xml", bomb), {}, "skompresowana"},
        {"no workbook", without("xl/workbook.xml"), {}, "brak części xl/workbook.xml"},
        {"no sheet",
         without("xl/worksheets/sheet1.xml"),
         {},
         "brak części xl/worksheets/sheet1.xml"},
        // Parts are unpacked while they are read: an entry whose length is not the one announced
        // is refused wherever the XML stops.
        {"sheet longer than announced",
         withAnnouncedSize(test::xlsxBytes({{"a"}, {"b"}}), "xl/worksheets/sheet1.xml", -30),
         {},
         "część xl/worksheets/sheet1.xml ma inną długość"},
        {"sheet shorter than announced",
         withAnnouncedSize(test::xlsxBytes({{"a"}, {"b"}}), "xl/worksheets/sheet1.xml", 30),
         {},
         "część xl/worksheets/sheet1.xml"},
        {"strings shorter than announced",
         withAnnouncedSize(test::xlsxBytes({{"a"}, {"b"}}), "xl/sharedStrings.xml", 30),
         {},
         "część xl/sharedStrings.xml"},
        {"sheet outside the package",
         withEntry("xl/_rels/workbook.xml.rels",
                   "<Relationships><Relationship Id=\"rId1\" Target=\"../../etc/passwd\"/>"
                   "</Relationships>"),
         {},
         "zła ścieżka arkusza"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString message = errorOf([&] { readFirstSheet(c.bytes, "katalog.xlsx", c.limits); });
        EXPECT_TRUE(message.startsWith("katalog.xlsx: ")) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.expected))) << message.toStdString();
    }
}

TEST(Xlsx, HostileXmlIsRefused) {
    XlsxLimits limits;
    limits.rows = 3;
    limits.cells = 5;
    limits.columns = 10;
    limits.stringChars = 50;
    limits.depth = 12;
    const TextTable shared(QStringList{"jeden"});
    QString deep;
    for (int i = 0; i < 20; ++i)
        deep = QStringLiteral("<x>%1</x>").arg(deep);
    struct Case {
        const char* name;
        QString sheetData;
        const char* expected;
    } cases[] = {
        {"too many rows", "<row/><row/><row/><row/>", "ponad 3 wierszy"},
        {"too many cells", "<row><c/><c/><c/></row><row><c/><c/><c/></row>", "ponad 5 komórek"},
        {"column too far", "<row><c r=\"K1\"><v>1</v></c></row>", "leży za kolumną 10"},
        {"bad reference", "<row><c r=\"1A\"><v>1</v></c></row>", "zły adres komórki"},
        {"bad row number", "<row r=\"0\"/>", "zły numer wiersza"},
        {"string index out of range", "<row><c t=\"s\"><v>1</v></c></row>", "nieistniejący napis"},
        {"negative string index", "<row><c t=\"s\"><v>-1</v></c></row>", "nieistniejący napis"},
        {"long string",
         "<row><c t=\"inlineStr\"><is><t>" + QString(60, u'x') + "</t></is></c></row>",
         "dłuższy niż 50"},
        {"deep nesting", deep, "zbyt głęboko"},
        {"broken XML", "<row><c></row>", "błędny XML"},
        {"row inside a cell", "<row><c t=\"inlineStr\"><is><t>a<row/></t></is></c></row>",
         "wiersz wewnątrz wiersza"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString message = errorOf([&] { parseSheet(sheetOf(c.sheetData), shared, limits); });
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.expected))) << message.toStdString();
    }
    // Entity expansion: no DTD is accepted at all.
    const QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE sst [<!ENTITY a \"aaaaaaaaaa\">"
                              "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
                              "<sst><si><t>&b;</t></si></sst>";
    EXPECT_TRUE(errorOf([&] { parseSharedStrings(laughs, limits); }).contains("DTD"));
}

TEST(Xlsx, FileMustBeARegularFileOfBoundedSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath("k.xlsx");
    ASSERT_TRUE(test::writeBytes(path, test::xlsxBytes({{"a"}})));
    XlsxLimits tiny;
    tiny.fileBytes = 100;
    EXPECT_EQ(readFirstSheetFile(path).rowCount(), 1);
    EXPECT_TRUE(errorOf([&] { readFirstSheetFile(path, tiny); }).contains("za duży"));
    EXPECT_TRUE(
        errorOf([&] { readFirstSheetFile(dir.path()); }).contains("to nie jest zwykły plik"));
    EXPECT_TRUE(errorOf([&] {
                    readFirstSheetFile(dir.filePath("brak.xlsx"));
                }).contains("nie ma takiego pliku"));
}
