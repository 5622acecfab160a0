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
    paths_ << QString::fromLatin1(line.value(1));
    const QByteArray reason = status_ == 200 ? "OK" : "Error";
    s->write("HTTP/1.1 " + QByteArray::number(status_) + " " + reason +
             "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
             QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_);
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
