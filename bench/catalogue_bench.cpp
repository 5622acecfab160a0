// SPDX-License-Identifier: GPL-3.0-or-later

// An imported category B (1772 basic and 395 specialist questions of about 120 characters, UTF-8
// with a byte-order mark, official numbers and points, as the catalogue import writes them) in a
// temporary program folder: the record lookup, the draw from the point classes, and a whole exam in
// the real main window on the manual clock.
//
//   bench_catalogue [--benchmark_filter=...]

#include "examrun.h"
#include "fullbank.h"

#include "app/mainwindow.h"
#include "app/navigation.h"
#include "bank/bank.h"
#include "bank/layout.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "exam/draw.h"
#include "exam/exampage.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/filereader.h"
#include "platform/manualclock.h"
#include "platform/mediaplayer.h"
#include "platform/random.h"
#include "platform/wallclock.h"
#include "widgets/styledbutton.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace wirtal;
using wirtal::bench::questionText;
using wirtal::bench::quoted;

namespace {

constexpr int basicCount = 1772, specialCount = 395;

void writeUtf8(const QString& path, const QStringList& lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(QByteArray("\xEF\xBB\xBF") +
                (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

struct Setup : bench::WindowBench {
    Setup() {
        QStringList basic{
            quoted({"Wirtal: pytania podstawowe B", "T/N", "media", "pkt", "numer", "ENG"})};
        for (int n = 1; n <= basicCount; ++n)
            basic << quoted({questionText(n, 90), n % 2 ? "T" : "N",
                             QStringLiteral("p%1.jpg").arg(n), QString::number(n % 3 + 1),
                             QString::number(2 * n + 1), QString()});
        writeUtf8(program.filePath("pytania-b-podst.txt"), basic);
        QStringList special{quoted({"Wirtal: pytania specjalistyczne B", "A", "B", "C", "odp",
                                    "media", "pkt", "numer", "ENG", "A ENG", "B ENG", "C ENG"})};
        for (int n = 1; n <= specialCount; ++n)
            special << quoted({questionText(n, 60), questionText(n + 1, 25),
                               questionText(n + 2, 25), questionText(n + 3, 25),
                               QString(QChar(u'A' + n % 3)), QStringLiteral("%1.jpg").arg(n),
                               QString::number(n % 3 + 1), QString::number(10000 + n), QString(),
                               QString(), QString(), QString()});
        writeUtf8(program.filePath("pytania-b-spec.txt"), special);
        writeUtf8(program.filePath("katalog.ini"),
                  {"[katalog]", "wersja=1", "kategorie=B", "punkty=1", "[B]",
                   QStringLiteral("podstawowe=%1").arg(basicCount),
                   QStringLiteral("specjalistyczne=%1").arg(specialCount)});
        bench::settle();
        open();
    }
};

Setup& setup() {
    static Setup s;
    return s;
}

// One record by its number, the file read anew as on every question shown.
void BM_CatalogueLookup(benchmark::State& state) {
    setup();
    const int n = int(state.range(0));
    for (auto _ : state) {
        Record r = lookup(QStringLiteral("B"), n);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_CatalogueLookup)
    ->Arg(1)
    ->Arg(basicCount)
    ->Arg(basicCount + specialCount)
    ->Unit(benchmark::kMicrosecond);

// The bare floor: the basic file read and decoded, nothing kept.
void BM_CatalogueBareReadAndDecode(benchmark::State& state) {
    const QString path = setup().program.filePath("pytania-b-podst.txt");
    for (auto _ : state) {
        QStringList lines = splitLines(decodeText(readRegularFile(path)));
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_CatalogueBareReadAndDecode)->Unit(benchmark::kMicrosecond);

// The draw alone: both files read once, each question's points read, 32 drawn.
void BM_CatalogueDraw(benchmark::State& state) {
    setup();
    SeededRandom random(7);
    for (auto _ : state) {
        DrawnTest t = drawTest(QStringLiteral("B"), random);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_CatalogueDraw)->Unit(benchmark::kMillisecond);

// Every question answered right as soon as it can be, then "Dalej"; the bank files' decoded
// lines kept between reads (keep=1) or every read decoded anew (keep=0).
void BM_CatalogueWholeExamAnsweredWithDalej(benchmark::State& state) {
    bench::keepLines(state.range(0) != 0);
    bench::answerEveryExamRight(setup(), state);
    bench::keepLines(true);
}
BENCHMARK(BM_CatalogueWholeExamAnsweredWithDalej)
    ->ArgName("keep")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    setup().window.reset();
    setErrorSink({});
    return 0;
}
