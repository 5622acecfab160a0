// SPDX-License-Identifier: GPL-3.0-or-later

// A whole official catalogue imported with its media as the learner downloads them: one zip
// archive. The media files of the catalogue are not public, so a small file of random bytes
// stands for each name the sheet gives (pictures 20 KB, films 100 KB), stored in the zip as
// archivers store pictures and films (they do not shrink). Then the archive's reading alone, on
// an archive of members of a real film's size (48 of 4 MB), member by member into a folder as
// the import's media step does (MediaSources::openMember into ImportDisk::writeFrom). Prints, one
// figure a line:
//   media-zip-import-ms        the whole import, from the .xlsx and the zip to the switched folder
//   media-zip-peak-mb          the peak resident memory of this program (VmHWM) after it
//   media-zip-small-read-mbps  the import's media step on the small dummy files, per second
//   media-zip-small-cat-mbps   `cat ZIP > /dev/null` on that archive, per second
//   media-zip-read-mbps        the archive of film-sized members read (as the import reads them,
//                              nothing written), per second
//   media-zip-cat-mbps         `cat ZIP > /dev/null` on that archive, per second (its floor)
//   media-zip-place-mbps       the same members read and placed in a folder, per second
//   media-zip-copy-mbps        `cat ZIP > FILE` beside that folder, per second (its floor: the
//                              disk's writing)
//   media-zip-files            files taken from the archive in the import
//
//   bench_media_zip CATALOGUE.xlsx      (or WIRTAL_CATALOGUE=CATALOGUE.xlsx)
//
// Without a catalogue it says so and does nothing.

#include "catalogue/importdisk.h"
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
#include <unistd.h>

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

// An archive of `count` members of `size` random bytes, stored. Bytes written.
qint64 makeFilmArchive(const QString& folder, const QString& zipPath, int count, qsizetype size) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("film%1.wmv").arg(i, 3, 10, QLatin1Char('0'));
    QDir().mkpath(folder);
    QByteArray bytes(size, Qt::Uninitialized);
    for (const QString& name : names) {
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(bytes.data()),
                                              bytes.size() / 4);
        QFile f(QDir(folder).filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return -1;
    }
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z)
        return -1;
    for (const QString& name : names) {
        zip_source_t* s =
            zip_source_file(z, QFile::encodeName(QDir(folder).filePath(name)).constData(), 0, -1);
        const zip_int64_t index =
            s ? zip_file_add(z, name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0 || zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_STORE, 0) != 0) {
            zip_discard(z);
            return -1;
        }
    }
    const bool ok = zip_close(z) == 0;
    QDir(folder).removeRecursively();
    return ok ? qint64(count) * size : -1;
}

// Every member of the archive read as the import's media step does, and written into `folder`
// (MediaSources::openMember into ImportDisk::writeFrom), or only read when `folder` is empty;
// milliseconds.
double placeArchiveMs(const QString& zipPath, const QString& folder) {
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    MediaSources sources({zipPath});
    ImportDisk disk;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    QElapsedTimer t;
    t.start();
    for (int i = 0;; ++i) {
        const auto file =
            sources.find(QStringLiteral("film%1.wmv").arg(i, 3, 10, QLatin1Char('0')));
        if (!file)
            break;
        const auto read = sources.openMember(*file);
        if (folder.isEmpty()) {
            qint64 n = 0;
            while ((n = read(buffer.data(), buffer.size())) > 0) {
            }
            if (n < 0)
                return -1;
        } else if (disk.writeFrom(QDir(folder).filePath(file->name), read, {}).error) {
            return -1;
        }
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (!folder.isEmpty())
        QDir(folder).removeRecursively();
    return ms;
}

// `cat FILE > /dev/null` (or `> to`), in milliseconds (the file read once before, so both read it
// cached).
double catMs(const QString& file, const QString& to = QProcess::nullDevice()) {
    QProcess cat;
    cat.setStandardOutputFile(to);
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
    std::printf("media-zip-small-read-mbps %.1f\n",
                mediaNs > 0 ? double(r.mediaBytes) / 1e6 / (double(mediaNs) / 1e9) : 0.0);
    std::printf("media-zip-small-cat-mbps %.1f\n", zipMb / (cat / 1e3));
    std::printf("media-zip-files %d\n", r.unpacked);
    QFile::remove(zipPath);
    QDir(o.target).removeRecursively();

    const QString films = dir.filePath(QStringLiteral("filmy.zip"));
    const qint64 filmBytes =
        makeFilmArchive(dir.filePath(QStringLiteral("filmy")), films, 48, 4 << 20);
    if (filmBytes < 0) {
        std::printf("bench_media_zip: could not make the archive of films\n");
        return 1;
    }
    // Each measured with the disk's earlier writes done, so none pays for another's.
    ::sync();
    catMs(films);
    const double filmCat = catMs(films);
    const double read = placeArchiveMs(films, {});
    ::sync();
    const double placed = placeArchiveMs(films, dir.filePath(QStringLiteral("placed")));
    ::sync();
    const QString copy = dir.filePath(QStringLiteral("kopia.zip"));
    const double copied = catMs(films, copy);
    QFile::remove(copy);
    const double filmMb = double(QFileInfo(films).size()) / 1e6;
    const auto perSecond = [&](double ms) {
        return ms > 0 ? double(filmBytes) / 1e6 / (ms / 1e3) : 0.0;
    };
    std::printf("media-zip-read-mbps %.1f\n", perSecond(read));
    std::printf("media-zip-cat-mbps %.1f\n", filmMb / (filmCat / 1e3));
    std::printf("media-zip-place-mbps %.1f\n", perSecond(placed));
    std::printf("media-zip-copy-mbps %.1f\n", filmMb / (copied / 1e3));
    return 0;
}
