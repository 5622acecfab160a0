// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace wirtal {

// Writes a file whole or not at all, through QSaveFile, with every byte checked before the new
// file takes the old one's place. QSaveFile::commit() alone misses a short write at its final
// flush (a disk that fills up part way): it then puts the cut file in place of the old one.
// Returns false, leaving the old file as it was, and sets *why (when given) to the reason.
bool saveWhole(const QString& path, const QByteArray& bytes, QString* why = nullptr);

} // namespace wirtal
