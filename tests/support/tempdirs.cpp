// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/tempdirs.h"

#include "base/paths.h"
#include "base/statsfile.h"
#include "base/textfile.h"
#include "platform/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace wirtal::test {

TempFolders::TempFolders()
    : oldProgram_(Paths::programFolder()), oldUser_(Paths::userDataFolder()) {
    Paths::setProgramFolder(program_.path());
    Paths::setUserDataFolder(user_.path());
}

TempFolders::~TempFolders() {
    // A last question still waiting for the event loop goes into these folders, not a later test's.
    try {
        StatsFile::savePending();
    } catch (const Error&) {
    }
    Paths::setProgramFolder(oldProgram_);
    Paths::setUserDataFolder(oldUser_);
}

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}
} // namespace

void TempFolders::writeProgramFile(const QString& name, const QByteArray& bytes) const {
    writeFile(program() + name, bytes);
}

void TempFolders::writeUserFile(const QString& name, const QByteArray& bytes) const {
    writeFile(userData() + name, bytes);
}

QByteArray TempFolders::readUserFile(const QString& name) const {
    QFile f(userData() + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TempFolders::userFileExists(const QString& name) const {
    return QFileInfo::exists(userData() + name);
}

QByteArray cp1250(const QString& text) {
    return encodeCp1250(text);
}

QString quotedLine(const QStringList& fields) {
    QStringList out;
    for (QString f : fields)
        out << u'"' + f.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return out.join(u',');
}

} // namespace wirtal::test
