// SPDX-License-Identifier: GPL-3.0-or-later

// Record lookup: file and line of both kinds, reading anew, and the errors naming file and line.

#include "bank/bank.h"
#include "base/paths.h"
#include "platform/error.h"
#include "support/errors.h"
#include "support/qt_printers.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace wirtal;
using test::cp1250;
using test::quotedLine;
using wirtal::test::errorOf;

namespace {

QStringList basicFields(int n) {
    return {QStringLiteral("Pytanie podstawowe %1: czy wolno?").arg(n), n % 2 ? "T" : "N",
            QStringLiteral("p%1.jpg").arg(n), QString::number(n % 3 + 1)};
}
QStringList specialistFields(const QString& cat, int line) {
    return {QStringLiteral("Pytanie %1 nr %2: która odpowiedź?").arg(cat).arg(line),
            "Odp A",
            "Odp B",
            "Odp C",
            QString(QChar(u'A' + line % 3)),
            QStringLiteral("s%1.wmv").arg(line),
            "2"};
}

// Writes a bank file of the given lines (line 0 a header) in Windows-1250 with CR LF.
void writeBank(const test::TempFolders& dirs, const QString& name, const QStringList& lines) {
    dirs.writeProgramFile(name, cp1250(lines.join("\r\n") + "\r\n"));
}

void writeFullBank(const test::TempFolders& dirs) {
    QStringList basic{quotedLine({"Pytania podstawowe", "T", "", "0"})};
    for (int n = 1; n <= classicBasicCount; ++n)
        basic << quotedLine(basicFields(n));
    writeBank(dirs, "0wx.dll", basic);
    for (const char* cat : {"A", "B", "C", "D", "T"}) {
        QStringList special{quotedLine({"Nagłówek", "", "", "", "A", "", "0"})};
        for (int line = 1; line <= lastQuestion - classicBasicCount; ++line)
            special << quotedLine(specialistFields(cat, line));
        writeBank(dirs, bankDisplayName(specialistBankName(cat)), special);
    }
}

} // namespace

TEST(BankNames, AsTheProgramWritesThem) {
    EXPECT_EQ(basicBankName(), "\\0wx.dll");
    const std::pair<const char*, const char*> names[] = {{"A", "\\bazaa.txt"},
                                                         {"B", "\\02x.dll"},
                                                         {"C", "\\bazac.txt"},
                                                         {"D", "\\bazad.txt"},
                                                         {"T", "\\bazat.txt"}};
    for (const auto& [cat, name] : names) {
        SCOPED_TRACE(cat);
        EXPECT_EQ(specialistBankName(cat), name);
    }
    EXPECT_THROW(specialistBankName("b"), Error);
    EXPECT_THROW(specialistBankName(""), Error);
    EXPECT_EQ(bankDisplayName("\\0wx.dll"), "0wx.dll");
}

TEST(BankNames, PathInTheProgramFolder) {
    test::TempFolders dirs;
    EXPECT_EQ(QDir::fromNativeSeparators(bankPath("\\0wx.dll")), dirs.program() + "0wx.dll");
}

TEST(Locate, Table) {
    test::TempFolders dirs;
    struct Case {
        const char* cat;
        int number;
        QuestionKind kind;
        const char* file;
        int line;
    } cases[] = {
        {"B", 1, QuestionKind::Basic, "\\0wx.dll", 1},
        {"B", 1297, QuestionKind::Basic, "\\0wx.dll", 1297},
        {"A", 1297, QuestionKind::Basic, "\\0wx.dll", 1297},
        {"B", 1298, QuestionKind::Specialist, "\\02x.dll", 1},
        {"B", 1479, QuestionKind::Specialist, "\\02x.dll", 182},
        {"A", 1298, QuestionKind::Specialist, "\\bazaa.txt", 1},
        {"C", 1300, QuestionKind::Specialist, "\\bazac.txt", 3},
        {"D", 1479, QuestionKind::Specialist, "\\bazad.txt", 182},
        {"T", 1298, QuestionKind::Specialist, "\\bazat.txt", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cat) + " " + std::to_string(c.number));
        const Location l = locate(c.cat, c.number);
        EXPECT_EQ(l.kind, c.kind);
        EXPECT_EQ(l.fileName, c.file);
        EXPECT_EQ(l.line, c.line);
        EXPECT_EQ(l.path, bankPath(c.file));
    }
    for (int bad : {0, -1, 1480})
        EXPECT_THROW(locate("B", bad), Error) << bad;
}

TEST(Lookup, BothKindsInEveryCategory) {
    test::TempFolders dirs;
    writeFullBank(dirs);
    struct Case {
        const char* cat;
        int number;
        const char* file;
        int line;
        QStringList fields;
    } cases[] = {
        {"B", 1, "\\0wx.dll", 1, basicFields(1)},
        {"B", 1297, "\\0wx.dll", 1297, basicFields(1297)},
        {"T", 640, "\\0wx.dll", 640, basicFields(640)},
        {"B", 1298, "\\02x.dll", 1, specialistFields("B", 1)},
        {"B", 1479, "\\02x.dll", 182, specialistFields("B", 182)},
        {"A", 1298, "\\bazaa.txt", 1, specialistFields("A", 1)},
        {"C", 1400, "\\bazac.txt", 103, specialistFields("C", 103)},
        {"D", 1479, "\\bazad.txt", 182, specialistFields("D", 182)},
        {"T", 1298, "\\bazat.txt", 1, specialistFields("T", 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cat) + " " + std::to_string(c.number));
        const Record r = lookup(c.cat, c.number);
        EXPECT_EQ(r.number, c.number);
        EXPECT_EQ(r.kind, kindOf(c.number));
        EXPECT_EQ(r.fileName, c.file);
        EXPECT_EQ(r.path, bankPath(c.file));
        EXPECT_EQ(r.line, c.line);
        EXPECT_EQ(r.fields, c.fields);
        EXPECT_EQ(r.text(), c.fields[0]);
        const bool basic = c.number <= classicBasicCount;
        EXPECT_EQ(r.answer(), c.fields[basic ? 1 : 4]);
        EXPECT_EQ(r.media(), c.fields[basic ? 2 : 5]);
        EXPECT_EQ(r.points(), c.fields[basic ? 3 : 6]);
        for (int i = 0; i < 3; ++i) {
            if (basic)
                EXPECT_THROW(r.option(i), Error);
            else
                EXPECT_EQ(r.option(i), c.fields[1 + i]);
        }
    }
}

TEST(Lookup, ReadsTheFileAnewEveryTime) {
    test::TempFolders dirs;
    writeBank(dirs, "0wx.dll", {"h", quotedLine({"Stare", "T", "a.jpg", "1"})});
    EXPECT_EQ(lookup("B", 1).text(), "Stare");
    writeBank(dirs, "0wx.dll", {"h", quotedLine({"Nowe", "N", "a.jpg", "1"})});
    EXPECT_EQ(lookup("B", 1).text(), "Nowe");
    EXPECT_EQ(lookup("B", 1).answer(), "N");
}

TEST(Lookup, DecodesWindows1250AndEveryLineEnd) {
    test::TempFolders dirs;
    dirs.writeProgramFile("0wx.dll", cp1250("h\r\n\"Czy wolno skręcić?\",T,\"ż ó.jpg\",3\n"
                                            "\"Drugie\",N,x.wmv,2\r\"Trzecie\",T,y.jpg,1"));
    EXPECT_EQ(lookup("B", 1).fields, (QStringList{"Czy wolno skręcić?", "T", "ż ó.jpg", "3"}));
    EXPECT_EQ(lookup("B", 2).fields, (QStringList{"Drugie", "N", "x.wmv", "2"}));
    EXPECT_EQ(lookup("B", 3).fields, (QStringList{"Trzecie", "T", "y.jpg", "1"}));
}

TEST(Lookup, UnquotedTextShiftsTheFields) {
    test::TempFolders dirs;
    writeBank(dirs, "0wx.dll", {"h", "Czy wolno?,T,a.jpg,3"});
    const Record r = lookup("B", 1);
    EXPECT_EQ(r.fields.size(), 5);
    EXPECT_EQ(r.answer(), "wolno?"); // read from a piece of the question text
}

TEST(LookupErrors, MissingFileNamesTheFile) {
    test::TempFolders dirs;
    const QString basic = bankPath("\\0wx.dll");
    EXPECT_EQ(errorOf([] { lookup("B", 5); }),
              QStringLiteral("Nie można otworzyć pliku „%1”.").arg(basic));
    writeBank(dirs, "0wx.dll", {"h", quotedLine(basicFields(1))});
    EXPECT_EQ(errorOf([] { lookup("A", 1298); }),
              QStringLiteral("Nie można otworzyć pliku „%1”.").arg(bankPath("\\bazaa.txt")));
}

TEST(LookupErrors, LinePastTheEndNamesFileAndLine) {
    test::TempFolders dirs;
    QStringList basic{"h"};
    for (int n = 1; n <= 20; ++n)
        basic << quotedLine(basicFields(n));
    writeBank(dirs, "0wx.dll", basic);
    QStringList special{"h"};
    for (int line = 1; line < 183; ++line)
        special << quotedLine(specialistFields("B", line));
    special.removeLast(); // 182 lines: 0..181
    writeBank(dirs, "02x.dll", special);
    EXPECT_EQ(lookup("B", 20).text(), basicFields(20)[0]);
    EXPECT_EQ(errorOf([] { lookup("B", 21); }), "Plik „0wx.dll” nie ma wiersza 21.");
    EXPECT_EQ(errorOf([] { lookup("B", 1297); }), "Plik „0wx.dll” nie ma wiersza 1297.");
    EXPECT_EQ(lookup("B", 1478).line, 181);
    EXPECT_EQ(errorOf([] { lookup("B", 1479); }), "Plik „02x.dll” nie ma wiersza 182.");
    dirs.writeProgramFile("bazac.txt", {});
    EXPECT_EQ(errorOf([] { lookup("C", 1298); }), "Plik „bazac.txt” nie ma wiersza 1.");
}

TEST(LookupErrors, TooFewFieldsNamesFileAndLine) {
    test::TempFolders dirs;
    QStringList basic{"h"};
    for (int n = 1; n <= 20; ++n)
        basic << quotedLine(basicFields(n));
    basic[17] = quotedLine({"Tylko tekst", "T", "a.jpg"});
    writeBank(dirs, "0wx.dll", basic);
    writeBank(dirs, "02x.dll", {"h", quotedLine({"Pytanie", "A", "B"})});
    const Record r = lookup("B", 17); // the lookup itself succeeds
    EXPECT_EQ(r.answer(), "T");
    EXPECT_EQ(errorOf([&] { r.points(); }),
              "Plik „0wx.dll”, wiersz 17: za mało pól w rekordzie (potrzebne pole 3).");
    EXPECT_EQ(errorOf([&] { r.field(9); }),
              "Plik „0wx.dll”, wiersz 17: za mało pól w rekordzie (potrzebne pole 9).");
    const Record s = lookup("B", 1298);
    EXPECT_EQ(errorOf([&] { s.answer(); }),
              "Plik „02x.dll”, wiersz 1: za mało pól w rekordzie (potrzebne pole 4).");
    EXPECT_EQ(errorOf([&] { s.media(); }),
              "Plik „02x.dll”, wiersz 1: za mało pól w rekordzie (potrzebne pole 5).");
    EXPECT_THROW(s.field(-1), Error);
}

TEST(LookupErrors, NumberOutOfRange) {
    test::TempFolders dirs;
    writeFullBank(dirs);
    for (int bad : {0, -5, 1480})
        EXPECT_THROW(lookup("B", bad), Error) << bad;
}

TEST(RecordAt, TakesLinesFromOneReading) {
    const QStringList lines{"h", R"("a","T","x.jpg","2")"};
    test::TempFolders dirs;
    const Record r = recordAt(lines, locate("B", 1), 1);
    EXPECT_EQ(r.fields, (QStringList{"a", "T", "x.jpg", "2"}));
    EXPECT_EQ(errorOf([&] { recordAt(lines, locate("B", 2), 2); }),
              "Plik „0wx.dll” nie ma wiersza 2.");
}

// The real full-size bank in the shared folder: every record must read back as expected.json says.
TEST(BankSample, EveryRecordMatchesExpected) {
    const QString sample = QStringLiteral("/work/shared/bank-sample");
    QFile expectedFile(sample + "/expected.json");
    if (!expectedFile.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no bank sample at " << sample.toStdString();
    const QJsonObject expected = QJsonDocument::fromJson(expectedFile.readAll()).object();
    ASSERT_EQ(expected.size(), lastQuestion);
    test::TempFolders dirs;
    Paths::setProgramFolder(sample);
    for (int n = 1; n <= lastQuestion; ++n) {
        SCOPED_TRACE(n);
        const QJsonArray want = expected.value(QString::number(n)).toArray();
        QStringList fields;
        for (const auto& v : want)
            fields << v.toString();
        EXPECT_EQ(lookup("B", n).fields, fields);
    }
}
