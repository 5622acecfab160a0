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
    // What is traced: every open (and read), or only reads of a file's bytes.
    enum class Trace { Opens, Reads };
    explicit OpenWatch(const QString& folder, Trace trace = Trace::Opens);
    ~OpenWatch();
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    static bool supported();
    // The names of the files opened (or read) since the last call (or since the start), each
    // once.
    QStringList opened();

private:
    int fd_ = -1;
};

} // namespace wirtal::test
