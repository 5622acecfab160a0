#include "platform/qtwebloader.h"

#include "platform/error.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace wirtal {

void QtWebLoader::get(const QUrl& url, QObject* context, std::function<void(const WebPage&)> done) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::SameOriginRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    QNetworkReply* reply = nam_.get(request);
    // The reply goes away when it finishes, whether or not anyone still waits for it.
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply](qint64 received, qint64) {
                         if (received > maxBytes)
                             reply->abort();
                     });
    QObject::connect(reply, &QNetworkReply::finished, context, [reply, done] {
        WebPage page;
        page.url = reply->url();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        page.ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
        if (page.ok) {
            page.body = reply->readAll();
            if (page.body.size() > maxBytes) {
                page.ok = false;
                page.body.clear();
            }
        }
        guarded([&] { done(page); });
    });
}

} // namespace wirtal
