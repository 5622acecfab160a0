// SPDX-License-Identifier: GPL-3.0-or-later

// The answer history's answers that wait: what the history cannot take now is kept in order,
// tried again, kept beside the history at close and taken in at the next open.

#include "history/answerlog.h"

#include "base/bankdata.h"
#include "history/pendinganswers.h"
#include "platform/dialogs.h"
#include "platform/timer.h"

#include <QFile>

namespace wirtal {

namespace {
const QString waitingNotice =
    QStringLiteral("Historia odpowiedzi jest chwilowo zajęta przez inny program albo nie można "
                   "do niej pisać. Twoje odpowiedzi nie przepadną: program zapisze je, gdy tylko "
                   "będzie to możliwe, najpóźniej przy następnym uruchomieniu.");
} // namespace

void AnswerLog::useSeams(TimerService* timers, Dialogs* dialogs) {
    dialogs_ = dialogs;
    if (timers) {
        retry_ = timers->create(QStringLiteral("historyretry"), retryMs, TimerKind::Repeating);
        retry_->setHandler([this] { writePending(); });
        notice_ = timers->create(QStringLiteral("historynotice"), 0, TimerKind::OneShot);
        notice_->setHandler([this] { showNotices(); });
    }
    // A history still locked at the open, or answers of an earlier run it has not taken yet.
    if (!ready_ || !pending_.empty()) {
        if (retry_)
            retry_->start();
        if (!pending_.empty())
            tell(waitingNotice);
    }
}

int AnswerLog::pendingCount() const {
    return int(pending_.size());
}

bool AnswerLog::record(const QString& category, int question, bool correct, AnswerMode mode,
                       qint64 atMs, int tookMs) {
    PendingEntry e;
    e.category = BankIdentity::ofProgramFolder().historyKey(category);
    e.question = question;
    e.correct = correct;
    e.mode = mode;
    e.atMs = atMs;
    e.tookMs = tookMs;
    // Nothing overtakes what waits: the cards are worked out in the order of the answers.
    if (writePending() && write(e))
        return true;
    keep(std::move(e));
    return false;
}

bool AnswerLog::recordExam(const QString& category, qint64 atMs, int score, bool passed) {
    PendingEntry e;
    e.exam = true;
    e.category = BankIdentity::ofProgramFolder().historyKey(category);
    e.atMs = atMs;
    e.score = score;
    e.passed = passed;
    if (writePending() && write(e))
        return true;
    keep(std::move(e));
    return false;
}

bool AnswerLog::write(const PendingEntry& entry) {
    if (!ready_)
        return false;
    return entry.exam ? writeExam(entry) : writeAnswer(entry);
}

bool AnswerLog::writePending() {
    if (!ready_) {
        QString notice;
        const Opening opening = connect(&notice);
        if (!notice.isEmpty())
            tell(notice); // a file found damaged once it could be read
        if (opening != Opening::Ready)
            return false;
    }
    std::size_t written = 0;
    // One at a time: a lock that comes back half-way costs one short wait, and the rest waits.
    while (written < pending_.size() && write(pending_[written]))
        ++written;
    pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(written));
    if (written > 0 && fileHolds_)
        syncPendingFile();
    if (pending_.empty() && retry_)
        retry_->stop();
    return pending_.empty();
}

void AnswerLog::keep(PendingEntry entry) {
    pending_.push_back(std::move(entry));
    if (retry_)
        retry_->start();
    if (!toldWaiting_)
        tell(waitingNotice);
}

void AnswerLog::syncPendingFile() {
    const QString path = pendingPathFor(path_);
    // A crash now must not write an answer twice at the next open: the file keeps only what
    // still waits.
    if (pending_.empty() ? QFile::remove(path) || !QFile::exists(path)
                         : writePendingFile(path, pending_))
        fileHolds_ = !pending_.empty();
}

void AnswerLog::tell(const QString& text) {
    if (text == waitingNotice) {
        if (toldWaiting_)
            return;
        toldWaiting_ = true;
    }
    notices_ << text;
    // Shown from a tick of its own, not inside the page's handler that recorded the answer.
    if (notice_)
        notice_->start();
}

void AnswerLog::showNotices() {
    const QStringList texts = std::exchange(notices_, {});
    if (!dialogs_)
        return;
    for (const QString& text : texts)
        dialogs_->message(text, Buttons::Ok, Icon::Warning);
}

} // namespace wirtal
