// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qtwebloader.h"

#include "platform/error.h"

#include <QDeadlineTimer>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <memory>

namespace wirtal {

namespace {
struct Transfer {
    QByteArray body;
    bool tooLarge = false;
    QDeadlineTimer deadline{QtWebLoader::totalTimeoutMs};
};
} // namespace

void QtWebLoader::get(const QUrl& url, QObject* context, std::function<void(const WebPage&)> done) {
    const QString scheme = url.scheme();
    if (scheme != QStringLiteral("http") && scheme != QStringLiteral("https")) {
        // Never a local file or a resource of the program: answer "failed", later, as always.
        QMetaObject::invokeMethod(
            context,
            [url, done] {
                WebPage page;
                page.url = url;
                guarded([&] { done(page); });
            },
            Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::SameOriginRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(idleTimeoutMs);
    QNetworkReply* reply = nam_.get(request);
    reply->setReadBufferSize(readBuffer);
    auto transfer = std::make_shared<Transfer>();
    // The reply goes away when it finishes, whether or not anyone still waits for it.
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    const auto tooLarge = [reply, transfer] {
        transfer->tooLarge = true;
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, tooLarge] {
        bool known = false;
        const qint64 length =
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && length > maxBytes)
            tooLarge();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, transfer, tooLarge] {
        if (transfer->tooLarge)
            return;
        transfer->body += reply->read(maxBytes + 1 - transfer->body.size());
        if (transfer->body.size() > maxBytes)
            tooLarge();
        else if (transfer->deadline.hasExpired())
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, context, [reply, transfer, done] {
        WebPage page;
        page.url = reply->url();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        page.ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300 &&
                  !transfer->tooLarge;
        if (page.ok) {
            transfer->body += reply->read(maxBytes + 1 - transfer->body.size());
            if (transfer->body.size() > maxBytes)
                page.ok = false;
            else
                page.body = transfer->body;
        }
        transfer->body.clear();
        guarded([&] { done(page); });
    });
}

} // namespace wirtal
