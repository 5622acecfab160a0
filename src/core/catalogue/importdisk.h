// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where the import writes the new program folder, as a seam: every folder, file, link and copy
// the import makes goes through an ImportDisk, so the tests can put a disk that fills up or turns
// read-only in the real one's place. Each operation gives the system's error number (errno)
// instead of a message: the import says why in Polish and names the learner's folder, never a
// temporary one (importFailure).

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <functional>

namespace wirtal::catalogue {

// What placing one file did.
struct Placed {
    bool linked = false;   // a hard link to the source (else a copy)
    int error = 0;         // 0, or the errno of the failure
    bool ofSource = false; // the error was reading the source, not writing the new folder
};

class ImportDisk {
public:
    virtual ~ImportDisk() = default;

    // A new folder (its parent exists); 0 or errno (EEXIST when something is there).
    virtual int makeFolder(const QString& path);
    // A new file with these bytes; 0 or errno.
    virtual int writeFile(const QString& path, const QByteArray& bytes);
    // Puts the regular file `from` at `to`. A hard link only when the file is the importing
    // user's own and no one else may write it: a link to a file someone else can change would let
    // them change the learner's catalogue. Otherwise, or when linking fails (another file
    // system), a copy, a megabyte at a time with `tick` called between (it may throw to stop).
    // A link, a folder or anything but a regular file at `from` is refused (ofSource, ELOOP or
    // EINVAL).
    virtual Placed placeFile(const QString& from, const QString& to,
                             const std::function<void()>& tick);
    // A new file with the bytes `read` gives (into the buffer, at most `max`; 0 at the end, -1
    // when the source fails: ofSource), a megabyte at a time with `tick` called between (it may
    // throw to stop). Used for a member of a media archive, unpacked straight into the folder.
    virtual Placed writeFrom(const QString& to, const std::function<qint64(char*, qint64)>& read,
                             const std::function<void()>& tick);
    // Bytes free for the user in the folder's file system; -1 when unknown.
    virtual qint64 freeBytes(const QString& folder);
    // Makes what was written under the folder durable before it is switched in.
    virtual void flush(const QString& folder);
};

// Whether a file with this owner and mode may be hard-linked by user `self` (see placeFile).
bool linkable(unsigned owner, unsigned mode, unsigned self);
// What placing `from` in `folder` will take on its disk: nothing when it can be linked there, its
// size when it will be copied (another file system, or not linkable).
qint64 bytesToCopy(const QString& from, const QString& folder);

// Why writing the learner's program folder `target` failed, in Polish: a full disk with how much
// the import needs and how much is free (either < 0 when unknown), a read-only disk, a folder
// without permission, or another error by its number. Names `target`, never the temporary
// folder beside it.
QString importFailure(int error, const QString& target, qint64 needed, qint64 free);

// A size for messages: "512 B", "3,4 MB", "1,2 GB".
QString sizeText(qint64 bytes);

// A path for std::filesystem in the system's own encoding of file names.
std::filesystem::path fsPath(const QString& path);

} // namespace wirtal::catalogue
