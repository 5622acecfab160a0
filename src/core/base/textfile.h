// SPDX-License-Identifier: GPL-3.0-or-later

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
//
// The file is seen as it is on disk at every call, but not decoded anew every time: the decoded
// lines of the last few files are kept with the file's stamp (device, inode, size, modification
// and status-change times in ns), and a call whose stat finds the same stamp gets the kept lines.
// An edit in place, a replacement (another inode) or a restored modification time all change the
// stamp: the status-change time cannot be set back. What a stamp cannot see is a second change
// within the same tick of the file system's clock; so lines are kept only when the file's last
// change lies more than racyWindowNs before the read began (a file changed since is read anew
// at every call until it has been quiet that long).
QStringList loadTextLines(const QString& path);

namespace textcache {
constexpr qint64 racyWindowNs = qint64(2) * 1000 * 1000 * 1000; // FAT keeps 2 s
constexpr int maxFiles = 8;
constexpr qint64 maxBytes = qint64(64) << 20; // file bytes kept over all files
// Reads that went to the disk since the start (for tests and benchmarks).
quint64 diskReads();
// Off: every call reads and decodes anew (the benchmarks compare both); on by default.
void setEnabled(bool on);
// The window of the rule above, for tests (a negative value restores the default).
void setRacyWindowForTest(qint64 ns);
void clear();
} // namespace textcache

} // namespace wirtal
