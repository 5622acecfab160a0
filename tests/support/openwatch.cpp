// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/openwatch.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace wirtal::test {

#ifdef Q_OS_LINUX
OpenWatch::OpenWatch(const QString& folder, Trace trace) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    const uint32_t events = trace == Trace::Opens ? IN_OPEN | IN_ACCESS : IN_ACCESS;
    if (fd_ >= 0 && ::inotify_add_watch(fd_, QFile::encodeName(folder).constData(), events) < 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

OpenWatch::~OpenWatch() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool OpenWatch::supported() {
    return true;
}

QStringList OpenWatch::opened() {
    QStringList names;
    if (fd_ < 0)
        return {QStringLiteral("(the watch could not be set up)")};
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
            // Events of the folder itself (a listing) carry no name and are not counted.
            const QString name = e->len ? QFile::decodeName(e->name) : QString();
            if (!name.isEmpty() && !names.contains(name))
                names << name;
            at += ssize_t(sizeof(inotify_event)) + e->len;
        }
    }
    return names;
}
#else
OpenWatch::OpenWatch(const QString&, Trace) {}
OpenWatch::~OpenWatch() = default;
bool OpenWatch::supported() {
    return false;
}
QStringList OpenWatch::opened() {
    return {};
}
#endif

} // namespace wirtal::test
