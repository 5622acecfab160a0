// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QStringList>
#include <QUrl>

#include <functional>

class QObject;

namespace wirtal {

// One file asked of a server: from byte `from` on (an HTTP range; 0 asks for the whole file),
// at most maxBytes in the whole file, within totalTimeoutMs when it is set. A redirect is followed
// only on https and only to the address's own host or one of redirectHosts.
struct DownloadRequest {
    QUrl url;
    qint64 from = 0;
    qint64 maxBytes = 0;
    QStringList redirectHosts;
    int totalTimeoutMs = 0; // the whole answer within this time (0: no limit, a large file)
};

// How a download ended.
struct DownloadEnd {
    enum class Outcome {
        Complete,  // the whole answer came with a success status
        Failed,    // no answer, an error status, a broken connection, a time-out
        Refused,   // larger than maxBytes, a redirect elsewhere, a range that does not fit
        Cancelled, // cancel() was called, or the data handler asked to stop
    };
    Outcome outcome = Outcome::Failed;
    QUrl url; // where the answer came from in the end
    int status = 0;
};

// What the caller hears of a download, on the GUI thread, each through the error guard:
//  - started(from, total) once, when the answer's head has come: the body begins at byte `from`
//    of the file (the asked offset when the server honoured the range, else 0) and the whole file
//    has `total` bytes (-1 when the server did not say);
//  - data(chunk) for every piece of the body in order; returning false stops the download
//    (it ends Cancelled);
//  - done(end) exactly once, never inside get(). None runs once `context` is destroyed.
struct DownloadHandlers {
    std::function<void(qint64 from, qint64 total)> started;
    std::function<bool(const QByteArray& chunk)> data;
    std::function<void(const DownloadEnd& end)> done;
};

// Downloads files and pages in the background, with ranges and progress.
class Downloader {
public:
    virtual ~Downloader() = default;
    // Starts a download; the returned function cancels it (done then says Cancelled, later). The
    // canceller may be called after the end, when it does nothing.
    virtual std::function<void()> get(const DownloadRequest& request, QObject* context,
                                      DownloadHandlers handlers) = 0;
};

} // namespace wirtal
