// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qtdownloader.h"

#include "platform/error.h"

#include <QDeadlineTimer>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QRegularExpression>

#include <memory>
#include <optional>

namespace wirtal {

bool downloadSchemeAllowed(const QUrl& url, bool allowLocalHttp) {
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty())
        return false;
    if (url.scheme() == QStringLiteral("https"))
        return true;
    return allowLocalHttp && url.scheme() == QStringLiteral("http") &&
           url.host() == QStringLiteral("127.0.0.1");
}

bool redirectAllowed(const QUrl& origin, const QUrl& target, const QStringList& hosts,
                     bool allowLocalHttp) {
    if (!downloadSchemeAllowed(target, allowLocalHttp))
        return false;
    if (origin.scheme() == QStringLiteral("https") && target.scheme() != QStringLiteral("https"))
        return false;
    const QString host = target.host().toLower();
    if (host == origin.host().toLower())
        return true;
    for (const QString& h : hosts)
        if (h.trimmed().toLower() == host)
            return true;
    return false;
}

namespace {

using Outcome = DownloadEnd::Outcome;

struct Transfer {
    DownloadRequest request;
    DownloadHandlers handlers;
    bool headSeen = false;
    bool success = false; // a 200 or a fitting 206
    qint64 from = 0;
    qint64 received = 0;
    std::optional<Outcome> stopped; // why we aborted it ourselves
    QDeadlineTimer deadline{QDeadlineTimer::Forever};
    bool ended = false;
};

// "bytes 100-199/1234" -> {100, 1234}; a total of "*" is -1.
std::optional<std::pair<qint64, qint64>> contentRange(const QByteArray& value) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*bytes\\s+([0-9]{1,18})-([0-9]{1,18})/([0-9]{1,18}|\\*)\\s*$"));
    const auto m = form.match(QString::fromLatin1(value));
    if (!m.hasMatch())
        return std::nullopt;
    const qint64 first = m.captured(1).toLongLong();
    const qint64 total = m.captured(3) == QStringLiteral("*") ? -1 : m.captured(3).toLongLong();
    return std::make_pair(first, total);
}

} // namespace

QtDownloader::QtDownloader(bool allowLocalHttp) : allowLocalHttp_(allowLocalHttp) {
    nam_.setCookieJar(nullptr);
}

std::function<void()> QtDownloader::get(const DownloadRequest& request, QObject* context,
                                        DownloadHandlers handlers) {
    auto t = std::make_shared<Transfer>();
    t->request = request;
    t->handlers = std::move(handlers);
    if (request.totalTimeoutMs > 0)
        t->deadline.setRemainingTime(request.totalTimeoutMs);
    QPointer<QObject> guard(context);
    const auto finish = [t, guard](const DownloadEnd& end) {
        if (t->ended)
            return;
        t->ended = true;
        if (guard && t->handlers.done)
            guarded([&] { t->handlers.done(end); });
    };

    if (!downloadSchemeAllowed(request.url, allowLocalHttp_) || request.from < 0) {
        // Never a local file or anything but the web: refused, later, as always.
        QMetaObject::invokeMethod(
            context,
            [finish, url = request.url] {
                DownloadEnd end;
                end.outcome = Outcome::Refused;
                end.url = url;
                finish(end);
            },
            Qt::QueuedConnection);
        return [] {};
    }

    QNetworkRequest req(request.url);
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                     QNetworkRequest::UserVerifiedRedirectPolicy);
    req.setMaximumRedirectsAllowed(maxRedirects);
    req.setTransferTimeout(idleTimeoutMs);
    req.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    req.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    req.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // The same few words from every learner: no locale of the system, no compression (the
    // sizes and ranges are the file's own).
    req.setHeader(QNetworkRequest::UserAgentHeader, QByteArray("Wirtal"));
    req.setRawHeader("Accept-Language", "pl");
    req.setRawHeader("Accept-Encoding", "identity");
    if (request.from > 0)
        req.setRawHeader("Range", "bytes=" + QByteArray::number(request.from) + "-");
    QNetworkReply* reply = nam_.get(req);
    reply->setReadBufferSize(readBuffer);
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QPointer<QNetworkReply> live(reply);
    const auto stop = [t, live](Outcome why) {
        if (!t->stopped)
            t->stopped = why;
        if (live)
            live->abort();
    };
    const bool allowLocal = allowLocalHttp_;
    // Nobody hears of it any more: it stops.
    QObject::connect(context, &QObject::destroyed, reply, [live] {
        if (live)
            live->abort();
    });

    QObject::connect(
        reply, &QNetworkReply::redirected, reply, [t, reply, stop, allowLocal](const QUrl& target) {
            const QUrl from = reply->url();
            if (redirectAllowed(from, from.resolved(target), t->request.redirectHosts, allowLocal))
                emit reply->redirectAllowed();
            else
                stop(Outcome::Refused);
        });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, context, [t, reply, stop] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (t->headSeen || (status >= 300 && status < 400))
            return;
        t->headSeen = true;
        qint64 from = 0, total = -1;
        if (status == 206) {
            const auto range = contentRange(reply->rawHeader("Content-Range"));
            if (!range || range->first != t->request.from)
                return stop(Outcome::Refused);
            from = range->first;
            total = range->second;
        } else if (status == 200) {
            bool known = false;
            const qint64 length =
                reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
            total = known ? length : -1;
        } else {
            return; // an error status: no body is handed on, done says Failed
        }
        if (total > t->request.maxBytes)
            return stop(Outcome::Refused);
        t->success = true;
        t->from = from;
        if (t->handlers.started)
            guarded([&] { t->handlers.started(from, total); });
    });
    QObject::connect(reply, &QNetworkReply::readyRead, context, [t, reply, stop] {
        if (!t->success || t->stopped)
            return;
        const QByteArray chunk = reply->readAll(); // at most readBuffer
        if (chunk.isEmpty())
            return;
        t->received += chunk.size();
        if (t->from + t->received > t->request.maxBytes)
            return stop(Outcome::Refused);
        if (t->deadline.hasExpired()) // a page that trickles in
            return stop(Outcome::Failed);
        bool more = true;
        if (t->handlers.data)
            guarded([&] { more = t->handlers.data(chunk); });
        if (!more)
            stop(Outcome::Cancelled);
    });
    QObject::connect(reply, &QNetworkReply::finished, context, [t, reply, finish] {
        DownloadEnd end;
        end.url = reply->url();
        end.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (t->stopped) {
            end.outcome = *t->stopped;
        } else if (reply->error() == QNetworkReply::NoError && t->success) {
            // What the last readyRead left behind.
            while (reply->bytesAvailable() > 0 && !t->stopped) {
                const QByteArray chunk = reply->read(readBuffer);
                t->received += chunk.size();
                if (t->from + t->received > t->request.maxBytes) {
                    t->stopped = Outcome::Refused;
                    break;
                }
                bool more = true;
                if (t->handlers.data)
                    guarded([&] { more = t->handlers.data(chunk); });
                if (!more)
                    t->stopped = Outcome::Cancelled;
            }
            end.outcome = t->stopped ? *t->stopped : Outcome::Complete;
        } else {
            end.outcome = Outcome::Failed;
        }
        finish(end);
    });
    return [stop] { stop(Outcome::Cancelled); };
}

} // namespace wirtal
