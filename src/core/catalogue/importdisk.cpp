// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/importdisk.h"

#include "platform/scopedfd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wirtal::catalogue {

namespace {

#ifdef Q_OS_UNIX

using Fd = ScopedFd;

int openRetrying(const QString& path, int flags, mode_t mode = 0) {
    const QByteArray native = QFile::encodeName(path);
    int fd = -1;
    do
        fd = ::open(native.constData(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Writes all of `size` bytes; 0 or errno.
int writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        data += n;
        size -= n;
    }
    return 0;
}

// Fills `fd` from `read` (the bytes it gave, 0 at the end, or -errno), a buffer at a time, with
// `tick` called before each read; 0 or errno, and `readFailed` set when reading failed.
int pump(int fd, QByteArray& buffer, const std::function<qint64(char*, qint64)>& read,
         const std::function<void()>& tick, bool& readFailed) {
    for (;;) {
        if (tick)
            tick();
        const qint64 n = read(buffer.data(), buffer.size());
        if (n < 0) {
            readFailed = true;
            return int(-n);
        }
        if (n == 0)
            return 0;
        if (const int error = writeAll(fd, buffer.constData(), n))
            return error;
    }
}

// A new file at `to` filled by `fill` (given the descriptor); the file goes again when filling or
// closing fails. 0 or errno.
int newFile(const QString& to, const std::function<int(int)>& fill) {
    const int fd = openRetrying(to, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0644);
    if (fd < 0)
        return errno;
    int error = 0;
    try {
        error = fill(fd);
    } catch (...) {
        ::close(fd);
        ::unlink(QFile::encodeName(to).constData());
        throw;
    }
    // A disk that fills up at the last write may say so only here.
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error != 0)
        ::unlink(QFile::encodeName(to).constData());
    return error;
}

#endif

} // namespace

bool linkable(unsigned owner, unsigned mode, unsigned self) {
#ifdef Q_OS_UNIX
    return owner == self && (mode & (S_IWGRP | S_IWOTH)) == 0;
#else
    (void)owner;
    (void)mode;
    (void)self;
    return true;
#endif
}

qint64 bytesToCopy(const QString& from, const QString& folder) {
#ifdef Q_OS_UNIX
    struct stat source {
    }, into{};
    if (::lstat(QFile::encodeName(from).constData(), &source) != 0 || !S_ISREG(source.st_mode))
        return 0;
    if (::stat(QFile::encodeName(folder).constData(), &into) == 0 && into.st_dev == source.st_dev &&
        linkable(source.st_uid, source.st_mode, ::geteuid()))
        return 0;
    return qint64(source.st_size);
#else
    (void)folder;
    return QFileInfo(from).size();
#endif
}

#ifdef Q_OS_UNIX

int ImportDisk::makeFolder(const QString& path) {
    return ::mkdir(QFile::encodeName(path).constData(), 0755) == 0 ? 0 : errno;
}

int ImportDisk::writeFile(const QString& path, const QByteArray& bytes) {
    return newFile(path, [&](int fd) { return writeAll(fd, bytes.constData(), bytes.size()); });
}

Placed ImportDisk::placeFile(const QString& from, const QString& to,
                             const std::function<void()>& tick) {
    Placed placed;
    // The decision is made on the open file itself: a file swapped in after the folder was listed
    // is judged as what it is.
    Fd source{openRetrying(from, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY)};
    struct stat st {};
    if (source.fd < 0 || ::fstat(source.fd, &st) != 0) {
        placed.error = errno;
        placed.ofSource = true;
        return placed;
    }
    if (!S_ISREG(st.st_mode)) {
        placed.error = EINVAL;
        placed.ofSource = true;
        return placed;
    }
    if (linkable(st.st_uid, st.st_mode, ::geteuid())) {
#ifdef Q_OS_LINUX
        // Links the open file, not whatever the name leads to now.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(source.fd);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(to).constData(),
                     AT_SYMLINK_FOLLOW) == 0) {
#else
        if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0) {
#endif
            placed.linked = true;
            return placed;
        }
        // Another file system, or one without hard links: this one file is copied.
    }
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    bool readFailed = false;
    const auto readSource = [&source](char* data, qint64 size) -> qint64 {
        for (;;) {
            const ssize_t n = ::read(source.fd, data, size_t(size));
            if (n >= 0 || errno != EINTR)
                return n < 0 ? -qint64(errno) : qint64(n);
        }
    };
    placed.error =
        newFile(to, [&](int fd) { return pump(fd, buffer, readSource, tick, readFailed); });
    placed.ofSource = readFailed;
    return placed;
}

Placed ImportDisk::writeFrom(const QString& to, const std::function<qint64(char*, qint64)>& read,
                             const std::function<void()>& tick) {
    Placed placed;
    // One buffer for the thousands of members of an archive, not one each.
    thread_local QByteArray buffer(1 << 20, Qt::Uninitialized);
    bool readFailed = false;
    // The reader says only that it failed: an input/output error of the source.
    const auto readMember = [&read](char* data, qint64 size) -> qint64 {
        const qint64 n = read(data, size);
        return n < 0 ? -qint64(EIO) : n;
    };
    placed.error =
        newFile(to, [&](int fd) { return pump(fd, buffer, readMember, tick, readFailed); });
    placed.ofSource = readFailed;
    return placed;
}

void ImportDisk::flush(const QString& folder) {
#ifdef Q_OS_LINUX
    Fd dir{openRetrying(folder, O_RDONLY | O_DIRECTORY)};
    if (dir.fd >= 0)
        ::syncfs(dir.fd);
#else
    (void)folder;
    ::sync();
#endif
}

#else

int ImportDisk::makeFolder(const QString& path) {
    if (QFileInfo::exists(path))
        return EEXIST;
    return QDir().mkdir(path) ? 0 : EACCES;
}

int ImportDisk::writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::NewOnly))
        return EACCES;
    const bool ok = f.write(bytes) == bytes.size() && f.flush();
    f.close();
    if (!ok)
        f.remove();
    return ok ? 0 : ENOSPC;
}

Placed ImportDisk::placeFile(const QString& from, const QString& to,
                             const std::function<void()>& tick) {
    Placed placed;
    if (tick)
        tick();
    const QFileInfo info(from);
    if (info.isSymLink() || !info.isFile()) {
        placed.error = EINVAL;
        placed.ofSource = true;
        return placed;
    }
    if (!QFile::copy(from, to))
        placed.error = ENOSPC;
    return placed;
}

Placed ImportDisk::writeFrom(const QString& to, const std::function<qint64(char*, qint64)>& read,
                             const std::function<void()>& tick) {
    Placed placed;
    QFile out(to);
    if (out.exists() || !out.open(QIODevice::WriteOnly)) {
        placed.error = out.exists() ? EEXIST : EACCES;
        return placed;
    }
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        if (tick)
            tick();
        const qint64 n = read(buffer.data(), buffer.size());
        if (n < 0 || (n > 0 && out.write(buffer.constData(), n) != n)) {
            placed.error = n < 0 ? EIO : ENOSPC;
            placed.ofSource = n < 0;
            out.remove();
            return placed;
        }
        if (n == 0)
            return placed;
    }
}

void ImportDisk::flush(const QString&) {}

#endif

qint64 ImportDisk::freeBytes(const QString& folder) {
    const QStorageInfo storage(folder);
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

QString sizeText(qint64 bytes) {
    const QLocale pl(QLocale::Polish, QLocale::Poland);
    if (bytes < 1024)
        return QStringLiteral("%1 B").arg(bytes);
    if (bytes < (qint64(1) << 30))
        return QStringLiteral("%1 MB").arg(pl.toString(double(bytes) / (1 << 20), 'f', 1));
    return QStringLiteral("%1 GB").arg(pl.toString(double(bytes) / (1 << 30), 'f', 1));
}

QString importFailure(int error, const QString& target, qint64 needed, qint64 free) {
    const QString folder = QDir::toNativeSeparators(target);
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    {
        QString text = QStringLiteral("brak miejsca na dysku dla folderu programu %1").arg(folder);
        if (needed >= 0 && free >= 0)
            text += QStringLiteral(": import potrzebuje około %1, wolne jest %2")
                        .arg(sizeText(needed), sizeText(free));
        else if (needed >= 0)
            text += QStringLiteral(": import potrzebuje około %1").arg(sizeText(needed));
        return text + QStringLiteral("; zwolnij miejsce i spróbuj ponownie");
    }
    case EROFS:
        return QStringLiteral("folder programu %1 leży na dysku tylko do odczytu").arg(folder);
    case EACCES:
    case EPERM:
        return QStringLiteral("brak uprawnień do zapisu przy folderze programu %1 (w folderze %2)")
            .arg(folder, QDir::toNativeSeparators(QFileInfo(target).absolutePath()));
    case EIO:
        return QStringLiteral("błąd odczytu lub zapisu dysku przy folderze programu %1")
            .arg(folder);
    default:
        return QStringLiteral("nie można zapisać folderu programu %1 (błąd systemu nr %2)")
            .arg(folder)
            .arg(error);
    }
}

std::filesystem::path fsPath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace wirtal::catalogue
