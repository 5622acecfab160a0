// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/webloader.h"

#include <QNetworkAccessManager>

namespace wirtal {

// Real page loads on QNetworkAccessManager: http and https only, redirects only within the same
// server, at most maxBytes of body (a longer answer counts as failed). The body is cut while it
// streams: the network layer holds at most readBuffer bytes ahead of us, so an endless or huge
// answer never costs more memory than the bound. A load fails when no data comes for
// idleTimeoutMs, or when it takes longer than totalTimeoutMs in all.
class QtWebLoader final : public WebPageLoader {
public:
    static constexpr qint64 maxBytes = 1024 * 1024;
    static constexpr qint64 readBuffer = 64 * 1024;
    static constexpr int idleTimeoutMs = 15000;
    static constexpr qint64 totalTimeoutMs = 60000;

    void get(const QUrl& url, QObject* context, std::function<void(const WebPage&)> done) override;

private:
    QNetworkAccessManager nam_;
};

} // namespace wirtal
