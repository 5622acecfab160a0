// SPDX-License-Identifier: GPL-3.0-or-later

// Big and hostile local files: only regular files are opened, never blocking; files over the
// size limit are refused before they are read; media names stay inside the program folder.

#include "bank/bank.h"
#include "bank/media.h"
#include "base/inifile.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "learn/revisionfile.h"
#include "platform/error.h"
#include "platform/filereader.h"
#include "support/errors.h"
#include "support/qt_printers.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace wirtal;
using test::cp1250;
using test::errorOf;
using test::quotedLine;

namespace {

void makeFifo(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
}

// A file of the given size that takes no room on the disk (its bytes are zeros).
void makeSparse(const QString& path, qint64 size) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(size));
}

} // namespace

TEST(RegularFile, ReadsWholeRegularFilesAndRefusesEverythingElse) {
    test::TempFolders dirs;
    const QString dir = dirs.program();
    constexpr qint64 limit = 16;
    struct Case {
        const char* what;
        std::function<QString()> make; // returns the path to read
        FileProblem problem;
        QByteArray bytes;
        const char* says; // part of the message
    } cases[] = {
        {"small file",
         [&] {
             dirs.writeProgramFile("a.txt", "abc");
             return dir + "a.txt";
         },
         FileProblem::None, "abc", ""},
        {"empty file",
         [&] {
             dirs.writeProgramFile("e.txt", "");
             return dir + "e.txt";
         },
         FileProblem::None, "", ""},
        {"exactly the limit",
         [&] {
             dirs.writeProgramFile("l.txt", QByteArray(limit, 'x'));
             return dir + "l.txt";
         },
         FileProblem::None, QByteArray(limit, 'x'), ""},
        {"one byte over the limit",
         [&] {
             dirs.writeProgramFile("o.txt", QByteArray(limit + 1, 'x'));
             return dir + "o.txt";
         },
         FileProblem::TooLarge, "", "jest za duży (ponad 16 B)"},
        {"missing", [&] { return dir + "brak.txt"; }, FileProblem::Missing, "",
         "Nie można otworzyć pliku"},
        {"empty name", [] { return QString(); }, FileProblem::Missing, "",
         "Nie można otworzyć pliku"},
        {"under a file, as if it were a folder",
         [&] {
             dirs.writeProgramFile("plik", "x");
             return dir + "plik/a.txt";
         },
         FileProblem::Missing, "", "Nie można otworzyć pliku"},
        {"folder",
         [&] {
             QDir().mkpath(dir + "folder");
             return dir + "folder";
         },
         FileProblem::NotRegular, "", "to nie jest zwykły plik"},
        {"FIFO without a writer (an open that blocks would hang here)",
         [&] {
             makeFifo(dir + "fifo");
             return dir + "fifo";
         },
         FileProblem::NotRegular, "", "to nie jest zwykły plik"},
        {"character device", [] { return QStringLiteral("/dev/zero"); }, FileProblem::NotRegular,
         "", "to nie jest zwykły plik"},
        {"link to a regular file",
         [&] {
             dirs.writeProgramFile("cel.txt", "cel");
             QFile::link(dir + "cel.txt", dir + "link.txt");
             return dir + "link.txt";
         },
         FileProblem::None, "cel", ""},
        {"link to a FIFO",
         [&] {
             makeFifo(dir + "fifo2");
             QFile::link(dir + "fifo2", dir + "link2");
             return dir + "link2";
         },
         FileProblem::NotRegular, "", "to nie jest zwykły plik"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = c.make();
        const FileRead r = tryReadRegularFile(path, limit);
        EXPECT_EQ(int(r.problem), int(c.problem)) << r.message.toStdString();
        if (c.problem == FileProblem::None) {
            EXPECT_EQ(r.bytes, c.bytes);
            EXPECT_TRUE(r.message.isEmpty());
            EXPECT_EQ(readRegularFile(path, limit), c.bytes);
            EXPECT_EQ(int(checkRegularFile(path).problem), int(FileProblem::None));
        } else {
            EXPECT_TRUE(r.bytes.isEmpty());
            EXPECT_TRUE(r.message.contains(QString::fromUtf8(c.says))) << r.message.toStdString();
            EXPECT_TRUE(r.message.contains(u'„' + QDir::toNativeSeparators(path) + u'”'))
                << r.message.toStdString();
            EXPECT_EQ(errorOf([&] { readRegularFile(path, limit); }), r.message);
        }
    }
}

TEST(RegularFile, CheckWithoutLimitAcceptsLargeFilesButNoFifo) {
    test::TempFolders dirs;
    makeSparse(dirs.program() + "film.wmv", maxReadBytes * 2);
    EXPECT_EQ(int(checkRegularFile(dirs.program() + "film.wmv").problem), int(FileProblem::None));
    EXPECT_EQ(int(checkRegularFile(dirs.program() + "film.wmv", maxReadBytes).problem),
              int(FileProblem::TooLarge));
    makeFifo(dirs.program() + "fifo.wmv");
    EXPECT_EQ(int(checkRegularFile(dirs.program() + "fifo.wmv").problem),
              int(FileProblem::NotRegular));
}

TEST(RegularFile, UnreadableFileIsReportedNotRead) {
    if (geteuid() == 0)
        GTEST_SKIP() << "runs as root, and permissions do not stop root from reading";
    test::TempFolders dirs;
    dirs.writeProgramFile("tajny.txt", "x");
    QFile::setPermissions(dirs.program() + "tajny.txt", QFileDevice::Permissions());
    const FileRead r = tryReadRegularFile(dirs.program() + "tajny.txt");
    EXPECT_EQ(int(r.problem), int(FileProblem::Unreadable));
    EXPECT_TRUE(r.message.contains("tajny.txt"));
}

// The bank lookup, the revision list and the statistics file meet a FIFO or an oversized file in
// place of theirs: each answers at once (a message naming the file, or its default), and nothing
// is changed.
TEST(HostileFiles, BankRevisionListAndStatisticsNeverBlockAndRefuseHugeFiles) {
    const QString header = quotedLine({"Pytania", "T", "", "0"});
    const QString line = quotedLine({"Czy?", "T", "a.jpg", "2"});
    const QString big = QStringLiteral("za duży (ponad 64 MB)");
    struct Case {
        const char* what;
        const char* file; // in the program folder for a bank file, else in the user data folder
        bool fifo;        // a FIFO, else a sparse file one byte over the limit
        std::function<QString()> act;
        QString expected; // a value, or the part of the message
    } cases[] = {
        {"FIFO in place of the basic bank file", "0wx.dll", true,
         [] { return lookup("B", 5).text(); }, "to nie jest zwykły plik"},
        {"FIFO in place of the specialist bank file", "02x.dll", true,
         [] { return lookup("B", 1300).text(); }, "to nie jest zwykły plik"},
        {"basic bank file over the limit", "0wx.dll", false, [] { return lookup("B", 5).text(); },
         big},
        {"FIFO in place of the revision list", "repeat-b.txt", true,
         [] {
             return loadRevisionFile(Paths::inUserData("repeat-b.txt")).join(u'|') +
                    QStringLiteral("<end>");
         },
         "<end>"},
        {"revision list over the limit", "repeat-b.txt", false,
         [] { return loadRevisionFile(Paths::inUserData("repeat-b.txt")).join(u'|'); }, big},
        {"FIFO in place of the statistics file: reads give the default", "statsb.ini", true,
         [] { return readIni("statsb.ini", "nauka", "poprawne", "0"); }, "0"},
        {"FIFO in place of the statistics file: a write is refused", "statsb.ini", true,
         [] {
             writeIni("statsb.ini", "nauka", "poprawne", "1");
             return QString();
         },
         "to nie jest zwykły plik"},
        {"statistics file over the limit: a read gives the default", "statsb.ini", false,
         [] { return readIni("statsb.ini", "nauka", "poprawne", "0"); }, "0"},
        {"statistics file over the limit: a write", "statsb.ini", false,
         [] {
             incrementCounter("statsb.ini", "nauka", "poprawne");
             return QString();
         },
         big},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolders dirs;
        QStringList basic{header};
        for (int n = 1; n <= classicBasicCount; ++n)
            basic << line;
        dirs.writeProgramFile("0wx.dll", cp1250(basic.join("\r\n")));
        const bool bank = QString::fromLatin1(c.file).endsWith(".dll");
        const QString path = (bank ? dirs.program() : dirs.userData()) + c.file;
        QFile::remove(path);
        if (c.fifo)
            makeFifo(path);
        else
            makeSparse(path, maxReadBytes + 1);
        QString got;
        bool error = false;
        try {
            got = c.act();
        } catch (const Error& e) {
            got = e.message();
            error = true;
        }
        if (error) {
            EXPECT_TRUE(got.contains(c.expected) && got.contains(QString::fromLatin1(c.file)))
                << got.toStdString();
        } else {
            EXPECT_EQ(got, c.expected);
        }
        const QFileInfo after(path);
        EXPECT_EQ(after.isFile(), !c.fifo);
        if (!c.fifo) {
            EXPECT_EQ(after.size(), maxReadBytes + 1);
        }
    }
}

TEST(MediaPath, JoinsNamesInsideThePlainWayAndRefusesNamesThatLeave) {
    test::TempFolders dirs;
    const QString filmy = dirs.program() + "obrazki_prawko/filmy/";
    dirs.writeProgramFile("obrazki_prawko/filmy/a.jpg", "x");
    dirs.writeProgramFile("obrazki_prawko/filmy/sub/b.jpg", "x");
    dirs.writeProgramFile("obrazki_prawko/empty.jpg", "x");
    dirs.writeProgramFile("0wx.dll", "x");
    QTemporaryDir outside;
    QFile(filmy + "a.jpg").copy(outside.path() + "/tajne.jpg");
    // Links: one to a file outside, one to a folder outside, one to a file elsewhere in the
    // program folder (inside, so allowed), one dangling.
    QFile::link(outside.path() + "/tajne.jpg", filmy + "out.jpg");
    QFile::link(outside.path(), filmy + "wyjscie");
    QFile::link(dirs.program() + "obrazki_prawko/empty.jpg", filmy + "pusty.jpg");
    QFile::link(outside.path() + "/brak.jpg", filmy + "wisi.jpg");

    struct Case {
        const char* name;
        bool inside;
    } cases[] = {
        {"a.jpg", true},
        {"AK D1.wmv", true}, // missing, and still inside
        {"sub/b.jpg", true},
        {"sub\\b.jpg", true},
        {"a..b.jpg", true},
        {"...", true},
        {"/a.jpg", true}, // joined as written it stays inside
        {"pusty.jpg", true},
        {"wisi.jpg", true}, // names nothing that exists: nothing can be read through it
        {"../empty.jpg", false},
        {"../../0wx.dll", false},
        {"..\\..\\0wx.dll", false},
        {"sub/../../../0wx.dll", false},
        {"..", false},
        {"C:\\Windows\\win.ini", false},
        {"out.jpg", false},
        {"wyjscie/tajne.jpg", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromUtf8(c.name);
        if (c.inside) {
            EXPECT_EQ(mediaPath(name), QDir::toNativeSeparators(filmy) + name);
        } else {
            const QString e = errorOf([&] { mediaPath(name); });
            EXPECT_TRUE(e.contains(u'„' + name + u'”') && e.contains("poza folder programu"))
                << e.toStdString();
        }
    }
}

// The program folder's media folder may itself be a link (to films installed elsewhere): its
// files are inside.
TEST(MediaPath, MediaFolderThatIsALinkKeepsItsFilesInside) {
    test::TempFolders dirs;
    QTemporaryDir films;
    QFile f(films.path() + "/a.jpg");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QDir().mkpath(dirs.program() + "obrazki_prawko");
    ASSERT_TRUE(QFile::link(films.path(), dirs.program() + "obrazki_prawko/filmy"));
    EXPECT_EQ(mediaPath("a.jpg"), mediaFolder() + "a.jpg");
    EXPECT_TRUE(errorOf([] { mediaPath("../filmy/a.jpg"); }).contains("poza folder"));
}
