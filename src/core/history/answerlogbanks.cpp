// SPDX-License-Identifier: GPL-3.0-or-later

// The answer history's categories by bank: what an earlier version recorded for a catalogue
// under the plain category code becomes the catalogue's.

#include "history/answerlog.h"

#include "base/bankdata.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <set>

namespace wirtal {

namespace {
const QString plainOnly = QStringLiteral("category NOT LIKE 'katalog:%'");

// The cards of a category key worked out again from its answers, in the order they were given.
bool rebuildCards(QSqlDatabase db, const QString& key) {
    QSqlQuery drop(db);
    drop.prepare(QStringLiteral("DELETE FROM cards WHERE category = ?"));
    drop.addBindValue(key);
    if (!drop.exec())
        return false;
    QSqlQuery answers(db);
    answers.setForwardOnly(true);
    answers.prepare(QStringLiteral(
        "SELECT question, correct, at FROM answers WHERE category = ? ORDER BY at, id"));
    answers.addBindValue(key);
    if (!answers.exec())
        return false;
    QHash<int, Card> cards;
    while (answers.next()) {
        const int question = answers.value(0).toInt();
        Card& c = cards[question];
        c.question = question;
        scheduleAnswer(c, answers.value(1).toInt() != 0, answers.value(2).toLongLong());
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO cards(category, question, seen, right_count, first_right, last_right, "
        "recent_right, recent_wrong, reps, ease, interval_days, due, last_at) VALUES "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const Card& c : std::as_const(cards)) {
        for (const QVariant& v :
             {QVariant(key), QVariant(c.question), QVariant(c.seen), QVariant(c.right),
              QVariant(c.firstRight ? 1 : 0), QVariant(c.lastRight ? 1 : 0),
              QVariant(c.recentRight), QVariant(c.recentWrong), QVariant(c.reps), QVariant(c.ease),
              QVariant(c.intervalDays), QVariant(c.dueMs), QVariant(c.lastMs)})
            insert.addBindValue(v);
        if (!insert.exec())
            return false;
    }
    return true;
}
} // namespace

int AnswerLog::moveToCatalogue(qint64 sinceMs) {
    // What waits is written first, under the key it was recorded with.
    if (!writePending() || !ready_)
        return -1;
    QSqlDatabase db = QSqlDatabase::database(connection_, /*open=*/false);
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return -1;
    const auto fail = [&db] {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return -1;
    };
    std::set<QString> codes;
    QSqlQuery which(db);
    which.prepare(QStringLiteral("SELECT DISTINCT category FROM answers WHERE at >= ? AND ") +
                  plainOnly);
    which.addBindValue(sinceMs);
    if (!which.exec())
        return fail();
    while (which.next())
        codes.insert(which.value(0).toString());
    int moved = 0;
    for (const char* table : {"answers", "exams"}) {
        QSqlQuery move(db);
        move.prepare(QStringLiteral("UPDATE %1 SET category = 'katalog:' || category WHERE at >= ? "
                                    "AND ")
                         .arg(QLatin1String(table)) +
                     plainOnly);
        move.addBindValue(sinceMs);
        if (!move.exec())
            return fail();
        if (QLatin1String(table) == QLatin1String("answers"))
            moved = move.numRowsAffected();
    }
    const BankIdentity catalogue{BankKind::Catalogue};
    for (const QString& code : codes)
        if (!rebuildCards(db, code) || !rebuildCards(db, catalogue.historyKey(code)))
            return fail();
    QSqlQuery commit(db);
    if (!commit.exec(QStringLiteral("COMMIT")))
        return fail();
    return moved;
}

} // namespace wirtal
