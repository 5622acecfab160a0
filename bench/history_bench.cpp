// SPDX-License-Identifier: GPL-3.0-or-later

// The answer history: recording one answer (on the GUI thread, in its own transaction), and the
// progress page opened over a year of daily use (100,000 answers over a full-size bank and 1,000
// finished tests): its summary alone, and the page filled and painted on the offscreen platform;
// the page again over a tenth of that year (10,000 answers, 100 tests: every question already
// answered, as in the whole year), since what the page costs must not grow with the history. The
// database's size after the year is given as the counter db_MB.
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
// right about 85 % of the time), spread over 365 days, and 1,000 tests; or a share of it.
struct YearOfUse {
    QTemporaryDir dir;
    std::unique_ptr<AnswerLog> log;
    explicit YearOfUse(int answers = 100'000, int tests = 1000) {
        bench::fullBank();
        log = AnswerLog::open(dir.filePath(QStringLiteral("historia.sqlite")), nullptr);
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> question(1, 1479);
        std::bernoulli_distribution right(0.85);
        for (int i = 0; i < answers; ++i)
            log->record(QStringLiteral("B"), question(rng), right(rng),
                        i % 10 == 0 ? AnswerMode::Exam : AnswerMode::Learning,
                        yearStart + qint64(i) * 365 * day / answers, 5000);
        for (int i = 0; i < tests; ++i)
            log->recordExam(QStringLiteral("B"), yearStart + qint64(i) * 365 * day / tests,
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

YearOfUse& tenthOfYear() {
    static YearOfUse y(10'000, 100);
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

// The page opened: read, filled and painted.
void openPage(benchmark::State& state, YearOfUse& y) {
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

void BM_ProgressPageOpenYear(benchmark::State& state) {
    openPage(state, year());
}
BENCHMARK(BM_ProgressPageOpenYear)->Unit(benchmark::kMillisecond);

void BM_ProgressPageOpenTenthOfYear(benchmark::State& state) {
    openPage(state, tenthOfYear());
}
BENCHMARK(BM_ProgressPageOpenTenthOfYear)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
