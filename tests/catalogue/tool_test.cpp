// SPDX-License-Identifier: GPL-3.0-or-later

// `wirtal-bank import` as a program: summary, report, exit codes and messages.

#include "catalogue/xlsxwriter.h"
#include "support/process.h"
#include "support/qt_printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wirtal;
using test::officialRow;

namespace {

using ToolRun = test::ProgramRun;

// The import command of the bank tool, run in cwd.
ToolRun runTool(const QStringList& args, const QString& cwd) {
    return test::runProgram(QStringLiteral(WIRTAL_BANK_TOOL), QStringList{"import"} + args, cwd);
}

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

} // namespace

TEST(ImportTool, ImportsAndSummarizes) {
    QTemporaryDir root;
    const auto at = [&](const QString& rel) { return root.filePath(rel); };
    put(at("base/0wx.dll"), "b");
    put(at("base/obrazki_prawko/empty.jpg"), "p");
    put(at("media/a.jpg"), "a");
    const QList<test::XRow> rows{
        test::officialHeader(),
        officialRow(1, 10, "Czy?", "T", {}, "a.jpg", "PODSTAWOWY", "B,C", "3"),
        officialRow(2, 11, "Czy?", "N", {}, "nie-ma.jpg", "PODSTAWOWY", "B", "3"),
        officialRow(3, 12, "Które?", "A", {"x", "y", "z"}, "", "SPECJALISTYCZNY", "B", "2"),
        officialRow(4, 12, "Które znowu?", "A", {"x", "y", "z"}, "", "SPECJALISTYCZNY", "B", "2")};
    test::writeBytes(at("katalog.xlsx"), test::xlsxBytes(rows));

    // The base folder is the current directory, as the program would use it; then given, over
    // the folder just made.
    const ToolRun fromBase = runTool({at("katalog.xlsx"), at("media"), at("prog")}, at("base"));
    const ToolRun given =
        runTool({"--base", at("base"), at("katalog.xlsx"), at("media"), at("prog")}, root.path());
    for (const ToolRun* run : {&fromBase, &given}) {
        EXPECT_EQ(run->exitCode, 0) << run->err.toStdString();
        for (const char* line : {"  B: 1 / 1\n", "  C: 1 / 0\n", "Pominięte wiersze: 2\n",
                                 "  powtórzony numer pytania: 1\n", "  brak pliku multimediów: 1\n",
                                 "Multimedia: 1 połączonych, 0 skopiowanych, 0 rozpakowanych z "
                                 "archiwum, 1 brakujących"})
            EXPECT_TRUE(run->out.contains(QString::fromUtf8(line)))
                << line << run->out.toStdString();
        EXPECT_TRUE(
            run->out.contains("Raport: " + QDir::toNativeSeparators(at("prog/import-raport.txt"))));
    }
    EXPECT_TRUE(QFileInfo(at("prog/katalog.ini")).isFile());
    EXPECT_TRUE(QFileInfo(at("prog/obrazki_prawko/empty.jpg")).isFile());

    // Without media: the media folder may be left out.
    const ToolRun dry = runTool(
        {"--without-media", "--base=" + at("base"), at("katalog.xlsx"), at("prog2")}, root.path());
    EXPECT_EQ(dry.exitCode, 0) << dry.err.toStdString();
    EXPECT_TRUE(dry.out.contains("  B: 2 / 1\n")) << dry.out.toStdString();
}

// The media as downloaded: an archive and a folder, several operands before the program folder.
TEST(ImportTool, TakesSeveralMedia) {
    QTemporaryDir root;
    const auto at = [&](const QString& rel) { return root.filePath(rel); };
    put(at("base/0wx.dll"), "b");
    put(at("druga/b.jpg"), "b");
    test::writeBytes(at("multimedia.zip"), test::zipBytes({{"multimedia/a.jpg", "a"}}));
    const QList<test::XRow> rows{
        test::officialHeader(),
        officialRow(1, 10, "Czy?", "T", {}, "a.jpg", "PODSTAWOWY", "B", "3"),
        officialRow(2, 11, "Czy?", "N", {}, "b.jpg", "PODSTAWOWY", "B", "3")};
    test::writeBytes(at("katalog.xlsx"), test::xlsxBytes(rows));
    const ToolRun run = runTool(
        {"--base", at("base"), at("katalog.xlsx"), at("multimedia.zip"), at("druga"), at("prog")},
        root.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QString::fromUtf8(
        "Multimedia: 1 połączonych, 0 skopiowanych, 1 rozpakowanych z archiwum, 0 brakujących")))
        << run.out.toStdString();
    EXPECT_TRUE(QFileInfo(at("prog/obrazki_prawko/filmy/a.jpg")).isFile());
    EXPECT_TRUE(QFileInfo(at("prog/obrazki_prawko/filmy/b.jpg")).isFile());
}

TEST(ImportTool, FailsWithAMessageAndLeavesTheTarget) {
    QTemporaryDir root;
    const auto at = [&](const QString& rel) { return root.filePath(rel); };
    put(at("base/0wx.dll"), "b");
    put(at("prog/katalog.ini"), "stary");
    QDir().mkpath(at("media"));
    test::XRow header = test::officialHeader();
    header.removeAt(7); // no "Media"
    test::writeBytes(at("wydanie.xlsx"), test::xlsxBytes({header}));
    struct Case {
        const char* name;
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {"missing column",
         {"--base", at("base"), at("wydanie.xlsx"), at("media"), at("prog")},
         1,
         "wydanie.xlsx: brak kolumn „Media”"},
        {"no media folder",
         {"--base", at("base"), at("wydanie.xlsx"), at("nie-ma"), at("prog")},
         1,
         "brak folderu ani archiwum multimediów"},
        {"no base found", {at("wydanie.xlsx"), at("media"), at("prog")}, 1, "--base"},
        {"too few operands", {at("wydanie.xlsx"), at("prog")}, 2, "Użycie"},
        {"unknown option", {"--szybko", at("wydanie.xlsx"), at("media"), at("prog")}, 2, "Użycie"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun r = runTool(c.args, root.path());
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        QFile ini(at("prog/katalog.ini"));
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        EXPECT_EQ(ini.readAll(), "stary");
    }
}
