// SPDX-License-Identifier: GPL-3.0-or-later

// Reading the ministry's catalogue page on the GUI thread: an ordinary page of the ministry's
// size, and hostile pages at the size bound (every link unclosed, one endless attribute, a page
// of nothing but links). Each is one pass over the text.
//
//   bench_catalogpage [--benchmark_filter=...]

#include "dialogs/catalogpage.h"

#include <benchmark/benchmark.h>

using namespace wirtal::catalogfetch;

namespace {

const QUrl base(QStringLiteral("https://www.gov.pl/web/infrastruktura/prawo-jazdy"));

QByteArray page(int which) {
    switch (which) {
    case 0: { // about 300 KB of menus and text around three attachments
        QByteArray p = "<html><body>";
        for (int i = 0; i < 1500; ++i)
            p += "<li><a href=\"/web/infrastruktura/strona-" + QByteArray::number(i) +
                 "\" class=\"menu\">Pozycja menu " + QByteArray::number(i) + "</a></li>\n";
        p += "<a href=\"/attachment/x\">Katalog pytań – lipiec 2026 (xlsx, 2,5 MB)</a>"
             "<a href=\"/attachment/m\">Multimedia – lipiec 2026 (zip, 1,4 GB)</a>"
             "<a href=\"/attachment/p\">PJM – lipiec 2026 (zip, 11 GB)</a></body></html>";
        return p;
    }
    case 1: { // 4 MB of unclosed links that all look like archives
        QByteArray p;
        for (int i = 0; p.size() < maxPageBytes; ++i)
            p += "<a href=/x" + QByteArray::number(i) + ".zip>Multimedia 2026 ";
        return p;
    }
    case 2: // one attribute of 4 MB
        return "<a href=\"/k.xlsx\" title=\"" + QByteArray(maxPageBytes - 40, 'x') + "\">";
    default: { // 4 MB of closed links, each a catalogue of another day
        QByteArray p;
        for (int i = 0; p.size() < maxPageBytes; ++i)
            p += "<a href=\"/k" + QByteArray::number(i) + ".xlsx\">Katalog pytań " +
                 QByteArray::number(1 + i % 28) + ".0" + QByteArray::number(1 + i % 9) +
                 ".2026</a>\n";
        return p;
    }
    }
}

void BM_readCataloguePage(benchmark::State& state) {
    const QByteArray html = page(int(state.range(0)));
    const QStringList hosts{QStringLiteral("www.gov.pl")};
    for (auto _ : state) {
        const PageResult r = readCataloguePage(html, base, hosts);
        benchmark::DoNotOptimize(r.offer);
    }
    state.SetBytesProcessed(qint64(state.iterations()) * html.size());
}
BENCHMARK(BM_readCataloguePage)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
