// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The header row of a catalogue sheet: which column holds what, found by the meaning of each
// header whatever spelling the edition gives it.

#include "catalogue/sheet.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace wirtal::catalogue {

// The columns the import reads. A header is recognised by what it means, not by one spelling
// (see columnOf): editions write "Lp." and "Lp", "Pytanie ENG", "Pytanie [ENG]" and "Pytanie
// [EN]".
enum Column {
    Number,
    Text,
    OptionA,
    OptionB,
    OptionC,
    Answer,
    Media,
    PartColumn,
    Categories,
    Points,
    TextEn,
    OptionAEn,
    OptionBEn,
    OptionCEn,
    TextDe,
    OptionADe,
    OptionBDe,
    OptionCDe,
    TextUa,
    OptionAUa,
    OptionBUa,
    OptionCUa,
    SignText,
    SignA,
    SignB,
    SignC,
    ColumnCount
};

struct Header {
    qint64 row = -1; // index of the sheet's row
    int columns[ColumnCount];
    QList<int> extra;         // columns with a header the import does not read
    QStringList extraHeaders; // their headers, as written
};

// The rows where the header is looked for.
constexpr qsizetype headerRows = 20;
// The columns the import does not read that are kept (the editions have a few): a sheet that
// names hundreds would otherwise keep every cell.
constexpr qsizetype maxExtraColumns = 32;

// The column a header names; none for a column the import does not read.
std::optional<Column> columnOf(const QString& header);
// A row read as the header: the columns it names, how many of the required ones, and which
// required ones it lacks.
Header headerOf(const Sheet& sheet, qsizetype row, int* found, QStringList* absent);
// The first of the top rows that names every required column; its columns. Else none, and
// `missing` names the required columns the best row lacks.
std::optional<Header> findHeader(const Sheet& sheet, QStringList* missing);

// A text of the sheet as one bank field: line breaks and other control characters become
// blanks (a bank record is one line), runs of blanks one blank.
QString cleanText(const QString& s);

} // namespace wirtal::catalogue
