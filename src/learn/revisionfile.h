// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace wirtal {

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

} // namespace wirtal
