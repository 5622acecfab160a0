// SPDX-License-Identifier: GPL-3.0-or-later

// A whole exam of 32 questions in the real main window on the manual clock, with a full-size
// bank (1298 basic and 183 specialist lines of about 120 characters, Windows-1250, CR LF) in a
// temporary program folder: the draw, every timer step with its bank reads, the end with the
// statistics writes and the stars.
//
//   bench_exam [--benchmark_filter=...]

#include "examrun.h"
#include "fullbank.h"

#include "app/mainwindow.h"
#include "app/navigation.h"
#include "bank/bank.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "exam/exampage.h"
#include "platform/dialogs.h"
#include "platform/error.h"
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
using wirtal::bench::writeBankFile;

namespace {

struct Setup : bench::WindowBench {
    Setup() {
        QStringList basic{quoted({"Pytania podstawowe", "T", "", "0"})};
        for (int n = 1; n <= classicBasicCount; ++n)
            basic << quoted({questionText(n, 90), n % 2 ? "T" : "N",
                             QStringLiteral("p%1.jpg").arg(n), QString::number(n % 3 + 1)});
        writeBankFile(program.filePath("0wx.dll"), basic);
        QStringList special{quoted({"Pytania specjalistyczne", "", "", "", "A", "", "0"})};
        for (int n = 1; n <= lastQuestion - classicBasicCount; ++n)
            special << quoted({questionText(n, 60), questionText(n + 1, 25),
                               questionText(n + 2, 25), questionText(n + 3, 25),
                               QString(QChar(u'A' + n % 3)), QStringLiteral("%1.jpg").arg(n),
                               QString::number(n % 3 + 1)});
        writeBankFile(program.filePath("02x.dll"), special);
        bench::settle();
        open();
    }
};

Setup& setup() {
    static Setup s;
    return s;
}

// Time runs out on every question: 22 min 18 s of virtual time.
void BM_WholeExamTimeRunsOut(benchmark::State& state) {
    Setup& s = setup();
    const ExamSession& st = s.window->context().exam;
    for (auto _ : state) {
        s.button("nowytest")->clickFromCode();
        s.clock.advanceUntil([&] { return !st.running(); }, 30 * 60 * 1000);
    }
}
BENCHMARK(BM_WholeExamTimeRunsOut)->Unit(benchmark::kMillisecond);

// Every question answered right as soon as it can be, then "Dalej"; the bank files' decoded
// lines kept between reads (keep=1) or every read decoded anew (keep=0).
void BM_WholeExamAnsweredWithDalej(benchmark::State& state) {
    bench::keepLines(state.range(0) != 0);
    bench::answerEveryExamRight(setup(), state);
    bench::keepLines(true);
}
BENCHMARK(BM_WholeExamAnsweredWithDalej)
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
