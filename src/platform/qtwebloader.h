#pragma once

#include "platform/webloader.h"

#include <QNetworkAccessManager>

namespace wirtal {

// Real page loads on QNetworkAccessManager: redirects only within the same server, at most
// maxBytes of body (a longer answer counts as failed).
class QtWebLoader final : public WebPageLoader {
public:
    static constexpr qint64 maxBytes = 1024 * 1024;

    void get(const QUrl& url, QObject* context, std::function<void(const WebPage&)> done) override;

private:
    QNetworkAccessManager nam_;
};

} // namespace wirtal
