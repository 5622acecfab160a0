// SPDX-License-Identifier: GPL-3.0-or-later

// The answer history: recording one answer (on the GUI thread, in its own transaction), and the
// progress page opened over a year of daily use (100,000 answers over a full-size bank and 1,000
// finished tests): its summary alone, and the page filled and painted on the offscreen platform.
// The database's size after that year is given as the counter db_MB.
//
//   bench_history [--benchmark_filter=...]

#include "base/context.h"
#include "fullbank.h"
#include "history/answerlog.h"
#include "progress/progressmodel.h"
#include "progress/progresspage.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

using namespace wirtal;

namespace {

constexpr qint64 day = 24LL * 3600 * 1000;
constexpr qint64 yearStart = 1'735'689'600'000LL; // 2025-01-01

// A year of daily use: 100,000 answers of category B to questions picked at random (a learner
// right about 85 % of the time), spread over 365 days, and 1,000 tests.
struct YearOfUse {
    QTemporaryDir dir;
    std::unique_ptr<AnswerLog> log;
    YearOfUse() {
        bench::fullBank();
        log = AnswerLog::open(dir.filePath(QStringLiteral("historia.sqlite")), nullptr);
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> question(1, 1479);
        std::bernoulli_distribution right(0.85);
        const int answers = 100'000;
        for (int i = 0; i < answers; ++i)
            log->record(QStringLiteral("B"), question(rng), right(rng),
                        i % 10 == 0 ? AnswerMode::Exam : AnswerMode::Learning,
                        yearStart + qint64(i) * 365 * day / answers, 5000);
        for (int i = 0; i < 1000; ++i)
            log->recordExam(QStringLiteral("B"), yearStart + qint64(i) * 365 * day / 1000,
                            50 + i % 25, 50 + i % 25 >= 68);
    }
    double megabytes() const {
        qint64 bytes = 0;
        for (const char* suffix : {"", "-wal"})
            bytes += QFileInfo(log->path() + QLatin1String(suffix)).size();
        return double(bytes) / 1e6;
    }
};

YearOfUse& year() {
    static YearOfUse y;
    return y;
}

void BM_RecordAnswer(benchmark::State& state) {
    QTemporaryDir dir;
    auto log = AnswerLog::open(dir.filePath(QStringLiteral("historia.sqlite")), nullptr);
    int n = 0;
    for (auto _ : state) {
        ++n;
        log->record(QStringLiteral("B"), n % 1479 + 1, n % 7 != 0, AnswerMode::Learning,
                    yearStart + qint64(n) * 60'000, 4000);
    }
}
BENCHMARK(BM_RecordAnswer)->Unit(benchmark::kMicrosecond);

void BM_ProgressSummaryYear(benchmark::State& state) {
    YearOfUse& y = year();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            summarize(QStringLiteral("B"), y.log.get(), yearStart + 366 * day));
    state.counters["db_MB"] = y.megabytes();
}
BENCHMARK(BM_ProgressSummaryYear)->Unit(benchmark::kMillisecond);

void BM_ProgressPageOpenYear(benchmark::State& state) {
    YearOfUse& y = year();
    AppContext ctx;
    ctx.state.categoryCode = QStringLiteral("B");
    ctx.history = y.log.get();
    ProgressPage page(
        ctx, [](PracticeRun, std::vector<int>, const QString&) {}, [](int) {});
    page.resize(939, 650);
    page.show();
    for (auto _ : state) {
        page.refresh();
        page.repaint();
    }
}
BENCHMARK(BM_ProgressPageOpenYear)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
