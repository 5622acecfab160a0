// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace wirtal {

namespace {
QString& programFolderRef() {
    static QString f = QDir::currentPath();
    return f;
}
QString& userDataRef() {
    static QString f = Paths::defaultUserDataFolder();
    return f;
}
QString withSlash(QString folder) {
    if (!folder.endsWith(u'/') && !folder.endsWith(u'\\'))
        folder += u'/';
    return folder;
}
} // namespace

void Paths::setProgramFolder(const QString& folder) {
    programFolderRef() = folder;
}
void Paths::setUserDataFolder(const QString& folder) {
    userDataRef() = withSlash(folder);
}
const QString& Paths::programFolder() {
    return programFolderRef();
}
const QString& Paths::userDataFolder() {
    return userDataRef();
}

QString Paths::inProgramFolder(const QString& backslashName) {
    QString rel = backslashName;
    rel.replace(u'\\', u'/');
    while (rel.startsWith(u'/'))
        rel.remove(0, 1);
    return QDir::toNativeSeparators(withSlash(programFolder()) + rel);
}

QString Paths::inUserData(const QString& fileName) {
    return userDataFolder() + fileName;
}

QString Paths::defaultUserDataFolder() {
    const QString appdata = qEnvironmentVariable("APPDATA");
    if (!appdata.isEmpty())
        return withSlash(appdata) + QStringLiteral("Norel/");
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return withSlash(base) + QStringLiteral("Norel/");
}

bool Paths::ensureUserDataFolder() {
    return QDir().mkpath(userDataFolder());
}

bool Paths::holdsBank(const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QDir dir(folder);
    return QFileInfo(dir.filePath(QStringLiteral("0wx.dll"))).isFile() ||
           QFileInfo(dir.filePath(QStringLiteral("katalog.ini"))).isFile();
}

QString Paths::catalogueManifest() {
    return inProgramFolder(QStringLiteral("\\katalog.ini"));
}

bool Paths::isCatalogueFolder() {
    return QFileInfo(catalogueManifest()).isFile();
}

QString Paths::importedCatalogueFolder() {
    return QDir::cleanPath(userDataFolder() + QStringLiteral("katalog"));
}

QString Paths::programFolderAtStart(const QString& current, const QString& installed,
                                    const QString& imported) {
    // The same folder reached by another spelling or a link is still the installed one.
    const auto same = [](const QString& a, const QString& b) {
        const QString ca = QFileInfo(a).canonicalFilePath();
        return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
    };
    if (holdsBank(current) && !same(current, installed))
        return current;
    if (holdsBank(imported))
        return imported;
    if (holdsBank(installed))
        return installed;
    return current;
}

} // namespace wirtal
