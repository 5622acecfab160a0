// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading the first sheet of an .xlsx workbook (the official question catalogue). The workbook is
// hostile input: the zip and the XML are bounded by XlsxLimits, only the four entries needed are
// read (workbook, its relationships, the shared strings, the first sheet), and nothing from the
// zip ever reaches the disk.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

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
    int columns = 512;          // a cell further right is refused
    qint64 strings = 2000000;   // shared strings
    qint64 stringChars = 32767; // characters of one string (a spreadsheet cell's own limit)
};

struct Cell {
    QString text;
    bool numeric = false; // a number cell (text is the stored number, "99" or "99.0" or "9.9E1")
};

struct PlacedCell {
    int column = 0; // A = 0
    Cell cell;
};

// A row holds only the cells the file gives a value: memory follows the data, not the sheet's
// extent (one cell far to the right costs one cell, not the columns before it).
struct SheetRow {
    qint64 number = 0;       // the row number of the sheet, from 1
    QList<PlacedCell> cells; // by ascending column, no column twice, no empty text
    // The cell of a column; an empty cell when the row has none there.
    const Cell& at(int column) const;
    // Puts a cell in its column (an empty one removes what the column held).
    void set(int column, Cell cell);
};

struct Sheet {
    QList<SheetRow> rows; // in the order of the file
};

// How far the reading is: the step's Polish name and done of total (bytes or characters of the
// part). Called every few thousand XML tokens and every megabyte unpacked, so a callback that
// throws (a cancel) stops the reading after a bounded amount of work whatever the sheet's shape.
using ReadProgress = std::function<void(const QString& step, qint64 done, qint64 total)>;

// The XML parts. Each throws Error with a message that names the part (`part`) and the problem.
QStringList parseSharedStrings(const QByteArray& xml, const XlsxLimits& limits,
                               const QString& part = QStringLiteral("xl/sharedStrings.xml"),
                               const ReadProgress& progress = {});
Sheet parseSheet(const QByteArray& xml, const QStringList& shared, const XlsxLimits& limits,
                 const QString& part = QStringLiteral("xl/worksheets/sheet1.xml"),
                 const ReadProgress& progress = {});

// The entries of the first sheet and of the shared strings (empty when the workbook has none),
// from xl/workbook.xml and xl/_rels/workbook.xml.rels, as zip entry names.
struct WorkbookParts {
    QString sheet;
    QString sharedStrings;
};
WorkbookParts workbookParts(const QByteArray& workbookXml, const QByteArray& relsXml,
                            const XlsxLimits& limits);

// The first sheet of a workbook held in memory; errors name `fileName`.
Sheet readFirstSheet(const QByteArray& xlsx, const QString& fileName, const XlsxLimits& limits = {},
                     const ReadProgress& progress = {});
// The same from a file (a regular file only, at most limits.fileBytes).
Sheet readFirstSheetFile(const QString& path, const XlsxLimits& limits = {},
                         const ReadProgress& progress = {});

// A number cell's text as a whole number ("99", "99.0", "9.9E1"); false when it is none.
bool wholeNumber(const QString& text, qint64* value);

} // namespace wirtal::catalogue
