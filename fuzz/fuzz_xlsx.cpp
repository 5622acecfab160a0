// SPDX-License-Identifier: GPL-3.0-or-later

// The XML of a workbook's shared strings and first sheet, and the rows as catalogue questions.
// The input is the shared-strings XML, a NUL byte, and the sheet XML (all sheet when there is no
// NUL). Small limits, so that the bounds are reached too.
//  - only Error ever escapes the parsers;
//  - what they give stays within the limits;
//  - every question made of the rows is sound: a text, an answer of its part, three options for
//    a specialist question and none for a basic one, categories, a plain media file name.

#include "catalogue/catalogue.h"
#include "catalogue/xlsx.h"
#include "check.h"
#include "platform/error.h"

#include <cstdint>
#include <cstring>
#include <optional>

using namespace wirtal;
using namespace wirtal::catalogue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const std::size_t split = nul ? std::size_t(static_cast<const char*>(nul) - bytes) : 0;
    const QByteArray sharedXml = nul ? QByteArray(bytes, qsizetype(split)) : QByteArray();
    const QByteArray sheetXml = nul ? QByteArray(bytes + split + 1, qsizetype(size - split - 1))
                                    : QByteArray(bytes, qsizetype(size));
    XlsxLimits limits;
    limits.depth = 16;
    limits.rows = 64;
    limits.cells = 512;
    limits.columns = 24;
    limits.strings = 64;
    limits.stringChars = 256;

    TextTable shared(QStringList{QStringLiteral("Numer pytania"), QStringLiteral("Pytanie")});
    try {
        shared = parseSharedStrings(sharedXml, limits);
        FUZZ_CHECK(shared.size() <= limits.strings);
        for (const QString& s : shared.toList())
            FUZZ_CHECK(s.size() <= limits.stringChars);
    } catch (const Error&) {
    }
    Sheet sheet;
    try {
        sheet = parseSheet(sheetXml, shared, limits);
    } catch (const Error&) {
        return 0;
    }
    // The same read keeping only the catalogue's columns: it fails only where the whole read does.
    Sheet kept;
    try {
        kept = parseSheet(sheetXml, shared, limits, QStringLiteral("xl/worksheets/sheet1.xml"), {},
                          catalogueColumns());
    } catch (const Error&) {
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(sheet.rowCount() <= limits.rows);
    FUZZ_CHECK(kept.rowCount() == sheet.rowCount());
    for (qsizetype row = 0; row < sheet.rowCount(); ++row) {
        FUZZ_CHECK(sheet.rowNumber(row) >= 1 && sheet.rowNumber(row) <= 1048576);
        FUZZ_CHECK(kept.rowNumber(row) == sheet.rowNumber(row));
        const QList<PlacedCell> cells = sheet.cells(row);
        FUZZ_CHECK(cells.size() <= limits.columns);
        for (qsizetype i = 0; i < cells.size(); ++i) {
            FUZZ_CHECK(cells[i].column >= 0 && cells[i].column < limits.columns);
            FUZZ_CHECK(!cells[i].cell.text.isEmpty());
            FUZZ_CHECK(i == 0 || cells[i - 1].column < cells[i].column);
            FUZZ_CHECK(sheet.cell(row, cells[i].column).text == cells[i].cell.text);
            // A kept cell is the cell read whole.
            const Cell k = kept.cell(row, cells[i].column);
            FUZZ_CHECK(k.text.isEmpty() ||
                       (k.text == cells[i].cell.text && k.numeric == cells[i].cell.numeric));
        }
        FUZZ_CHECK(kept.cellCount(row) <= cells.size());
    }
    // The questions, notes and errors of both sheets are the same.
    std::optional<Catalogue> whole, fromKept;
    QString error, keptError;
    try {
        whole = readCatalogue(sheet, QStringLiteral("fuzz.xlsx"));
    } catch (const Error& e) {
        error = e.message();
    }
    try {
        fromKept = readCatalogue(kept, QStringLiteral("fuzz.xlsx"));
    } catch (const Error& e) {
        keptError = e.message();
    }
    FUZZ_CHECK(error == keptError);
    if (!whole)
        return 0;
    const Catalogue& c = *whole;
    FUZZ_CHECK(fromKept->questions.size() == c.questions.size() && fromKept->rows == c.rows);
    FUZZ_CHECK(fromKept->notes.size() == c.notes.size());
    for (qsizetype i = 0; i < c.questions.size(); ++i) {
        const Question &q = c.questions[i], &k = fromKept->questions[i];
        FUZZ_CHECK(k.number == q.number && k.text == q.text && k.answer == q.answer && k.a == q.a &&
                   k.media == q.media && k.categories == q.categories && k.points == q.points &&
                   k.en == q.en && k.row == q.row);
    }
    for (qsizetype i = 0; i < c.notes.size(); ++i)
        FUZZ_CHECK(fromKept->notes[i].detail == c.notes[i].detail &&
                   fromKept->notes[i].row == c.notes[i].row);
    for (const Question& q : c.questions) {
        FUZZ_CHECK(q.number >= 1);
        FUZZ_CHECK(!q.text.isEmpty());
        FUZZ_CHECK(!q.categories.isEmpty());
        FUZZ_CHECK(q.media.isEmpty() || plainFileName(q.media));
        FUZZ_CHECK(q.points >= 0 && q.points <= 3);
        if (q.part == Part::Basic)
            FUZZ_CHECK((q.answer == u"T" || q.answer == u"N") && q.a.isEmpty() && q.b.isEmpty() &&
                       q.c.isEmpty());
        else
            FUZZ_CHECK((q.answer == u"A" || q.answer == u"B" || q.answer == u"C") &&
                       !q.a.isEmpty() && !q.b.isEmpty() && !q.c.isEmpty());
        for (const QString& t : {q.text, q.a, q.b, q.c, q.media, q.en})
            for (const QChar ch : t)
                FUZZ_CHECK(ch.unicode() >= 32); // one line of a bank file
    }
    return 0;
}
