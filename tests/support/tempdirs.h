// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/qt_printers.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace wirtal::test {

// A temporary program folder and user data folder, installed as the program's folders for the
// life of the object.
class TempFolders {
public:
    TempFolders();
    ~TempFolders();
    QString program() const { return program_.path() + QStringLiteral("/"); }
    QString userData() const { return user_.path() + QStringLiteral("/"); }

    // Writes a file under the program folder (a name with "/" separators; folders are created).
    void writeProgramFile(const QString& name, const QByteArray& bytes) const;
    void writeUserFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readUserFile(const QString& name) const;
    bool userFileExists(const QString& name) const;

private:
    QTemporaryDir program_;
    QTemporaryDir user_;
    QString oldProgram_, oldUser_;
};

// Windows-1250 bytes of a text (as bank files are written).
QByteArray cp1250(const QString& text);
// A bank line with every field quoted (quotes doubled), as the bank files are written.
QString quotedLine(const QStringList& fields);

} // namespace wirtal::test
