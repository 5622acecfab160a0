// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace wirtal {

struct CategoryBank;

// The revision-list file of a category in the user data folder: "repeat-" + the category's code in
// lower case + ".txt", one question number per line in decimal, every line ending with CR LF, in
// list order.

// "repeat-b.txt" for "B"; empty for a code that names no category.
QString revisionFileFor(const QString& categoryCode);

// The entries of the lines of a revision-list file: lines that are not decimal numbers (blanks
// around the digits are allowed) are left out, every other line is kept in order, written
// without leading zeros.
QStringList revisionEntries(const QStringList& lines);

// The entries of a revision-list file; a missing file gives an empty list. Throws Error naming
// the file when it exists but cannot be read.
QStringList loadRevisionFile(const QString& path);

// The bytes of a revision-list file: every entry followed by CR LF.
QByteArray revisionFileBytes(const QStringList& entries);

// Writes the list whole (creating the file when it is missing); throws Error naming the file
// when it cannot be written.
void saveRevisionFile(const QString& path, const QStringList& entries);

// A category's revision list as the bank of the program folder keeps it (BankIdentity): the file
// "repeat-b.txt" of a classic bank, holding our numbers, or "katalog-repeat-b.txt" of a catalogue,
// holding official numbers. It stays bound to the file and the bank it was loaded from, so that
// numbers shown before the program folder changed (a re-import) are saved as what they were, and
// it keeps the official numbers the edition it was loaded with does not hold, for a later one.
class StoredRevisionList {
public:
    StoredRevisionList() = default;
    // The list of the category in the program folder now; no file (and nothing saved) for a code
    // that names no category. Throws Error as loadRevisionFile, and as layout::of for a category
    // the catalogue folder cannot give.
    static StoredRevisionList load(const QString& categoryCode);

    // Our numbers of the entries the bank holds, in file order.
    const QStringList& numbers() const { return numbers_; }
    // The stored entries the bank does not hold (official numbers another edition has).
    const QStringList& kept() const { return kept_; }
    // Drops the kept entries as well ("Usuń wszystkie").
    void forgetKept() { kept_.clear(); }
    // Writes our numbers of the bank it was loaded from as that bank stores them, then the kept
    // entries, into the file it was loaded from. Throws Error as saveRevisionFile.
    void save(const QStringList& numbers) const;

private:
    QString path_;
    std::shared_ptr<const CategoryBank> bank_; // a catalogue's; null for a classic bank
    QStringList numbers_, kept_;
};

} // namespace wirtal
