// SPDX-License-Identifier: GPL-3.0-or-later

#include "localhttpserver.h"

#include <QTcpSocket>

namespace wirtal::test {

LocalHttpServer::LocalHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] { serve(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

QString LocalHttpServer::address() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void LocalHttpServer::serve(QTcpSocket* s) {
    QByteArray request = s->property("request").toByteArray() + s->readAll();
    s->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;
    const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = QString::fromLatin1(line.value(1));
    paths_ << path;
    const Answer a = byPath_.value(path, {status_, body_, "text/html; charset=utf-8"});
    const QByteArray reason = a.status == 200 ? "OK" : "Error";
    s->write("HTTP/1.1 " + QByteArray::number(a.status) + " " + reason + "\r\nContent-Type: " +
             a.type + "\r\nContent-Length: " + QByteArray::number(a.body.size()) +
             "\r\nConnection: close\r\n\r\n" + a.body);
    s->disconnectFromHost();
}

quint16 LocalHttpServer::closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace wirtal::test
