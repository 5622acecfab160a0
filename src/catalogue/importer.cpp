// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/importer.h"

#include "bank/split.h"
#include "platform/error.h"
#include "platform/savefile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <map>

namespace wirtal::catalogue {

namespace {

namespace fs = std::filesystem;

fs::path fsPath(const QString& path) {
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

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

// A sibling path of `path` that does not exist yet: "/x/.name<tag>N".
QString freeSibling(const QString& path, const QString& tag) {
    const QFileInfo info(path);
    for (int i = 1;; ++i) {
        const QString candidate =
            info.absolutePath() + QStringLiteral("/.") + info.fileName() + tag + QString::number(i);
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

bool renamePath(const QString& from, const QString& to) {
    std::error_code ec;
    fs::rename(fsPath(from), fsPath(to), ec);
    return !ec;
}

} // namespace

int removeLeftoverStaging(const QString& target, const QDateTime& olderThan) {
    const QFileInfo info(target);
    const QRegularExpression leftover(QStringLiteral("^\\.") +
                                      QRegularExpression::escape(info.fileName()) +
                                      QStringLiteral("\\.import-[A-Za-z0-9]{6}$"));
    int removed = 0;
    const QFileInfoList entries =
        QDir(info.absolutePath())
            .entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    for (const QFileInfo& e : entries) {
        if (!leftover.match(e.fileName()).hasMatch() || e.isSymLink() || !e.isDir() ||
            e.lastModified() >= olderThan)
            continue;
        // std::filesystem::remove_all removes links inside as links, never what they point to.
        std::error_code ec;
        fs::remove_all(fsPath(e.absoluteFilePath()), ec);
        if (!ec)
            ++removed;
    }
    return removed;
}

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
        const QFileInfo target(options_.target);
        if (options_.target.isEmpty())
            throw Error(QStringLiteral("nie podano folderu programu"));
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
            throw Error(QStringLiteral("nie można utworzyć folderu %1").arg(parent));

        // Staging folders of an import that crashed an hour or more ago go first.
        removeLeftoverStaging(target.absoluteFilePath(),
                              QDateTime::currentDateTime().addSecs(-3600));
        // Everything is made here first; the directory goes with its content unless switched in.
        QTemporaryDir staging(parent + QStringLiteral("/.") + target.fileName() +
                              QStringLiteral(".import-XXXXXX"));
        if (!staging.isValid())
            throw Error(QStringLiteral("nie można utworzyć folderu obok %1: %2")
                            .arg(options_.target, staging.errorString()));
        // A program folder others may read, whatever QTemporaryDir chose.
        QFile::setPermissions(staging.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                  QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                  QFileDevice::ExeOther);
        importInto(staging.path(), result);

        step(QStringLiteral("Przełączanie folderu programu"), 0, 0);
        const QString finalPath = target.absoluteFilePath();
        QString aside;
        if (replacing) {
            aside = freeSibling(finalPath, QStringLiteral(".old-"));
            if (!renamePath(finalPath, aside))
                throw Error(QStringLiteral("nie można odsunąć dotychczasowego folderu %1")
                                .arg(options_.target));
        }
        if (!renamePath(staging.path(), finalPath)) {
            if (replacing && !renamePath(aside, finalPath))
                throw Error(QStringLiteral("nie można przenieść nowego folderu na miejsce %1; "
                                           "dotychczasowy folder jest teraz w %2")
                                .arg(options_.target, aside));
            throw Error(QStringLiteral("nie można przenieść nowego folderu na miejsce %1")
                            .arg(options_.target));
        }
        staging.setAutoRemove(false);
        if (replacing && !QDir(aside).removeRecursively())
            result.warning =
                QStringLiteral("nie udało się usunąć poprzedniego folderu %1").arg(aside);
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
    } catch (const std::exception& e) {
        result = ImportResult{};
        result.error = QString::fromLocal8Bit(e.what());
    }
    return result;
}

void Importer::importInto(const QString& staging, ImportResult& result) {
    const QString fileName = QFileInfo(options_.catalogue).fileName();
    step(QStringLiteral("Czytanie katalogu"), 0, 0);
    const Sheet sheet = readFirstSheetFile(options_.catalogue, options_.limits);
    step(QStringLiteral("Sprawdzanie pytań"), 0, 0);
    const Catalogue cat = readCatalogue(sheet, fileName);
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
        while (it.hasNext()) {
            const QString file = it.next();
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
    const QDir out(staging);
    auto place = [&](const QString& from, const QString& rel) {
        const QString to = out.filePath(rel);
        if (!QDir().mkpath(QFileInfo(to).absolutePath()))
            throw Error(
                QStringLiteral("nie można utworzyć folderu %1").arg(QFileInfo(to).absolutePath()));
        std::error_code ec;
        fs::create_hard_link(fsPath(from), fsPath(to), ec);
        if (!ec)
            return true;
        // Another file system, or one without hard links: this one file is copied.
        if (!QFile::copy(from, to))
            throw Error(QStringLiteral("nie można skopiować %1 do %2").arg(from, to));
        return false;
    };
    for (qsizetype i = 0; i < baseFiles.size(); ++i) {
        step(QStringLiteral("Pliki folderu programu"), i, baseFiles.size());
        place(base.filePath(baseFiles[i]), baseFiles[i]);
    }
    result.baseFiles = int(baseFiles.size());
    if (!out.mkpath(mediaSubfolder))
        throw Error(
            QStringLiteral("nie można utworzyć folderu %1").arg(out.filePath(mediaSubfolder)));

    // The bank files and katalog.ini.
    step(QStringLiteral("Zapisywanie pytań"), 0, 0);
    auto save = [&](const QString& name, const QByteArray& bytes) {
        QString why;
        if (!saveWhole(out.filePath(name), bytes, &why))
            throw Error(QStringLiteral("nie można zapisać %1: %2").arg(out.filePath(name), why));
    };
    const QString points = cat.hasPoints ? QStringLiteral("1") : QStringLiteral("0");
    const QDateTime when =
        options_.importedAt.isValid() ? options_.importedAt : QDateTime::currentDateTime();
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
        save(basicBankFile(code), utf8WithBom(basic));
        save(specialistBankFile(code), utf8WithBom(special));
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
    save(QStringLiteral("katalog.ini"),
         (ini.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());

    // The media, the bulk of the work: hard links where the file system allows.
    qint64 done = 0;
    for (auto it = mediaSource.cbegin(); it != mediaSource.cend(); ++it, ++done) {
        step(QStringLiteral("Pliki multimediów"), done, mediaSource.size());
        if (place(it.value(), mediaSubfolder + u'/' + it.key()))
            ++result.linked;
        else
            ++result.copied;
    }
    step(QStringLiteral("Pliki multimediów"), done, mediaSource.size());

    // The report.
    QStringList report{
        QStringLiteral("Import katalogu pytań: %1").arg(fileName),
        QStringLiteral("Zaimportowano: %1").arg(when.toString(Qt::ISODate)),
        QStringLiteral("Wiersze pytań w arkuszu: %1").arg(cat.rows),
        QStringLiteral("Liczba punktów: %1")
            .arg(cat.hasPoints ? QStringLiteral("z kolumny katalogu")
                               : QStringLiteral("brak kolumny, przydziela je losowanie testu")),
        QString(),
        QStringLiteral("Pytania w kategoriach (podstawowe / specjalistyczne):")};
    for (const CategoryCount& c : result.counts)
        report << QStringLiteral("  %1: %2 / %3").arg(c.code).arg(c.basic).arg(c.specialist);
    report << QString() << QStringLiteral("Pominięte wiersze: %1").arg(result.leftOut());
    const QMap<Reason, int> byReason = result.leftOutByReason();
    for (auto it = byReason.cbegin(); it != byReason.cend(); ++it)
        report << QStringLiteral("  %1: %2").arg(reasonTitle(it.key())).arg(it.value());
    for (const RowNote& n : result.notes)
        if (leavesOut(n.reason))
            report << QStringLiteral("  wiersz %1, pytanie %2: %3")
                          .arg(n.row)
                          .arg(n.number.isEmpty() ? QStringLiteral("-") : n.number, n.detail);
    report << QString() << QStringLiteral("Poprawione wiersze: %1").arg(result.corrected());
    for (const RowNote& n : result.notes)
        if (!leavesOut(n.reason))
            report
                << QStringLiteral("  wiersz %1, pytanie %2: %3").arg(n.row).arg(n.number, n.detail);
    report << QString()
           << (options_.withoutMedia
                   ? QStringLiteral("Multimedia: nie dołączone (--without-media)")
                   : QStringLiteral("Multimedia: %1 połączonych, %2 skopiowanych, %3 brakujących")
                         .arg(result.linked)
                         .arg(result.copied)
                         .arg(missing.size()));
    for (auto it = missing.cbegin(); it != missing.cend(); ++it) {
        QStringList numbers;
        for (qint64 n : it.value())
            numbers << QString::number(n);
        report << QStringLiteral("  brak %1 (pytania %2)").arg(it.key(), numbers.join(u", "));
    }
    save(QStringLiteral("import-raport.txt"), utf8WithBom(report));
}

} // namespace wirtal::catalogue
