// SPDX-License-Identifier: GPL-3.0-or-later

// Writes one answer after another into the history database given, printing the number of each
// answer once its write has returned, until it is killed.
#include "history/answerlog.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
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
