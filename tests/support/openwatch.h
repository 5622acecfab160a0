// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace wirtal::test {

// Traces which files of one folder are opened while it is alive (inotify on Linux): a test puts
// bait files there, names them in hostile input, and checks that nothing opened them.
// Elsewhere it sees nothing (supported() is false).
class OpenWatch {
public:
    explicit OpenWatch(const QString& folder);
    ~OpenWatch();
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    static bool supported();
    // The names of the files opened since the last call (or since the start), each once.
    QStringList opened();

private:
    int fd_ = -1;
};

} // namespace wirtal::test
