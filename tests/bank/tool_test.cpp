// SPDX-License-Identifier: GPL-3.0-or-later

// The bank tool as a program: show and check on generated banks, exit codes and messages.

#include "bank/bank.h"
#include "support/process.h"
#include "support/qt_printers.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace wirtal;
using test::cp1250;
using test::quotedLine;

namespace {

using ToolRun = test::ProgramRun;

ToolRun runTool(const QStringList& args) {
    return test::runProgram(QStringLiteral(WIRTAL_BANK_TOOL), args);
}

// A complete, valid bank of category B with its media files present.
void writeGoodBank(const test::TempFolders& dirs) {
    QStringList basic{quotedLine({"Pytania podstawowe", "T", "", "0"})};
    for (int n = 1; n <= classicBasicCount; ++n)
        basic << quotedLine({QStringLiteral("Czy wolno? %1 ąę").arg(n), n % 2 ? "T" : "N",
                             n % 2 ? "film.wmv" : "obraz.jpg", QString::number(n % 3 + 1)});
    dirs.writeProgramFile("0wx.dll", cp1250(basic.join("\r\n") + "\r\n"));
    QStringList special{quotedLine({"Pytania specjalistyczne", "", "", "", "A", "", "0"})};
    for (int line = 1; line <= lastQuestion - classicBasicCount; ++line)
        special << quotedLine({QStringLiteral("Które? %1").arg(line), "a", "b", "c",
                               QString(QChar(u'A' + line % 3)), "obraz.jpg", "2"});
    dirs.writeProgramFile("02x.dll", cp1250(special.join("\r\n") + "\r\n"));
    dirs.writeProgramFile("obrazki_prawko/filmy/film.wmv", "x");
    dirs.writeProgramFile("obrazki_prawko/filmy/obraz.jpg", "x");
}

QString folderOf(const test::TempFolders& dirs) {
    return dirs.program();
}

} // namespace

TEST(BankTool, ShowPrintsOneJsonLine) {
    test::TempFolders dirs;
    writeGoodBank(dirs);
    struct Case {
        int number;
        const char* kind;
        const char* file;
        int line;
        QStringList fields;
    } cases[] = {
        {1, "basic", "0wx.dll", 1, {"Czy wolno? 1 ąę", "T", "film.wmv", "2"}},
        {1297, "basic", "0wx.dll", 1297, {"Czy wolno? 1297 ąę", "T", "film.wmv", "2"}},
        {1298, "specialist", "02x.dll", 1, {"Które? 1", "a", "b", "c", "B", "obraz.jpg", "2"}},
        {1479, "specialist", "02x.dll", 182, {"Które? 182", "a", "b", "c", "C", "obraz.jpg", "2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const ToolRun r = runTool({"show", "--folder", folderOf(dirs), QString::number(c.number)});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        ASSERT_TRUE(r.out.endsWith('\n'));
        EXPECT_EQ(r.out.count('\n'), 1);
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        EXPECT_EQ(o.value("number").toInt(), c.number);
        EXPECT_EQ(o.value("kind").toString(), c.kind);
        EXPECT_EQ(o.value("file").toString(), c.file);
        EXPECT_EQ(o.value("line").toInt(), c.line);
        EXPECT_EQ(o.value("fields").toVariant().toStringList(), c.fields);
    }
}

TEST(BankTool, ShowOtherCategoryAndOptionForms) {
    test::TempFolders dirs;
    writeGoodBank(dirs);
    dirs.writeProgramFile(
        "bazaa.txt", cp1250("h\r\n" + quotedLine({"Motocykl?", "x", "y", "z", "A", "m.jpg", "3"})));
    const ToolRun r = runTool({"show", "--category=A", "--folder=" + folderOf(dirs), "1298"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value("file").toString(), "bazaa.txt");
    EXPECT_EQ(o.value("fields").toArray().at(0).toString(), "Motocykl?");
}

TEST(BankTool, ShowErrorsNameFileAndLine) {
    test::TempFolders dirs;
    dirs.writeProgramFile("0wx.dll", cp1250("h\r\n" + quotedLine({"a", "T", "x.jpg", "1"})));
    ToolRun r = runTool({"show", "--folder", folderOf(dirs), "2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, "Plik „0wx.dll” nie ma wiersza 2.\n");
    r = runTool({"show", "--folder", folderOf(dirs), "1300"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("02x.dll")) << r.err.toStdString();
}

TEST(BankTool, BadArgumentsExitTwoWithUsage) {
    const QStringList bad[] = {
        {},
        {"frob"},
        {"show"},
        {"show", "abc"},
        {"show", "0"},
        {"show", "1480"},
        {"show", "1", "2"},
        {"show", "--category", "X", "1"},
        {"show", "--folder"},
        {"show", "--colour", "1"},
        {"check", "5"},
        {"check", "--strict"},
        {"show", "--cues", "1"},
    };
    for (const QStringList& args : bad) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun r = runTool(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(BankTool, CheckOfAGoodBank) {
    test::TempFolders dirs;
    writeGoodBank(dirs);
    const ToolRun r = runTool({"check", "--folder", folderOf(dirs)});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    EXPECT_EQ(r.out, "1479 questions, 0 problems\n");
}

TEST(BankTool, CheckReportsEveryKindOfProblem) {
    test::TempFolders dirs;
    writeGoodBank(dirs);
    QStringList basic{"h"};
    for (int n = 1; n <= classicBasicCount; ++n)
        basic << quotedLine({"Czy?", "T", "obraz.jpg", "1"});
    basic[3] = quotedLine({"Czy?", "T", "obraz.jpg"});      // too few fields
    basic[4] = quotedLine({"Czy?", "A", "obraz.jpg", "1"}); // wrong answer code
    basic[5] = quotedLine({"Czy?", "N", "obraz.jpg", "4"}); // wrong points
    basic[6] = quotedLine({"Czy?", "N", "brak.jpg", "2"});  // media missing
    basic[7] = quotedLine({"Czy?", "N", "obraz.JPG", "2"}); // extension not exact
    basic[8] = quotedLine({"Czy?", "N", "", "2"});          // no media name
    basic[9] = quotedLine({"Czy?", "t", "obraz.png", "x"}); // three problems
    basic.removeLast();                                     // 1297 past the end
    dirs.writeProgramFile("0wx.dll", cp1250(basic.join("\r\n")));
    dirs.writeProgramFile("obrazki_prawko/filmy/obraz.JPG", "x");
    const ToolRun r = runTool({"check", "--folder", folderOf(dirs)});
    EXPECT_EQ(r.exitCode, 1);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    const char* starts[] = {
        "3: ", "4: ", "5: ", "6: ", "7: ", "8: ", "9: ", "9: ", "9: ", "1297: "};
    ASSERT_EQ(lines.size(), qsizetype(std::size(starts)) + 1) << r.out.toStdString();
    for (std::size_t i = 0; i < std::size(starts); ++i)
        EXPECT_TRUE(lines[qsizetype(i)].startsWith(starts[i])) << lines[qsizetype(i)].toStdString();
    EXPECT_TRUE(lines[0].contains("0wx.dll") && lines[0].contains("3")) << lines[0].toStdString();
    EXPECT_TRUE(lines[9].contains("0wx.dll") && lines[9].contains("1297"))
        << lines[9].toStdString();
    EXPECT_EQ(lines.last(), "1479 questions, 10 problems");
}

// A bank file that cannot be read is one problem, said once for the questions it holds.
TEST(BankTool, CheckSaysOnceThatAFileCannotBeRead) {
    struct Case {
        const char* what;
        std::function<void(const test::TempFolders&)> spoil;
        const char* category;
        const char* line; // the one problem line starts with this
        const char* names;
        const char* why;
    } cases[] = {
        {"specialist file missing", [](const test::TempFolders&) {}, "D",
         "1298–1479: ", "bazad.txt", "Nie można otworzyć pliku"},
        {"basic file missing",
         [](const test::TempFolders& d) { QFile::remove(d.program() + "0wx.dll"); }, "B",
         "1–1297: ", "0wx.dll", "Nie można otworzyć pliku"},
        {"folder in place of the basic file",
         [](const test::TempFolders& d) {
             QFile::remove(d.program() + "0wx.dll");
             QDir().mkpath(d.program() + "0wx.dll");
         },
         "B", "1–1297: ", "0wx.dll", "nie jest zwykły plik"},
        {"FIFO in place of the specialist file",
         [](const test::TempFolders& d) {
             QFile::remove(d.program() + "02x.dll");
             ASSERT_EQ(mkfifo(QFile::encodeName(d.program() + "02x.dll").constData(), 0600), 0);
         },
         "B", "1298–1479: ", "02x.dll", "nie jest zwykły plik"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolders dirs;
        writeGoodBank(dirs);
        c.spoil(dirs);
        const ToolRun r = runTool({"check", "--folder", folderOf(dirs), "--category", c.category});
        EXPECT_EQ(r.exitCode, 1);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << r.out.left(2000).toStdString();
        EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8(c.line)) && lines[0].contains(c.names) &&
                    lines[0].contains(QString::fromUtf8(c.why)))
            << lines[0].toStdString();
        EXPECT_EQ(lines.last(), "1479 questions, 1 problems");
    }
}

// A bank file over the size limit is refused at once, with its name, before it is read; a sparse
// file makes one without filling the disk.
TEST(BankTool, RefusesABankFileOverTheSizeLimit) {
    test::TempFolders dirs;
    writeGoodBank(dirs);
    {
        QFile big(dirs.program() + "0wx.dll");
        ASSERT_TRUE(big.resize((qint64(64) << 20) + 1));
    }
    for (const QStringList& args : {QStringList{"show", "--folder", folderOf(dirs), "5"},
                                    QStringList{"check", "--folder", folderOf(dirs)}}) {
        SCOPED_TRACE(args.first().toStdString());
        const ToolRun r = runTool(args);
        EXPECT_EQ(r.exitCode, 1);
        const QString said = r.err + r.out;
        EXPECT_TRUE(said.contains("0wx.dll") && said.contains("za duży") && said.contains("64 MB"))
            << said.left(2000).toStdString();
        EXPECT_LE(said.count('\n'), 2);
    }
    EXPECT_EQ(QFileInfo(dirs.program() + "0wx.dll").size(), (qint64(64) << 20) + 1);
}

// Media names that leave the program folder are problems of their record.
TEST(BankTool, CheckRefusesMediaNamesOutsideTheProgramFolder) {
    test::TempFolders dirs;
    writeGoodBank(dirs);
    QStringList basic{"h"};
    for (int n = 1; n <= classicBasicCount; ++n)
        basic << quotedLine({"Czy?", "T", "obraz.jpg", "1"});
    basic[2] = quotedLine({"Czy?", "T", "../../0wx.jpg", "1"});
    basic[3] = quotedLine({"Czy?", "T", "wyjscie/0wx.jpg", "1"}); // a link out of the folder
    basic[4] = quotedLine({"Czy?", "T", "sub/obraz.jpg", "1"});   // inside: fine
    dirs.writeProgramFile("0wx.dll", cp1250(basic.join("\r\n") + "\r\n"));
    dirs.writeProgramFile("obrazki_prawko/filmy/sub/obraz.jpg", "x");
    dirs.writeProgramFile("0wx.jpg", "x");
    QTemporaryDir outside;
    QFile(dirs.program() + "0wx.jpg").copy(outside.path() + "/0wx.jpg");
    ASSERT_TRUE(QFile::link(outside.path(), dirs.program() + "obrazki_prawko/filmy/wyjscie"));
    const ToolRun r = runTool({"check", "--folder", folderOf(dirs)});
    EXPECT_EQ(r.exitCode, 1);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << r.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("2: ") && lines[0].contains("poza folder programu"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("3: ") && lines[1].contains("poza folder programu"))
        << lines[1].toStdString();
}

TEST(BankTool, CheckCuesRatesTheWordingOfJsonSources) {
    // Every "wolno" question is N and every "obowiązek" question T: guessing from the wording
    // scores 100 %, which --strict turns into a failure.
    QTemporaryDir sources;
    QJsonArray questions;
    for (int n = 1; n <= 40; ++n)
        questions.append(
            QJsonObject{{"n", n},
                        {"text", n % 2 ? QStringLiteral("Czy wolno Ci skręcić %1?").arg(n)
                                       : QStringLiteral("Czy masz obowiązek stanąć %1?").arg(n)},
                        {"answer", n % 2 ? "N" : "T"},
                        {"media", "sign:B-2"},
                        {"points", 3}});
    QFile f(sources.filePath("q.json"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QJsonDocument(questions).toJson());
    f.close();

    ToolRun r = runTool({"check", "--cues", "--folder", sources.path()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("Pytania podstawowe: 40\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("„wolno”")) << r.out.toStdString();
    EXPECT_TRUE(r.out.trimmed().endsWith("Ponad granicą.")) << r.out.toStdString();

    r = runTool({"check", "--cues", "--strict", "--folder", sources.path()});
    EXPECT_EQ(r.exitCode, 1);

    // A source folder with a broken file is reported, not rated.
    QFile bad(sources.filePath("zly.json"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{");
    bad.close();
    r = runTool({"check", "--cues", "--folder", sources.path()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("zly.json")) << r.err.toStdString();
}

TEST(BankTool, CheckCuesReadsTheBankFilesOfTheCategory) {
    test::TempFolders dirs;
    writeGoodBank(dirs);
    ToolRun r = runTool({"check", "--cues", "--folder", folderOf(dirs)});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("Pytania podstawowe: 1297\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Pytania specjalistyczne: 182\n")) << r.out.toStdString();

    // Category D has no specialist file in this folder: the tool says which file is missing.
    r = runTool({"check", "--cues", "--folder", folderOf(dirs), "--category", "D"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("bazad.txt")) << r.err.left(300).toStdString();
}
