// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>

#include <cstdlib>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace wirtal {

namespace {
constexpr int handshakeMs = 1000; // a running copy answers at once; a hung one is not waited for

QString hashedName(const QString& userDataFolder) {
    const QByteArray key = QDir::cleanPath(QDir(userDataFolder).absolutePath()).toUtf8();
    return QStringLiteral("wirtal-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20));
}

#ifdef Q_OS_UNIX
// A folder that is really a folder (not a link to one), owned by this user and writable by
// nobody else.
bool isPrivateFolder(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 022) == 0;
}

// The folder at path, made with mode 0700 when missing; empty when it is not private.
QString privateFolder(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    return isPrivateFolder(path) ? path : QString();
}

// Whether the other end of a connected local socket runs as this user.
bool peerIsThisUser(qintptr descriptor) {
    if (descriptor < 0)
        return false;
#if defined(SO_PEERCRED)
    struct ucred cred {};
    socklen_t length = sizeof cred;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &cred, &length) != 0)
        return false;
    return cred.uid == ::geteuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    if (::getpeereid(int(descriptor), &uid, &gid) != 0)
        return false;
    return uid == ::geteuid();
#endif
}

constexpr qsizetype maxSocketPath = sizeof(sockaddr_un::sun_path) - 1;

// The socket this process listens on, removed also when the process ends through exit() without
// unwinding (the display lost: Xlib ends the program from its error handler).
char listeningPath[sizeof(sockaddr_un::sun_path)] = {};
void removeSocketAtExit() {
    if (listeningPath[0])
        ::unlink(listeningPath);
}
void removeAtExit(const QString& path) {
    static const bool registered = std::atexit(removeSocketAtExit) == 0;
    const QByteArray native = QFile::encodeName(path);
    if (!registered || native.size() >= qsizetype(sizeof listeningPath))
        return;
    std::memcpy(listeningPath, native.constData(), std::size_t(native.size()) + 1);
}
void forgetAtExit() {
    listeningPath[0] = 0;
}
#else
bool peerIsThisUser(qintptr) {
    return true; // a pipe made with UserAccessOption admits this user only
}
void removeAtExit(const QString&) {}
void forgetAtExit() {}
#endif
} // namespace

QString SingleInstance::legacyNameFor(const QString& userDataFolder) {
    return QDir(QDir::tempPath()).filePath(hashedName(userDataFolder));
}

QString SingleInstance::serverNameFor(const QString& userDataFolder) {
#ifdef Q_OS_UNIX
    const QString name = hashedName(userDataFolder);
    QStringList folders;
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        folders << (runtime = QDir::cleanPath(runtime));
    folders << QDir::cleanPath(QDir(userDataFolder).absoluteFilePath(QStringLiteral(".gniazdo")));
    // A socket path is short (108 bytes): a deep user data folder falls back to a folder of
    // this user's own in the temporary folder, as long as nobody else made it first.
    folders << QDir(QDir::tempPath()).filePath(QStringLiteral("wirtal-%1").arg(::geteuid()));
    for (const QString& folder : folders) {
        const QString path = folder + u'/' + name;
        if (QFile::encodeName(path).size() > maxSocketPath)
            continue;
        if (folder != runtime && privateFolder(folder).isEmpty())
            continue;
        return path;
    }
    return {};
#else
    return hashedName(userDataFolder);
#endif
}

SingleInstance::SingleInstance(const QString& userDataFolder, QObject* parent) : QObject(parent) {
    const QString name = serverNameFor(userDataFolder);
    if (name.isEmpty())
        return; // no private place for the socket: the program runs without the guard
    {
        QLocalSocket other;
        other.connectToServer(name);
        if (other.waitForConnected(handshakeMs) && peerIsThisUser(other.socketDescriptor())) {
            other.write("raise\n");
            other.waitForBytesWritten(handshakeMs);
            other.disconnectFromServer();
            handedOver_ = true;
            return;
        }
    }
    // Nobody of ours answered: a socket left by a copy that crashed is removed before listening.
    QLocalServer::removeServer(name);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name))
        return; // the program runs without the guard
    removeAtExit(server_.fullServerName());
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_.nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            if (!peerIsThisUser(s->socketDescriptor())) {
                s->abort();
                continue;
            }
            emit raiseRequested();
        }
    });
}

SingleInstance::~SingleInstance() {
    if (server_.isListening())
        forgetAtExit();
    server_.close(); // removes the socket file
}

} // namespace wirtal
