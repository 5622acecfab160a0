// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading the first sheet of an .xlsx workbook (the official question catalogue). The workbook is
// hostile input: the zip and the XML are bounded by XlsxLimits, only the four entries needed are
// read (workbook, its relationships, the shared strings, the first sheet), and nothing from the
// zip ever reaches the disk.

#include "catalogue/sheet.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace wirtal::catalogue {

struct XlsxLimits {
    qint64 fileBytes = 64LL << 20;   // the .xlsx file itself
    qint64 entries = 10000;          // entries in the zip's directory
    qint64 entryBytes = 96LL << 20;  // uncompressed size of one entry read
    qint64 totalBytes = 192LL << 20; // uncompressed size of all entries read
    qint64 ratioFloor = 1LL << 20;   // entries smaller than this skip the ratio test
    qint64 ratio = 200;              // uncompressed : compressed
    int depth = 32;                  // XML element nesting
    qint64 rows = 200000;
    qint64 cells = 4000000;
    int columns = 512;          // a cell further right is refused (16,384 at most)
    qint64 strings = 2000000;   // shared strings
    qint64 stringChars = 32767; // characters of one string (a spreadsheet cell's own limit)
};

// Which cells the reader keeps. Until `choose` names the columns, rows are kept whole, and after
// each of the first `wholeRows` rows it is asked with the sheet so far and that row's index; from
// the row after the one it named them at, only cells of those columns are kept (every limit and
// check still applies to the others). A sheet where it named none within `wholeRows` rows keeps no
// cell of later rows. Without `choose` every cell is kept.
struct KeptColumns {
    int wholeRows = 0;
    std::function<std::optional<QList<int>>(const Sheet& sheet, qsizetype row)> choose;
};

// How far the reading is: the step's Polish name and done of total (bytes or characters of the
// part). Called every few thousand XML tokens and every megabyte unpacked, so a callback that
// throws (a cancel) stops the reading after a bounded amount of work whatever the sheet's shape.
using ReadProgress = std::function<void(const QString& step, qint64 done, qint64 total)>;

// The XML parts. Each throws Error with a message that names the part (`part`) and the problem.
TextTable parseSharedStrings(const QByteArray& xml, const XlsxLimits& limits,
                             const QString& part = QStringLiteral("xl/sharedStrings.xml"),
                             const ReadProgress& progress = {});
Sheet parseSheet(const QByteArray& xml, TextTable shared, const XlsxLimits& limits,
                 const QString& part = QStringLiteral("xl/worksheets/sheet1.xml"),
                 const ReadProgress& progress = {}, const KeptColumns& kept = {});

// The entries of the first sheet and of the shared strings (empty when the workbook has none),
// from xl/workbook.xml and xl/_rels/workbook.xml.rels, as zip entry names.
struct WorkbookParts {
    QString sheet;
    QString sharedStrings;
    // Every sheet in the workbook's order (at most maxSheets): its name and entry.
    QList<QPair<QString, QString>> sheets;
};
// Sheets of a workbook past this many are not read.
constexpr qsizetype maxSheets = 16;
WorkbookParts workbookParts(const QByteArray& workbookXml, const QByteArray& relsXml,
                            const XlsxLimits& limits);

// The first sheet of a workbook held in memory; errors name `fileName`.
Sheet readFirstSheet(const QByteArray& xlsx, const QString& fileName, const XlsxLimits& limits = {},
                     const ReadProgress& progress = {}, const KeptColumns& kept = {});
// The same from a file (a regular file only, at most limits.fileBytes).
Sheet readFirstSheetFile(const QString& path, const XlsxLimits& limits = {},
                         const ReadProgress& progress = {}, const KeptColumns& kept = {});

// Every sheet of a workbook file (at most maxSheets), in the workbook's order, each with its name
// and the cells `kept` chooses in it. The limits of the zip hold for them together.
struct NamedSheet {
    QString name;
    Sheet sheet;
};
QList<NamedSheet> readSheetsFile(const QString& path, const XlsxLimits& limits = {},
                                 const ReadProgress& progress = {}, const KeptColumns& kept = {});

// A number cell's text as a whole number ("99", "99.0", "9.9E1"); false when it is none.
bool wholeNumber(const QString& text, qint64* value);

} // namespace wirtal::catalogue
