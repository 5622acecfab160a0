// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace wirtal::test {

// A program run to its end: its exit code (-1 when it did not end normally within a minute) and
// what it printed.
struct ProgramRun {
    int exitCode = -1;
    QString out, err;
};

// Runs program with args (in cwd when given) and waits for it to end.
inline ProgramRun runProgram(const QString& program, const QStringList& args,
                             const QString& cwd = {}) {
    QProcess p;
    if (!cwd.isEmpty())
        p.setWorkingDirectory(cwd);
    p.start(program, args);
    ProgramRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace wirtal::test
