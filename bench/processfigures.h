// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the whole-process measurements of the benchmark programs read: the resident memory of
// this process, the memory of this process with all its children (the film helper), and a wait
// that keeps the event loop running.

#include <QByteArray>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <unistd.h>

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

// The memory of a group of processes: PSS (shared pages divided among the processes that map
// them) and RSS, both summed over the processes, in MB.
struct ProcessMemory {
    double pssMb = 0, rssMb = 0;
    int processes = 0;
};

// A key (Pss:, Rss:) of /proc/<pid>/smaps_rollup in MB; -1 where it cannot be read.
inline double rollupMb(qint64 pid, const QByteArray& key) {
    QFile f(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// The process pid and every process below it (the program and its film helper).
inline ProcessMemory treeMemory(qint64 pid = ::getpid()) {
    ProcessMemory m;
    QList<qint64> todo{pid};
    const QStringList all = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    while (!todo.isEmpty()) {
        const qint64 p = todo.takeFirst();
        const double pss = rollupMb(p, "Pss:"), rss = rollupMb(p, "Rss:");
        if (pss >= 0 && rss >= 0) {
            m.pssMb += pss;
            m.rssMb += rss;
            ++m.processes;
        }
        for (const QString& entry : all) {
            bool number = false;
            const qint64 child = entry.toLongLong(&number);
            if (!number)
                continue;
            QFile stat(QStringLiteral("/proc/%1/stat").arg(child));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // pid (comm) state ppid ...: the fields after the last ')'.
            const QByteArray line = stat.readAll();
            const QList<QByteArray> rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (rest.value(1).toLongLong() == p)
                todo << child;
        }
    }
    return m;
}

// Runs the event loop for ms milliseconds.
inline void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace wirtal::bench
