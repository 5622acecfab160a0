// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace wirtal {

// Every file the program reads from the program folder or the user data folder (bank files,
// statistics files, revision lists, the report template, pictures) is read through here: only a
// regular file is opened, the open never blocks (a FIFO or a device in place of a file is
// refused, also one swapped in between the check and the open), and a file larger than the
// limit is refused before anything of it is read.

// The largest file read whole: a real bank file is under 1 MB.
constexpr qint64 maxReadBytes = qint64(64) << 20;

enum class FileProblem {
    None,
    Missing,    // nothing at the path
    NotRegular, // a folder, FIFO, socket or device
    TooLarge,   // more than the limit
    Unreadable, // exists but cannot be opened or read (permissions, I/O error)
};

struct FileRead {
    FileProblem problem = FileProblem::None;
    QByteArray bytes; // the whole file when problem is None
    QString message;  // a Polish message naming the file when problem is not None
};

// Reads a whole regular file of at most `limit` (>= 0) bytes; never throws.
FileRead tryReadRegularFile(const QString& path, qint64 limit = maxReadBytes);
// The same; throws Error with the message on any problem.
QByteArray readRegularFile(const QString& path, qint64 limit = maxReadBytes);

// Checks, without reading it and without blocking, that the path is a regular file that can be
// opened for reading (for files handed over to another reader, such as a film to the player).
// Size is not bounded (limit < 0) unless a limit is given.
FileRead checkRegularFile(const QString& path, qint64 limit = -1);

// A file name from a bank record or a catalogue joined to a folder (which ends in a separator)
// by plain concatenation, as long as the result stays inside: nullopt when the name has a ".."
// part (either separator counts) or a drive letter, or names an existing file whose canonical
// path (symbolic links resolved) lies outside the canonical paths of both `folder` and
// `boundary`. A name that names nothing yet is judged by its text alone. A leading separator
// stays inside ("filmy/" + "/a.jpg").
std::optional<QString> joinInside(const QString& folder, const QString& name,
                                  const QString& boundary = {});

} // namespace wirtal
