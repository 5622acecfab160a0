// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Downloading the newest catalogue edition: the page read through the download seam, then each
// file of the offer into the download folder, resumed with a range after a broken connection,
// checked for room first and, for an archive, for being whole before it is handed on. Nothing
// outside the download folder is touched; the program folder stays as it is until the import
// that follows has built a new one.

#include "dialogs/catalogpage.h"
#include "platform/downloader.h"

#include <QFile>
#include <QObject>

#include <functional>
#include <memory>

namespace wirtal::catalogfetch {

// Whether an archive is whole: its central directory is found and every member's local header
// lies inside the file (libzip opens it with ZIP_CHECKCONS).
bool zipIsWhole(const QString& path);

// The bounds of one download: the spreadsheet, each archive (the sign-language films are about
// 11 GB). A file larger than its bound is refused.
inline constexpr qint64 maxSpreadsheetBytes = qint64(64) << 20;
inline constexpr qint64 maxArchiveBytes = qint64(32) << 30;
// The page is read within a minute in all.
inline constexpr int pageTimeoutMs = 60000;
// Room kept free beside the downloads.
inline constexpr qint64 spareBytes = qint64(64) << 20;
// Attempts at one file in a row while each brings new bytes.
inline constexpr int maxResumes = 5;

// The download folder in the user data: "pobrane".
QString downloadFolder();

struct Fetched {
    QString catalogue; // the .xlsx
    QStringList media; // the archives, in the page's order
};

class Fetcher : public QObject {
public:
    struct Handlers {
        std::function<void(const Offer&)> pageRead;
        std::function<void(const QString& problem)> pageFailed;
        // file: index into the offer's files; total -1 when unknown.
        std::function<void(int file, qint64 done, qint64 total)> progressed;
        std::function<void(const Fetched&)> finished;
        std::function<void(const QString& problem)> failed;
        std::function<void()> cancelled;
    };

    Fetcher(Downloader& downloader, Source source, QString folder, Handlers handlers,
            QObject* parent = nullptr);
    ~Fetcher() override;

    // Free bytes where a path lies (the real disk unless a test says otherwise; -1 unknown).
    void setFreeSpace(std::function<qint64(const QString&)> freeSpace) {
        freeSpace_ = std::move(freeSpace);
    }

    void readPage();
    // Downloads every file of the offer, one after the other, each resumed from what an earlier
    // attempt left.
    void download(const Offer& offer);
    // The learner stops: the download in progress ends and its partial files are removed.
    void cancel();
    bool busy() const { return bool(cancel_); }

    // The partial file of a local name, and the file that remembers the address it comes from.
    static QString partName(const QString& localName) {
        return localName + QStringLiteral(".part");
    }
    static QString originName(const QString& localName) {
        return localName + QStringLiteral(".adres");
    }

private:
    void startFile();
    void fileDone(const DownloadEnd& end);
    void fail(const QString& problem);
    QString path(const QString& name) const;
    void removePartials();

    Downloader& downloader_;
    Source source_;
    QString folder_;
    Handlers handlers_;
    std::function<qint64(const QString&)> freeSpace_;
    std::function<void()> cancel_;
    Offer offer_;
    int index_ = 0;
    int resumes_ = 0;
    QFile part_;
    qint64 from_ = 0, received_ = 0, total_ = -1;
    QString writeError_;
    int attempt_ = 0; // raised by every request and by cancel(); older answers are not heard
};

} // namespace wirtal::catalogfetch
