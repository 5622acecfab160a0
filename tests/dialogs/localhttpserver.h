// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

namespace wirtal::test {

// A tiny HTTP server on 127.0.0.1 for the version check: answers every GET with one status and
// body and records the paths asked for.
class LocalHttpServer : public QObject {
public:
    LocalHttpServer();
    bool listening() const { return server_.isListening(); }
    // "http://127.0.0.1:<port>"
    QString address() const;
    void setAnswer(int status, const QByteArray& body) {
        status_ = status;
        body_ = body;
    }
    // A different answer for one path.
    void setAnswer(const QString& path, int status, const QByteArray& body,
                   const QByteArray& type) {
        byPath_[path] = {status, body, type};
    }
    const QStringList& paths() const { return paths_; }

    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    void serve(class QTcpSocket* socket);

    QTcpServer server_;
    int status_ = 200;
    QByteArray body_;
    QStringList paths_;
    struct Answer {
        int status;
        QByteArray body;
        QByteArray type;
    };
    QMap<QString, Answer> byPath_;
};

} // namespace wirtal::test
