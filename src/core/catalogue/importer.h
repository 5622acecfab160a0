// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Importing the official question catalogue (.xlsx) and its media into a program folder
// holding every category (the folder format is described in README, "Importing the official
// catalogue"). The import is built in a new folder beside the target and switched in only when
// complete, so a failure, a cancel or a crash leaves the previous folder as it was. Runs on any
// thread: it touches no GUI and reports through the progress callback.

#include "catalogue/bankfiles.h"
#include "catalogue/catalogue.h"
#include "catalogue/filmcodecs.h"
#include "catalogue/folderswap.h"
#include "catalogue/mediasource.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

#include <atomic>
#include <functional>

namespace wirtal::catalogue {

struct ImportOptions {
    QString catalogue; // the .xlsx file
    // The pictures and films named in the sheet: folders and .zip archives as downloaded, searched
    // in this order (the first file of a name wins). Archives are read in place.
    QStringList media;
    QString target;            // the program folder to make (replaced when it is one already)
    QString base;              // program folder whose reference pages and fixed pictures are taken
    bool withoutMedia = false; // keep every question with its media name, place no media
    QDateTime importedAt;      // written into katalog.ini; the current time when invalid
    XlsxLimits limits;
    MediaLimits mediaLimits;
    QStringList pluginFolders;  // where film decoders are looked for; empty: this machine's
    ImportDisk* disk = nullptr; // where the new folder is written; the real disk when null
};

// A sheet after the first (the questions under verification): not imported, counted.
struct OtherSheet {
    QString name;
    int questions = 0;     // sound questions on it; -1 when it has no header of the catalogue
    QList<qint64> numbers; // their official numbers
};

struct ImportResult {
    bool ok = false;
    bool cancelled = false;
    QString error;               // why it failed (target unchanged)
    QList<CategoryCount> counts; // categories with questions, in categoryCodes() order
    QList<RowNote> notes;        // every row left out or corrected, missing media included
    qint64 rows = 0;             // question rows read
    bool hasPoints = false;
    int linked = 0, copied = 0, unpacked = 0; // media files: linked, copied, taken from an archive
    qint64 mediaBytes = 0;                    // bytes of the media placed
    QStringList missingMedia;                 // media names not found (their questions left out)
    // Names found only in another form (Unicode form, letter case, blanks, .jpeg/.mp4): the name
    // in the sheet and the file taken for it.
    QList<QPair<QString, QString>> looseMatches;
    int signFilms = 0;                   // sign-language films placed
    QStringList missingSignFilms;        // sign-language films named but not found (questions kept)
    QList<RefusedMember> refusedMembers; // archive members passed over
    QList<FilmCodec> filmCodecs;         // of the films placed, containers first, by name
    int filmsUnknown = 0;                // films whose header is neither ASF nor MP4
    QStringList unusedColumns;           // headers of the columns the program does not use
    QList<OtherSheet> otherSheets;
    int baseFiles = 0; // files taken from the base program folder
    QString reportPath;
    QString warning; // the import succeeded, but something after the switch did not

    int leftOut() const;
    int corrected() const;
    // Rows left out, per reason, in the order of the Reason enumeration.
    QMap<Reason, int> leftOutByReason() const;
};

class Importer {
public:
    // Called with the step's Polish name and how far it is (done of total, total may be 0).
    using Progress = std::function<void(const QString& step, qint64 done, qint64 total)>;

    explicit Importer(ImportOptions options);
    void setProgress(Progress progress) { progress_ = std::move(progress); }
    // Checked at every progress call (every few thousand XML tokens, thousand rows or files, and
    // every megabyte copied); when it becomes true the import stops and the target stays as it
    // was.
    void setCancelFlag(const std::atomic<bool>* cancel) { cancel_ = cancel; }

    // Never throws; the result says what happened. First puts back a previous folder an
    // interrupted switch left aside (restoreInterruptedImport). Whatever the outcome, the memory
    // the import took is given back to the system before it returns.
    ImportResult run();

private:
    struct Cancelled {};
    void step(const QString& name, qint64 done, qint64 total);
    void importInto(const QString& staging, ImportDisk& disk, ImportResult& result);

    ImportOptions options_;
    Progress progress_;
    const std::atomic<bool>* cancel_ = nullptr;
};

// The name of the step that places the media; its progress counts bytes.
QString mediaStep();

// The program folder the bank tool would use as base: the current directory when it holds
// "0wx.dll", else the installed program folder beside the executable (../share/wirtal) when it
// does; empty when neither.
QString defaultBaseFolder(const QString& currentDir, const QString& applicationDir);

} // namespace wirtal::catalogue
