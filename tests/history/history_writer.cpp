// SPDX-License-Identifier: GPL-3.0-or-later

// A second program at the history database given:
//   history_writer <path>            writes one answer after another, printing the number of
//                                    each answer once its write has returned, until it is killed;
//   history_writer --lock <how> <path>  holds a lock on it, as a backup tool would, prints
//                                    "locked" and keeps it until its standard input closes.
//                                    how: "writing" (BEGIN EXCLUSIVE: others may still read) or
//                                    "everything" (exclusive locking mode: others cannot even
//                                    read).
//   history_writer --without-driver <path>  opens the history with Qt's SQL drivers out of reach
//                                    and prints what the learner is told.
#include "history/answerlog.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>
#include <cstring>

namespace {

int holdLock(const QString& how, const QString& path) {
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock"));
        db.setDatabaseName(path);
        if (!db.open())
            return 1;
        QSqlQuery q(db);
        if (how == QLatin1String("everything") &&
            !q.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")))
            return 4;
        if (!q.exec(QStringLiteral("BEGIN EXCLUSIVE")))
            return 5;
        std::printf("locked\n");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        q.exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("lock"));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--lock") == 0)
        return holdLock(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "--without-driver") == 0) {
        QCoreApplication::setLibraryPaths({});
        QString notice;
        auto log = wirtal::AnswerLog::open(QString::fromLocal8Bit(argv[2]), &notice);
        std::printf("%s\n", notice.toUtf8().constData());
        return log ? 1 : 0;
    }
    if (argc < 2)
        return 2;
    QString notice;
    auto log = wirtal::AnswerLog::open(QString::fromLocal8Bit(argv[1]), &notice);
    if (!log)
        return 1;
    for (int n = 1;; ++n) {
        if (!log->record(QStringLiteral("B"), n % 1479 + 1, n % 3 != 0, wirtal::AnswerMode::Exam,
                         1'700'000'000'000LL + n, 900))
            return 3;
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
}
