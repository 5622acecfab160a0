// SPDX-License-Identifier: GPL-3.0-or-later

// The history held by another program (a real second process holds the lock) or not taking
// writes: nothing is set aside, no answer is lost, what waits is written in order once it can be,
// kept beside the history at close and taken in at the next open; the learner is told once.

#include "history/answerlog.h"
#include "history/pendinganswers.h"
#include "platform/dialogs.h"
#include "platform/manualclock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace wirtal {
namespace {

constexpr qint64 t0 = 1'765'000'000'000LL;

// Message boxes that only note their texts.
class Boxes final : public Dialogs {
public:
    Answer message(const QString& text, Buttons, Icon, bool) override {
        shown << text;
        return Answer::Ok;
    }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QStringList openFileNames(const QString&, const QString&) override { return {}; }
    QString folderName(const QString&) override { return {}; }
    QStringList shown;
};

// Something that keeps the history from taking writes until release() (or the end).
class Holder {
public:
    virtual ~Holder() = default;
    virtual void release() = 0;
};

// A second program holding a lock on the database (tests/history/history_writer.cpp).
class LockingProcess final : public Holder {
public:
    LockingProcess(const QString& how, const QString& path) {
        process_.start(QStringLiteral(HISTORY_WRITER), {QStringLiteral("--lock"), how, path});
        ok = process_.waitForStarted(10'000);
        while (ok && !process_.canReadLine())
            ok = process_.waitForReadyRead(30'000);
        ok = ok && process_.readLine().trimmed() == "locked";
    }
    ~LockingProcess() override { release(); }
    void release() override {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.closeWriteChannel(); // it lets go when its input closes
        if (!process_.waitForFinished(30'000))
            process_.kill();
    }
    bool ok = false;

private:
    QProcess process_;
};

// The database file made immutable (chattr +i: even root cannot write it); only where the
// file system and the rights allow.
class ImmutableFile final : public Holder {
public:
    explicit ImmutableFile(const QString& path) : path_(path) {
        ok = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}) == 0;
    }
    ~ImmutableFile() override { release(); }
    void release() override {
        if (ok)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
        ok = false;
    }
    bool ok = false;

private:
    QString path_;
};

struct HolderKind {
    const char* what;
    std::function<std::unique_ptr<Holder>(const QString& path, bool* ok)> make;
};

const std::vector<HolderKind>& holderKinds() {
    static const std::vector<HolderKind> kinds = {
        {"another program writing (others may read)",
         [](const QString& p, bool* ok) {
             auto h = std::make_unique<LockingProcess>(QStringLiteral("writing"), p);
             *ok = h->ok;
             return std::unique_ptr<Holder>(std::move(h));
         }},
        {"another program holding the whole file",
         [](const QString& p, bool* ok) {
             auto h = std::make_unique<LockingProcess>(QStringLiteral("everything"), p);
             *ok = h->ok;
             return std::unique_ptr<Holder>(std::move(h));
         }},
        {"an immutable file",
         [](const QString& p, bool* ok) {
             auto h = std::make_unique<ImmutableFile>(p);
             *ok = h->ok;
             return std::unique_ptr<Holder>(std::move(h));
         }},
    };
    return kinds;
}

class PendingAnswersTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("historia.sqlite")); }
    QString pendingPath() const { return AnswerLog::pendingPathFor(path()); }
    QStringList asideFiles() const {
        return QDir(dir.path()).entryList({QStringLiteral("historia-odlozona-*")});
    }
    // A fresh folder with a history of one answer (question 5, right).
    void freshHistory() {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        auto log = AnswerLog::open(path(), nullptr);
        ASSERT_TRUE(log);
        ASSERT_TRUE(log->record("B", 5, true, AnswerMode::Learning, t0, 100));
    }
    // Three answers and a test result while the history cannot take them.
    static void answerWhileHeld(AnswerLog& log) {
        EXPECT_FALSE(log.record("B", 17, false, AnswerMode::Exam, t0 + 1000, 200));
        EXPECT_FALSE(log.recordExam("B", t0 + 2000, 52, false));
        EXPECT_FALSE(log.record("B", 17, true, AnswerMode::Learning, t0 + 3000, 300));
        EXPECT_FALSE(log.record("B", 18, true, AnswerMode::Learning, t0 + 4000, 400));
    }
    // What answerWhileHeld gave, found in the history, once each and in order.
    static void expectWritten(const AnswerLog& log) {
        EXPECT_EQ(log.answerCount("B"), 3);
        const auto cards = log.cards("B");
        const Card c = cards.value(17);
        EXPECT_EQ(c.seen, 2);
        EXPECT_FALSE(c.firstRight) << "written in the order given";
        EXPECT_TRUE(c.lastRight);
        EXPECT_EQ(c.lastMs, t0 + 3000);
        EXPECT_EQ(cards.value(18).seen, 1);
        const auto exams = log.exams("B");
        ASSERT_EQ(exams.size(), 1u);
        EXPECT_EQ(exams[0].score, 52);
    }
    QTemporaryDir dir;
    ManualClock clock;
    Boxes boxes;
};

// While the history is held the answers wait; they are written once it is free, on the retry
// timer, with nothing set aside and one notice.
TEST_F(PendingAnswersTest, AnswersWaitWhileTheHistoryIsHeldAndAreWrittenOnceItIsFree) {
    for (const HolderKind& kind : holderKinds()) {
        SCOPED_TRACE(kind.what);
        freshHistory();
        boxes.shown.clear();
        bool held = false;
        auto holder = kind.make(path(), &held);
        if (!held) {
            std::printf("[ skipped  ] %s: cannot be made here\n", kind.what);
            continue;
        }
        QString notice;
        auto log = AnswerLog::open(path(), &notice);
        ASSERT_TRUE(log);
        EXPECT_TRUE(notice.isEmpty()) << notice.toStdString();
        EXPECT_TRUE(asideFiles().isEmpty()) << "a held history is not damaged";
        log->useSeams(&clock, &boxes);

        answerWhileHeld(*log);
        EXPECT_EQ(log->pendingCount(), 4);
        clock.advance(1); // the notice has a tick of its own
        clock.advance(3 * AnswerLog::retryMs);
        EXPECT_EQ(log->pendingCount(), 4) << "still held";
        EXPECT_FALSE(log->record("B", 19, false, AnswerMode::Learning, t0 + 5000, 500))
            << "nothing overtakes what waits";
        ASSERT_EQ(boxes.shown.size(), 1) << "told once";
        EXPECT_TRUE(boxes.shown.front().contains(QStringLiteral("nie przepadną")));

        holder->release();
        clock.advance(AnswerLog::retryMs);
        EXPECT_EQ(log->pendingCount(), 0);
        EXPECT_EQ(log->answerCount("B"), 1 + 3 + 1);
        EXPECT_EQ(log->cards("B").value(19).seen, 1);
        EXPECT_EQ(log->cards("B").value(17).lastMs, t0 + 3000);
        EXPECT_EQ(boxes.shown.size(), 1);
        EXPECT_FALSE(QFile::exists(pendingPath()));
        EXPECT_TRUE(asideFiles().isEmpty());
    }
}

// What still waits at close is kept beside the history and written at the next open, also when
// the history is still held then; the file goes once its answers are in.
TEST_F(PendingAnswersTest, WhatWaitsAtCloseIsKeptBesideAndWrittenAtTheNextOpen) {
    for (const bool heldAtNextOpen : {false, true}) {
        SCOPED_TRACE(heldAtNextOpen ? "held at the next open" : "free at the next open");
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        AnswerLog::open(path(), nullptr); // an empty history
        boxes.shown.clear();
        auto lock = std::make_unique<LockingProcess>(QStringLiteral("everything"), path());
        ASSERT_TRUE(lock->ok);
        {
            auto log = AnswerLog::open(path(), nullptr);
            ASSERT_TRUE(log);
            answerWhileHeld(*log);
        }
        ASSERT_TRUE(QFile::exists(pendingPath()));
        if (!heldAtNextOpen)
            lock.reset();

        auto log = AnswerLog::open(path(), nullptr);
        ASSERT_TRUE(log);
        log->useSeams(&clock, &boxes);
        clock.advance(1); // the notice has a tick of its own
        if (heldAtNextOpen) {
            EXPECT_EQ(log->pendingCount(), 4);
            EXPECT_EQ(boxes.shown.size(), 1) << "the answers of the last run still wait";
            EXPECT_TRUE(QFile::exists(pendingPath()));
            lock.reset();
            clock.advance(AnswerLog::retryMs);
        } else {
            EXPECT_TRUE(boxes.shown.isEmpty());
        }
        EXPECT_EQ(log->pendingCount(), 0);
        EXPECT_FALSE(QFile::exists(pendingPath()));
        expectWritten(*log);
        log.reset();
        log = AnswerLog::open(path(), nullptr);
        expectWritten(*log); // nothing written twice
    }
}

// The file beside the history is the learner's, but anything may stand under its name: only a
// regular file of sound lines is taken, and writing it never goes through a link.
TEST_F(PendingAnswersTest, TheFileBesideIsReadAndWrittenWithCare) {
    const QByteArray good = "wirtal-niezapisane 1\n"
                            "odp B 17 1 2 1765000000000 4200\n"
                            "test A 1765000000000 70 1\n";
    struct Case {
        const char* what;
        QByteArray bytes;
        int entries;
    };
    const Case cases[] = {
        {"sound lines", good, 2},
        {"without its header", good.mid(good.indexOf('\n') + 1), 0},
        {"lines that are not entries among them",
         good +
             "odp B 0 1 2 1765000000000 10\n"        // no question 0
             "odp B 5 1 9 1765000000000 10\n"        // no such mode
             "odp ../x 5 1 2 1765000000000 10\n"     // not a category
             "odp B 5 1 2 99999999999999999999 10\n" // no such time
             "test B 1765000000000 70\n"             // a field short
             "odp B 5 1 2 1765000000000 10 extra\n"  // a field more
             + QByteArray(5000, 'x') + "\n",
         2},
        {"larger than any real one", good + QByteArray(maxPendingFileBytes, '\n'), 0},
        // A catalogue's category is kept apart from the classic bank's by its key.
        {"a catalogue's categories",
         good + "odp katalog:B 10969 0 0 1765000000000 10\n"
                "test katalog:PT 1765000000000 70 1\n"
                "odp katalog: 5 1 2 1765000000000 10\n" // no category after the prefix
                "odp inny:B 5 1 2 1765000000000 10\n",  // no such bank
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile f(pendingPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        EXPECT_EQ(int(readPendingFile(pendingPath()).size()), c.entries);
    }
    const auto entries = readPendingFile(pendingPath() + "-nie-ma");
    EXPECT_TRUE(entries.empty());

    // A link to a file elsewhere is neither read nor written through.
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("cel.txt"));
    QFile t(target);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write(good);
    t.close();
    QFile::remove(pendingPath());
    ASSERT_TRUE(QFile::link(target, pendingPath()));
    EXPECT_TRUE(readPendingFile(pendingPath()).empty());
    const auto two = parsePendingFile(good);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_TRUE(writePendingFile(pendingPath(), {two[0]}));
    EXPECT_FALSE(QFileInfo(pendingPath()).isSymLink());
    EXPECT_EQ(readPendingFile(pendingPath()).size(), 1u);
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    EXPECT_EQ(t.readAll(), good) << "the link's target is untouched";

    // A FIFO under the name neither blocks the open nor is read.
    QFile::remove(pendingPath());
    ASSERT_EQ(mkfifo(QFile::encodeName(pendingPath()).constData(), 0600), 0);
    auto log = AnswerLog::open(path(), nullptr);
    ASSERT_TRUE(log);
    EXPECT_EQ(log->pendingCount(), 0);

    // What is written reads back the same.
    const QByteArray again = pendingFileBytes(two);
    EXPECT_EQ(again, good);
}

} // namespace
} // namespace wirtal
