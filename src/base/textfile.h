#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace wirtal {

// Text of a file: a byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE; otherwise
// Windows-1250. A NUL character ends the text.
QString decodeText(const QByteArray& bytes);
// Windows-1250 (our own table, so it works wherever Qt is built without ICU).
QString decodeCp1250(const QByteArray& bytes);
// Windows-1250 bytes of a text; characters without a code become '?' and clear *ok.
QByteArray encodeCp1250(const QString& text, bool* ok = nullptr);
// Lines end with CR LF, LF or CR; a final line without a line end still counts (an empty text
// has no lines).
QStringList splitLines(const QString& text);
// The lines of a file; throws Error naming the file when it is missing, unreadable, not a
// regular file or larger than maxReadBytes (platform/filereader.h).
QStringList loadTextLines(const QString& path);

} // namespace wirtal
