// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/bankdata.h"

#include "base/category.h"
#include "base/inifile.h"
#include "base/paths.h"
#include "platform/filereader.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>

namespace wirtal {

namespace {
const QString cataloguePrefix = QStringLiteral("katalog-");
const QString historyPrefix = QStringLiteral("katalog:");
const QString settingsFile = QStringLiteral("ustawienia.ini");
const QString dataSection = QStringLiteral("dane");
const QString separatedKey = QStringLiteral("banki");
} // namespace

BankIdentity BankIdentity::ofProgramFolder() {
    return {Paths::isCatalogueFolder() ? BankKind::Catalogue : BankKind::Classic};
}

QString BankIdentity::dataFile(const QString& name) const {
    if (name.isEmpty() || kind == BankKind::Classic)
        return name;
    return cataloguePrefix + name;
}

QString BankIdentity::historyKey(const QString& categoryCode) const {
    if (categoryCode.isEmpty() || kind == BankKind::Classic)
        return categoryCode;
    return historyPrefix + categoryCode;
}

CatalogueOrigin catalogueOrigin(const QString& manifestPath) {
    CatalogueOrigin origin;
    if (!QFileInfo(manifestPath).isFile())
        return origin;
    const QString section = QStringLiteral("katalog");
    origin.source = ini::read(manifestPath, section, QStringLiteral("zrodlo"), {});
    origin.importedAt = QDateTime::fromString(
        ini::read(manifestPath, section, QStringLiteral("zaimportowano"), {}), Qt::ISODate);
    return origin;
}

EarlierCatalogueData separateEarlierCatalogueData() {
    EarlierCatalogueData done;
    if (readIni(settingsFile, dataSection, separatedKey, QStringLiteral("0")) == u"1")
        return done;
    QString manifest = Paths::catalogueManifest();
    if (!QFileInfo(manifest).isFile())
        manifest = QDir(Paths::importedCatalogueFolder()).filePath(QStringLiteral("katalog.ini"));
    const QDateTime imported = catalogueOrigin(manifest).importedAt;
    if (imported.isValid()) {
        const BankIdentity catalogue{BankKind::Catalogue};
        for (const Category& c : Category::all()) {
            for (const QString& name : {c.statsFile(), c.revisionFile()}) {
                const QFileInfo classic(Paths::inUserData(name));
                const QString target = Paths::inUserData(catalogue.dataFile(name));
                // The date in katalog.ini has whole seconds: a file of the same second is taken
                // as written before the import.
                if (!classic.isFile() || QFileInfo::exists(target) ||
                    classic.lastModified() <= imported.addSecs(1))
                    continue;
                const FileRead read = tryReadRegularFile(classic.filePath());
                if (read.problem == FileProblem::None && saveWhole(target, read.bytes))
                    done.written << catalogue.dataFile(name);
            }
        }
    }
    writeIni(settingsFile, dataSection, separatedKey, QStringLiteral("1"));
    done.catalogueSince = imported;
    return done;
}

} // namespace wirtal
