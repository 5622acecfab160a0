// SPDX-License-Identifier: GPL-3.0-or-later

// The revision list survives every way the program is ended: a learner's wrong answer is in
// "repeat-b.txt" after SIGKILL (nothing runs, so the list must already be on disk), and SIGTERM,
// SIGHUP and SIGINT end the program through its own close path and event loop instead of
// killing it, saving the last question shown, whose save was still waiting for the event loop.

#include "support/appfixture.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

using namespace wirtal::test;

namespace {

TEST(SystemQuit, AWrongAnswerIsOnDiskWhateverEndsTheProgram) {
    struct Case {
        const char* what;
        int signo;
        bool closesNormally; // the close path and the end of the event loop run
    };
    const Case cases[] = {
        {"SIGKILL", SIGKILL, false},
        {"SIGTERM", SIGTERM, true},
        {"SIGHUP", SIGHUP, true},
        {"SIGINT", SIGINT, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolders folders;
        TestBank().write(folders);
        QProcess driver;
        driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        driver.start(QStringLiteral(WIRTAL_QUIT_DRIVER), {folders.program(), folders.userData()});
        ASSERT_TRUE(driver.waitForStarted(30000));
        QByteArray out;
        while (!out.contains("answered\n")) {
            ASSERT_TRUE(driver.waitForReadyRead(30000)) << "the driver stopped: " << out.data();
            out += driver.readAllStandardOutput();
        }
        ::kill(pid_t(driver.processId()), c.signo);
        ASSERT_TRUE(driver.waitForFinished(30000));
        out += driver.readAllStandardOutput();

        EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), QByteArray("1\r\n"));
        if (c.closesNormally) {
            EXPECT_TRUE(folders.readUserFile(QStringLiteral("statsb.ini")).contains("pytanie=2"))
                << "the last question shown is saved on the way out";
            EXPECT_EQ(driver.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(driver.exitCode(), 0);
            EXPECT_TRUE(out.contains("close-event\n")) << out.data();
            EXPECT_TRUE(out.contains("quit\n")) << out.data();
        } else {
            EXPECT_EQ(driver.exitStatus(), QProcess::CrashExit);
        }
    }
}

} // namespace
