// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/filereader.h"

#include "platform/error.h"
#include "platform/scopedfd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wirtal {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString limitText(qint64 limit) {
    if (limit >= (qint64(1) << 20) && limit % (qint64(1) << 20) == 0)
        return QStringLiteral("%1 MB").arg(limit >> 20);
    return QStringLiteral("%1 B").arg(limit);
}

FileRead failed(FileProblem problem, const QString& path, qint64 limit) {
    FileRead r;
    r.problem = problem;
    switch (problem) {
    case FileProblem::Missing:
        r.message = QStringLiteral("Nie można otworzyć pliku „%1”.");
        break;
    case FileProblem::NotRegular:
        r.message = QStringLiteral("Nie można otworzyć pliku „%1”: to nie jest zwykły plik.");
        break;
    case FileProblem::TooLarge:
        r.message = QStringLiteral("Plik „%1” jest za duży (ponad %2) i nie został wczytany.")
                        .arg(QStringLiteral("%1"), limitText(limit));
        break;
    case FileProblem::Unreadable:
        r.message = QStringLiteral("Nie można odczytać pliku „%1”.");
        break;
    case FileProblem::None:
        break;
    }
    r.message = r.message.arg(shown(path));
    return r;
}

#ifdef Q_OS_UNIX

using Fd = ScopedFd;

// Opens without blocking and checks the descriptor itself, so a FIFO put in place of the file
// after any earlier check cannot block either.
FileRead openRegular(const QString& path, qint64 limit, Fd& out) {
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty())
        return failed(FileProblem::Missing, path, limit);
    int fd = -1;
    do
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        switch (errno) {
        case ENOENT:
        case ENOTDIR:
            return failed(FileProblem::Missing, path, limit);
        case ENXIO: // a socket, or a device without its driver
        case ENODEV:
            return failed(FileProblem::NotRegular, path, limit);
        default:
            return failed(FileProblem::Unreadable, path, limit);
        }
    }
    out.fd = fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return failed(FileProblem::Unreadable, path, limit);
    if (!S_ISREG(st.st_mode))
        return failed(FileProblem::NotRegular, path, limit);
    if (limit >= 0 && qint64(st.st_size) > limit)
        return failed(FileProblem::TooLarge, path, limit);
    FileRead r;
    r.bytes.reserve(qsizetype(st.st_size));
    return r;
}

FileRead readAllBounded(const QString& path, qint64 limit) {
    Fd fd;
    FileRead r = openRegular(path, limit, fd);
    if (r.problem != FileProblem::None)
        return r;
    // The file may grow after fstat: read at most one byte past the limit to tell.
    constexpr qint64 chunk = 1 << 16;
    qint64 total = 0;
    for (;;) {
        const qint64 want = std::min(chunk, limit + 1 - total);
        if (want <= 0)
            return failed(FileProblem::TooLarge, path, limit);
        r.bytes.resize(qsizetype(total + want));
        const ssize_t got = ::read(fd.fd, r.bytes.data() + total, std::size_t(want));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failed(FileProblem::Unreadable, path, limit);
        }
        total += got;
        r.bytes.resize(qsizetype(total));
        if (got == 0)
            return r;
    }
}

#else

FileRead checkInfo(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return failed(FileProblem::Missing, path, limit);
    if (!info.isFile())
        return failed(FileProblem::NotRegular, path, limit);
    if (limit >= 0 && info.size() > limit)
        return failed(FileProblem::TooLarge, path, limit);
    return {};
}

FileRead readAllBounded(const QString& path, qint64 limit) {
    FileRead r = checkInfo(path, limit);
    if (r.problem != FileProblem::None)
        return r;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return failed(FileProblem::Unreadable, path, limit);
    r.bytes = f.read(limit + 1);
    if (f.error() != QFileDevice::NoError)
        return failed(FileProblem::Unreadable, path, limit);
    if (r.bytes.size() > limit)
        return failed(FileProblem::TooLarge, path, limit);
    return r;
}

#endif

} // namespace

FileRead tryReadRegularFile(const QString& path, qint64 limit) {
    return readAllBounded(path, limit);
}

QByteArray readRegularFile(const QString& path, qint64 limit) {
    FileRead r = readAllBounded(path, limit);
    if (r.problem != FileProblem::None)
        throw Error(r.message);
    return std::move(r.bytes);
}

FileRead checkRegularFile(const QString& path, qint64 limit) {
#ifdef Q_OS_UNIX
    Fd fd;
    FileRead r = openRegular(path, limit, fd);
    r.bytes = QByteArray();
    return r;
#else
    FileRead r = checkInfo(path, limit);
    if (r.problem == FileProblem::None && !QFile(path).open(QIODevice::ReadOnly))
        return failed(FileProblem::Unreadable, path, limit);
    return r;
#endif
}

namespace {
bool under(const QString& canonicalPath, const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty())
        return false;
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    if (canonicalPath.compare(root, cs) == 0)
        return true;
    const QString prefix = root.endsWith(u'/') ? root : root + u'/';
    return canonicalPath.startsWith(prefix, cs);
}
} // namespace

std::optional<QString> joinInside(const QString& folder, const QString& name,
                                  const QString& boundary) {
    // Joined as written, a leading separator stays inside the folder ("filmy//a.jpg"); a drive
    // letter never names a file in it.
    if (name.size() >= 2 && name[1] == u':' && name[0].isLetter())
        return std::nullopt;
    for (const QString& part : QString(name).replace(u'\\', u'/').split(u'/'))
        if (part == u"..")
            return std::nullopt;
    const QString joined = folder + name;
    const QFileInfo info(joined);
    if (!info.exists())
        return joined; // nothing to follow: nothing is read through it
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || !(under(canonical, folder) || under(canonical, boundary)))
        return std::nullopt;
    return joined;
}

} // namespace wirtal
