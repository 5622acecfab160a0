// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/sheet.h"

#include <QStringEncoder>

#include <algorithm>
#include <limits>

namespace wirtal::catalogue {

TextTable::TextTable(const QStringList& texts) {
    for (const QString& t : texts)
        append(t);
}

QString TextTable::at(qsizetype i) const {
    const quint32 from = start(i);
    return QString::fromUtf8(utf8_.constData() + from, qsizetype(ends_[i] - from));
}

bool TextTable::append(QStringView text) {
    const qsizetype at = utf8_.size();
    // UTF-8 takes at most three bytes for a UTF-16 unit.
    const qsizetype most = at + text.size() * 3;
    if (most > qsizetype(std::numeric_limits<quint32>::max()))
        return false;
    utf8_.resize(most);
    // Stateless: a lone surrogate at the end of one text never reaches into the next.
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    char* end = encoder.appendToBuffer(utf8_.data() + at, text);
    utf8_.truncate(end - utf8_.constData());
    ends_.append(quint32(utf8_.size()));
    return true;
}

void TextTable::squeeze() {
    utf8_.squeeze();
    ends_.squeeze();
}

QStringList TextTable::toList() const {
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out << at(i);
    return out;
}

Sheet::Sheet(TextTable shared) : shared_(std::move(shared)) {}

const Sheet::Entry* Sheet::find(qsizetype row, int column) const {
    const Row& r = rows_[row];
    const Entry* begin = cells_.constData() + r.first;
    const Entry* end = begin + r.count;
    const Entry* it = std::lower_bound(begin, end, column,
                                       [](const Entry& e, int col) { return e.column < col; });
    return it != end && it->column == column ? it : nullptr;
}

Cell Sheet::cellOf(const Entry& e) const {
    if (e.kind == Kind::Shared)
        return Cell{shared_.at(e.text), false};
    return Cell{own_.at(e.text), e.kind == Kind::Number};
}

Cell Sheet::cell(qsizetype row, int column) const {
    const Entry* e = find(row, column);
    return e ? cellOf(*e) : Cell{};
}

QList<PlacedCell> Sheet::cells(qsizetype row) const {
    const Row& r = rows_[row];
    QList<PlacedCell> out;
    out.reserve(r.count);
    for (qsizetype i = r.first; i < r.first + r.count; ++i)
        out << PlacedCell{cells_[i].column, cellOf(cells_[i])};
    return out;
}

void Sheet::addRow(qint64 number) {
    rows_.append(Row{number, cells_.size(), 0});
}

bool Sheet::setCell(int column, QStringView text, bool numeric) {
    if (text.isEmpty()) {
        put(column, Entry{}, true);
        return true;
    }
    if (!own_.append(text))
        return false;
    put(column,
        Entry{quint16(column), numeric ? Kind::Number : Kind::Text, quint32(own_.size() - 1)},
        false);
    return true;
}

void Sheet::setSharedCell(int column, qsizetype index) {
    put(column, Entry{quint16(column), Kind::Shared, quint32(index)}, shared_.isEmptyAt(index));
}

void Sheet::put(int column, Entry entry, bool empty) {
    // The last row's cells are the last of cells_; files write them left to right, so the common
    // case appends.
    Row& r = rows_.last();
    if (r.count == 0 || cells_.last().column < column) {
        if (!empty) {
            cells_.append(entry);
            ++r.count;
        }
        return;
    }
    const auto begin = cells_.begin() + r.first;
    const auto it = std::lower_bound(begin, cells_.end(), column,
                                     [](const Entry& e, int col) { return e.column < col; });
    const bool there = it != cells_.end() && it->column == column;
    if (empty) {
        if (there) {
            cells_.erase(it);
            --r.count;
        }
    } else if (there) {
        *it = entry;
    } else {
        cells_.insert(it, entry);
        ++r.count;
    }
}

void Sheet::squeeze() {
    cells_.squeeze();
    rows_.squeeze();
    own_.squeeze();
    // Shared strings no kept cell refers to (all of them in a sheet made to fill memory) go.
    constexpr quint32 unused = std::numeric_limits<quint32>::max();
    QList<quint32> renumbered(shared_.size(), unused);
    qsizetype used = 0;
    for (const Entry& e : std::as_const(cells_))
        if (e.kind == Kind::Shared && renumbered[e.text] == unused)
            renumbered[e.text] = quint32(used++);
    if (used * 2 > shared_.size()) {
        shared_.squeeze();
        return;
    }
    QList<qsizetype> byNew(used);
    for (qsizetype i = 0; i < renumbered.size(); ++i)
        if (renumbered[i] != unused)
            byNew[renumbered[i]] = i;
    TextTable kept;
    for (const qsizetype old : std::as_const(byNew))
        kept.append(shared_.at(old)); // cannot fail: the table only gets smaller
    kept.squeeze();
    for (Entry& e : cells_)
        if (e.kind == Kind::Shared)
            e.text = renumbered[e.text];
    shared_ = std::move(kept);
}

} // namespace wirtal::catalogue
