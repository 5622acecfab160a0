// SPDX-License-Identifier: GPL-3.0-or-later

// The single-instance socket against other local users: it lives where only the user can go,
// another user's socket is neither obeyed nor yielded to, and it goes when the program ends.

#include "startup/singleinstance.h"
#include "support/appfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace wirtal;
using namespace wirtal::test;

namespace {

#ifdef Q_OS_UNIX
constexpr uid_t nobody = 65534;

// A process of another user (nobody) listening on a local socket at path and accepting every
// connection. bindFirst: the socket is bound while still root and the user is changed before
// listening, so that it can sit in a folder only root may write and still answer as nobody.
class ForeignListener {
public:
    ForeignListener(const QString& path, bool bindFirst) {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        const QByteArray native = QFile::encodeName(path);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::alarm(30); // never outlives the test
            if (!bindFirst && ::setuid(nobody) != 0)
                ::_exit(1);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            std::memcpy(addr.sun_path, native.constData(),
                        std::min<size_t>(native.size(), sizeof addr.sun_path - 1));
            if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
                ::_exit(1);
            ::chmod(native.constData(), 0777);
            if (bindFirst && ::setuid(nobody) != 0)
                ::_exit(1);
            if (::listen(fd, 8) != 0)
                ::_exit(1);
            if (::write(ready[1], "x", 1) != 1)
                ::_exit(1);
            for (;;) {
                const int c = ::accept(fd, nullptr, nullptr);
                if (c >= 0)
                    ::close(c);
            }
        }
        ::close(ready[1]);
        char c = 0;
        listening_ = pid_ > 0 && ::read(ready[0], &c, 1) == 1;
        ::close(ready[0]);
    }
    ~ForeignListener() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool listening() const { return listening_; }

private:
    pid_t pid_ = -1;
    bool listening_ = false;
};

// Environment variable set for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(SingleInstanceUsers, TheSocketLivesInAPrivateFolderAndGoesWithTheProgram) {
    TempFolders folders;
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QTemporaryDir shared;
    QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777));
    struct Case {
        const char* what;
        QString runtimeDir;
        QString expectedFolder;
    } cases[] = {
        {"the user's own runtime folder", runtime.path(), runtime.path()},
        {"no runtime folder", QString(), QDir(folders.userData()).filePath(".gniazdo")},
        {"a runtime folder anyone may write", shared.path(),
         QDir(folders.userData()).filePath(".gniazdo")},
        {"a relative runtime folder", QStringLiteral("run"),
         QDir(folders.userData()).filePath(".gniazdo")},
    };
    for (const Case& c : cases) {
        ScopedEnv env("XDG_RUNTIME_DIR", c.runtimeDir.toLocal8Bit());
        const QString name = SingleInstance::serverNameFor(folders.userData());
        EXPECT_EQ(QFileInfo(name).path(), QDir::cleanPath(c.expectedFolder)) << c.what;
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(QFileInfo(name).path()).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 077, 0u) << c.what;
        EXPECT_EQ(st.st_uid, ::geteuid()) << c.what;
        {
            SingleInstance program(folders.userData());
            EXPECT_TRUE(program.listening()) << c.what;
            EXPECT_TRUE(QFileInfo::exists(name)) << c.what;
        }
        EXPECT_FALSE(QFileInfo::exists(name)) << c.what << ": the socket stays after the end";
    }
}

// The program also ends without unwinding (Xlib ends it from its handler when the display is
// lost): the socket goes then too.
TEST(SingleInstanceUsers, TheSocketGoesHoweverTheProgramEnds) {
    TempFolders folders;
    ScopedEnv env("XDG_RUNTIME_DIR", QByteArray());
    for (const char* how : {"return", "exit"}) {
        QProcess driver;
        driver.start(QStringLiteral(SINGLEINSTANCE_DRIVER),
                     {QString::fromLatin1(how), folders.userData()});
        ASSERT_TRUE(driver.waitForFinished(30'000)) << how;
        const QString path = QString::fromLocal8Bit(driver.readAllStandardOutput()).trimmed();
        ASSERT_FALSE(path.isEmpty()) << how << ": " << driver.readAllStandardError().toStdString();
        EXPECT_FALSE(QFileInfo::exists(path)) << how;
    }
}

// Before, the socket sat in /tmp under a name anyone can work out: another user listening
// there first made every start of the learner's program hand over to it and end.
TEST(SingleInstanceUsers, AnotherUsersSocketIsNeitherObeyedNorYieldedTo) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as a second user";
    TempFolders folders;
    ScopedEnv env("XDG_RUNTIME_DIR", QByteArray());
    struct Case {
        const char* what;
        QString path;
        bool bindFirst;
    } cases[] = {
        {"in the shared temporary folder, under the old name",
         SingleInstance::legacyNameFor(folders.userData()), false},
        {"at the program's own place (bound there, then run as another user)",
         SingleInstance::serverNameFor(folders.userData()), true},
    };
    for (const Case& c : cases) {
        QFile::remove(c.path);
        ForeignListener other(c.path, c.bindFirst);
        ASSERT_TRUE(other.listening()) << c.what;
        SingleInstance program(folders.userData());
        EXPECT_FALSE(program.handedOver()) << c.what;
        EXPECT_TRUE(program.listening()) << c.what;
        QFile::remove(SingleInstance::legacyNameFor(folders.userData()));
    }
}
#endif

} // namespace
