// SPDX-License-Identifier: GPL-3.0-or-later

// Bank files just under and just over the size limit (maxReadBytes): the time of one record
// lookup, and the peak memory of a fresh process that does one. Under the limit the whole file
// is read and decoded; over it the file is refused from its size alone, before any of it is read.
//
//   bench_bigfile [--benchmark_filter=...]
//
// Counters: file_MB, the size of the bank file; peak_MB, the peak resident memory (VmHWM) of a
// child process forked for one lookup; added_MB, how much of that the lookup added to what the
// child had at its start.

#include "bank/bank.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "fullbank.h"
#include "platform/error.h"
#include "platform/filereader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include <sys/wait.h>
#include <unistd.h>

using namespace wirtal;

namespace {

// A basic bank file of exactly `size` bytes: a header, 1297 sound records, then one long line
// that fills the rest (a hostile or broken file looks like this: sound at its start).
void writeBank(const QString& path, qint64 size) {
    QStringList lines{bench::quoted({QStringLiteral("Pytania"), QStringLiteral("T"), {}, "0"})};
    for (int n = 1; n <= classicBasicCount; ++n)
        lines << bench::quoted({bench::questionText(n, 100), QStringLiteral("T"),
                                QStringLiteral("a.jpg"), QStringLiteral("2")});
    const QByteArray head = encodeCp1250(lines.join(QStringLiteral("\r\n")) + "\r\n");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || size < head.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    f.write(head);
    const QByteArray chunk(1 << 20, 'x');
    for (qint64 left = size - head.size(); left > 0;) {
        const qint64 n = std::min<qint64>(left, chunk.size());
        f.write(chunk.constData(), n);
        left -= n;
    }
}

double statusMb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

struct Peak {
    double peak = -1, added = -1;
};

// One lookup in a forked child; its memory comes back through a pipe.
Peak peakOfOneLookup() {
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const double before = statusMb("VmRSS:");
        try {
            benchmark::DoNotOptimize(lookup(QStringLiteral("B"), 5));
        } catch (const Error&) {
        }
        const Peak p{statusMb("VmHWM:"), statusMb("VmHWM:") - before};
        (void)!write(fds[1], &p, sizeof p);
        _exit(0);
    }
    close(fds[1]);
    Peak p;
    if (pid < 0 || read(fds[0], &p, sizeof p) != sizeof p)
        p = {};
    close(fds[0]);
    if (pid > 0)
        waitpid(pid, nullptr, 0);
    return p;
}

void BM_LookupNearSizeLimit(benchmark::State& state) {
    const bool over = state.range(0) != 0;
    QTemporaryDir program;
    const qint64 size = over ? maxReadBytes + 1 : maxReadBytes - 1;
    writeBank(program.path() + QStringLiteral("/0wx.dll"), size);
    Paths::setProgramFolder(program.path());
    bool refused = false;
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(lookup(QStringLiteral("B"), 5));
        } catch (const Error&) {
            refused = true;
        }
    }
    const Peak p = peakOfOneLookup();
    state.counters["file_MB"] = double(size) / (1 << 20);
    state.counters["peak_MB"] = p.peak;
    state.counters["added_MB"] = p.added;
    state.SetLabel(refused ? "refused" : "read");
}
BENCHMARK(BM_LookupNearSizeLimit)
    ->ArgName("over")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
