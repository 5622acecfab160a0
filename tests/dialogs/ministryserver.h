// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTcpServer>

namespace wirtal::test {

// A small HTTP server on 127.0.0.1 that plays the ministry's catalogue page and its files:
// answers ranges (206 with Content-Range), redirects, can break a connection in the middle of a
// file, and records every request with its Range header.
class MinistryServer : public QObject {
public:
    MinistryServer();
    quint16 port() const { return server_.serverPort(); }
    // "http://127.0.0.1:<port>" + path
    QString url(const QString& path = {}) const;

    void file(const QString& path, const QByteArray& body,
              const QByteArray& type = "application/octet-stream");
    void redirect(const QString& path, const QString& location);
    // The next answer for path sends only `bytes` of its body and closes the connection.
    void breakOnce(const QString& path, qint64 bytes) { breaks_[path] = bytes; }
    // Answers every range with the whole file (200), as some servers do.
    bool ignoreRanges = false;

    struct Request {
        QString path;
        QByteArray range;
        QList<std::pair<QByteArray, QByteArray>> headers; // names in lower case
    };
    QList<Request> requests;
    QList<Request> requestsFor(const QString& path) const;

private:
    void serve(class QTcpSocket* socket);

    struct Answer {
        int status = 200;
        QByteArray body;
        QByteArray type;
        QByteArray location;
    };
    QTcpServer server_;
    QMap<QString, Answer> answers_;
    QMap<QString, qint64> breaks_;
};

// A zip archive holding the given files (name, bytes).
QByteArray zipOf(const QList<std::pair<QString, QByteArray>>& files);

} // namespace wirtal::test
