// SPDX-License-Identifier: GPL-3.0-or-later

// Bad input and faults, one table: every row either ends in an Error with a clear Polish message
// that names the file or value, or gives a documented value without a message; and nothing that
// was already stored is lost (the files are byte for byte as before, unless the row's operation
// wrote successfully).

#include "bank/bank.h"
#include "bank/media.h"
#include "base/inifile.h"
#include "base/pagesanitizer.h"
#include "base/paths.h"
#include "dialogs/versioncheck.h"
#include "exam/testsheet.h"
#include "learn/revisionfile.h"
#include "platform/error.h"
#include "platform/filereader.h"
#include "results/history.h"
#include "results/reportparams.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <iostream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace wirtal;
using namespace wirtal::test;

namespace {

// What an operation came to: a value, or the message of the Error it ended with.
struct Outcome {
    bool error = false;
    QString text;
};

struct Row {
    const char* what;
    std::function<void(const TempFolders&)> prepare;
    std::function<QString()> act;
    // An Error naming every one of these is expected; empty: the value below is.
    QStringList mentions = {};
    QString value = {};
    bool writes = false; // the operation may change files (only when it succeeds)
    // Why the row cannot run here (empty: it can).
    std::function<QString()> cannotRun = [] { return QString(); };
};

// Every file under a folder, by relative path; folders are listed as such.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(folder).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            files[name] = "<folder>";
            continue;
        }
        if (!it.fileInfo().isFile()) { // a FIFO: opening it would block
            files[name] = "<not a regular file>";
            continue;
        }
        QFile f(path);
        files[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    return files;
}

Outcome run(const std::function<QString()>& act) {
    try {
        return {false, act()};
    } catch (const Error& e) {
        return {true, e.message()};
    }
}

QByteArray crlf(const QStringList& lines) {
    return cp1250(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QByteArray utf16(const QString& text, bool bigEndian, bool bom) {
    QByteArray out;
    if (bom)
        out += bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return out;
}

// A record as the readers see it: its fields joined by "|".
QString record(const QString& categoryCode, int number) {
    return lookup(categoryCode, number).fields.join(u'|');
}

const QString header = QStringLiteral("\"Pytania\",T,\"\",0");
const QString basicLine = QStringLiteral("\"Czy wolno tu skręcić?\",T,\"AK D1.wmv\",3");
const QString basicFields = QStringLiteral("Czy wolno tu skręcić?|T|AK D1.wmv|3");

// Runs an operation with the file size limited to a few bytes: every write past them fails as
// on a full disk (the signal the kernel sends for it is ignored meanwhile).
QString onFullDisk(const std::function<QString()>& act) {
    struct Limit {
        rlimit old{};
        void (*oldHandler)(int);
        Limit() : oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit small = old;
            small.rlim_cur = 8;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        ~Limit() {
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
        }
    } limit;
    return act();
}

void fifo(const QString& path) {
    if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        ADD_FAILURE() << "mkfifo " << path.toStdString();
}

// A file of the given size that takes no room on the disk.
void sparse(const QString& path, qint64 size) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
        ADD_FAILURE() << "sparse file " << path.toStdString();
}

ReportParameters someReport() {
    ReportInput in;
    in.categoryCode = QStringLiteral("B");
    for (int k = 1; k <= 32; ++k) {
        in.questionNumber[k] = k < 21 ? k : 1297 + k;
        in.rightAnswer[k] = k < 21 ? QStringLiteral("T") : QStringLiteral("A");
    }
    in.givenAnswer[1] = QStringLiteral("T");
    in.score = 3;
    in.now = QDateTime(QDate(2013, 5, 6), QTime(7, 8));
    return reportParameters(in);
}

QString versionState(const QByteArray& page) {
    switch (version::evaluate(version::htmlTitle(page))) {
    case version::State::Current:
        return QStringLiteral("aktualna");
    case version::State::NotCurrent:
        return QStringLiteral("nieaktualna");
    case version::State::NoConnection:
        return QStringLiteral("brak połączenia");
    case version::State::Waiting:
        break;
    }
    return QStringLiteral("czekam");
}

// What of a version page reaches the layout: the shape of the page made safe.
QString shownPage(const QByteArray& page) {
    const auto p = safehtml::sanitize(QString::fromUtf8(page),
                                      QUrl(QStringLiteral("http://127.0.0.1:8080/updates/x.html")));
    const auto s = safehtml::measure(p.html);
    return QStringLiteral("głębokość %1, tabele %2, obrazki %3, słowo %4, liczba %5, %6")
        .arg(s.depth)
        .arg(s.tableDepth)
        .arg(p.pictures.size())
        .arg(s.longestWord)
        .arg(s.largestNumber)
        .arg(p.textOnly ? QStringLiteral("sam tekst") : QStringLiteral("HTML"));
}

QByteArray userFile(const QString& name) {
    QFile f(Paths::inUserData(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString incrementPoprawne() {
    incrementCounter(QStringLiteral("statsb.ini"), QStringLiteral("nauka"),
                     QStringLiteral("poprawne"));
    return QString::fromLatin1(userFile(QStringLiteral("statsb.ini")));
}

std::vector<Row> rows() {
    const auto basicBank = [](const QByteArray& bytes) {
        return
            [bytes](const TempFolders& f) { f.writeProgramFile(QStringLiteral("0wx.dll"), bytes); };
    };
    const auto stats = [](const QByteArray& bytes) {
        return
            [bytes](const TempFolders& f) { f.writeUserFile(QStringLiteral("statsb.ini"), bytes); };
    };
    const auto basic1 = [] { return record(QStringLiteral("B"), 1); };
    const auto basic2 = [] { return record(QStringLiteral("B"), 2); };
    const QString megabyte = QStringLiteral("Czy wolno tu skręcić? ").repeated((1 << 20) / 22 + 1);
    const QString long10k(10000, u'1');

    return {
        // Bank files.
        {"bank file missing",
         [](const TempFolders&) {},
         basic1,
         {"Nie można otworzyć pliku", "0wx.dll"}},
        {"bank file empty", basicBank({}), basic1, {"„0wx.dll” nie ma wiersza 1"}},
        {"specialist bank shorter than question 1479 needs",
         [](const TempFolders& f) {
             f.writeProgramFile(QStringLiteral("02x.dll"),
                                crlf({header, QStringLiteral("\"P\",\"a\",\"b\",\"c\",A,\"\",1")}));
         },
         [] { return record(QStringLiteral("B"), 1479); },
         {"„02x.dll” nie ma wiersza 182"}},
        {"UTF-16 LE with byte-order mark",
         basicBank(utf16(header + "\r\n" + basicLine + "\r\n", false, true)),
         basic1,
         {},
         basicFields},
        {"UTF-16 BE with byte-order mark",
         basicBank(utf16(header + "\r\n" + basicLine + "\r\n", true, true)),
         basic1,
         {},
         basicFields},
        // Without a mark the file is Windows-1250, and the NUL of its first character ends the
        // text: the file has one line, and the message says the question's line is missing.
        {"UTF-16 without byte-order mark",
         basicBank(utf16(header + "\r\n" + basicLine + "\r\n", false, false)),
         basic1,
         {"„0wx.dll” nie ma wiersza 1"}},
        {"CR-only line ends",
         basicBank(cp1250(header + "\r\"Pierwsze\",N,\"a.jpg\",1\r" + basicLine + "\r")),
         basic2,
         {},
         basicFields},
        {"NUL in the middle: the lines before it are read",
         basicBank(cp1250(header + "\r\n" + basicLine) + '\0' + crlf({"po NUL", basicLine})),
         basic1,
         {},
         basicFields},
        {"NUL in the middle: the text ends there",
         basicBank(cp1250(header + "\r\n" + basicLine) + '\0' + crlf({"po NUL", basicLine})),
         basic2,
         {"„0wx.dll” nie ma wiersza 2"}},
        {"1 MB line",
         basicBank(crlf({header, u'"' + megabyte + "\",N,\"a.jpg\",2"})),
         [] {
             const Record r = lookup(QStringLiteral("B"), 1);
             return QString::number(r.text().size()) + u'|' + r.answer() + u'|' + r.points();
         },
         {},
         QString::number(megabyte.size()) + "|N|2"},
        {"record with too few fields",
         basicBank(crlf({header, "\"Czy wolno?\",T"})),
         [] { return lookup(QStringLiteral("B"), 1).points(); },
         {"„0wx.dll”", "wiersz 1", "za mało pól", "pole 3"}},
        // The lookup never judges the points field; the exam's scoring stops at it.
        {"points field \"x\"",
         basicBank(crlf({header, "\"Czy wolno?\",T,\"a.jpg\",x"})),
         [] {
             const Record r = lookup(QStringLiteral("B"), 1);
             return QString::number(pointsValue(r.points(), r.fileName, r.line));
         },
         {"„0wx.dll”", "wiersz 1", "„x”", "nie jest liczbą"}},

        // Statistics files.
        {"counter \"abc\"",
         stats("[nauka]\r\npoprawne=abc\r\n"),
         incrementPoprawne,
         {"„abc”", "poprawne", "statsb.ini", "nie jest liczbą"}},
        // A read gives the first 2047 characters; a write of another key keeps the whole value.
        {"10,000-character value",
         stats(crlf({"[stats]", "wyniki=" + long10k, "[nauka]"})),
         [long10k] {
             const QString v = readIni(QStringLiteral("statsb.ini"), QStringLiteral("stats"),
                                       QStringLiteral("wyniki"), QStringLiteral("0"));
             incrementPoprawne();
             const bool whole = userFile(QStringLiteral("statsb.ini"))
                                    .contains(("wyniki=" + long10k + "\r\n").toLatin1());
             return QStringLiteral("%1 %2").arg(v == long10k.left(2047)).arg(whole);
         },
         {},
         "1 1",
         true},
        // The first section of a name counts; the second stays as it was.
        {"duplicate sections",
         stats("[nauka]\r\npoprawne=3\r\n[NAUKA]\r\npoprawne=9\r\n"),
         incrementPoprawne,
         {},
         "[nauka]\r\npoprawne=4\r\n[NAUKA]\r\npoprawne=9\r\n",
         true},
        {"no line end after the last line",
         stats("[nauka]\r\npoprawne=3"),
         incrementPoprawne,
         {},
         "[nauka]\r\npoprawne=4\r\n",
         true},
        {"unreadable statistics file (permissions)",
         [](const TempFolders& f) {
             f.writeUserFile(QStringLiteral("statsb.ini"), "[nauka]\r\npoprawne=3\r\n");
             QFile::setPermissions(f.userData() + "statsb.ini", QFileDevice::Permissions());
         },
         incrementPoprawne,
         {"Nie można zapisać pliku", "statsb.ini"},
         {},
         false,
         [] {
             return geteuid() == 0 ? QStringLiteral("runs as root, and permissions do not stop "
                                                    "root from reading; the row with a folder in "
                                                    "place of the file shows an unopenable file")
                                   : QString();
         }},
        // A read gives the default; the write that would replace the folder fails.
        {"folder in place of the statistics file",
         [](const TempFolders& f) { QDir().mkpath(f.userData() + "statsb.ini"); },
         incrementPoprawne,
         {"Nie można zapisać pliku", "statsb.ini"}},
        // The file size limit fails the writes of the new file as a full disk does.
        {"full disk",
         stats("[nauka]\r\npoprawne=3\r\n"),
         [] { return onFullDisk(incrementPoprawne); },
         {"Nie można zapisać pliku", "statsb.ini"}},

        // Revision list: lines that are no question number are left out without a message.
        {"revision-list file with junk lines",
         [](const TempFolders& f) {
             f.writeUserFile(QStringLiteral("repeat-b.txt"),
                             "12\r\nabc\r\n 40 \r\n\r\n-3\r\n007\r\n1e3\r\n99999999999\r\n+5"
                             "\r\n5 6\r\n\x01\xff\r\n8");
         },
         [] {
             return loadRevisionFile(Paths::inUserData(QStringLiteral("repeat-b.txt"))).join(u'|');
         },
         {},
         "12|40|7|8"},

        // Report template: placeholders are filled where they are whole, the rest is kept.
        {"report template that is broken HTML",
         [](const TempFolders&) {},
         [] {
             return fillTemplate("<html><body><table><tr><td>{{pnr1}}<td>{{ kategoria }</b></i>"
                                 "<p attr=\"{{odp1}}>{{odp1",
                                 someReport());
         },
         {},
         "<html><body><table><tr><td>1<td>{{ kategoria }</b></i><p attr=\"T>{{odp1"},

        // Version page.
        {"version page of 10 MB with its title at the end",
         [](const TempFolders&) {},
         [] { return versionState(QByteArray(10 << 20, 'x') + "<title>11</title>"); },
         {},
         "nieaktualna"},
        {"version page of 10 MB of unclosed title elements",
         [](const TempFolders&) {},
         [] { return versionState(QByteArray("<title>").repeated((10 << 20) / 7)); },
         {},
         "brak połączenia"},
        {"binary version page",
         [](const TempFolders&) {},
         [] {
             QByteArray page(1 << 16, '\0');
             QRandomGenerator random(8);
             for (char& c : page)
                 c = char(random.bounded(256));
             return versionState(page);
         },
         {},
         "brak połączenia"},
        {"two-character title that is no number",
         [](const TempFolders&) {},
         [] { return versionState("<title>ab</title>"); },
         {},
         "brak połączenia"},
        {"two-character title with a digit and a letter",
         [](const TempFolders&) {},
         [] { return versionState("<title>1O</title>"); },
         {},
         "brak połączenia"},
        {"two full-width digits",
         [](const TempFolders&) {},
         [] { return versionState("<meta charset=\"utf-8\"><title>１０</title>"); },
         {},
         "brak połączenia"},

        // Version page shown in the update window: only a bounded, safe subset reaches the
        // layout; nothing local and no other server is named.
        {"version page naming local files and other servers in every way",
         [](const TempFolders&) {},
         [] {
             return shownPage(
                 "<body background=\"file:///dev/tty\"><img src=\"file:///dev/zero\">"
                 "<img src=\"//obcy.example/a.png\"><img src=\"data:image/png;base64,AA\">"
                 "<table background=\"/etc/a.png\"><tr><td style=\"background-image: "
                 "url(file:///etc/a.png)\">a</td></tr></table><style>@import "
                 "url(file:///etc/a.css);</style><object data=\"file:///etc/a\"></object>"
                 "<img src=\"logo.png\">");
         },
         {},
         "głębokość 5, tabele 1, obrazki 1, słowo 1, liczba 0, HTML"},
        {"version page of 3000 nested tables",
         [](const TempFolders&) {},
         [] { return shownPage(QByteArray("<table><tr><td>").repeated(3000) + "x"); },
         {},
         "głębokość 2, tabele 0, obrazki 0, słowo 1, liczba 0, sam tekst"},
        {"version page of 300 nested tables",
         [](const TempFolders&) {},
         [] { return shownPage(QByteArray("<table><tr><td>").repeated(300) + "x"); },
         {},
         "głębokość 2, tabele 0, obrazki 0, słowo 1, liczba 0, sam tekst"},
        {"version page of one 900 KB word",
         [](const TempFolders&) {},
         [] { return shownPage(QByteArray(900 * 1024, 'W')); },
         {},
         "głębokość 2, tabele 0, obrazki 0, słowo 60, liczba 0, HTML"},
        {"version page with a cell padding of 2 000 000 000",
         [](const TempFolders&) {},
         [] {
             return shownPage("<table cellpadding=2000000000 width=2000000000><tr><td>a</td>"
                              "</tr></table>");
         },
         {},
         "głębokość 5, tabele 1, obrazki 0, słowo 1, liczba 2000, HTML"},
        // Statistics file with a NUL, and the stars of a history without tests behind it.
        {"NUL in a statistics file: a write keeps everything after it",
         stats(QByteArray("[last]\r\npytanie=5\r\n\0[nauka]\r\npoprawne=10\r\n", 35)),
         [] {
             writeIni(QStringLiteral("statsb.ini"), QStringLiteral("last"),
                      QStringLiteral("pytanie"), QStringLiteral("7"));
             return QString::fromLatin1(userFile(QStringLiteral("statsb.ini")));
         },
         {},
         QString::fromLatin1(QByteArray("[last]\r\npytanie=7\r\n\0[nauka]\r\npoprawne=10\r\n", 35)),
         true},
        {"history of failures without any test taken",
         stats("[stats]\r\nwyniki=00000\r\n"),
         [] { return history::stars(QStringLiteral("statsb.ini")); },
         {},
         ""},
        {"history beside a test counter that is no number",
         stats("[stats]\r\nwyniki=01000\r\n[egzamin]\r\nzdane=x\r\nniezdane=1\r\n"),
         [] { return history::stars(QStringLiteral("statsb.ini")); },
         {},
         "01000"},
        // Big or hostile local files: refused at once, naming the file, nothing read or changed.
        {"bank file one byte over the size limit",
         [](const TempFolders& f) { sparse(f.program() + "0wx.dll", maxReadBytes + 1); },
         basic1,
         {"„", "0wx.dll", "jest za duży", "64 MB"}},
        {"FIFO in place of the bank file",
         [](const TempFolders& f) { fifo(f.program() + "0wx.dll"); },
         basic1,
         {"0wx.dll", "nie jest zwykły plik"}},
        {"FIFO in place of the statistics file",
         [](const TempFolders& f) { fifo(f.userData() + "statsb.ini"); },
         incrementPoprawne,
         {"Nie można zapisać pliku", "statsb.ini", "nie jest zwykły plik"}},
        {"statistics file one byte over the size limit",
         [](const TempFolders& f) { sparse(f.userData() + "statsb.ini", maxReadBytes + 1); },
         incrementPoprawne,
         {"statsb.ini", "jest za duży"}},
        {"media name that leaves the program folder",
         [](const TempFolders& f) { f.writeProgramFile("tajne.jpg", "x"); },
         [] { return mediaPath("../../tajne.jpg"); },
         {"„../../tajne.jpg”", "poza folder programu"}},
        {"points field 2147483647",
         basicBank(crlf({header, "\"Czy wolno?\",T,\"a.jpg\",2147483647"})),
         [] {
             const Record r = lookup(QStringLiteral("B"), 1);
             return QString::number(pointsValue(r.points(), r.fileName, r.line));
         },
         {"„0wx.dll”", "wiersz 1", "„2147483647”", "nie jest liczbą"}},
        {"points field 0",
         basicBank(crlf({header, "\"Czy wolno?\",T,\"a.jpg\",0"})),
         [] {
             const Record r = lookup(QStringLiteral("B"), 1);
             return QString::number(pointsValue(r.points(), r.fileName, r.line));
         },
         {"„0wx.dll”", "wiersz 1", "„0”", "nie jest liczbą"}},
    };
}

TEST(BadInput, ClearMessageOrDocumentedValueAndNothingLost) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.what);
        TempFolders folders;
        row.prepare(folders);
        if (const QString why = row.cannotRun(); !why.isEmpty()) {
            std::cout << "[  SKIPPED ROW ] " << row.what << ": " << why.toStdString() << '\n';
            continue;
        }
        const auto programBefore = snapshot(folders.program());
        const auto userBefore = snapshot(folders.userData());

        const Outcome out = run(row.act);

        if (!row.mentions.isEmpty()) {
            EXPECT_TRUE(out.error) << "no error; value: " << out.text.left(200).toStdString();
            for (const QString& m : row.mentions)
                EXPECT_TRUE(out.text.contains(m))
                    << out.text.toStdString() << " lacks " << m.toStdString();
        } else {
            EXPECT_FALSE(out.error) << out.text.toStdString();
            EXPECT_EQ(out.text, row.value);
        }
        EXPECT_TRUE(snapshot(folders.program()) == programBefore) << "program folder changed";
        if (out.error || !row.writes) {
            EXPECT_TRUE(snapshot(folders.userData()) == userBefore) << "user data changed";
        }
    }
}

} // namespace
