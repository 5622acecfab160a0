// SPDX-License-Identifier: GPL-3.0-or-later

// INI files of the user data folder: every rule of the format, on text and on files.

#include "base/inifile.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "platform/error.h"
#include "support/errors.h"
#include "support/qt_printers.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace wirtal;
using wirtal::test::errorOf;

namespace {

struct ReadCase {
    const char* what;
    QString text;
    const char* section;
    const char* key;
    QString expected; // "<default>" when the default comes back
};

const QString dflt = QStringLiteral("<default>");

std::vector<ReadCase> readCases() {
    const QString long3000(3000, u'7');
    const QString exact2047(2047, u'8');
    return {
        {"empty text", "", "last", "pytanie", dflt},
        {"plain value", "[last]\r\npytanie=5\r\n", "last", "pytanie", "5"},
        {"missing section", "[nauka]\r\npytanie=5\r\n", "last", "pytanie", dflt},
        {"missing key", "[last]\r\ninne=5\r\n", "last", "pytanie", dflt},
        {"key of another section", "[a]\r\nk=1\r\n[b]\r\nx=2\r\n", "b", "k", dflt},
        {"second section", "[a]\r\nk=1\r\n[b]\r\nk=2\r\n", "b", "k", "2"},
        {"key before any section is in none", "k=1\r\n[a]\r\n", "a", "k", dflt},
        {"section name in capitals", "[LAST]\r\npytanie=7\r\n", "last", "pytanie", "7"},
        {"key name in capitals", "[last]\r\nPYTANIE=7\r\n", "last", "pytanie", "7"},
        {"caller asks in capitals", "[egzamin]\r\nzdane=3\r\n", "EGZAMIN", "Zdane", "3"},
        {"blanks around the value", "[last]\r\npytanie=   12   \r\n", "last", "pytanie", "12"},
        {"blanks around key and equals", "[last]\r\n  pytanie  =  12\t\r\n", "last", "pytanie",
         "12"},
        {"blanks around section line", "  [last]  \r\npytanie=1\r\n", "last", "pytanie", "1"},
        {"double quotes removed", "[s]\r\nk=\"abc\"\r\n", "s", "k", "abc"},
        {"single quotes removed", "[s]\r\nk='abc'\r\n", "s", "k", "abc"},
        {"quotes after trimming", "[s]\r\nk=  \"abc\"  \r\n", "s", "k", "abc"},
        {"blanks inside quotes kept", "[s]\r\nk=\" a \"\r\n", "s", "k", " a "},
        {"only one pair removed", "[s]\r\nk=\"\"abc\"\"\r\n", "s", "k", "\"abc\""},
        {"mixed quotes stay", "[s]\r\nk=\"abc'\r\n", "s", "k", "\"abc'"},
        {"quote on one side stays", "[s]\r\nk=\"abc\r\n", "s", "k", "\"abc"},
        {"lone quote stays", "[s]\r\nk=\"\r\n", "s", "k", "\""},
        {"empty quotes give empty", "[s]\r\nk=\"\"\r\n", "s", "k", ""},
        {"empty value is not the default", "[s]\r\nk=\r\n", "s", "k", ""},
        {"equals sign in the value", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
        {"LF line ends", "[s]\nk=1\n", "s", "k", "1"},
        {"CR line ends", "[s]\rk=1\r", "s", "k", "1"},
        {"no final line end", "[s]\r\nk=1", "s", "k", "1"},
        {"first of two equal keys", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
        {"comment line is no key", "[s]\r\n;k=1\r\n", "s", "k", dflt},
        {"line without equals is no key", "[s]\r\nk\r\n", "s", "k", dflt},
        {"blank lines inside a section", "[s]\r\n\r\n\r\nk=4\r\n", "s", "k", "4"},
        {"result history digits", "[stats]\r\nwyniki=10201\r\n", "stats", "wyniki", "10201"},
        {"2047 characters kept", "[s]\r\nk=" + exact2047 + "\r\n", "s", "k", exact2047},
        {"longer value cut to 2047", "[s]\r\nk=" + long3000 + "\r\n", "s", "k",
         long3000.left(2047)},
        {"cut after quotes are removed", "[s]\r\nk=\"" + long3000 + "\"\r\n", "s", "k",
         long3000.left(2047)},
    };
}

struct WriteCase {
    const char* what;
    QString before;
    const char* section;
    const char* key;
    const char* value;
    QString after;
};

std::vector<WriteCase> writeCases() {
    return {
        {"new file", "", "last", "pytanie", "1", "[last]\r\npytanie=1\r\n"},
        {"replace in place", "[last]\r\npytanie=1\r\n[nauka]\r\npoprawne=2\r\n", "last", "pytanie",
         "9", "[last]\r\npytanie=9\r\n[nauka]\r\npoprawne=2\r\n"},
        {"replace in place, other sections untouched", "[a]\r\nk=1\r\n[b]\r\nk=2\r\n[c]\r\nk=3\r\n",
         "b", "k", "20", "[a]\r\nk=1\r\n[b]\r\nk=20\r\n[c]\r\nk=3\r\n"},
        {"replace keeps the stored names and drops blanks", "[NAUKA]\r\n  Poprawne =  1 \r\n",
         "nauka", "poprawne", "2", "[NAUKA]\r\nPoprawne=2\r\n"},
        {"append to the section after its last key line", "[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\nz=3\r\n",
         "a", "w", "4", "[a]\r\nx=1\r\ny=2\r\nw=4\r\n\r\n[b]\r\nz=3\r\n"},
        {"append to the last section", "[a]\r\nx=1\r\n", "a", "y", "2", "[a]\r\nx=1\r\ny=2\r\n"},
        {"append to a section with no keys", "[a]\r\n[b]\r\nk=1\r\n", "a", "k", "5",
         "[a]\r\nk=5\r\n[b]\r\nk=1\r\n"},
        {"append to a section found without regard to case", "[EGZAMIN]\r\nzdane=1\r\n", "egzamin",
         "niezdane", "1", "[EGZAMIN]\r\nzdane=1\r\nniezdane=1\r\n"},
        {"new section at the end", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        {"new section after a text without final line end", "[a]\r\nx=1", "b", "y", "2",
         "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        {"new section after trailing blank line", "[a]\r\nx=1\r\n\r\n", "b", "y", "2",
         "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n"},
        {"key of the same name in another section is not replaced", "[a]\r\nk=1\r\n", "b", "k", "2",
         "[a]\r\nk=1\r\n[b]\r\nk=2\r\n"},
        {"LF and CR line ends become CR LF", "[a]\nx=1\r[b]\ny=2", "b", "y", "3",
         "[a]\r\nx=1\r\n[b]\r\ny=3\r\n"},
        {"other lines kept as they are", "; komentarz\r\n  [a] \r\n  x = 1 \r\nodd line\r\n[b]\r\n",
         "b", "k", "v", "; komentarz\r\n  [a] \r\n  x = 1 \r\nodd line\r\n[b]\r\nk=v\r\n"},
        {"empty value", "[a]\r\nx=1\r\n", "a", "x", "", "[a]\r\nx=\r\n"},
        {"keys before any section are not the section's", "k=1\r\n", "s", "k", "2",
         "k=1\r\n[s]\r\nk=2\r\n"},
    };
}

} // namespace

TEST(IniText, ReadTable) {
    for (const ReadCase& c : readCases()) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ini::readText(c.text, c.section, c.key, dflt), c.expected);
    }
}

TEST(IniText, WriteTable) {
    for (const WriteCase& c : writeCases()) {
        SCOPED_TRACE(c.what);
        const QString after = ini::writeText(c.before, c.section, c.key, c.value);
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(ini::readText(after, c.section, c.key, dflt), c.value); // reads back
    }
}

TEST(IniText, NoBlanksAroundEqualsAndOnlyCrLf) {
    QString t;
    t = ini::writeText(t, "last", "pytanie", "17");
    t = ini::writeText(t, "nauka", "poprawne", "5");
    t = ini::writeText(t, "nauka", "niepoprawne", "2");
    t = ini::writeText(t, "stats", "wyniki", "10201");
    t = ini::writeText(t, "nauka", "poprawne", "6");
    EXPECT_EQ(t, "[last]\r\npytanie=17\r\n[nauka]\r\npoprawne=6\r\nniepoprawne=2\r\n"
                 "[stats]\r\nwyniki=10201\r\n");
    EXPECT_FALSE(t.contains(" ="));
    EXPECT_FALSE(t.contains("= "));
    EXPECT_EQ(t.count('\n'), t.count("\r\n"));
}

TEST(IniFile, MissingFileOrFolderGivesTheDefault) {
    test::TempFolders dirs;
    EXPECT_EQ(ini::read(dirs.userData() + "brak.ini", "last", "pytanie", "1"), "1");
    EXPECT_EQ(ini::read(dirs.userData() + "brak/brak.ini", "last", "pytanie", "1"), "1");
    EXPECT_EQ(readIni("statsb.ini", "last", "pytanie", "1"), "1");
    EXPECT_FALSE(dirs.userFileExists("statsb.ini")); // reading creates nothing
}

TEST(IniFile, WriteCreatesTheFileWithCrLf) {
    test::TempFolders dirs;
    writeIni("statsb.ini", "last", "pytanie", "1");
    EXPECT_EQ(dirs.readUserFile("statsb.ini"), QByteArray("[last]\r\npytanie=1\r\n"));
    EXPECT_EQ(readIni("statsb.ini", "last", "pytanie", "x"), "1");
    EXPECT_EQ(readIni("statsb.ini", "LAST", "PYTANIE", "x"), "1");
}

TEST(IniFile, ReadsBackEveryWriteAtOnce) {
    test::TempFolders dirs;
    for (int i = 0; i < 20; ++i) {
        writeIni("statsb.ini", "nauka", "poprawne", QString::number(i));
        EXPECT_EQ(readIni("statsb.ini", "nauka", "poprawne", "0"), QString::number(i));
    }
    writeIni("statsb.ini", "stats", "wyniki", "12000");
    EXPECT_EQ(dirs.readUserFile("statsb.ini"),
              QByteArray("[nauka]\r\npoprawne=19\r\n[stats]\r\nwyniki=12000\r\n"));
}

TEST(IniFile, KeepsOtherLinesAndWindows1250Bytes) {
    test::TempFolders dirs;
    const QByteArray before = test::cp1250("; Statystyki użytkownika — zażółć\r\n[last]\r\n"
                                           "pytanie=3\r\n[Inne]\r\nKlucz = \"łódź\" \r\n");
    dirs.writeUserFile("statsb.ini", before);
    EXPECT_EQ(readIni("statsb.ini", "inne", "klucz", ""), "łódź");
    writeIni("statsb.ini", "last", "pytanie", "4");
    QByteArray expected = before;
    expected.replace("pytanie=3", "pytanie=4");
    EXPECT_EQ(dirs.readUserFile("statsb.ini"), expected);
}

TEST(IniFile, ReadsFilesWithAByteOrderMark) {
    test::TempFolders dirs;
    dirs.writeUserFile("u8.ini", "\xEF\xBB\xBF[last]\r\npytanie=8\r\n");
    EXPECT_EQ(readIni("u8.ini", "last", "pytanie", "1"), "8");
    QByteArray le("\xFF\xFE", 2);
    for (char c : QByteArray("[last]\r\npytanie=9\r\n"))
        le.append(c).append('\0');
    dirs.writeUserFile("u16.ini", le);
    EXPECT_EQ(readIni("u16.ini", "last", "pytanie", "1"), "9");
}

TEST(IniFile, NulEndsTheText) {
    test::TempFolders dirs;
    dirs.writeUserFile("n.ini", QByteArray("[a]\r\nx=1\r\n\0[b]\r\ny=2\r\n", 22));
    EXPECT_EQ(readIni("n.ini", "a", "x", "d"), "1");
    EXPECT_EQ(readIni("n.ini", "b", "y", "d"), "d");
}

// A write edits the text before a NUL and keeps every byte from the NUL on, whatever the
// file's encoding: the sections a damaged file holds after it are never dropped.
TEST(IniFile, WriteKeepsWhatFollowsANul) {
    const QByteArray afterNul("\0[nauka]\r\npoprawne=10\r\n[stats]\r\nwyniki=11011\r\n\x81\x98",
                              48);
    QByteArray le16("\xFF\xFE", 2);
    for (char c : QByteArray("[last]\r\npytanie=5\r\n"))
        le16.append(c).append('\0');
    QByteArray le16Tail;
    for (char c : QByteArray("\0[nauka]\r\n", 10))
        le16Tail.append(c).append('\0');
    struct Case {
        const char* what;
        QByteArray before;
        const char* section;
        const char* value;
        QByteArray expected;
    };
    const Case cases[] = {
        {"key before the NUL", QByteArray("[last]\r\npytanie=5\r\n") + afterNul, "last", "7",
         QByteArray("[last]\r\npytanie=7\r\n") + afterNul},
        // The reader cannot see the section after the NUL: a new one goes before it.
        {"section only after the NUL", QByteArray("[last]\r\npytanie=5\r\n") + afterNul, "nauka",
         "1", QByteArray("[last]\r\npytanie=5\r\n[nauka]\r\npytanie=1\r\n") + afterNul},
        {"NUL at the start", afterNul, "last", "7",
         QByteArray("[last]\r\npytanie=7\r\n") + afterNul},
        {"zeroed end of the file", QByteArray("[last]\r\npytanie=5\r\n") + QByteArray(64, '\0'),
         "last", "7", QByteArray("[last]\r\npytanie=7\r\n") + QByteArray(64, '\0')},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF[last]\r\npytanie=5\r\n" + afterNul, "last",
         "7", QByteArray("[last]\r\npytanie=7\r\n") + afterNul},
        {"UTF-16 LE with byte-order mark", le16 + le16Tail, "last", "7",
         QByteArray("[last]\r\npytanie=7\r\n") + le16Tail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolders dirs;
        dirs.writeUserFile("statsb.ini", c.before);
        writeIni("statsb.ini", c.section, "pytanie", c.value);
        EXPECT_EQ(dirs.readUserFile("statsb.ini"), c.expected);
        EXPECT_EQ(readIni("statsb.ini", c.section, "pytanie", "d"), c.value);
    }
}

TEST(IniFile, UnwritablePathThrowsNamingThePath) {
    test::TempFolders dirs;
    const QString inMissingFolder = dirs.userData() + "brak/statsb.ini";
    EXPECT_EQ(errorOf([&] { ini::write(inMissingFolder, "last", "pytanie", "1"); }),
              QStringLiteral("Nie można zapisać pliku „%1”.").arg(inMissingFolder));
    EXPECT_FALSE(QFile::exists(inMissingFolder));

    QDir(dirs.userData()).mkdir("katalog.ini"); // a folder where the file should be
    const QString folder = dirs.userData() + "katalog.ini";
    EXPECT_TRUE(errorOf([&] { ini::write(folder, "a", "b", "c"); }).contains(folder));

    Paths::setUserDataFolder(dirs.userData() + "nie-ma");
    EXPECT_TRUE(errorOf([] {
                    writeIni("statsb.ini", "last", "pytanie", "1");
                }).contains(Paths::inUserData("statsb.ini")));
}

TEST(IniFile, ValueOutsideWindows1250IsRefusedAndFileKept) {
    test::TempFolders dirs;
    writeIni("x.ini", "a", "k", "1");
    EXPECT_THROW(writeIni("x.ini", "a", "k", QString::fromUtf16(u"\u4e2d")), Error);
    EXPECT_EQ(dirs.readUserFile("x.ini"), QByteArray("[a]\r\nk=1\r\n"));
}

TEST(Counter, StrictDecimalValues) {
    const std::pair<const char*, int> good[] = {
        {"0", 0}, {"5", 5}, {"007", 7}, {"2147483647", 2147483647}};
    for (const auto& [text, n] : good)
        EXPECT_EQ(counterValue(text, "statsb.ini", "poprawne"), n) << text;
    for (const char* bad : {"", "abc", "-1", "+1", "1.5", "1,5", "1 2", " 1", "0x10", "12a",
                            "2147483648", "99999999999999999999"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(counterValue(bad, "statsb.ini", "poprawne"), Error);
    }
    EXPECT_EQ(errorOf([] { counterValue("abc", "statsb.ini", "poprawne"); }),
              "Wartość „abc” klucza poprawne w pliku statsb.ini nie jest liczbą całkowitą.");
}

TEST(Counter, FiveRightAndTwoWrongFromAFreshFolder) {
    test::TempFolders dirs;
    for (int i = 0; i < 5; ++i)
        incrementCounter("statsb.ini", "nauka", "poprawne");
    for (int i = 0; i < 2; ++i)
        incrementCounter("statsb.ini", "nauka", "niepoprawne");
    EXPECT_EQ(readIni("statsb.ini", "nauka", "poprawne", "0"), "5");
    EXPECT_EQ(readIni("statsb.ini", "nauka", "niepoprawne", "0"), "2");
    EXPECT_EQ(dirs.readUserFile("statsb.ini"),
              QByteArray("[nauka]\r\npoprawne=5\r\nniepoprawne=2\r\n"));
    for (const char* other : {"statsa.ini", "statsc.ini", "statsd.ini", "statst.ini"})
        EXPECT_FALSE(dirs.userFileExists(other)) << other;
}

TEST(Counter, QuotedAndPaddedCounterIsRead) {
    test::TempFolders dirs;
    dirs.writeUserFile("statsb.ini", "[EGZAMIN]\r\nZdane = \"41\" \r\n");
    incrementCounter("statsb.ini", "egzamin", "zdane");
    EXPECT_EQ(dirs.readUserFile("statsb.ini"), QByteArray("[EGZAMIN]\r\nZdane=42\r\n"));
}

TEST(Counter, NoIntegerFailsAndIsNotWritten) {
    test::TempFolders dirs;
    const QByteArray before("[egzamin]\r\nzdane=abc\r\n");
    dirs.writeUserFile("statsb.ini", before);
    EXPECT_EQ(errorOf([] { incrementCounter("statsb.ini", "egzamin", "zdane"); }),
              "Wartość „abc” klucza zdane w pliku statsb.ini nie jest liczbą całkowitą.");
    EXPECT_EQ(dirs.readUserFile("statsb.ini"), before);
}

TEST(Counter, LargestValueCannotGrow) {
    test::TempFolders dirs;
    dirs.writeUserFile("statsb.ini", "[e]\r\nz=2147483647\r\n");
    EXPECT_THROW(incrementCounter("statsb.ini", "e", "z"), Error);
}
