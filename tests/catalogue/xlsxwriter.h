// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Small .xlsx workbooks for the tests, written with libzip: a header row and question rows, each
// cell stored as a shared string, an inline string or a number, as spreadsheet programs do.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace wirtal::test {

struct XCell {
    enum Kind { Shared, Inline, Number };
    QString text;
    Kind kind = Shared;
    XCell(const char* t) : text(QString::fromUtf8(t)) {}
    XCell(QString t, Kind k = Shared) : text(std::move(t)), kind(k) {}
};
using XRow = QList<XCell>;

// The sheet's XML (cells with their references; empty cells left out) and the shared strings.
struct SheetXml {
    QByteArray sheet, sharedStrings;
};
SheetXml sheetXml(const QList<XRow>& rows);

// A zip of the given entries (name, bytes), deflated; a name ending in "/" is a directory entry.
QByteArray zipBytes(const QList<QPair<QString, QByteArray>>& entries);
// The entries of a workbook whose first sheet holds the rows.
QList<QPair<QString, QByteArray>> workbookEntries(const QList<XRow>& rows);
QByteArray xlsxBytes(const QList<XRow>& rows);
bool writeBytes(const QString& path, const QByteArray& bytes);

// A workbook of a given shape, written straight as XML (a list of XRow would be too large): the
// catalogue's header row (when `header`), then `rows` rows of `cellsPerRow` cells from column
// `firstColumn` (A = 0), each a shared string, cycling through `strings` distinct strings of
// `stringChars` characters. The shapes of a hostile sheet: wide, tall, sparse, many strings.
struct SheetShape {
    qint64 rows = 0;
    int cellsPerRow = 1;
    int firstColumn = 0;
    qint64 strings = 1;
    int stringChars = 1;
    bool header = true;
};
QByteArray shapedXlsx(const SheetShape& shape);

// The catalogue's header row in the official order, and a row of it from named values
// ("number", "text", "a", "b", "c", "answer", "media", "part", "categories", "points", "en").
XRow officialHeader();
XRow officialRow(qint64 lp, qint64 number, const QString& text, const QString& answer,
                 const QStringList& options, const QString& media, const QString& part,
                 const QString& categories, const QString& points, const QString& en = {});

} // namespace wirtal::test
