// SPDX-License-Identifier: GPL-3.0-or-later

// Import of a whole official question catalogue (.xlsx) into a program folder, without media:
// the time of one import and the peak resident memory of the process; and the time of the
// catalogue read alone (the sheet and its rows, nothing written). Before timing, one import
// is checked: its per-category counts must equal the catalogue's summary.json (beside the .xlsx)
// minus the rows the import reported, and the report's counts are printed.
//
//   bench_import [--benchmark_...] CATALOGUE.xlsx      (or WIRTAL_CATALOGUE=CATALOGUE.xlsx)
//
// Without a catalogue it says so and does nothing.

#include "catalogue/importer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sys/resource.h>

using namespace wirtal::catalogue;

namespace {

QString cataloguePath;
QTemporaryDir* work = nullptr;

long peakRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

ImportOptions optionsFor(const QString& target) {
    ImportOptions o;
    o.catalogue = cataloguePath;
    o.target = target;
    o.base = work->filePath(QStringLiteral("base"));
    o.withoutMedia = true;
    return o;
}

// The counts summary.json promises, less the rows the import left out, with corrected rows moved
// to the part they carry. Prints every difference; true when there is none.
bool countsMatchSummary(const ImportResult& r) {
    QFile f(QFileInfo(cataloguePath).dir().filePath(QStringLiteral("summary.json")));
    if (!f.open(QIODevice::ReadOnly)) {
        std::printf("no summary.json beside the catalogue: counts not checked\n");
        return true;
    }
    const QJsonObject summary = QJsonDocument::fromJson(f.readAll()).object();
    std::map<QString, std::pair<int, int>> expected;
    for (const QString& code : categoryCodes()) {
        const QJsonObject c = summary.value(code).toObject();
        expected[code] = {c.value(QStringLiteral("basic")).toInt(),
                          c.value(QStringLiteral("specialist")).toInt()};
    }
    for (const RowNote& n : r.notes) {
        const bool statedBasic = n.statedPart == u"PODSTAWOWY";
        for (const QString& code : n.categories) {
            auto& [basic, specialist] = expected[code];
            if (leavesOut(n.reason)) {
                (statedBasic ? basic : specialist) -= 1;
            } else if (n.reason == Reason::CorrectedToBasic && !statedBasic) {
                --specialist;
                ++basic;
            } else if (n.reason == Reason::CorrectedToSpecialist && statedBasic) {
                --basic;
                ++specialist;
            }
        }
    }
    bool same = true;
    std::map<QString, std::pair<int, int>> got;
    for (const CategoryCount& c : r.counts)
        got[c.code] = {c.basic, c.specialist};
    for (const auto& [code, want] : expected) {
        const auto have = got[code];
        if (have != want) {
            same = false;
            std::printf("category %s: imported %d / %d, summary less reported rows %d / %d\n",
                        qPrintable(code), have.first, have.second, want.first, want.second);
        }
    }
    std::printf("per-category counts %s summary.json less the reported rows\n",
                same ? "match" : "DO NOT match");
    return same;
}

void printReport(const ImportResult& r) {
    std::printf("rows %lld, categories:", static_cast<long long>(r.rows));
    for (const CategoryCount& c : r.counts)
        std::printf(" %s %d/%d", qPrintable(c.code), c.basic, c.specialist);
    std::printf("\nleft out %d, corrected %d\n", r.leftOut(), r.corrected());
    const auto byReason = r.leftOutByReason();
    for (auto it = byReason.cbegin(); it != byReason.cend(); ++it)
        std::printf("  %s: %d\n", qPrintable(reasonTitle(it.key())), it.value());
}

void BM_ImportWithoutMedia(benchmark::State& state) {
    const QString target = work->filePath(QStringLiteral("prog"));
    for (auto _ : state) {
        const ImportResult r = Importer(optionsFor(target)).run();
        if (!r.ok) {
            state.SkipWithError(qPrintable(r.error));
            break;
        }
    }
    state.counters["peak_rss_MB"] = double(peakRssKb()) / 1024.0;
}
BENCHMARK(BM_ImportWithoutMedia)->Unit(benchmark::kMillisecond);

// The catalogue read alone: the sheet (the catalogue's columns kept) and its rows as questions,
// nothing written.
void BM_ReadCatalogue(benchmark::State& state) {
    for (auto _ : state) {
        const Sheet sheet = readFirstSheetFile(cataloguePath, {}, {}, catalogueColumns());
        benchmark::DoNotOptimize(readCatalogue(sheet, QStringLiteral("k.xlsx")).questions.size());
    }
}
BENCHMARK(BM_ReadCatalogue)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    cataloguePath =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("WIRTAL_CATALOGUE");
    if (cataloguePath.isEmpty() || !QFileInfo(cataloguePath).isFile()) {
        std::printf("bench_import: no catalogue (give CATALOGUE.xlsx or WIRTAL_CATALOGUE): "
                    "skipped\n");
        return 0;
    }
    QTemporaryDir dir;
    work = &dir;
    QDir().mkpath(dir.filePath(QStringLiteral("base/obrazki_prawko")));
    for (const char* name : {"base/0wx.dll", "base/obrazki_prawko/empty.jpg"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        if (f.open(QIODevice::WriteOnly))
            f.write("x");
    }

    const long rssBefore = peakRssKb();
    const ImportResult first = Importer(optionsFor(dir.filePath(QStringLiteral("check")))).run();
    if (!first.ok) {
        std::printf("import failed: %s\n", qPrintable(first.error));
        return 1;
    }
    std::printf("peak RSS before the first import %.1f MB, after it %.1f MB\n",
                double(rssBefore) / 1024.0, double(peakRssKb()) / 1024.0);
    printReport(first);
    if (!countsMatchSummary(first))
        return 1;
    std::fflush(stdout);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
