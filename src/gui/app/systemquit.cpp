// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/systemquit.h"

#include "base/statsfile.h"
#include "platform/error.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <utility>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

#ifdef Q_OS_UNIX
#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace wirtal {

#ifdef Q_OS_UNIX
namespace {
// The two ends of the self-pipe: the handler writes into [0], the notifier reads [1].
int pipeEnds[2] = {-1, -1};
constexpr std::array<int, 3> caught = {SIGTERM, SIGHUP, SIGINT};
struct sigaction before[caught.size()];

extern "C" void onSignal(int signo) {
    const int saved = errno;
    const char byte = char(signo);
    // Only async-signal-safe calls here; a full pipe means a wake-up is already pending.
    [[maybe_unused]] const ssize_t n = ::write(pipeEnds[0], &byte, 1);
    errno = saved;
}
} // namespace
#endif

SystemQuit::SystemQuit(std::function<void()> save, std::function<void()> close, QObject* parent)
    : QObject(parent), save_(std::move(save)), close_(std::move(close)) {
#ifndef QT_NO_SESSIONMANAGER
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const auto saveNow = [this](QSessionManager&) {
            guarded(StatsFile::savePending);
            guarded(save_);
        };
        connect(app, &QGuiApplication::commitDataRequest, this, saveNow, Qt::DirectConnection);
        connect(app, &QGuiApplication::saveStateRequest, this, saveNow, Qt::DirectConnection);
    }
#endif
#ifdef Q_OS_UNIX
    if (pipeEnds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0)
        return; // another instance has them, or no pipe: the default actions stay
    for (int fd : pipeEnds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    for (std::size_t i = 0; i < caught.size(); ++i) {
        struct sigaction sa = {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        ::sigaction(caught[i], &sa, &before[i]);
    }
    notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SystemQuit::signalled);
#endif
}

SystemQuit::~SystemQuit() {
#ifdef Q_OS_UNIX
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < caught.size(); ++i)
        ::sigaction(caught[i], &before[i], nullptr);
    delete notifier_;
    for (int& fd : pipeEnds) {
        ::close(fd);
        fd = -1;
    }
#endif
}

void SystemQuit::signalled() {
#ifdef Q_OS_UNIX
    char bytes[16];
    while (::read(pipeEnds[1], bytes, sizeof bytes) > 0) {
    }
#endif
    guarded(StatsFile::savePending); // the last question shown is saved before anything closes
    guarded(close_);
}

} // namespace wirtal
