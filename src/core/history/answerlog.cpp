// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/answerlog.h"

#include "base/bankdata.h"
#include "base/paths.h"
#include "history/pendinganswers.h"
#include "platform/timer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace wirtal {

namespace {

std::atomic<int> connectionCounter{0};

QString newConnectionName() {
    return QStringLiteral("historia-%1").arg(connectionCounter.fetch_add(1));
}

QSqlDatabase databaseOf(const QString& connection) {
    return QSqlDatabase::database(connection, /*open=*/false);
}

// SQLite's primary result code of an error (5 busy, 6 locked, 11 corrupt, 26 not a database).
int sqliteCode(const QSqlError& error) {
    return error.nativeErrorCode().toInt() & 0xff;
}

// Whether an error says the file itself is damaged, rather than that it cannot be read or
// written now (a lock, permissions, a full disk).
bool isDamage(const QSqlError& error) {
    const int code = sqliteCode(error);
    return code == 11 || code == 26;
}

bool exec(QSqlDatabase db, const QString& sql) {
    QSqlQuery q(db);
    return q.exec(sql);
}

// The first column of the first row of a statement, or an invalid value when it fails.
QVariant scalar(QSqlDatabase db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0);
}

void closeConnection(const QString& connection) {
    {
        QSqlDatabase db = databaseOf(connection);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

// Moves the database file (and its WAL and shared-memory files) aside; the name it now has, or
// empty when it could not be moved.
QString setAside(const QString& path) {
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString aside = info.dir().filePath(
        QStringLiteral("%1-odlozona-%2.sqlite").arg(info.completeBaseName(), stamp));
    if (!QFile::rename(path, aside))
        return {};
    for (const char* suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
    return aside;
}

enum class Soundness { Sound, Damaged, Newer, Unreadable };

// Damaged only on the file's own evidence: a check that cannot run because of a lock or the
// like says nothing about the file.
Soundness check(QSqlDatabase db) {
    QSqlQuery quick(db);
    if (!quick.exec(QStringLiteral("PRAGMA quick_check")) || !quick.next())
        return isDamage(quick.lastError()) ? Soundness::Damaged : Soundness::Unreadable;
    if (quick.value(0).toString() != QLatin1String("ok"))
        return Soundness::Damaged;
    QSqlQuery version(db);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        return isDamage(version.lastError()) ? Soundness::Damaged : Soundness::Unreadable;
    if (version.value(0).toInt() > AnswerLog::schemaVersion)
        return Soundness::Newer;
    return Soundness::Sound;
}

Card cardFrom(const QSqlQuery& q, int first) {
    Card c;
    c.question = q.value(first).toInt();
    c.seen = q.value(first + 1).toInt();
    c.right = q.value(first + 2).toInt();
    c.firstRight = q.value(first + 3).toBool();
    c.lastRight = q.value(first + 4).toBool();
    c.recentRight = q.value(first + 5).toDouble();
    c.recentWrong = q.value(first + 6).toDouble();
    c.reps = q.value(first + 7).toInt();
    c.ease = q.value(first + 8).toDouble();
    c.intervalDays = q.value(first + 9).toDouble();
    c.dueMs = q.value(first + 10).toLongLong();
    c.lastMs = q.value(first + 11).toLongLong();
    return c;
}

const QString cardColumns =
    QStringLiteral("question, seen, right_count, first_right, last_right, recent_right, "
                   "recent_wrong, reps, ease, interval_days, due, last_at");

} // namespace

struct AnswerLog::Statements {
    QSqlQuery selectCard, insertAnswer, upsertCard;
    explicit Statements(const QSqlDatabase& db) : selectCard(db), insertAnswer(db), upsertCard(db) {
        selectCard.prepare(
            QStringLiteral("SELECT %1 FROM cards WHERE category = ? AND question = ?")
                .arg(cardColumns));
        insertAnswer.prepare(QStringLiteral("INSERT INTO answers(category, question, at, correct, "
                                            "mode, took_ms) VALUES (?, ?, ?, ?, ?, ?)"));
        upsertCard.prepare(QStringLiteral("INSERT OR REPLACE INTO cards(category, %1) VALUES "
                                          "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                               .arg(cardColumns));
    }
};

AnswerLog::AnswerLog(QString path) : path_(std::move(path)) {}

AnswerLog::~AnswerLog() {
    // The close: a last try, then what still waits goes into the file beside.
    writePending();
    if (!pending_.empty()) {
        QString why;
        if (!writePendingFile(pendingPathFor(path_), pending_, &why))
            qWarning("wirtal: %d answers could not be kept in %s: %s", pendingCount(),
                     qPrintable(pendingPathFor(path_)), qPrintable(why));
    }
    retry_.reset();
    notice_.reset();
    statements_.reset();
    if (!connection_.isEmpty())
        closeConnection(connection_);
}

QString AnswerLog::defaultPath() {
    return Paths::inUserData(QStringLiteral("historia.sqlite"));
}

QString AnswerLog::pendingPathFor(const QString& path) {
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-niezapisane.txt"));
}

std::unique_ptr<AnswerLog> AnswerLog::open(const QString& path, QString* notice) {
    std::unique_ptr<AnswerLog> log(new AnswerLog(path));
    QString said;
    const Opening opening = log->connect(&said);
    if (notice)
        *notice = said;
    if (opening == Opening::Failed)
        return nullptr;
    // What an earlier run could not write joins the queue first, in its order.
    log->pending_ = readPendingFile(pendingPathFor(path));
    log->fileHolds_ = !log->pending_.empty();
    log->writePending();
    return log;
}

AnswerLog::Opening AnswerLog::connect(QString* notice) {
    auto say = [&](const QString& text) {
        if (notice)
            *notice = text;
    };
    const QString aborted =
        QStringLiteral("Historii odpowiedzi nie można otworzyć (%1). Program działa bez niej; "
                       "statystyki i lista do powtórki są zapisywane jak zwykle.");
    QString movedTo;
    bool newer = false;
    auto sayMoved = [&] {
        if (movedTo.isEmpty())
            return;
        say(newer ? QStringLiteral("Historia odpowiedzi pochodzi z nowszej wersji programu. "
                                   "Odłożono ją jako „%1” i zaczęto nową.")
                        .arg(QFileInfo(movedTo).fileName())
                  : QStringLiteral("Historia odpowiedzi była uszkodzona. Odłożono ją jako "
                                   "„%1” i zaczęto nową; statystyki i lista do powtórki są "
                                   "nienaruszone.")
                        .arg(QFileInfo(movedTo).fileName()));
    };
    auto disconnect = [&] {
        statements_.reset();
        closeConnection(connection_);
        connection_.clear();
    };

    // Without Qt's SQLite driver (a separate package) there is no history; Qt itself would say
    // only "Driver not loaded", in English.
    if (connection_.isEmpty() && !QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        say(aborted.arg(QStringLiteral("brak sterownika SQLite biblioteki Qt, pakiet "
                                       "libqt6sql6-sqlite")));
        return Opening::Failed;
    }
    // Only a regular file is opened; anything else under the name is moved aside.
    if (connection_.isEmpty()) {
        const QFileInfo info(path_);
        if (info.exists() && (info.isSymLink() || !info.isFile())) {
            movedTo = setAside(path_);
            if (movedTo.isEmpty()) {
                say(aborted.arg(QStringLiteral("„%1” nie jest zwykłym plikiem").arg(path_)));
                return Opening::Failed;
            }
        }
    }

    for (int attempt = 0; attempt < 2; ++attempt) {
        if (connection_.isEmpty()) {
            connection_ = newConnectionName();
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
            db.setDatabaseName(path_);
            if (!db.open()) {
                const QString why = db.lastError().text();
                db = {};
                disconnect();
                say(aborted.arg(why));
                return Opening::Failed;
            }
            // A lock is waited for this long at each statement, the check's too.
            exec(db, QStringLiteral("PRAGMA busy_timeout=%1").arg(busyTimeoutMs));
        }
        const Soundness s = check(databaseOf(connection_));
        if (s == Soundness::Unreadable) {
            sayMoved();
            return Opening::Waiting;
        }
        if (s != Soundness::Sound) {
            newer = newer || s == Soundness::Newer;
            disconnect();
            if (attempt > 0) {
                say(aborted.arg(QStringLiteral("nowy plik jest uszkodzony")));
                return Opening::Failed;
            }
            movedTo = setAside(path_);
            if (movedTo.isEmpty()) {
                say(aborted.arg(QStringLiteral("nie można odłożyć pliku „%1”").arg(path_)));
                return Opening::Failed;
            }
            continue;
        }
        sayMoved();
        // Tables that cannot be made now (a lock, a file that takes no writes) are made later.
        ready_ = createSchema();
        return ready_ ? Opening::Ready : Opening::Waiting;
    }
    return Opening::Failed;
}

bool AnswerLog::createSchema() {
    QSqlDatabase db = databaseOf(connection_);
    // WAL with synchronous=NORMAL: a commit is one append to the log without a disk sync, and a
    // killed process loses nothing committed.
    exec(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    // The log is truncated back to 1 MB after a checkpoint instead of keeping its largest size.
    exec(db, QStringLiteral("PRAGMA journal_size_limit=1048576"));
    if (scalar(db, QStringLiteral("PRAGMA user_version")).toInt() == schemaVersion)
        return true;
    if (!exec(db, QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    const bool ok =
        exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS answers(id INTEGER PRIMARY KEY, "
                                "category TEXT NOT NULL, question INTEGER NOT NULL, "
                                "at INTEGER NOT NULL, correct INTEGER NOT NULL, "
                                "mode INTEGER NOT NULL, took_ms INTEGER NOT NULL)")) &&
        exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS cards(category TEXT NOT NULL, "
                                "question INTEGER NOT NULL, seen INTEGER NOT NULL, "
                                "right_count INTEGER NOT NULL, first_right INTEGER NOT NULL, "
                                "last_right INTEGER NOT NULL, recent_right REAL NOT NULL, "
                                "recent_wrong REAL NOT NULL, reps INTEGER NOT NULL, "
                                "ease REAL NOT NULL, interval_days REAL NOT NULL, "
                                "due INTEGER NOT NULL, last_at INTEGER NOT NULL, "
                                "PRIMARY KEY(category, question)) WITHOUT ROWID")) &&
        exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS exams(id INTEGER PRIMARY KEY, "
                                "category TEXT NOT NULL, at INTEGER NOT NULL, "
                                "score INTEGER NOT NULL, passed INTEGER NOT NULL)")) &&
        exec(db, QStringLiteral("PRAGMA user_version=%1").arg(schemaVersion));
    if (ok && exec(db, QStringLiteral("COMMIT")))
        return true;
    exec(db, QStringLiteral("ROLLBACK"));
    return false;
}

// One transaction that takes the write lock at once (BEGIN IMMEDIATE): a lock is waited for at
// the start, never found half-way after reading.
bool AnswerLog::writeAnswer(const PendingEntry& e) {
    QSqlDatabase db = databaseOf(connection_);
    if (!statements_)
        statements_ = std::make_unique<Statements>(db);
    Statements& st = *statements_;
    auto fail = [&](const QSqlError& error) {
        exec(db, QStringLiteral("ROLLBACK"));
        // A statement prepared while the file could not be read is prepared again next time.
        statements_.reset();
        writeFailed(error);
        return false;
    };
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(begin.lastError());
    Card card;
    card.question = e.question;
    st.selectCard.addBindValue(e.category);
    st.selectCard.addBindValue(e.question);
    if (!st.selectCard.exec())
        return fail(st.selectCard.lastError());
    if (st.selectCard.next())
        card = cardFrom(st.selectCard, 0);
    st.selectCard.finish();
    scheduleAnswer(card, e.correct, e.atMs);

    for (const QVariant& v :
         {QVariant(e.category), QVariant(e.question), QVariant(e.atMs), QVariant(e.correct ? 1 : 0),
          QVariant(int(e.mode)), QVariant(std::max(e.tookMs, 0))})
        st.insertAnswer.addBindValue(v);
    for (const QVariant& v :
         {QVariant(e.category), QVariant(card.question), QVariant(card.seen), QVariant(card.right),
          QVariant(card.firstRight ? 1 : 0), QVariant(card.lastRight ? 1 : 0),
          QVariant(card.recentRight), QVariant(card.recentWrong), QVariant(card.reps),
          QVariant(card.ease), QVariant(card.intervalDays), QVariant(card.dueMs),
          QVariant(card.lastMs)})
        st.upsertCard.addBindValue(v);
    if (!st.insertAnswer.exec())
        return fail(st.insertAnswer.lastError());
    if (!st.upsertCard.exec())
        return fail(st.upsertCard.lastError());
    QSqlQuery commit(db);
    if (!commit.exec(QStringLiteral("COMMIT")))
        return fail(commit.lastError());
    return true;
}

bool AnswerLog::writeExam(const PendingEntry& e) {
    QSqlQuery q(databaseOf(connection_));
    q.prepare(QStringLiteral("INSERT INTO exams(category, at, score, passed) VALUES (?, ?, ?, ?)"));
    q.addBindValue(e.category);
    q.addBindValue(e.atMs);
    q.addBindValue(e.score);
    q.addBindValue(e.passed ? 1 : 0);
    if (q.exec())
        return true;
    writeFailed(q.lastError());
    return false;
}

void AnswerLog::writeFailed(const QSqlError& error) {
    const int code = sqliteCode(error);
    if (code == 5 || code == 6)
        return; // a lock: the same connection tries again
    // Anything else (a file that took no writes, a disk error): SQLite may have opened the file
    // read-only or given up on it, so the next try connects and checks it anew.
    statements_.reset();
    closeConnection(connection_);
    connection_.clear();
    ready_ = false;
}

QHash<int, Card> AnswerLog::cards(const QString& category) const {
    QHash<int, Card> out;
    if (!ready_)
        return out;
    QSqlQuery q(databaseOf(connection_));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM cards WHERE category = ?").arg(cardColumns));
    q.addBindValue(BankIdentity::ofProgramFolder().historyKey(category));
    if (!q.exec())
        return out;
    while (q.next()) {
        const Card c = cardFrom(q, 0);
        out.insert(c.question, c);
    }
    return out;
}

std::vector<ExamRecord> AnswerLog::exams(const QString& category) const {
    std::vector<ExamRecord> out;
    if (!ready_)
        return out;
    QSqlQuery q(databaseOf(connection_));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT at, score, passed FROM exams WHERE category = ? ORDER BY at, "
                             "id"));
    q.addBindValue(BankIdentity::ofProgramFolder().historyKey(category));
    if (!q.exec())
        return out;
    while (q.next())
        out.push_back({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toBool()});
    return out;
}

int AnswerLog::answerCount(const QString& category) const {
    if (!ready_)
        return 0;
    QSqlQuery q(databaseOf(connection_));
    q.prepare(QStringLiteral("SELECT COALESCE(SUM(seen), 0) FROM cards WHERE category = ?"));
    q.addBindValue(BankIdentity::ofProgramFolder().historyKey(category));
    if (!q.exec() || !q.next())
        return 0;
    return q.value(0).toInt();
}

std::vector<std::pair<int, int>> AnswerLog::mostWrong(const QString& category, int limit) const {
    std::vector<std::pair<int, int>> out;
    if (!ready_)
        return out;
    QSqlQuery q(databaseOf(connection_));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT question, seen - right_count AS wrong FROM cards WHERE "
                             "category = ? AND seen > right_count ORDER BY wrong DESC, "
                             "question LIMIT ?"));
    q.addBindValue(BankIdentity::ofProgramFolder().historyKey(category));
    q.addBindValue(limit);
    if (!q.exec())
        return out;
    while (q.next())
        out.emplace_back(q.value(0).toInt(), q.value(1).toInt());
    return out;
}

} // namespace wirtal
