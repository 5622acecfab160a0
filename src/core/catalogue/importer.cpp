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

// A regular file, not a link to one (a link could lead out of its folder).
bool regularFile(const QString& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(fsPath(path), ec));
}

// Files of a base program folder that the import makes anew or that belong to another bank.
bool bankOfBase(const QString& relative) {
    static const QRegularExpression names(
        QStringLiteral("^(0wx\\.dll|02x\\.dll|baza.\\.txt|katalog\\.ini|import-raport\\.txt|"
                       "katalog-kolumny\\.txt|"
                       "pytania-[a-z0-9]+-(podst|spec)\\.txt)$"),
        QRegularExpression::CaseInsensitiveOption);
    return names.match(relative).hasMatch() || relative.startsWith(mediaSubfolder + u'/');
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

QString defaultBaseFolder(const QString& currentDir, const QString& applicationDir) {
    if (QFileInfo::exists(currentDir + QStringLiteral("/0wx.dll")))
        return currentDir;
    const QString installed = QDir::cleanPath(applicationDir + QStringLiteral("/../share/wirtal"));
    if (QFileInfo::exists(installed + QStringLiteral("/0wx.dll")))
        return installed;
    return {};
}

QString mediaStep() {
    return QStringLiteral("Pliki multimediów");
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
        if (!options_.withoutMedia && options_.media.isEmpty())
            throw Error(QStringLiteral("nie podano folderu ani archiwum multimediów"));
        // Each is opened when the sheet has been read; a path that is not there fails at once.
        for (const QString& media : options_.media)
            if (!options_.withoutMedia && !QFileInfo::exists(media))
                throw Error(QStringLiteral("brak folderu ani archiwum multimediów %1").arg(media));
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
        // The sheets go as soon as their questions are taken.
        QList<NamedSheet> sheets =
            readSheetsFile(options_.catalogue, options_.limits, progress, catalogueColumns());
        cat = readCatalogue(sheets.first().sheet, fileName, progress);
        for (qsizetype i = 1; i < sheets.size(); ++i) {
            OtherSheet other{sheets[i].name, -1, {}};
            try {
                const Catalogue more = readCatalogue(sheets[i].sheet, fileName, progress);
                other.questions = int(more.questions.size());
                for (const Question& q : more.questions)
                    other.numbers << q.number;
            } catch (const Error&) {
                // A sheet without the catalogue's header is no sheet of questions.
            }
            result.otherSheets << other;
        }
    }
    result.notes = cat.notes;
    result.rows = cat.rows;
    result.hasPoints = cat.hasPoints;
    result.unusedColumns = cat.extraColumns;

    // The folders and archives, listed once.
    std::unique_ptr<MediaSources> sources;
    if (!options_.withoutMedia)
        sources = std::make_unique<MediaSources>(
            options_.media, options_.mediaLimits,
            [this](qint64 listed) { step(QStringLiteral("Przeglądanie multimediów"), listed, 0); });
    // Each file placed under the name the sheet gives it, so the bank records name it as the
    // sheet does.
    QMap<QString, MediaFile> toPlace; // name in the sheet and the new folder -> where it is
    QSet<QString> looked;
    const auto look = [&](const QString& name) {
        if (name.isEmpty() || looked.contains(name))
            return toPlace.contains(name);
        looked.insert(name);
        bool loose = false;
        const std::optional<MediaFile> file = sources->find(name, &loose);
        if (!file)
            return false;
        const QString path = sources->folderPath(*file);
        if (file->member < 0 && !regularFile(path))
            return false;
        toPlace.insert(name, *file);
        if (loose)
            result.looseMatches.append({name, file->name});
        return true;
    };
    QList<const Question*> kept;
    QMap<QString, QList<qint64>> missing;
    QSet<QString> missingSign, signFound;
    for (const Question& q : cat.questions) {
        if (sources && !q.media.isEmpty() && !look(q.media)) {
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
        // The sign-language films come in a package of their own: a question keeps its place
        // without them.
        if (sources)
            for (const QString& film : {q.signText, q.signA, q.signB, q.signC})
                if (!film.isEmpty())
                    (look(film) ? signFound : missingSign).insert(film);
        kept << &q;
    }
    result.missingMedia = missing.keys();
    result.missingSignFilms = QStringList(missingSign.cbegin(), missingSign.cend());
    result.missingSignFilms.sort();
    result.signFilms = int(signFound.size());
    if (sources)
        result.refusedMembers = sources->refused();
    std::stable_sort(result.notes.begin(), result.notes.end(),
                     [](const RowNote& a, const RowNote& b) { return a.row < b.row; });
    if (kept.isEmpty())
        throw Error(QStringLiteral("%1: żadnego pytania nie można zaimportować").arg(fileName));
    std::sort(kept.begin(), kept.end(),
              [](const Question* a, const Question* b) { return a->number < b->number; });

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
    const QDateTime when =
        options_.importedAt.isValid() ? options_.importedAt : QDateTime::currentDateTime();
    FolderFiles made = folderFiles(cat, kept, fileName, when);
    QList<QPair<QString, QByteArray>>& written = made.files;
    result.counts = made.counts;

    // What the new folder takes on the disk: the files written, the files copied rather than
    // linked, and room for the report. Refused before anything is written when it does not fit.
    qint64 needed = qint64(1) << 20;
    for (const auto& [name, bytes] : written)
        needed += bytes.size();
    for (const QString& rel : baseFiles)
        needed += bytesToCopy(base.filePath(rel), staging);
    qint64 mediaBytes = 0;
    for (const MediaFile& file : toPlace) {
        mediaBytes += file.size;
        needed += file.member >= 0 ? file.size : bytesToCopy(sources->folderPath(file), staging);
    }
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

    // The media, the bulk of the work: hard links where that is safe and the file system allows,
    // archive members unpacked straight into the folder. Progress in bytes.
    qint64 done = 0;
    for (auto it = toPlace.cbegin(); it != toPlace.cend(); ++it) {
        step(mediaStep(), done, mediaBytes);
        const MediaFile& file = it.value();
        const QString rel = mediaSubfolder + u'/' + it.key();
        if (file.member < 0) {
            if (place(sources->folderPath(file), rel, mediaStep(), done, mediaBytes))
                ++result.linked;
            else
                ++result.copied;
            done += file.size;
            continue;
        }
        const auto read = sources->openMember(file);
        qint64 got = 0;
        const Placed placed = disk.writeFrom(
            out.filePath(rel),
            [&](char* buffer, qint64 max) {
                const qint64 n = read(buffer, max);
                got += std::max<qint64>(n, 0);
                return n;
            },
            [&] { step(mediaStep(), done + got, mediaBytes); });
        if (placed.error && placed.ofSource)
            throw Error(sources->problem());
        if (placed.error)
            failed(placed.error);
        ++result.unpacked;
        done += file.size;
    }
    step(mediaStep(), done, mediaBytes);
    result.mediaBytes = done;

    // The codecs of the films placed, from their headers, and whether this machine decodes them.
    QStringList films;
    for (auto it = toPlace.cbegin(); it != toPlace.cend(); ++it)
        if (isFilmName(it.key()))
            films << out.filePath(mediaSubfolder + u'/' + it.key());
    result.filmCodecs =
        filmCodecs(films, options_.pluginFolders, &result.filmsUnknown, [this](qint64 checked) {
            step(QStringLiteral("Sprawdzanie filmów"), checked, 0);
        });
    save(QStringLiteral("import-raport.txt"),
         utf8WithBom(importReport(result, fileName, when, options_.withoutMedia, missing)));
}

} // namespace wirtal::catalogue
