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

struct SheetRow {
    qint64 number = 0; // the row number of the sheet, from 1
    QList<Cell> cells; // by column, A = 0; missing cells are empty
    const Cell& at(int column) const;
};

struct Sheet {
    QList<SheetRow> rows; // in the order of the file
};

// The XML parts. Each throws Error with a message that names the part (`part`) and the problem.
QStringList parseSharedStrings(const QByteArray& xml, const XlsxLimits& limits,
                               const QString& part = QStringLiteral("xl/sharedStrings.xml"));
Sheet parseSheet(const QByteArray& xml, const QStringList& shared, const XlsxLimits& limits,
                 const QString& part = QStringLiteral("xl/worksheets/sheet1.xml"));

// The entries of the first sheet and of the shared strings (empty when the workbook has none),
// from xl/workbook.xml and xl/_rels/workbook.xml.rels, as zip entry names.
struct WorkbookParts {
    QString sheet;
    QString sharedStrings;
};
WorkbookParts workbookParts(const QByteArray& workbookXml, const QByteArray& relsXml,
                            const XlsxLimits& limits);

// The first sheet of a workbook held in memory; errors name `fileName`.
Sheet readFirstSheet(const QByteArray& xlsx, const QString& fileName,
                     const XlsxLimits& limits = {});
// The same from a file (a regular file only, at most limits.fileBytes).
Sheet readFirstSheetFile(const QString& path, const XlsxLimits& limits = {});

// A number cell's text as a whole number ("99", "99.0", "9.9E1"); false when it is none.
bool wholeNumber(const QString& text, qint64* value);

} // namespace wirtal::catalogue
