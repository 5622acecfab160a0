// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/importer.h"

#include "bank/split.h"
#include "catalogue/importdisk.h"
#include "catalogue/importreport.h"
#include "platform/error.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <new>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace wirtal::catalogue {

namespace {

namespace fs = std::filesystem;

const QString mediaSubfolder = QStringLiteral("obrazki_prawko/filmy");
constexpr qint64 maxBaseFiles = 100000;
constexpr qint64 maxMediaFiles = 500000;

// A regular file, not a link to one (a link could lead out of its folder).
bool regularFile(const QString& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(fsPath(path), ec));
}

// Files of a base program folder that the import makes anew or that belong to another bank.
bool bankOfBase(const QString& relative) {
    static const QRegularExpression names(
        QStringLiteral("^(0wx\\.dll|02x\\.dll|baza.\\.txt|katalog\\.ini|import-raport\\.txt|"
                       "pytania-[a-z0-9]+-(podst|spec)\\.txt)$"),
        QRegularExpression::CaseInsensitiveOption);
    return names.match(relative).hasMatch() || relative.startsWith(mediaSubfolder + u'/');
}

QByteArray utf8WithBom(const QStringList& lines) {
    return QByteArray("\xEF\xBB\xBF") +
           (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

// Removes the staging folder on every way out unless it was switched in.
class StagingGuard {
public:
    explicit StagingGuard(QString path) : path_(std::move(path)) {}
    ~StagingGuard() {
        if (!path_.isEmpty()) {
            std::error_code ec;
            fs::remove_all(fsPath(path_), ec);
        }
    }
    void release() { path_.clear(); }

private:
    QString path_;
};

// Gives the memory freed by an import back to the system: the C library keeps freed blocks for
// later, per thread, and an import's sheet may have taken hundreds of megabytes.
void giveMemoryBack() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

QString basicBankFile(const QString& code) {
    return QStringLiteral("pytania-%1-podst.txt").arg(code.toLower());
}
QString specialistBankFile(const QString& code) {
    return QStringLiteral("pytania-%1-spec.txt").arg(code.toLower());
}

QString defaultBaseFolder(const QString& currentDir, const QString& applicationDir) {
    if (QFileInfo::exists(currentDir + QStringLiteral("/0wx.dll")))
        return currentDir;
    const QString installed = QDir::cleanPath(applicationDir + QStringLiteral("/../share/wirtal"));
    if (QFileInfo::exists(installed + QStringLiteral("/0wx.dll")))
        return installed;
    return {};
}

int ImportResult::leftOut() const {
    return int(std::count_if(notes.begin(), notes.end(),
                             [](const RowNote& n) { return leavesOut(n.reason); }));
}
int ImportResult::corrected() const {
    return int(notes.size()) - leftOut();
}
QMap<Reason, int> ImportResult::leftOutByReason() const {
    QMap<Reason, int> out;
    for (const RowNote& n : notes)
        if (leavesOut(n.reason))
            ++out[n.reason];
    return out;
}

Importer::Importer(ImportOptions options) : options_(std::move(options)) {}

void Importer::step(const QString& name, qint64 done, qint64 total) {
    if (cancel_ && cancel_->load())
        throw Cancelled{};
    if (progress_)
        progress_(name, done, total);
    if (cancel_ && cancel_->load())
        throw Cancelled{};
}

ImportResult Importer::run() {
    ImportResult result;
    // "prog/" names the folder "prog": without the slash its name is the last part of the path.
    if (!options_.target.isEmpty())
        options_.target = QDir::cleanPath(options_.target);
    try {
        if (options_.target.isEmpty())
            throw Error(QStringLiteral("nie podano folderu programu"));
        // A previous folder an interrupted switch left aside comes back before anything else.
        restoreInterruptedImport(options_.target);
        const QFileInfo target(options_.target);
        if (target.isSymLink())
            throw Error(QStringLiteral("%1 jest dowiązaniem, a nie folderem").arg(options_.target));
        const bool replacing = target.exists();
        if (replacing) {
            if (!target.isDir())
                throw Error(QStringLiteral("%1 nie jest folderem").arg(options_.target));
            const QDir dir(target.absoluteFilePath());
            // Never replace a folder that is not a program folder: it may be anything of the
            // user's.
            if (!dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                             QDir::System) &&
                !dir.exists(QStringLiteral("katalog.ini")) &&
                !dir.exists(QStringLiteral("0wx.dll")))
                throw Error(QStringLiteral("%1 nie jest pusty i nie jest folderem programu (nie ma "
                                           "w nim katalog.ini ani 0wx.dll): nic nie zmieniono")
                                .arg(options_.target));
        }
        if (options_.base.isEmpty() || !QFileInfo(options_.base).isDir())
            throw Error(QStringLiteral("brak bazowego folderu programu %1").arg(options_.base));
        if (!options_.withoutMedia && !QFileInfo(options_.mediaFolder).isDir())
            throw Error(QStringLiteral("brak folderu multimediów %1").arg(options_.mediaFolder));
        const QString parent = target.absolutePath();
        if (!QDir().mkpath(parent))
            throw Error(importFailure(QFileInfo(parent).isDir() ? EACCES : ENOENT, options_.target,
                                      -1, -1));

        // Staging folders of an import that crashed an hour or more ago go first.
        removeLeftoverStaging(target.absoluteFilePath(),
                              QDateTime::currentDateTime().addSecs(-3600));
        // Everything is made here first; the folder goes with its content unless switched in.
        ImportDisk realDisk;
        ImportDisk& disk = options_.disk ? *options_.disk : realDisk;
        int error = 0;
        const QString staging = makeStagingFolder(disk, target.absoluteFilePath(), &error);
        if (staging.isEmpty())
            throw Error(importFailure(error, options_.target, -1, -1));
        StagingGuard guard(staging);
        importInto(staging, disk, result);

        step(QStringLiteral("Przełączanie folderu programu"), 0, 0);
        disk.flush(staging);
        const QString finalPath = target.absoluteFilePath();
        switchIn(staging, finalPath, &result.warning);
        guard.release();
        result.reportPath = QDir(finalPath).filePath(QStringLiteral("import-raport.txt"));
        result.ok = true;
    } catch (const Cancelled&) {
        result = ImportResult{};
        result.cancelled = true;
        result.error = QStringLiteral("import przerwany: nic nie zmieniono");
    } catch (const Error& e) {
        const bool cancelled = result.cancelled;
        result = ImportResult{};
        result.cancelled = cancelled;
        result.error = e.message();
    } catch (const std::bad_alloc&) {
        result = ImportResult{};
        result.error = QStringLiteral("za mało pamięci na import tego katalogu");
    } catch (const std::exception&) {
        result = ImportResult{};
        result.error = QStringLiteral("nieoczekiwany błąd importu: nic nie zmieniono");
    }
    giveMemoryBack();
    return result;
}

void Importer::importInto(const QString& staging, ImportDisk& disk, ImportResult& result) {
    const QString fileName = QFileInfo(options_.catalogue).fileName();
    const ReadProgress progress = [this](const QString& name, qint64 done, qint64 total) {
        step(name, done, total);
    };
    step(QStringLiteral("Czytanie katalogu"), 0, 0);
    Catalogue cat;
    {
        // The sheet goes as soon as its questions are taken.
        const Sheet sheet =
            readFirstSheetFile(options_.catalogue, options_.limits, progress, catalogueColumns());
        cat = readCatalogue(sheet, fileName, progress);
    }
    result.notes = cat.notes;
    result.rows = cat.rows;
    result.hasPoints = cat.hasPoints;

    // The media folder, listed once: names as written first, else the same name in other letter
    // case (the archives are made on systems that ignore it).
    QSet<QString> exact;
    QHash<QString, QString> folded;
    if (!options_.withoutMedia) {
        QDirIterator it(options_.mediaFolder, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
        qint64 listed = 0;
        while (it.hasNext()) {
            const QString name = QFileInfo(it.next()).fileName();
            if (++listed > maxMediaFiles)
                throw Error(QStringLiteral("folder multimediów %1 ma ponad %2 plików")
                                .arg(options_.mediaFolder)
                                .arg(maxMediaFiles));
            if (listed % 1000 == 0)
                step(QStringLiteral("Przeglądanie folderu multimediów"), listed, 0);
            exact.insert(name);
            folded.insert(name.toLower(), name);
        }
    }
    QMap<QString, QString> mediaSource; // media name as in the sheet -> file in the media folder
    QList<const Question*> kept;
    QMap<QString, QList<qint64>> missing;
    for (const Question& q : cat.questions) {
        if (!options_.withoutMedia && !q.media.isEmpty() && !mediaSource.contains(q.media)) {
            QString found = exact.contains(q.media) ? q.media : folded.value(q.media.toLower());
            const QString path = QDir(options_.mediaFolder).filePath(found);
            if (!found.isEmpty() && regularFile(path))
                mediaSource.insert(q.media, path);
        }
        if (!options_.withoutMedia && !q.media.isEmpty() && !mediaSource.contains(q.media)) {
            missing[q.media] << q.number;
            RowNote note;
            note.row = q.row;
            note.number = QString::number(q.number);
            note.reason = Reason::MissingMedia;
            note.detail = QStringLiteral("brak pliku multimediów „%1”").arg(q.media);
            note.statedPart = q.part == Part::Basic ? QStringLiteral("PODSTAWOWY")
                                                    : QStringLiteral("SPECJALISTYCZNY");
            note.categories = q.categories;
            result.notes << note;
            continue;
        }
        kept << &q;
    }
    exact.clear();
    folded.clear();
    result.missingMedia = missing.keys();
    std::stable_sort(result.notes.begin(), result.notes.end(),
                     [](const RowNote& a, const RowNote& b) { return a.row < b.row; });
    if (kept.isEmpty())
        throw Error(QStringLiteral("%1: żadnego pytania nie można zaimportować").arg(fileName));

    // Per category, basic and specialist questions in ascending official number.
    std::sort(kept.begin(), kept.end(),
              [](const Question* a, const Question* b) { return a->number < b->number; });
    std::map<int, std::pair<QList<const Question*>, QList<const Question*>>> byCategory;
    for (const Question* q : kept)
        for (const QString& code : q->categories) {
            auto& lists = byCategory[int(categoryCodes().indexOf(code))];
            (q->part == Part::Basic ? lists.first : lists.second) << q;
        }

    // The base program folder: reference pages and fixed pictures, linked (or copied).
    const QDir base(QFileInfo(options_.base).absoluteFilePath());
    const QString basePrefix = base.path() + u'/';
    const QString targetPrefix = QFileInfo(options_.target).absoluteFilePath() + u'/';
    const QString stagingPrefix = QFileInfo(staging).absoluteFilePath() + u'/';
    // Re-importing over the folder in use makes the target the base itself: then its files are
    // the base, not a target inside it.
    const bool targetInBase = targetPrefix != basePrefix;
    QStringList baseFiles;
    {
        QDirIterator it(base.path(), QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
        qint64 listed = 0;
        while (it.hasNext()) {
            const QString file = it.next();
            if (++listed % 1000 == 0)
                step(QStringLiteral("Przeglądanie folderu programu"), listed, 0);
            const QString rel = base.relativeFilePath(file);
            // A target (or its new folder) inside the base folder is not part of the base.
            if (bankOfBase(rel) || !regularFile(file) ||
                (targetInBase && file.startsWith(targetPrefix)) || file.startsWith(stagingPrefix))
                continue;
            if (baseFiles.size() >= maxBaseFiles)
                throw Error(QStringLiteral("bazowy folder programu %1 ma ponad %2 plików")
                                .arg(options_.base)
                                .arg(maxBaseFiles));
            baseFiles << rel;
        }
    }

    // The bank files and katalog.ini, made before anything is written so that the space the
    // import needs is known.
    const QString points = cat.hasPoints ? QStringLiteral("1") : QStringLiteral("0");
    const QDateTime when =
        options_.importedAt.isValid() ? options_.importedAt : QDateTime::currentDateTime();
    QList<QPair<QString, QByteArray>> written;
    QStringList codes, sections;
    for (const auto& [index, lists] : byCategory) {
        const QString code = categoryCodes()[index];
        codes << code;
        QStringList basic{quotedRecord({QStringLiteral("Wirtal: pytania podstawowe %1").arg(code),
                                        "T/N", "media", "pkt", "numer", "ENG"})};
        for (const Question* q : lists.first)
            basic << quotedRecord({q->text, q->answer, q->media,
                                   q->points ? QString::number(q->points) : QString(),
                                   QString::number(q->number), q->en});
        QStringList special{
            quotedRecord({QStringLiteral("Wirtal: pytania specjalistyczne %1").arg(code), "A", "B",
                          "C", "odp", "media", "pkt", "numer", "ENG", "A ENG", "B ENG", "C ENG"})};
        for (const Question* q : lists.second)
            special << quotedRecord({q->text, q->a, q->b, q->c, q->answer, q->media,
                                     q->points ? QString::number(q->points) : QString(),
                                     QString::number(q->number), q->en, q->enA, q->enB, q->enC});
        written.append({basicBankFile(code), utf8WithBom(basic)});
        written.append({specialistBankFile(code), utf8WithBom(special)});
        result.counts << CategoryCount{code, int(lists.first.size()), int(lists.second.size())};
        sections << QString() << QStringLiteral("[%1]").arg(code)
                 << QStringLiteral("podstawowe=%1").arg(lists.first.size())
                 << QStringLiteral("specjalistyczne=%1").arg(lists.second.size());
    }
    const QStringList ini =
        QStringList{QStringLiteral("[katalog]"),
                    QStringLiteral("wersja=1"),
                    QStringLiteral("kategorie=") + codes.join(u','),
                    QStringLiteral("punkty=") + points,
                    QStringLiteral("zrodlo=") + fileName,
                    QStringLiteral("zaimportowano=") + when.toString(Qt::ISODate)} +
        sections;
    written.append({QStringLiteral("katalog.ini"),
                    (ini.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8()});

    // What the new folder takes on the disk: the files written, the files copied rather than
    // linked, and room for the report. Refused before anything is written when it does not fit.
    qint64 needed = qint64(1) << 20;
    for (const auto& [name, bytes] : written)
        needed += bytes.size();
    for (const QString& rel : baseFiles)
        needed += bytesToCopy(base.filePath(rel), staging);
    for (const QString& from : mediaSource)
        needed += bytesToCopy(from, staging);
    const qint64 free = disk.freeBytes(staging);
    if (free >= 0 && needed > free)
        throw Error(importFailure(ENOSPC, options_.target, needed, free));
    const auto failed = [&](int error) {
        throw Error(importFailure(error, options_.target, needed, free));
    };

    const QDir out(staging);
    QSet<QString> folders;
    const auto folderFor = [&](const QString& rel) {
        // Every folder on the way, made once.
        const QStringList parts = rel.split(u'/');
        QString path;
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            path += (i ? QStringLiteral("/") : QString()) + parts[i];
            if (folders.contains(path))
                continue;
            if (const int error = disk.makeFolder(out.filePath(path)); error && error != EEXIST)
                failed(error);
            folders.insert(path);
        }
    };
    const auto place = [&](const QString& from, const QString& rel, const QString& stepName,
                           qint64 done, qint64 total) {
        folderFor(rel);
        const Placed placed =
            disk.placeFile(from, out.filePath(rel), [&] { step(stepName, done, total); });
        if (placed.error && placed.ofSource)
            throw Error(
                QStringLiteral("nie można odczytać pliku %1").arg(QDir::toNativeSeparators(from)));
        if (placed.error)
            failed(placed.error);
        return placed.linked;
    };
    const auto save = [&](const QString& name, const QByteArray& bytes) {
        if (const int error = disk.writeFile(out.filePath(name), bytes))
            failed(error);
    };
    for (qsizetype i = 0; i < baseFiles.size(); ++i) {
        step(QStringLiteral("Pliki folderu programu"), i, baseFiles.size());
        place(base.filePath(baseFiles[i]), baseFiles[i], QStringLiteral("Pliki folderu programu"),
              i, baseFiles.size());
    }
    result.baseFiles = int(baseFiles.size());
    folderFor(mediaSubfolder + QStringLiteral("/x"));

    step(QStringLiteral("Zapisywanie pytań"), 0, 0);
    for (const auto& [name, bytes] : written)
        save(name, bytes);
    written.clear();

    // The media, the bulk of the work: hard links where that is safe and the file system allows.
    qint64 done = 0;
    for (auto it = mediaSource.cbegin(); it != mediaSource.cend(); ++it, ++done) {
        step(QStringLiteral("Pliki multimediów"), done, mediaSource.size());
        if (place(it.value(), mediaSubfolder + u'/' + it.key(), QStringLiteral("Pliki multimediów"),
                  done, mediaSource.size()))
            ++result.linked;
        else
            ++result.copied;
    }
    step(QStringLiteral("Pliki multimediów"), done, mediaSource.size());

    save(QStringLiteral("import-raport.txt"),
         utf8WithBom(importReport(result, fileName, when, options_.withoutMedia, missing)));
}

} // namespace wirtal::catalogue
