// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the whole-process measurements of the benchmark programs read: the resident memory of
// this process and a wait that keeps the event loop running.

#include <QByteArray>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace wirtal::bench {

// A field of /proc/self/status given in kB, in MB; -1 where it cannot be read.
inline double statusMb(const QByteArray& field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// The resident memory now (VmRSS), in MB.
inline double residentMb() {
    return statusMb("VmRSS");
}

// The peak resident memory of this program (VmHWM), in MB. Unlike getrusage's ru_maxrss, which a
// started process inherits from the one that started it, it begins anew with the program.
inline double peakResidentMb() {
    return statusMb("VmHWM");
}

// Runs the event loop for ms milliseconds.
inline void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace wirtal::bench
