// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A sheet as the catalogue reader keeps it in memory. Memory follows the data the import uses,
// not the sheet's extent: a row holds only the cells the file gives a value, a cell is eight bytes
// that point into a text table, and a text table is one UTF-8 buffer with the end of each text (a
// text costs its bytes and four more, not a string object of its own).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace wirtal::catalogue {

// Texts in the order they were added, in one UTF-8 buffer.
class TextTable {
public:
    TextTable() = default;
    explicit TextTable(const QStringList& texts);

    qsizetype size() const { return ends_.size(); }
    QString at(qsizetype i) const;
    bool isEmptyAt(qsizetype i) const { return start(i) == ends_[i]; }
    // Adds a text at index size(); false (nothing added) when the buffer would pass 4 GB.
    bool append(QStringView text);
    // Gives back the room kept for growth.
    void squeeze();
    QStringList toList() const;

private:
    quint32 start(qsizetype i) const { return i == 0 ? 0 : ends_[i - 1]; }
    QByteArray utf8_;
    QList<quint32> ends_;
};

struct Cell {
    QString text;
    bool numeric = false; // a number cell (text is the stored number, "99" or "99.0" or "9.9E1")
};

struct PlacedCell {
    int column = 0; // A = 0
    Cell cell;
};

class Sheet {
public:
    Sheet() = default;
    // A sheet whose cells may refer to the texts of `shared` (the workbook's shared strings).
    explicit Sheet(TextTable shared);

    qsizetype rowCount() const { return rows_.size(); }
    qint64 rowNumber(qsizetype row) const { return rows_[row].number; }
    // The row's cells by ascending column, no column twice, none with an empty text.
    QList<PlacedCell> cells(qsizetype row) const;
    qsizetype cellCount(qsizetype row) const { return rows_[row].count; }
    // The cell of a row's column; an empty cell when the row has none there.
    Cell cell(qsizetype row, int column) const;

    // Building, as the reader does: a row after the last one, then cells into it. A cell put in a
    // column twice keeps the later one; an empty text removes what the column held. Each returns
    // false, changing nothing, when the sheet's own texts would pass 4 GB.
    void addRow(qint64 number);
    bool setCell(int column, QStringView text, bool numeric);
    // A cell holding shared string `index` (which must be below shared().size()).
    void setSharedCell(int column, qsizetype index);
    const TextTable& shared() const { return shared_; }
    // Gives back the room kept for growth and the shared strings no cell refers to.
    void squeeze();

private:
    enum class Kind : quint8 { Shared, Text, Number };
    struct Entry {
        quint16 column;
        Kind kind;
        quint32 text; // index into shared_ (Shared) or own_
    };
    struct Row {
        qint64 number;
        qsizetype first; // index of the row's first cell in cells_
        qsizetype count;
    };
    void put(int column, Entry entry, bool empty);
    const Entry* find(qsizetype row, int column) const;
    Cell cellOf(const Entry& e) const;

    TextTable shared_, own_;
    QList<Row> rows_;
    QList<Entry> cells_;
};

} // namespace wirtal::catalogue
