// SPDX-License-Identifier: GPL-3.0-or-later

#include "ministryserver.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <zip.h>

namespace wirtal::test {

MinistryServer::MinistryServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] { serve(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

QString MinistryServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

void MinistryServer::file(const QString& path, const QByteArray& body, const QByteArray& type) {
    answers_[path] = {200, body, type, {}};
}

void MinistryServer::redirect(const QString& path, const QString& location) {
    answers_[path] = {302, {}, "text/html", location.toUtf8()};
}

QList<MinistryServer::Request> MinistryServer::requestsFor(const QString& path) const {
    QList<Request> out;
    for (const Request& r : requests)
        if (r.path == path)
            out << r;
    return out;
}

void MinistryServer::serve(QTcpSocket* s) {
    QByteArray request = s->property("request").toByteArray() + s->readAll();
    s->setProperty("request", request);
    const qsizetype headEnd = request.indexOf("\r\n\r\n");
    if (headEnd < 0 || s->property("answered").toBool())
        return;
    s->setProperty("answered", true);
    const QList<QByteArray> lines = request.left(headEnd).split('\n');
    const QString path = QString::fromLatin1(lines.value(0).split(' ').value(1));
    Request asked{path, {}, {}};
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        asked.headers.append({name, value});
        if (name == "range")
            asked.range = value;
    }
    const QByteArray range = asked.range;
    requests << asked;

    const auto it = answers_.constFind(path);
    QByteArray head;
    QByteArray body;
    if (it == answers_.constEnd()) {
        body = "nie ma";
        head = "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\n";
    } else if (it->status == 302) {
        head = "HTTP/1.1 302 Found\r\nLocation: " + it->location + "\r\n";
    } else {
        const QByteArray& all = it->body;
        qint64 from = 0;
        if (range.startsWith("bytes=") && range.endsWith('-') && !ignoreRanges)
            from = range.mid(6, range.size() - 7).toLongLong();
        if (from >= all.size() && from > 0) {
            head = "HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */" +
                   QByteArray::number(all.size()) + "\r\n";
        } else if (from > 0) {
            body = all.mid(from);
            head = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " +
                   QByteArray::number(from) + "-" + QByteArray::number(all.size() - 1) + "/" +
                   QByteArray::number(all.size()) + "\r\nContent-Type: " + it->type + "\r\n";
        } else {
            body = all;
            head = "HTTP/1.1 200 OK\r\nContent-Type: " + it->type + "\r\n";
        }
    }
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";
    const auto cut = breaks_.find(path);
    if (cut != breaks_.end()) {
        body = body.left(*cut);
        breaks_.erase(cut);
    }
    s->write(head + body);
    s->disconnectFromHost();
}

QByteArray zipOf(const QList<std::pair<QString, QByteArray>>& files) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.zip"));
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z)
        return {};
    for (const auto& [name, bytes] : files) {
        // libzip keeps the buffer until zip_close; these outlive it.
        zip_source_t* src = zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8);
    }
    zip_close(z);
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace wirtal::test
