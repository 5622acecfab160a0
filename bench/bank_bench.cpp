// SPDX-License-Identifier: GPL-3.0-or-later

// Record lookup in a full-size bank (bench/fullbank.h) and INI access to a statistics file with
// every key: on the file (read, write, read-add-write) and on its text in memory.
//
//   bench_bank [--benchmark_filter=...]

#include "bank/bank.h"
#include "base/inifile.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "fullbank.h"

#include "platform/filereader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>
#include <memory>

#include <benchmark/benchmark.h>

using namespace wirtal;
using wirtal::bench::fullBank;
using wirtal::bench::writeClassicBanks;

namespace {

void BM_LookupBasic1297(benchmark::State& state) {
    fullBank();
    for (auto _ : state) {
        Record r = lookup(QStringLiteral("B"), 1297);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_LookupBasic1297)->Unit(benchmark::kMicrosecond);

void BM_LookupSpecialist1479(benchmark::State& state) {
    fullBank();
    for (auto _ : state) {
        Record r = lookup(QStringLiteral("B"), 1479);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_LookupSpecialist1479)->Unit(benchmark::kMicrosecond);

// The bank at 1x, 10x and 100x its size (the same questions, then as many filler lines again):
// the bare floor (read and decode the whole basic file) beside a lookup with the decoded lines
// kept (keep=1) and read anew (keep=0).
struct ScaledBank {
    QTemporaryDir program;
    explicit ScaledBank(int scale) { writeClassicBanks(program.path(), scale); }
};

ScaledBank& scaled(int scale) {
    fullBank(); // the user data folder
    static std::map<int, std::unique_ptr<ScaledBank>> banks;
    auto& b = banks[scale];
    if (!b) {
        b = std::make_unique<ScaledBank>(scale);
        bench::settle();
    }
    Paths::setProgramFolder(b->program.path());
    return *b;
}

void BM_BareReadAndDecode(benchmark::State& state) {
    ScaledBank& b = scaled(int(state.range(0)));
    const QString path = b.program.filePath("0wx.dll");
    for (auto _ : state) {
        QStringList lines = splitLines(decodeText(readRegularFile(path)));
        benchmark::DoNotOptimize(lines);
    }
    state.counters["file_KB"] = double(QFileInfo(path).size()) / 1024;
    Paths::setProgramFolder(fullBank().program.path());
}
BENCHMARK(BM_BareReadAndDecode)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_LookupScaled(benchmark::State& state) {
    scaled(int(state.range(0)));
    bench::keepLines(state.range(1) != 0);
    for (auto _ : state) {
        Record r = lookup(QStringLiteral("B"), 1297);
        benchmark::DoNotOptimize(r);
    }
    bench::keepLines(true);
    Paths::setProgramFolder(fullBank().program.path());
}
BENCHMARK(BM_LookupScaled)
    ->ArgNames({"scale", "keep"})
    ->Args({1, 1})
    ->Args({10, 1})
    ->Args({100, 1})
    ->Args({1, 0})
    ->Args({10, 0})
    ->Args({100, 0})
    ->Unit(benchmark::kMicrosecond);

void BM_ReadIni(benchmark::State& state) {
    fullBank();
    for (auto _ : state) {
        QString v = readIni(QStringLiteral("statsb.ini"), QStringLiteral("stats"),
                            QStringLiteral("wyniki"), QStringLiteral("0"));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_ReadIni)->Unit(benchmark::kMicrosecond);

void BM_WriteIni(benchmark::State& state) {
    fullBank();
    int n = 0;
    for (auto _ : state)
        writeIni(QStringLiteral("statsb.ini"), QStringLiteral("nauka"), QStringLiteral("poprawne"),
                 QString::number(++n));
}
BENCHMARK(BM_WriteIni)->Unit(benchmark::kMicrosecond);

void BM_IncrementCounter(benchmark::State& state) {
    fullBank();
    for (auto _ : state)
        incrementCounter(QStringLiteral("statsb.ini"), QStringLiteral("egzamin"),
                         QStringLiteral("zdane"));
}
BENCHMARK(BM_IncrementCounter)->Unit(benchmark::kMicrosecond);

// The statistics file's text as a read finds it.
QString statsText() {
    fullBank();
    QFile f(Paths::inUserData(QStringLiteral("statsb.ini")));
    f.open(QIODevice::ReadOnly);
    return decodeText(f.readAll());
}

void BM_IniReadText(benchmark::State& state) {
    const QString text = statsText();
    for (auto _ : state) {
        QString v = ini::readText(text, QStringLiteral("stats"), QStringLiteral("wyniki"),
                                  QStringLiteral("0"));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_IniReadText)->Unit(benchmark::kMicrosecond);

void BM_IniWriteText(benchmark::State& state) {
    const QString text = statsText();
    int n = 0;
    for (auto _ : state) {
        QString t = ini::writeText(text, QStringLiteral("nauka"), QStringLiteral("poprawne"),
                                   QString::number(++n));
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_IniWriteText)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
