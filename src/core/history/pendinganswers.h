// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/answerlog.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace wirtal {

// An answer or a test result the history could not take when it was given. It waits in memory,
// in order, and at close in a small text file beside the history, until it can be written.
struct PendingEntry {
    bool exam = false; // a test result (score, passed), else an answer
    QString category;
    qint64 atMs = 0;
    int question = 0;
    bool correct = false;
    AnswerMode mode = AnswerMode::Learning;
    int tookMs = 0;
    int score = 0;
    bool passed = false;
};

// A pending file larger than this is not ours (a real one holds a few hundred lines): it is
// not read.
constexpr qint64 maxPendingFileBytes = qint64(4) << 20;

// The file's text: a header line, then one entry a line.
QByteArray pendingFileBytes(const std::vector<PendingEntry>& entries);
// The entries of a file's text; a line that is not a sound entry is skipped.
std::vector<PendingEntry> parsePendingFile(const QByteArray& bytes);
// The entries of the pending file at path: only a regular file (not a link) of at most
// maxPendingFileBytes is read; nothing otherwise.
std::vector<PendingEntry> readPendingFile(const QString& path);
// Writes the entries whole (or nothing) at path; whatever else stood under the name (a link, a
// FIFO) goes first, so the write never lands outside the folder.
bool writePendingFile(const QString& path, const std::vector<PendingEntry>& entries,
                      QString* why = nullptr);

} // namespace wirtal
