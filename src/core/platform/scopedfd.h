// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>

namespace wirtal {

// A file descriptor, closed when it goes out of scope; never copied (a copy would close it twice).
struct ScopedFd {
    int fd = -1;
    ScopedFd() = default;
    explicit ScopedFd(int descriptor) : fd(descriptor) {}
    ScopedFd(const ScopedFd&) = delete;
    ScopedFd& operator=(const ScopedFd&) = delete;
    ~ScopedFd() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace wirtal
#endif
