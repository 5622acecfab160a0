// SPDX-License-Identifier: GPL-3.0-or-later

// The import of hostile sheet shapes that stay inside every limit of XlsxLimits: the peak resident
// memory of an import of each (in a process of its own, so that each peak is its own), and the
// resident memory after the import has failed or finished, which shows the memory given back.
//
//   bench_import_shapes              every shape, one line each
//   bench_import_shapes SHAPE FILE   one import of FILE (as the lines above are made)
//
// Shapes, each with the catalogue's header row: sparse (199,999 rows of one cell at column 512),
// wide (4,500 rows of 512 cells), tall (100,000 rows of 14 cells), strings (1,500,000 shared
// strings of 40 characters).

#include "catalogue/importer.h"
#include "catalogue/xlsxwriter.h"
#include "processfigures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace wirtal;

namespace {

struct Shape {
    const char* name;
    test::SheetShape shape;
};

const Shape shapes[] = {
    {"sparse", {199999, 1, 511, 1, 1, true}},
    {"wide", {4500, 512, 0, 1000, 8, true}},
    {"tall", {100000, 14, 0, 200000, 12, true}},
    {"strings", {199999, 1, 0, 1500000, 40, true}},
};

// One import of `file` into a folder beside it; prints the figures.
int importOne(const QString& name, const QString& file) {
    QTemporaryDir work;
    QDir().mkpath(work.filePath(QStringLiteral("base")));
    QFile bank(work.filePath(QStringLiteral("base/0wx.dll")));
    if (bank.open(QIODevice::WriteOnly))
        bank.write("x");
    bank.close();
    catalogue::ImportOptions o;
    o.catalogue = file;
    o.target = work.filePath(QStringLiteral("prog"));
    o.base = work.filePath(QStringLiteral("base"));
    o.withoutMedia = true;
    const double before = bench::residentMb();
    QElapsedTimer clock;
    clock.start();
    const catalogue::ImportResult r = catalogue::Importer(o).run();
    const qint64 ms = clock.elapsed();
    std::printf("%-8s %9.1f MB peak %9.1f MB before %9.1f MB after %7lld ms  %s\n",
                qPrintable(name), bench::peakResidentMb(), before, bench::residentMb(),
                static_cast<long long>(ms),
                r.ok ? "imported" : qPrintable(QStringLiteral("failed: ") + r.error.left(70)));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3)
        return importOne(args[1], args[2]);

    QTemporaryDir dir;
    std::printf("shape      peak RSS of the import process, RSS before and after the import\n");
    for (const Shape& s : shapes) {
        const QString file = dir.filePath(QString::fromLatin1(s.name) + QStringLiteral(".xlsx"));
        const QByteArray bytes = test::shapedXlsx(s.shape);
        if (!test::writeBytes(file, bytes))
            return 1;
        std::fflush(stdout);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(s.name), file});
        child.waitForFinished(-1);
        std::printf("         (%s: %.0f KB)\n", s.name, double(bytes.size()) / 1024.0);
    }
    return 0;
}
