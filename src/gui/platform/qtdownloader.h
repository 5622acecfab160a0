// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/downloader.h"

#include <QNetworkAccessManager>

namespace wirtal {

// Downloads on QNetworkAccessManager: https only (plain http only to 127.0.0.1, and only when
// made with allowLocalHttp, which the tests' local server needs). Sends no cookies, no referrer
// and nothing of the learner: a bare GET with a range. The network layer holds at most
// readBuffer bytes ahead of the handlers; a download fails when no data comes for idleTimeoutMs,
// or when its request's totalTimeoutMs has passed at a piece of data.
class QtDownloader final : public Downloader {
public:
    static constexpr qint64 readBuffer = 256 * 1024;
    static constexpr int idleTimeoutMs = 30000;
    static constexpr int maxRedirects = 5;

    explicit QtDownloader(bool allowLocalHttp = false);
    std::function<void()> get(const DownloadRequest& request, QObject* context,
                              DownloadHandlers handlers) override;

private:
    QNetworkAccessManager nam_;
    bool allowLocalHttp_;
};

// Whether an address may be asked for: https, or http to 127.0.0.1 when allowLocalHttp.
bool downloadSchemeAllowed(const QUrl& url, bool allowLocalHttp);
// Whether a redirect from `origin` to `target` may be followed: an allowed scheme that is not
// weaker than the origin's, and the origin's own host or one of `hosts` (compared without case).
bool redirectAllowed(const QUrl& origin, const QUrl& target, const QStringList& hosts,
                     bool allowLocalHttp);

} // namespace wirtal
