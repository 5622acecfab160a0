// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/folderswap.h"

#include "catalogue/importdisk.h"
#include "platform/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <filesystem>

#ifdef Q_OS_LINUX
#include <cstdio>
#include <fcntl.h>
#endif

namespace wirtal::catalogue {

namespace {

namespace fs = std::filesystem;

bool renamePath(const QString& from, const QString& to) {
    std::error_code ec;
    fs::rename(fsPath(from), fsPath(to), ec);
    return !ec;
}

// Swaps two existing names in one step; false where the system or file system cannot.
bool exchangePaths(const QString& a, const QString& b) {
#if defined(Q_OS_LINUX) && defined(RENAME_EXCHANGE)
    return ::renameat2(AT_FDCWD, QFile::encodeName(a).constData(), AT_FDCWD,
                       QFile::encodeName(b).constData(), RENAME_EXCHANGE) == 0;
#else
    (void)a;
    (void)b;
    return false;
#endif
}

// A folder (not a link) that holds a program folder's bank.
bool programFolder(const QFileInfo& info) {
    if (info.isSymLink() || !info.isDir())
        return false;
    const QDir dir(info.absoluteFilePath());
    return QFileInfo(dir.filePath(QStringLiteral("katalog.ini"))).isFile() ||
           QFileInfo(dir.filePath(QStringLiteral("0wx.dll"))).isFile();
}

// The ".NAME.old-N" folders beside `target`, highest N first.
QList<QPair<int, QFileInfo>> asideFolders(const QString& target) {
    const QFileInfo info(target);
    const QRegularExpression aside(QStringLiteral("^\\.") +
                                   QRegularExpression::escape(info.fileName()) +
                                   QStringLiteral("\\.old-([0-9]{1,9})$"));
    QList<QPair<int, QFileInfo>> out;
    const QFileInfoList entries =
        QDir(info.absolutePath())
            .entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    for (const QFileInfo& e : entries)
        if (const auto m = aside.match(e.fileName()); m.hasMatch())
            out.append({m.captured(1).toInt(), e});
    std::sort(out.begin(), out.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    return out;
}

// A sibling path of `path` that does not exist yet: "/x/.name<tag>N".
QString freeSibling(const QString& path, const QString& tag) {
    const QFileInfo info(path);
    for (int i = 1;; ++i) {
        const QString candidate =
            info.absolutePath() + QStringLiteral("/.") + info.fileName() + tag + QString::number(i);
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

} // namespace

QString makeStagingFolder(ImportDisk& disk, const QString& target, int* error) {
    const QFileInfo info(target);
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString tag;
        for (int i = 0; i < 6; ++i)
            tag += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
        const QString path = info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                             QStringLiteral(".import-") + tag;
        *error = disk.makeFolder(path);
        if (*error == 0)
            return path;
        if (*error != EEXIST)
            return {};
    }
    return {};
}

void switchIn(const QString& staging, const QString& target, QString* warning) {
    const bool replacing = QFileInfo::exists(target);
    QString previous;
    if (replacing && exchangePaths(staging, target)) {
        previous = staging; // the previous folder now has the staging folder's name
    } else {
        if (replacing) {
            previous = freeSibling(target, QStringLiteral(".old-"));
            if (!renamePath(target, previous))
                throw Error(QStringLiteral("nie można odsunąć dotychczasowego folderu programu %1")
                                .arg(QDir::toNativeSeparators(target)));
        }
        if (!renamePath(staging, target)) {
            if (replacing && !renamePath(previous, target))
                throw Error(QStringLiteral("nie można przenieść nowego folderu na miejsce %1; "
                                           "dotychczasowy folder wróci na miejsce przy następnym "
                                           "uruchomieniu programu")
                                .arg(QDir::toNativeSeparators(target)));
            throw Error(QStringLiteral("nie można przenieść nowego folderu na miejsce %1")
                            .arg(QDir::toNativeSeparators(target)));
        }
    }
    if (previous.isEmpty())
        return;
    // std::filesystem::remove_all removes links inside as links, never what they point to.
    std::error_code ec;
    fs::remove_all(fsPath(previous), ec);
    if (ec && warning)
        *warning = QStringLiteral("nie udało się usunąć poprzedniego folderu %1")
                       .arg(QDir::toNativeSeparators(previous));
}

bool restoreInterruptedImport(const QString& target) {
    if (target.isEmpty())
        return false;
    const QString path = QFileInfo(QDir::cleanPath(target)).absoluteFilePath();
    const QFileInfo info(path);
    bool restored = false;
    if (!info.exists() && !info.isSymLink()) {
        for (const auto& [number, aside] : asideFolders(path)) {
            (void)number;
            if (programFolder(aside) && renamePath(aside.absoluteFilePath(), path)) {
                restored = true;
                break;
            }
        }
    }
    if (!programFolder(QFileInfo(path)))
        return restored;
    for (const auto& [number, aside] : asideFolders(path)) {
        (void)number;
        if (aside.isSymLink() || !aside.isDir())
            continue;
        std::error_code ec;
        fs::remove_all(fsPath(aside.absoluteFilePath()), ec);
    }
    return restored;
}

int removeLeftoverStaging(const QString& target, const QDateTime& olderThan) {
    const QFileInfo info(target);
    const QRegularExpression leftover(QStringLiteral("^\\.") +
                                      QRegularExpression::escape(info.fileName()) +
                                      QStringLiteral("\\.import-[A-Za-z0-9]{6}$"));
    int removed = 0;
    const QFileInfoList entries =
        QDir(info.absolutePath())
            .entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    for (const QFileInfo& e : entries) {
        if (!leftover.match(e.fileName()).hasMatch() || e.isSymLink() || !e.isDir() ||
            e.lastModified() >= olderThan)
            continue;
        std::error_code ec;
        fs::remove_all(fsPath(e.absoluteFilePath()), ec);
        if (!ec)
            ++removed;
    }
    return removed;
}

} // namespace wirtal::catalogue
