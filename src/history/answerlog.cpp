// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/answerlog.h"

#include "base/paths.h"

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

enum class Soundness { Sound, Damaged, Newer };

Soundness check(QSqlDatabase db) {
    const QVariant quick = scalar(db, QStringLiteral("PRAGMA quick_check"));
    if (!quick.isValid() || quick.toString() != QLatin1String("ok"))
        return Soundness::Damaged;
    const QVariant version = scalar(db, QStringLiteral("PRAGMA user_version"));
    if (!version.isValid())
        return Soundness::Damaged;
    if (version.toInt() > AnswerLog::schemaVersion)
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

AnswerLog::AnswerLog(QString path, QString connection)
    : path_(std::move(path)), connection_(std::move(connection)) {}

AnswerLog::~AnswerLog() {
    statements_.reset();
    closeConnection(connection_);
}

QString AnswerLog::defaultPath() {
    return Paths::inUserData(QStringLiteral("historia.sqlite"));
}

std::unique_ptr<AnswerLog> AnswerLog::open(const QString& path, QString* notice) {
    auto say = [&](const QString& text) {
        if (notice)
            *notice = text;
    };
    const QString aborted =
        QStringLiteral("Historii odpowiedzi nie można otworzyć (%1). Program działa bez niej; "
                       "statystyki i lista do powtórki są zapisywane jak zwykle.");

    // Only a regular file is opened; anything else under the name is moved aside.
    const QFileInfo info(path);
    QString movedTo;
    bool newer = false;
    if (info.exists() && (info.isSymLink() || !info.isFile())) {
        movedTo = setAside(path);
        if (movedTo.isEmpty()) {
            say(aborted.arg(QStringLiteral("„%1” nie jest zwykłym plikiem").arg(path)));
            return nullptr;
        }
    }

    for (int attempt = 0; attempt < 2; ++attempt) {
        const QString connection = newConnectionName();
        bool sound = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(path);
            if (!db.open()) {
                const QString why = db.lastError().text();
                db = {};
                closeConnection(connection);
                say(aborted.arg(why));
                return nullptr;
            }
            const Soundness s = check(db);
            sound = s == Soundness::Sound;
            newer = newer || s == Soundness::Newer;
        }
        if (!sound) {
            closeConnection(connection);
            if (attempt > 0) {
                say(aborted.arg(QStringLiteral("nowy plik jest uszkodzony")));
                return nullptr;
            }
            movedTo = setAside(path);
            if (movedTo.isEmpty()) {
                say(aborted.arg(QStringLiteral("nie można odłożyć pliku „%1”").arg(path)));
                return nullptr;
            }
            continue;
        }
        std::unique_ptr<AnswerLog> log(new AnswerLog(path, connection));
        if (!log->createSchema()) {
            say(aborted.arg(databaseOf(connection).lastError().text()));
            return nullptr;
        }
        if (!movedTo.isEmpty())
            say(newer ? QStringLiteral("Historia odpowiedzi pochodzi z nowszej wersji programu. "
                                       "Odłożono ją jako „%1” i zaczęto nową.")
                            .arg(QFileInfo(movedTo).fileName())
                      : QStringLiteral("Historia odpowiedzi była uszkodzona. Odłożono ją jako "
                                       "„%1” i zaczęto nową; statystyki i lista do powtórki są "
                                       "nienaruszone.")
                            .arg(QFileInfo(movedTo).fileName()));
        return log;
    }
    return nullptr;
}

bool AnswerLog::createSchema() {
    QSqlDatabase db = databaseOf(connection_);
    // WAL with synchronous=NORMAL: a commit is one append to the log without a disk sync, and a
    // killed process loses nothing committed.
    exec(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    // The log is truncated back to 1 MB after a checkpoint instead of keeping its largest size.
    exec(db, QStringLiteral("PRAGMA journal_size_limit=1048576"));
    exec(db, QStringLiteral("PRAGMA busy_timeout=2000"));
    if (scalar(db, QStringLiteral("PRAGMA user_version")).toInt() == schemaVersion)
        return true;
    if (!db.transaction())
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
    if (!ok) {
        db.rollback();
        return false;
    }
    return db.commit();
}

bool AnswerLog::record(const QString& category, int question, bool correct, AnswerMode mode,
                       qint64 atMs, int tookMs) {
    QSqlDatabase db = databaseOf(connection_);
    if (!statements_)
        statements_ = std::make_unique<Statements>(db);
    Statements& st = *statements_;
    if (!db.transaction())
        return false;
    Card card;
    card.question = question;
    st.selectCard.addBindValue(category);
    st.selectCard.addBindValue(question);
    if (!st.selectCard.exec()) {
        db.rollback();
        return false;
    }
    if (st.selectCard.next())
        card = cardFrom(st.selectCard, 0);
    st.selectCard.finish();
    scheduleAnswer(card, correct, atMs);

    for (const QVariant& v :
         {QVariant(category), QVariant(question), QVariant(atMs), QVariant(correct ? 1 : 0),
          QVariant(int(mode)), QVariant(std::max(tookMs, 0))})
        st.insertAnswer.addBindValue(v);
    for (const QVariant& v :
         {QVariant(category), QVariant(card.question), QVariant(card.seen), QVariant(card.right),
          QVariant(card.firstRight ? 1 : 0), QVariant(card.lastRight ? 1 : 0),
          QVariant(card.recentRight), QVariant(card.recentWrong), QVariant(card.reps),
          QVariant(card.ease), QVariant(card.intervalDays), QVariant(card.dueMs),
          QVariant(card.lastMs)})
        st.upsertCard.addBindValue(v);
    if (!st.insertAnswer.exec() || !st.upsertCard.exec()) {
        db.rollback();
        return false;
    }
    return db.commit();
}

bool AnswerLog::recordExam(const QString& category, qint64 atMs, int score, bool passed) {
    QSqlQuery q(databaseOf(connection_));
    q.prepare(QStringLiteral("INSERT INTO exams(category, at, score, passed) VALUES (?, ?, ?, ?)"));
    q.addBindValue(category);
    q.addBindValue(atMs);
    q.addBindValue(score);
    q.addBindValue(passed ? 1 : 0);
    return q.exec();
}

QHash<int, Card> AnswerLog::cards(const QString& category) const {
    QHash<int, Card> out;
    QSqlQuery q(databaseOf(connection_));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM cards WHERE category = ?").arg(cardColumns));
    q.addBindValue(category);
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
    QSqlQuery q(databaseOf(connection_));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT at, score, passed FROM exams WHERE category = ? ORDER BY at, "
                             "id"));
    q.addBindValue(category);
    if (!q.exec())
        return out;
    while (q.next())
        out.push_back({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toBool()});
    return out;
}

int AnswerLog::answerCount(const QString& category) const {
    QSqlQuery q(databaseOf(connection_));
    q.prepare(QStringLiteral("SELECT COALESCE(SUM(seen), 0) FROM cards WHERE category = ?"));
    q.addBindValue(category);
    if (!q.exec() || !q.next())
        return 0;
    return q.value(0).toInt();
}

std::vector<std::pair<int, int>> AnswerLog::mostWrong(const QString& category, int limit) const {
    std::vector<std::pair<int, int>> out;
    QSqlQuery q(databaseOf(connection_));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT question, seen - right_count AS wrong FROM cards WHERE "
                             "category = ? AND seen > right_count ORDER BY wrong DESC, "
                             "question LIMIT ?"));
    q.addBindValue(category);
    q.addBindValue(limit);
    if (!q.exec())
        return out;
    while (q.next())
        out.emplace_back(q.value(0).toInt(), q.value(1).toInt());
    return out;
}

} // namespace wirtal
