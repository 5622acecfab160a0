// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace wirtal {

namespace {
constexpr int handshakeMs = 1000; // a running copy answers at once; a hung one is not waited for
}

QString SingleInstance::serverNameFor(const QString& userDataFolder) {
    const QByteArray key = QDir::cleanPath(QDir(userDataFolder).absolutePath()).toUtf8();
    return QStringLiteral("wirtal-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20));
}

SingleInstance::SingleInstance(const QString& userDataFolder, QObject* parent) : QObject(parent) {
    const QString name = serverNameFor(userDataFolder);
    {
        QLocalSocket other;
        other.connectToServer(name);
        if (other.waitForConnected(handshakeMs)) {
            other.write("raise\n");
            other.waitForBytesWritten(handshakeMs);
            other.disconnectFromServer();
            handedOver_ = true;
            return;
        }
    }
    // Nobody answered: a socket left by a copy that crashed is removed before listening.
    QLocalServer::removeServer(name);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name))
        return; // the program runs without the guard
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_.nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            emit raiseRequested();
        }
    });
}

} // namespace wirtal
