// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the whole-process measurements of the benchmark programs read: the resident memory of
// this process and a wait that keeps the event loop running.

#include <QByteArray>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace wirtal::bench {

// VmRSS of /proc/self/status in MB; -1 where it cannot be read.
inline double residentMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// Runs the event loop for ms milliseconds.
inline void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace wirtal::bench
