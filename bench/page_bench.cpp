// SPDX-License-Identifier: GPL-3.0-or-later

// Hostile version pages in the update window's view: the page made safe and laid out at the
// view's width, for the pages that used to crash the layout or hold the GUI thread for tens of
// seconds, and for the largest pages the safe subset lets through. All stay far below a second.
//
//   bench_page [--benchmark_filter=...]

#include "base/pagesanitizer.h"
#include "widgets/htmlview.h"

#include <QApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

using namespace wirtal;

namespace {

const QUrl base(QStringLiteral("http://127.0.0.1:8080/updates/twersja10.html"));

QByteArray wrapped(const QString& body) {
    return (QStringLiteral("<html><head><title>11</title></head><body>") + body +
            QStringLiteral("</body></html>"))
        .toUtf8();
}

// Cells of a table nested `depth` deep, as many as the limits allow in all.
QString widestNesting(int depth, int cellsPerTable) {
    QString inner = QStringLiteral("słowo ").repeated(8);
    for (int d = 0; d < depth; ++d)
        inner = QStringLiteral("<table border=1 cellpadding=30 cellspacing=30><tr>") +
                (QStringLiteral("<td>") + inner + QStringLiteral("</td>")).repeated(cellsPerTable) +
                QStringLiteral("</tr></table>");
    return inner;
}

QByteArray page(int which) {
    const QString table = QStringLiteral("<table><tr><td>");
    switch (which) {
    case 0: // 3000 nested tables (45 KB): crashed the program at every start
        return wrapped(table.repeated(3000) + QStringLiteral("x"));
    case 1: // 300 nested tables
        return wrapped(table.repeated(300) + QStringLiteral("x"));
    case 2: // one 900 KB word
        return wrapped(QString(900 * 1024, u'W'));
    case 3: // a cell padding of 2 000 000 000
        return wrapped(QStringLiteral("<table cellpadding=2000000000><tr><td>a</td></tr></table>"));
    case 4: // a megabyte of ordinary text
        return wrapped(QStringLiteral("Ala ma kota, a kot ma Alę. ").repeated(40000));
    case 5: // three nested tables, 7 cells each (343 cells): what the limits still allow
        return wrapped(widestNesting(3, 7));
    default: // 400 cells in one table with 80 characters each
        return wrapped(
            QStringLiteral("<table border=1>") +
            (QStringLiteral("<tr>") +
             QStringLiteral("<td>%1</td>").arg(QStringLiteral("tekst ").repeated(13)).repeated(20) +
             QStringLiteral("</tr>"))
                .repeated(20) +
            QStringLiteral("</table>"));
    }
}

const char* names[] = {"3000 nested tables", "300 nested tables", "900 KB word",
                       "cell padding 2e9",   "1 MB of text",      "3 nested tables, 343 cells",
                       "400 cells"};

void BM_SanitizePage(benchmark::State& state) {
    const QString html = HtmlView::decodeHtml(page(int(state.range(0))));
    state.SetLabel(names[state.range(0)]);
    for (auto _ : state) {
        const auto p = safehtml::sanitize(html, base);
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_SanitizePage)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// What the GUI thread does when the page arrives: made safe, parsed, laid out and painted in the
// view of the update window.
void BM_ShowPageInView(benchmark::State& state) {
    const QByteArray bytes = page(int(state.range(0)));
    state.SetLabel(names[state.range(0)]);
    HtmlView view;
    view.resize(681, 217);
    QImage frame(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.showRemotePage(bytes, base);
        benchmark::DoNotOptimize(view.document()->size());
        view.render(&frame);
    }
}
BENCHMARK(BM_ShowPageInView)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
