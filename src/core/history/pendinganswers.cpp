// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/pendinganswers.h"

#include "platform/filereader.h"
#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

namespace wirtal {

namespace {

const QByteArray header = "wirtal-niezapisane 1";

// Any moment from 2000 to 2200.
constexpr qint64 earliestMs = 946'684'800'000LL, latestMs = 7'258'118'400'000LL;

// A category's code, or its catalogue key ("katalog:B", BankIdentity::historyKey).
bool soundCategory(QByteArray code) {
    if (code.startsWith("katalog:"))
        code = code.mid(8);
    if (code.isEmpty() || code.size() > 8)
        return false;
    for (const char c : code)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+'))
            return false;
    return true;
}

// A whole number in [low, high] or nothing.
std::optional<qint64> number(const QByteArray& text, qint64 low, qint64 high) {
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

std::optional<PendingEntry> entryOf(const QByteArray& line) {
    const QList<QByteArray> f = line.split(' ');
    PendingEntry e;
    if (f.size() == 7 && f[0] == "odp") {
        const auto question = number(f[2], 1, 100'000), correct = number(f[3], 0, 1),
                   mode = number(f[4], 0, int(AnswerMode::Topic)),
                   at = number(f[5], earliestMs, latestMs), took = number(f[6], 0, 3'600'000);
        if (!soundCategory(f[1]) || !question || !correct || !mode || !at || !took)
            return std::nullopt;
        e.category = QString::fromLatin1(f[1]);
        e.question = int(*question);
        e.correct = *correct == 1;
        e.mode = AnswerMode(*mode);
        e.atMs = *at;
        e.tookMs = int(*took);
        return e;
    }
    if (f.size() == 5 && f[0] == "test") {
        const auto at = number(f[2], earliestMs, latestMs), score = number(f[3], 0, 1000),
                   passed = number(f[4], 0, 1);
        if (!soundCategory(f[1]) || !at || !score || !passed)
            return std::nullopt;
        e.exam = true;
        e.category = QString::fromLatin1(f[1]);
        e.atMs = *at;
        e.score = int(*score);
        e.passed = *passed == 1;
        return e;
    }
    return std::nullopt;
}

} // namespace

QByteArray pendingFileBytes(const std::vector<PendingEntry>& entries) {
    QByteArray out = header + '\n';
    for (const PendingEntry& e : entries) {
        const QByteArray category = e.category.toLatin1();
        if (e.exam)
            out += "test " + category + ' ' + QByteArray::number(e.atMs) + ' ' +
                   QByteArray::number(e.score) + ' ' + (e.passed ? '1' : '0') + '\n';
        else
            out += "odp " + category + ' ' + QByteArray::number(e.question) + ' ' +
                   (e.correct ? '1' : '0') + ' ' + QByteArray::number(int(e.mode)) + ' ' +
                   QByteArray::number(e.atMs) + ' ' + QByteArray::number(e.tookMs) + '\n';
    }
    return out;
}

std::vector<PendingEntry> parsePendingFile(const QByteArray& bytes) {
    std::vector<PendingEntry> out;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.front().trimmed() != header)
        return out;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (const auto e = entryOf(lines[i].trimmed()))
            out.push_back(*e);
    return out;
}

std::vector<PendingEntry> readPendingFile(const QString& path) {
    if (QFileInfo(path).isSymLink())
        return {};
    const FileRead f = tryReadRegularFile(path, maxPendingFileBytes);
    if (f.problem != FileProblem::None)
        return {};
    return parsePendingFile(f.bytes);
}

bool writePendingFile(const QString& path, const std::vector<PendingEntry>& entries, QString* why) {
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile()))
        QFile::remove(path);
    return saveWhole(path, pendingFileBytes(entries), why);
}

} // namespace wirtal
