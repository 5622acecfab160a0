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

    QStringList shared{QStringLiteral("Numer pytania"), QStringLiteral("Pytanie")};
    try {
        shared = parseSharedStrings(sharedXml, limits);
        FUZZ_CHECK(shared.size() <= limits.strings);
        for (const QString& s : shared)
            FUZZ_CHECK(s.size() <= limits.stringChars);
    } catch (const Error&) {
    }
    Sheet sheet;
    try {
        sheet = parseSheet(sheetXml, shared, limits);
    } catch (const Error&) {
        return 0;
    }
    FUZZ_CHECK(sheet.rows.size() <= limits.rows);
    for (const SheetRow& r : sheet.rows) {
        FUZZ_CHECK(r.number >= 1 && r.number <= 1048576);
        FUZZ_CHECK(r.cells.size() <= limits.columns);
        for (qsizetype i = 0; i < r.cells.size(); ++i) {
            FUZZ_CHECK(r.cells[i].column >= 0 && r.cells[i].column < limits.columns);
            FUZZ_CHECK(!r.cells[i].cell.text.isEmpty());
            FUZZ_CHECK(i == 0 || r.cells[i - 1].column < r.cells[i].column);
            FUZZ_CHECK(&r.at(r.cells[i].column) == &r.cells[i].cell);
        }
    }
    try {
        const Catalogue c = readCatalogue(sheet, QStringLiteral("fuzz.xlsx"));
        for (const Question& q : c.questions) {
            FUZZ_CHECK(q.number >= 1);
            FUZZ_CHECK(!q.text.isEmpty());
            FUZZ_CHECK(!q.categories.isEmpty());
            FUZZ_CHECK(q.media.isEmpty() || plainFileName(q.media));
            FUZZ_CHECK(q.points >= 0 && q.points <= 3);
            if (q.part == Part::Basic)
                FUZZ_CHECK((q.answer == u"T" || q.answer == u"N") && q.a.isEmpty() &&
                           q.b.isEmpty() && q.c.isEmpty());
            else
                FUZZ_CHECK((q.answer == u"A" || q.answer == u"B" || q.answer == u"C") &&
                           !q.a.isEmpty() && !q.b.isEmpty() && !q.c.isEmpty());
            for (const QString& t : {q.text, q.a, q.b, q.c, q.media, q.en})
                for (const QChar ch : t)
                    FUZZ_CHECK(ch.unicode() >= 32); // one line of a bank file
        }
    } catch (const Error&) {
    }
    return 0;
}
