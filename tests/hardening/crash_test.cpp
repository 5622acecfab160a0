// SPDX-License-Identifier: GPL-3.0-or-later

// A process killed while it writes the statistics file leaves the file as it was before the
// write or as the write made it, never cut or mixed: the writer (crash_writer) says when it
// begins each write, is killed with SIGKILL the moment it begins a randomly chosen one, and the
// file is checked after every kill.

#include "base/inifile.h"
#include "base/textfile.h"
#include "hardening/crashvalues.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <iostream>

using namespace wirtal;

namespace {

// What the file holds besides the value, as another program run left it.
const QByteArray otherKeys = "[last]\r\npytanie=12\r\n[nauka]\r\npoprawne=5\r\nniepoprawne=2\r\n"
                             "[stats]\r\n[egzamin]\r\nzdane=1\r\nniezdane=0\r\n";

QByteArray fileAfterWrite(long long n) {
    return encodeCp1250(
        ini::writeText(decodeText(otherKeys), crash::section, crash::key, crash::value(n)));
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(CrashSafety, AKilledWriterLeavesTheOldOrTheNewFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("statsb.ini"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(fileAfterWrite(0));
    }
    QRandomGenerator random(2013);
    long long last = 0; // the n the file holds
    constexpr int kills = 200;
    int keptOld = 0, tookNew = 0; // the write under way when the kill came: lost, or finished
    for (int round = 0; round < kills; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(WIRTAL_CRASH_WRITER), {path});
        ASSERT_TRUE(writer.waitForStarted(10000));
        // Wait until it begins its first to fifth write.
        const int target = 1 + int(random.bounded(5));
        long long begun = 0;
        for (int seen = 0; seen < target;) {
            if (!writer.canReadLine()) {
                ASSERT_TRUE(writer.waitForReadyRead(10000)) << "the writer stopped writing";
            }
            while (writer.canReadLine() && seen < target) {
                begun = writer.readLine().trimmed().toLongLong();
                ++seen;
            }
        }
        // The write takes a few milliseconds (the file is synced to the disk): kill it at a
        // random point of them, waiting 0..3 ms for the writer first.
        writer.waitForFinished(int(random.bounded(4)));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(10000));

        const QByteArray now = readAll(path);
        const long long n =
            crash::numberOf(ini::readText(decodeText(now), crash::section, crash::key, QString()));
        ASSERT_GE(n, last) << "round " << round << ": an older value came back";
        ASSERT_EQ(now, fileAfterWrite(n)) << "round " << round << ": a damaged file";
        ++(n < begun ? keptOld : tookNew);
        last = n;
    }
    // A kill may leave the writer's temporary file behind (where the system has no unnamed
    // temporary files); it hurts nothing.
    const auto leftovers = QDir(dir.path()).entryList({QStringLiteral("statsb.ini.*")});
    std::cout << kills << " kills: " << keptOld << " left the file before the write under way, "
              << tookNew << " after it; " << leftovers.size() << " temporary files left\n";
}

} // namespace
