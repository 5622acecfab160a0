// SPDX-License-Identifier: GPL-3.0-or-later

// A whole official catalogue imported with its media as the learner downloads them: one zip
// archive. The media files of the catalogue are not public, so a small file of random bytes
// stands for each name the sheet gives (pictures 20 KB, films 100 KB), stored in the zip as
// archivers store pictures and films (they do not shrink). Prints, one figure a line:
//   media-zip-import-ms     the whole import, from the .xlsx and the zip to the switched folder
//   media-zip-peak-mb       the peak resident memory of this program (VmHWM) after it
//   media-zip-read-mbps     the media step of the import: bytes placed per second
//   media-zip-cat-mbps      `cat ZIP > /dev/null` on the same file, per second (the floor)
//   media-zip-files         files taken from the archive
//
//   bench_media_zip CATALOGUE.xlsx      (or WIRTAL_CATALOGUE=CATALOGUE.xlsx)
//
// Without a catalogue it says so and does nothing.

#include "catalogue/importer.h"
#include "processfigures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include <zip.h>

#include <cstdio>

using namespace wirtal::catalogue;

namespace {

// The media names of the catalogue's first sheet.
QStringList mediaNames(const QString& catalogue) {
    const QList<NamedSheet> sheets = readSheetsFile(catalogue, {}, {}, catalogueColumns());
    const Catalogue cat = readCatalogue(sheets.first().sheet, QFileInfo(catalogue).fileName());
    QSet<QString> names;
    for (const Question& q : cat.questions)
        if (!q.media.isEmpty())
            names.insert(q.media);
    QStringList out(names.cbegin(), names.cend());
    out.sort();
    return out;
}

// A dummy file for every name in `folder`, then all of them stored in `zipPath` (libzip reads
// each file when the archive is closed, so nothing is held in memory). Bytes written.
qint64 makeArchive(const QStringList& names, const QString& folder, const QString& zipPath) {
    QDir().mkpath(folder);
    QByteArray bytes(100 * 1024, Qt::Uninitialized);
    qint64 total = 0;
    for (const QString& name : names) {
        const qsizetype size =
            name.endsWith(QStringLiteral(".wmv"), Qt::CaseInsensitive) ? 100 * 1024 : 20 * 1024;
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(bytes.data()),
                                              bytes.size() / 4);
        QFile f(QDir(folder).filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes.constData(), size) != size)
            return -1;
        total += size;
    }
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z)
        return -1;
    for (const QString& name : names) {
        zip_source_t* s =
            zip_source_file(z, QFile::encodeName(QDir(folder).filePath(name)).constData(), 0, -1);
        const QByteArray member = ("multimedia/" + name).toUtf8();
        const zip_int64_t index = s ? zip_file_add(z, member.constData(), s, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0 || zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_STORE, 0) != 0) {
            zip_discard(z);
            return -1;
        }
    }
    return zip_close(z) == 0 ? total : -1;
}

// `cat FILE > /dev/null`, in milliseconds (the file read once before, so both read it cached).
double catMs(const QString& file) {
    QProcess cat;
    cat.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    cat.start(QStringLiteral("cat"), {file});
    cat.waitForFinished(-1);
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString catalogue =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("WIRTAL_CATALOGUE");
    if (catalogue.isEmpty() || !QFileInfo(catalogue).isFile()) {
        std::printf("bench_media_zip: no catalogue (give CATALOGUE.xlsx or WIRTAL_CATALOGUE): "
                    "skipped\n");
        return 0;
    }
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("base")));
    QFile base(dir.filePath(QStringLiteral("base/0wx.dll")));
    if (!base.open(QIODevice::WriteOnly))
        return 1;
    base.close();

    const QStringList names = mediaNames(catalogue);
    const QString zipPath = dir.filePath(QStringLiteral("multimedia.zip"));
    const qint64 made = makeArchive(names, dir.filePath(QStringLiteral("files")), zipPath);
    if (made < 0) {
        std::printf("bench_media_zip: could not make the archive\n");
        return 1;
    }
    QDir(dir.filePath(QStringLiteral("files"))).removeRecursively();
    std::fprintf(stderr, "%lld dummy files, %.1f MB in %s\n", static_cast<long long>(names.size()),
                 double(made) / 1e6, qPrintable(zipPath));
    catMs(zipPath);
    const double cat = catMs(zipPath);

    ImportOptions o;
    o.catalogue = catalogue;
    o.media = {zipPath};
    o.target = dir.filePath(QStringLiteral("prog"));
    o.base = dir.filePath(QStringLiteral("base"));
    Importer importer(o);
    QElapsedTimer mediaTimer;
    qint64 mediaNs = 0;
    importer.setProgress([&](const QString& step, qint64 done, qint64 total) {
        if (!step.startsWith(QStringLiteral("Pliki multimediów")))
            return;
        if (!mediaTimer.isValid())
            mediaTimer.start();
        if (done == total)
            mediaNs = mediaTimer.nsecsElapsed();
    });
    QElapsedTimer t;
    t.start();
    const ImportResult r = importer.run();
    const double importMs = double(t.nsecsElapsed()) / 1e6;
    if (!r.ok) {
        std::printf("bench_media_zip: import failed: %s\n", qPrintable(r.error));
        return 1;
    }
    const double zipMb = double(QFileInfo(zipPath).size()) / 1e6;
    std::printf("media-zip-import-ms %.1f\n", importMs);
    std::printf("media-zip-peak-mb %.1f\n", wirtal::bench::peakResidentMb());
    std::printf("media-zip-read-mbps %.1f\n",
                mediaNs > 0 ? double(r.mediaBytes) / 1e6 / (double(mediaNs) / 1e9) : 0.0);
    std::printf("media-zip-cat-mbps %.1f\n", zipMb / (cat / 1e3));
    std::printf("media-zip-files %d\n", r.unpacked);
    return 0;
}
