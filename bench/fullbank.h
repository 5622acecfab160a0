// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A full-size bank for the benchmarks: 1298 basic lines and 183 specialist lines of about 120
// characters, every field quoted, Windows-1250, CR LF, in a temporary program folder, and a
// statistics file with every key in a temporary user data folder.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace wirtal::bench {

struct FullBank {
    QTemporaryDir program;
    QTemporaryDir user;
    FullBank();
};

// A bank line with every field quoted (quotes doubled).
QString quoted(const QStringList& fields);
// A question text of about the given length, with Polish letters.
QString questionText(int n, int length);
// Lines joined with CR LF (and one at the end) in Windows-1250; exits when the file cannot be
// written.
void writeBankFile(const QString& path, const QStringList& lines);

// The two bank files of a classic folder ("0wx.dll", "02x.dll") in `folder`, every question
// written `copies` times over (1: the full-size bank; more: the same bank scaled up).
void writeClassicBanks(const QString& folder, int copies);

// Made once, on first use; installs its folders as the program's.
FullBank& fullBank();

// Waits until files written just now count as quiet, so their decoded lines are kept between
// reads (base/textfile.h) as they are for a bank that was not just written.
void settle();
// The reads of bank files kept in memory (on) or every read decoded anew (off), by a benchmark
// argument: 1 on, 0 off.
void keepLines(bool on);

} // namespace wirtal::bench
