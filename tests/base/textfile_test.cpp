// SPDX-License-Identifier: GPL-3.0-or-later

// Text decoding and line splitting: byte-order marks, Windows-1250, NUL, the three line ends.

#include "base/textfile.h"
#include "platform/error.h"
#include "support/qt_printers.h"
#include "support/tempdirs.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace wirtal;

namespace {

QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return b;
}

const QString polish = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
// The same letters in Windows-1250, written out byte by byte (not through our encoder).
const QByteArray polishCp1250 = bytes({0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF, 0xA5,
                                       0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF});

QByteArray utf16(const QString& s, bool bigEndian) {
    QByteArray b;
    for (QChar c : s) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        b.append(bigEndian ? hi : lo);
        b.append(bigEndian ? lo : hi);
    }
    return b;
}

struct DecodeCase {
    const char* what;
    QByteArray input;
    QString text;
};

std::vector<DecodeCase> decodeCases() {
    const QByteArray bomUtf8 = bytes({0xEF, 0xBB, 0xBF});
    const QByteArray bomLe = bytes({0xFF, 0xFE});
    const QByteArray bomBe = bytes({0xFE, 0xFF});
    return {
        {"empty", {}, ""},
        {"ASCII without BOM", "Czy,T", "Czy,T"},
        {"Polish letters in Windows-1250", polishCp1250, polish},
        {"Windows-1250 specials", bytes({0x80, 0x84, 0x93, 0x94, 0x96, 0x97, 0xA0}),
         QString::fromUtf16(u"\u20ac\u201e\u201c\u201d\u2013\u2014\u00a0")},
        {"UTF-8 without BOM is read as Windows-1250", bytes({0xC4, 0x85}),
         QString::fromUtf16(u"\u00c4\u2026")},
        {"UTF-8 BOM", bomUtf8 + polish.toUtf8(), polish},
        {"UTF-8 BOM only", bomUtf8, ""},
        {"UTF-16 LE BOM", bomLe + utf16(polish + "\r\nx", false), polish + "\r\nx"},
        {"UTF-16 BE BOM", bomBe + utf16(polish + "\r\nx", true), polish + "\r\nx"},
        {"UTF-16 LE BOM only", bomLe, ""},
        {"UTF-16 odd last byte dropped", bomLe + utf16("ab", false) + "c", "ab"},
        {"BOM bytes later in the text are text", "a" + bomLe, QString::fromUtf16(u"a\u02d9\u0163")},
        {"NUL ends Windows-1250 text", QByteArray("ab\0cd\r\nef", 9), "ab"},
        {"NUL at the start", QByteArray("\0abc", 4), ""},
        {"NUL ends UTF-8 text", bomUtf8 + QByteArray("x\0y", 3), "x"},
        {"NUL ends UTF-16 LE text", bomLe + utf16(QString("ab") + QChar(0) + "c", false), "ab"},
        {"NUL ends UTF-16 BE text", bomBe + utf16(QString("ab") + QChar(0) + "c", true), "ab"},
    };
}

struct LinesCase {
    const char* what;
    QString text;
    QStringList lines;
};

std::vector<LinesCase> linesCases() {
    return {
        {"empty text has no lines", "", {}},
        {"one line without end", "a", {"a"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR", "a\rb\r", {"a", "b"}},
        {"final line without end counts (CR LF)", "a\r\nb", {"a", "b"}},
        {"final line without end counts (LF)", "a\nb", {"a", "b"}},
        {"final line without end counts (CR)", "a\rb", {"a", "b"}},
        {"mixed line ends", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"empty lines kept", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"one line end gives one empty line", "\r\n", {""}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF is two line ends", "a\r\r\nb", {"a", "", "b"}},
        {"blanks kept", "  a  \r\n", {"  a  "}},
        {"NUL ends the text", QString("a\nb") + QChar(0) + "c\nd", {"a", "b"}},
        {"NUL right after a line end", QString("a\n") + QChar(0) + "c", {"a"}},
    };
}

} // namespace

TEST(DecodeText, Table) {
    for (const DecodeCase& c : decodeCases()) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(decodeText(c.input), c.text);
    }
}

TEST(DecodeCp1250, EveryByteRoundTrips) {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeCp1250(all);
    ASSERT_EQ(text.size(), all.size());
    for (int b = 1; b < 128; ++b)
        EXPECT_EQ(text[b - 1].unicode(), b);
    bool ok = false;
    EXPECT_EQ(encodeCp1250(text, &ok), all);
    EXPECT_TRUE(ok);
}

TEST(DecodeCp1250, PolishLetters) {
    EXPECT_EQ(decodeCp1250(polishCp1250), polish);
    EXPECT_EQ(encodeCp1250(polish), polishCp1250);
}

TEST(EncodeCp1250, CharactersWithoutCodeBecomeQuestionMarks) {
    bool ok = true;
    EXPECT_EQ(encodeCp1250(QString::fromUtf16(u"a\u4e2db"), &ok), QByteArray("a?b"));
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(encodeCp1250(QString::fromUtf16(u"x\U0001F600y"), &ok),
              QByteArray("x?y")); // one per pair
    EXPECT_FALSE(ok);
    ok = false;
    EXPECT_EQ(encodeCp1250(QStringLiteral("Łódź"), &ok), bytes({0xA3, 0xF3, 0x64, 0x9F}));
    EXPECT_TRUE(ok);
}

TEST(SplitLines, Table) {
    for (const LinesCase& c : linesCases()) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(splitLines(c.text), c.lines);
    }
}

TEST(LoadTextLines, ReadsAndDecodesAFile) {
    test::TempFolders dirs;
    dirs.writeProgramFile("bank.txt", QByteArray("\"n\"\r\n") + polishCp1250 + "\nlast");
    EXPECT_EQ(loadTextLines(dirs.program() + "bank.txt"), (QStringList{"\"n\"", polish, "last"}));
    dirs.writeProgramFile("utf16.txt", bytes({0xFF, 0xFE}) + utf16("a\r\nb", false));
    EXPECT_EQ(loadTextLines(dirs.program() + "utf16.txt"), (QStringList{"a", "b"}));
    dirs.writeProgramFile("empty.txt", {});
    EXPECT_EQ(loadTextLines(dirs.program() + "empty.txt"), QStringList{});
}

TEST(LoadTextLines, MissingFileThrowsNamingTheFile) {
    test::TempFolders dirs;
    const QString path = dirs.program() + "brak.txt";
    try {
        loadTextLines(path);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Nie można otworzyć pliku „%1”.").arg(path));
    }
}

TEST(LoadTextLines, FolderInsteadOfFileThrows) {
    test::TempFolders dirs;
    EXPECT_THROW(loadTextLines(dirs.program()), Error);
}

// Decoded lines are kept between calls, but every change on disk is seen at the next call.
class KeptLines : public ::testing::Test {
protected:
    void TearDown() override { textcache::setRacyWindowForTest(-1); }

    static timespec mtimeOf(const QString& path) {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st.st_mtim;
    }
    static qint64 ctimeNs(const QString& path) {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    }
    // Busy-waits (no timer) until the file system's clock has moved past the file's last change,
    // so the next change gets another status-change time; that clock ticks every few ms.
    void waitForFileClockTick(const QString& path) const {
        const QString probe = dirs.program() + "probe";
        const qint64 last = ctimeNs(path);
        for (int i = 0; i < 10000000; ++i) {
            dirs.writeProgramFile("probe", QByteArray::number(i));
            if (ctimeNs(probe) > last)
                return;
        }
        FAIL() << "the file system's clock did not move";
    }
    // Overwrites the bytes in place (same inode) and sets the modification time back.
    static void editInPlace(const QString& path, const QByteArray& bytes, bool restoreMtime) {
        const timespec old = mtimeOf(path);
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0), bytes.size());
        ::ftruncate(fd, bytes.size());
        if (restoreMtime) {
            const timespec times[2] = {{0, UTIME_OMIT}, old};
            ASSERT_EQ(::futimens(fd, times), 0);
        }
        ::close(fd);
    }
    // Writes a new file beside it and renames it over the old one (another inode), with the old
    // modification time.
    void replace(const QString& path, const QByteArray& bytes) const {
        const timespec old = mtimeOf(path);
        dirs.writeProgramFile("new.txt", bytes);
        const timespec times[2] = {{0, UTIME_OMIT}, old};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(dirs.program() + "new.txt").constData(),
                              times, 0),
                  0);
        ASSERT_EQ(::rename(QFile::encodeName(dirs.program() + "new.txt").constData(),
                           QFile::encodeName(path).constData()),
                  0);
    }

    test::TempFolders dirs;
};

TEST_F(KeptLines, EveryChangeOnDiskIsSeenAtTheNextCall) {
    textcache::setRacyWindowForTest(0); // a file is quiet as soon as its clock has ticked
    const QString path = dirs.program() + "bank.txt";
    dirs.writeProgramFile("bank.txt", "a1\r\nb1\r\n");
    waitForFileClockTick(path);
    EXPECT_EQ(loadTextLines(path), (QStringList{"a1", "b1"}));
    const quint64 reads = textcache::diskReads();
    EXPECT_EQ(loadTextLines(path), (QStringList{"a1", "b1"}));
    EXPECT_EQ(textcache::diskReads(), reads) << "an unchanged file is not read again";

    struct Case {
        const char* what;
        std::function<void()> change;
        QStringList expected;
    };
    const Case cases[] = {
        {"same size, modification time set back",
         [&] { editInPlace(path, "a2\r\nb2\r\n", true); },
         {"a2", "b2"}},
        {"other size", [&] { editInPlace(path, "a3\r\nb3\r\nc3\r\n", false); }, {"a3", "b3", "c3"}},
        {"replaced by a file of the same size and modification time",
         [&] { replace(path, "a4\r\nb4\r\nc4\r\n"); },
         {"a4", "b4", "c4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        waitForFileClockTick(path);
        loadTextLines(path); // the version before the change is kept now
        const quint64 before = textcache::diskReads();
        loadTextLines(path);
        ASSERT_EQ(textcache::diskReads(), before);
        c.change();
        EXPECT_EQ(loadTextLines(path), c.expected);
    }

    QFile::remove(path);
    EXPECT_THROW(loadTextLines(path), Error) << "a removed file is no longer served from memory";
}

TEST_F(KeptLines, AFileChangedJustNowIsReadAnewAtEveryCall) {
    // Within one tick of the file system's clock a change can leave the stamp as it was, so a
    // file that changed during the last moments is not kept.
    const QString path = dirs.program() + "bank.txt";
    dirs.writeProgramFile("bank.txt", "a1\r\nb1\r\n");
    EXPECT_EQ(loadTextLines(path), (QStringList{"a1", "b1"}));
    editInPlace(path, "a2\r\nb2\r\n", true);
    EXPECT_EQ(loadTextLines(path), (QStringList{"a2", "b2"}));
    const quint64 reads = textcache::diskReads();
    loadTextLines(path);
    EXPECT_EQ(textcache::diskReads(), reads + 1);
}
