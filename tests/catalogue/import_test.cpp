// SPDX-License-Identifier: GPL-3.0-or-later

// The import into a program folder: bank files read back through the program's lookup, katalog.ini,
// media links, the base folder, the report, and the switch that leaves the old folder whole.

#include "bank/bank.h"
#include "base/inifile.h"
#include "base/textfile.h"
#include "catalogue/importer.h"
#include "catalogue/importfiles.h"
#include "catalogue/xlsxwriter.h"
#include "support/qt_printers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace wirtal;
using namespace wirtal::catalogue;
using test::get;
using test::linkCount;
using test::officialRow;
using test::put;

namespace {

// Every file under a folder (relative paths) with its content, to compare a folder before and
// after.
QMap<QString, QByteArray> snapshot(const QString& dir) {
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        out.insert(QDir(dir).relativeFilePath(p), QFileInfo(p).isDir() ? "<dir>" : get(p));
    }
    return out;
}

const QStringList abc{"jedna", "druga", "trzecia"};

// A base program folder, a media folder and a catalogue in one temporary folder.
class ImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        put(base("0wx.dll"), "stary bank");
        put(base("02x.dll"), "stary bank");
        put(base("bazaa.txt"), "stary bank");
        put(base("obrazki_prawko/empty.jpg"), "pusty");
        put(base("obrazki_prawko/znaki.html"), "<html>znaki</html>");
        put(base("obrazki_prawko/filmy/demo.jpg"), "demo");
        put(media("a.jpg"), "obraz a");
        put(media("B.WMV"), "film b"); // named "b.wmv" in the sheet
        put(media("c.jpg"), "obraz c");
        rows = {test::officialHeader(),
                officialRow(1, 300, "Czy tu?", "T", {}, "a.jpg", "PODSTAWOWY", "A,B", "3", "Here?"),
                officialRow(2, 99, "Czy \"tam\"?", "N", {}, "b.wmv", "PODSTAWOWY", "B", "2"),
                officialRow(3, 1864, "Które?", "B", abc, "c.jpg", "SPECJALISTYCZNY", "B,PT", "1"),
                officialRow(4, 500, "Czy zgubione?", "T", {}, "brak.jpg", "PODSTAWOWY", "B", "1"),
                officialRow(5, 501, "Czy bez mediów?", "T", {}, "", "SPECJALISTYCZNY", "B", "1"),
                officialRow(6, 502, "Które złe?", "A", {}, "", "PODSTAWOWY", "B", "1")};
    }
    QString path(const QString& rel) const { return root.filePath(rel); }
    QString base(const QString& rel = {}) const { return path("base/" + rel); }
    QString media(const QString& rel = {}) const { return path("media/" + rel); }
    QString target(const QString& rel = {}) const { return path("prog/" + rel); }

    ImportOptions options() {
        test::writeBytes(path("katalog.xlsx"), test::xlsxBytes(rows));
        ImportOptions o;
        o.catalogue = path("katalog.xlsx");
        o.media = {media()};
        o.target = path("prog");
        o.base = base();
        o.importedAt = QDateTime(QDate(2026, 3, 1), QTime(12, 30, 5));
        return o;
    }
    QString ini(const QString& section, const QString& key) const {
        return ini::readText(QString::fromUtf8(get(target("katalog.ini"))), section, key, "?");
    }
    // The record of line `line` of a written bank file, through the program's lookup.
    QStringList record(const QString& file, int line) const {
        const QStringList lines = loadTextLines(target(file));
        return recordAt(lines, Location{QuestionKind::Basic, file, target(file), line}, line)
            .fields;
    }

    QTemporaryDir root;
    QList<test::XRow> rows;
};

} // namespace

TEST_F(ImportTest, WritesTheProgramFolder) {
    const ImportResult r = Importer(options()).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();

    // katalog.ini
    EXPECT_EQ(ini("katalog", "wersja"), "1");
    EXPECT_EQ(ini("katalog", "kategorie"), "A,B,PT");
    EXPECT_EQ(ini("katalog", "punkty"), "1");
    EXPECT_EQ(ini("katalog", "zrodlo"), "katalog.xlsx");
    EXPECT_EQ(ini("katalog", "zaimportowano"), "2026-03-01T12:30:05");
    EXPECT_EQ(ini("B", "podstawowe"), "3"); // 501 is marked specialist but carries T/N: basic
    EXPECT_EQ(ini("B", "specjalistyczne"), "1");
    EXPECT_EQ(ini("A", "podstawowe"), "1");
    EXPECT_EQ(ini("PT", "specjalistyczne"), "1");
    EXPECT_EQ(ini("C", "podstawowe"), "?");

    // Bank files: UTF-8 with a byte-order mark, CR LF, ascending official number.
    const QByteArray bytes = get(target("pytania-b-podst.txt"));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_EQ(record("pytania-b-podst.txt", 1),
              QStringList({"Czy \"tam\"?", "N", "b.wmv", "2", "99", "", "", "", ""}));
    EXPECT_EQ(record("pytania-b-podst.txt", 2),
              QStringList({"Czy tu?", "T", "a.jpg", "3", "300", "Here?", "", "", ""}));
    EXPECT_EQ(record("pytania-b-podst.txt", 3)[basicField::text], "Czy bez mediów?");
    EXPECT_EQ(loadTextLines(target("pytania-b-podst.txt")).size(), 1 + 3);
    EXPECT_EQ(loadTextLines(target("pytania-b-spec.txt")).size(), 1 + 1);
    const QStringList s = record("pytania-pt-spec.txt", 1);
    EXPECT_EQ(s, QStringList({"Które?", "jedna", "druga", "trzecia", "B", "c.jpg", "1", "1864"}) +
                     QStringList(16, QString()));
    // Today's field indexes read the first fields.
    EXPECT_EQ(s[specialistField::answer], "B");
    EXPECT_EQ(s[specialistField::points], "1");
    EXPECT_TRUE(QFileInfo::exists(target("pytania-a-spec.txt"))); // header only
    EXPECT_FALSE(QFileInfo::exists(target("pytania-c-podst.txt")));

    // The base folder: everything but its bank files and media, hard-linked.
    EXPECT_EQ(get(target("obrazki_prawko/znaki.html")), "<html>znaki</html>");
    EXPECT_GE(linkCount(target("obrazki_prawko/empty.jpg")), 2u);
    for (const char* gone : {"0wx.dll", "02x.dll", "bazaa.txt", "obrazki_prawko/filmy/demo.jpg"})
        EXPECT_FALSE(QFileInfo::exists(target(gone))) << gone;
    EXPECT_EQ(r.baseFiles, 2);

    // Media: linked under the sheet's name; the question of the missing one left out.
    EXPECT_EQ(r.linked, 3);
    EXPECT_EQ(r.copied, 0);
    EXPECT_EQ(get(target("obrazki_prawko/filmy/b.wmv")), "film b");
    EXPECT_GE(linkCount(target("obrazki_prawko/filmy/a.jpg")), 2u);
    EXPECT_EQ(r.missingMedia, QStringList({"brak.jpg"}));
    EXPECT_EQ(r.leftOut(), 2);
    EXPECT_EQ(r.corrected(), 1);
    EXPECT_EQ(r.leftOutByReason().value(Reason::MissingMedia), 1);
    EXPECT_EQ(r.leftOutByReason().value(Reason::ChoiceWithoutOptions), 1);

    // The report names every reported row and the counts.
    EXPECT_EQ(r.reportPath, QDir(target()).filePath("import-raport.txt"));
    const QString report = decodeText(get(r.reportPath));
    for (const char* line :
         {"  B: 3 / 1", "  PT: 0 / 1", "wiersz 5, pytanie 500: brak pliku multimediów „brak.jpg”",
          "wiersz 7, pytanie 502: odpowiedź A bez treści", "wiersz 6, pytanie 501: zakres",
          "Multimedia: 3 połączonych, 0 skopiowanych, 0 rozpakowanych z archiwum, 1 brakujących",
          "brak brak.jpg (pytania 500)"})
        EXPECT_TRUE(report.contains(QString::fromUtf8(line))) << line;
}

// The current layout: German, Ukrainian and the sign-language films reach every question's
// record, the columns the program does not use are kept by official number, and the second sheet
// (questions under verification) is counted, not imported.
TEST_F(ImportTest, CurrentLayoutKeepsEveryColumnAndCountsTheSecondSheet) {
    const QStringList more{"Pytanie [D]",
                           "Odpowiedź A [D]",
                           "Odpowiedź B [D]",
                           "Odpowiedź C [D]",
                           "Pytanie [UA]",
                           "Nazwa media tłumaczenie migowe (PJM) treść pyt",
                           "Nazwa media tłumaczenie migowe (PJM) treść odp A",
                           "Źródło pytania"};
    for (const QString& h : more)
        rows[0] << test::XCell(h);
    rows[1] << "Hier?"
            << ""
            << ""
            << ""
            << "Тут?"
            << "pjm300.wmv"
            << ""
            << "Art. 1";
    rows[3] << "Welche?"
            << "eins"
            << "zwei"
            << "drei"
            << ""
            << "pjm1864.wmv"
            << "pjm1864a.wmv"
            << "";
    put(media("pjm1864.wmv"), "migowy");
    auto entries = test::workbookEntries(rows);
    QList<test::XRow> second{
        test::officialHeader(),
        officialRow(1, 469, "Czy sprawdzane?", "T", {}, "", "PODSTAWOWY", "B", "1"),
        officialRow(2, 1278, "Które sprawdzane?", "A", abc, "", "SPECJALISTYCZNY", "B", "1")};
    for (test::XRow& row : second)
        for (test::XCell& cell : row)
            if (cell.kind == test::XCell::Shared)
                cell.kind = test::XCell::Inline;
    for (auto& [name, bytes] : entries) {
        if (name == "xl/workbook.xml")
            bytes.replace("</sheets>", "<sheet name=\"W trakcie weryfikacji\" sheetId=\"2\" "
                                       "r:id=\"rId2\"/></sheets>");
        if (name == "xl/_rels/workbook.xml.rels")
            bytes.replace("</Relationships>",
                          "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/"
                          "officeDocument/2006/relationships/worksheet\" "
                          "Target=\"worksheets/sheet2.xml\"/></Relationships>");
    }
    entries.append({"xl/worksheets/sheet2.xml", test::sheetXml(second).sheet});
    ImportOptions o = options();
    ASSERT_TRUE(test::writeBytes(o.catalogue, test::zipBytes(entries)));

    const ImportResult r = Importer(o).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QStringList basic = record("pytania-b-podst.txt", 2);
    EXPECT_EQ(basic[basicField::official], "300");
    EXPECT_EQ(basic[basicField::germanText], "Hier?");
    EXPECT_EQ(basic[basicField::ukrainianText], "Тут?");
    EXPECT_EQ(basic[basicField::signText], "pjm300.wmv"); // named, though not found
    const QStringList special = record("pytania-pt-spec.txt", 1);
    EXPECT_EQ(QStringList({special[specialistField::germanText], special[specialistField::germanA],
                           special[specialistField::germanB], special[specialistField::germanC]}),
              QStringList({"Welche?", "eins", "zwei", "drei"}));
    EXPECT_EQ(special[specialistField::signText], "pjm1864.wmv");
    EXPECT_EQ(special[specialistField::signA], "pjm1864a.wmv");
    EXPECT_EQ(ini("katalog", "jezyki"), "en,de,ua");
    EXPECT_EQ(ini("katalog", "pjm"), "1");
    // A sign film is placed when found; a missing one keeps its question.
    EXPECT_EQ(get(target("obrazki_prawko/filmy/pjm1864.wmv")), "migowy");
    EXPECT_EQ(r.signFilms, 1);
    EXPECT_EQ(r.missingSignFilms, QStringList({"pjm1864a.wmv", "pjm300.wmv"}));
    EXPECT_EQ(r.leftOut(), 2); // as without the new columns

    EXPECT_EQ(r.unusedColumns, QStringList({"Lp.", "Źródło pytania"}));
    const QStringList extra = loadTextLines(target("katalog-kolumny.txt"));
    ASSERT_GE(extra.size(), 3);
    EXPECT_EQ(extra[0], "\"numer\",\"Lp.\",\"Źródło pytania\"");
    EXPECT_TRUE(extra.contains("\"300\",\"1\",\"Art. 1\"")) << extra.join('|').toStdString();

    ASSERT_EQ(r.otherSheets.size(), 1);
    EXPECT_EQ(r.otherSheets[0].name, "W trakcie weryfikacji");
    EXPECT_EQ(r.otherSheets[0].questions, 2);
    EXPECT_EQ(r.otherSheets[0].numbers, QList<qint64>({469, 1278}));
    EXPECT_EQ(ini("B", "podstawowe"), "3"); // none of them among the questions
    const QString report = decodeText(get(r.reportPath));
    for (const char* line :
         {"Arkusz „W trakcie weryfikacji”: 2 pytań, nie zaimportowane", "numery: 469, 1278",
          "Kolumny arkusza nieużywane przez program: Lp., Źródło pytania",
          "Filmy w polskim języku migowym (PJM): 1 dołączonych, 2 brakujących"})
        EXPECT_TRUE(report.contains(QString::fromUtf8(line))) << line;
}

TEST_F(ImportTest, WithoutMediaKeepsEveryQuestionAndLinksNothing) {
    ImportOptions o = options();
    o.withoutMedia = true;
    o.media.clear();
    const ImportResult r = Importer(o).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(ini("B", "podstawowe"), "4");
    EXPECT_EQ(r.linked + r.copied, 0);
    EXPECT_TRUE(r.missingMedia.isEmpty());
    EXPECT_TRUE(QDir(target("obrazki_prawko/filmy")).isEmpty());
    EXPECT_EQ(record("pytania-b-podst.txt", 3)[basicField::media], "brak.jpg");
}

TEST_F(ImportTest, NoPointsColumnWritesEmptyPoints) {
    for (test::XRow& row : rows)
        row.removeAt(10);
    const ImportResult r = Importer(options()).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(ini("katalog", "punkty"), "0");
    EXPECT_EQ(record("pytania-b-podst.txt", 1)[basicField::points], "");
    EXPECT_EQ(record("pytania-b-spec.txt", 1)[specialistField::points], "");
}

TEST_F(ImportTest, MediaOutsideTheFolderIsNeverTaken) {
    // A link in the media folder that leads elsewhere counts as missing.
    put(path("elsewhere/secret.jpg"), "tajne");
    ASSERT_TRUE(QFile::link(path("elsewhere/secret.jpg"), media("secret.jpg")));
    rows << officialRow(7, 600, "Czy link?", "T", {}, "secret.jpg", "PODSTAWOWY", "B", "1");
    const ImportResult r = Importer(options()).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.missingMedia.contains("secret.jpg"));
    EXPECT_FALSE(QFileInfo::exists(target("obrazki_prawko/filmy/secret.jpg")));
}

TEST_F(ImportTest, MediaOnAnotherFileSystemIsCopied) {
    struct stat here {
    }, shm{};
    if (::stat(QFile::encodeName(root.path()).constData(), &here) != 0 ||
        ::stat("/dev/shm", &shm) != 0 || here.st_dev == shm.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    QTemporaryDir other(QStringLiteral("/dev/shm/wirtal-media-XXXXXX"));
    ASSERT_TRUE(other.isValid());
    for (const char* name : {"a.jpg", "b.wmv", "c.jpg", "brak.jpg"})
        put(other.filePath(name), name);
    ImportOptions o = options();
    o.media = {other.path()};
    const ImportResult r = Importer(o).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.linked, 0);
    EXPECT_EQ(r.copied, 4);
    EXPECT_EQ(get(target("obrazki_prawko/filmy/c.jpg")), "c.jpg");
}

TEST_F(ImportTest, ReplacesAnEarlierImportWhole) {
    put(target("katalog.ini"), "[katalog]\r\nwersja=1\r\n");
    put(target("pytania-c-podst.txt"), "stare");
    const ImportResult r = Importer(options()).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target("pytania-c-podst.txt")));
    EXPECT_EQ(ini("katalog", "kategorie"), "A,B,PT");
    // Nothing left beside it.
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"base", "katalog.xlsx", "media", "prog"}));
}

TEST_F(ImportTest, FailureOrCancelMidwayLeavesTheOldFolderAsItWas) {
    put(target("0wx.dll"), "bank, który działa");
    put(target("obrazki_prawko/filmy/x.jpg"), "x");
    const ImportOptions o = options();
    const auto before = snapshot(target());
    const QStringList siblings =
        QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    // Cancelled while the media are linked: the new folder is half made beside the old one.
    std::atomic<bool> cancel{false};
    bool sawHalfMade = false;
    Importer importer(o);
    importer.setCancelFlag(&cancel);
    importer.setProgress([&](const QString& step, qint64 done, qint64) {
        if (step == "Pliki multimediów" && done > 0) { // bytes: one file placed
            const QStringList now =
                QDir(root.path()).entryList({".prog.import-*"}, QDir::Dirs | QDir::Hidden);
            sawHalfMade = now.size() == 1 && snapshot(target()) == before;
            cancel = true;
        }
    });
    const ImportResult r = importer.run();
    EXPECT_TRUE(sawHalfMade);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(snapshot(target()), before);
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              siblings);

    // A catalogue without a required column fails before anything is switched.
    rows[0][6] = test::XCell("Odpowiedź");
    const ImportResult bad = Importer(options()).run();
    EXPECT_FALSE(bad.ok);
    EXPECT_TRUE(bad.error.contains("katalog.xlsx")) << bad.error.toStdString();
    EXPECT_TRUE(bad.error.contains("„Poprawna odp”")) << bad.error.toStdString();
    EXPECT_EQ(snapshot(target()), before);
}

TEST_F(ImportTest, TargetInsideTheBaseIsNotTakenIntoItself) {
    ImportOptions o = options();
    o.target = base("import");
    ASSERT_TRUE(Importer(o).run().ok);
    const ImportResult again = Importer(o).run();
    ASSERT_TRUE(again.ok) << again.error.toStdString();
    EXPECT_EQ(again.baseFiles, 2);
    EXPECT_FALSE(QFileInfo::exists(base("import/import")));
}

// Re-importing a newer edition over the imported folder in use: that folder is the base too, and
// its reference pages and fixed pictures must come along. A target written with a trailing slash
// names the same folder.
TEST_F(ImportTest, ReimportOverTheFolderInUseKeepsItsPages) {
    ASSERT_TRUE(Importer(options()).run().ok);
    for (const QString& spelling : {target(), path("prog")}) {
        SCOPED_TRACE(spelling.toStdString());
        ImportOptions o = options();
        o.base = path("prog");
        o.target = spelling;
        const ImportResult r = Importer(o).run();
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.baseFiles, 2);
        EXPECT_EQ(get(target("obrazki_prawko/znaki.html")), "<html>znaki</html>");
        EXPECT_EQ(get(target("obrazki_prawko/empty.jpg")), "pusty");
        EXPECT_EQ(ini("katalog", "kategorie"), "A,B,PT");
        EXPECT_EQ(
            QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"base", "katalog.xlsx", "media", "prog"}));
    }
}

TEST_F(ImportTest, RefusesToReplaceAFolderThatIsNoProgramFolder) {
    put(target("praca-magisterska.odt"), "ważne");
    const ImportResult r = Importer(options()).run();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("nie jest folderem programu")) << r.error.toStdString();
    EXPECT_EQ(get(target("praca-magisterska.odt")), "ważne");

    ImportOptions o = options();
    o.target = path("katalog.xlsx"); // a file
    EXPECT_FALSE(Importer(o).run().ok);
    EXPECT_FALSE(get(path("katalog.xlsx")).isEmpty());
}

TEST(ImportBase, DefaultBaseIsTheFolderTheProgramWouldUse) {
    QTemporaryDir root;
    put(root.filePath("cwd/x.txt"), "x");
    put(root.filePath("share/wirtal/0wx.dll"), "b");
    const QString bin = root.filePath("bin");
    EXPECT_EQ(defaultBaseFolder(root.filePath("cwd"), bin), root.filePath("share/wirtal"));
    put(root.filePath("cwd/0wx.dll"), "b");
    EXPECT_EQ(defaultBaseFolder(root.filePath("cwd"), bin), root.filePath("cwd"));
    EXPECT_EQ(defaultBaseFolder(root.filePath("share"), root.filePath("nic/bin")), "");
}

// Staging folders of a crashed import are removed before the next one, and nothing else is: not
// a young one (an import may still be running), not a link of that name (nor what it points
// to), not a file, not the previous folder moved aside on a failed switch.
TEST(LeftoverStaging, OnlyOldStagingFoldersBesideTheTargetGo) {
    namespace fs = std::filesystem;
    QTemporaryDir root, outside;
    const QString base = root.path() + QStringLiteral("/");
    const auto dir = [&](const char* name) {
        EXPECT_TRUE(QDir().mkpath(base + QLatin1String(name)));
        QFile f(base + QLatin1String(name) + QStringLiteral("/pytania-b-podst.txt"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    };
    const auto age = [&](const char* name, int hours) {
        fs::last_write_time(fs::path((base + QLatin1String(name)).toStdString()),
                            fs::file_time_type::clock::now() - std::chrono::hours(hours));
    };
    dir(".katalog.import-Ab12Cd"); // crashed two hours ago: removed
    age(".katalog.import-Ab12Cd", 2);
    dir(".katalog.import-Xy34Zw"); // an import running now: kept
    dir(".katalog.old-1");         // the previous folder moved aside: kept
    age(".katalog.old-1", 5);
    dir(".inny.import-Ab12Cd"); // another target's: kept
    age(".inny.import-Ab12Cd", 5);
    QFile file(base + QStringLiteral(".katalog.import-Fi1eAa")); // a file, not a folder: kept
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QFile victim(outside.path() + QStringLiteral("/keep.txt"));
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
    victim.close();
    fs::create_directory_symlink(
        fs::path(outside.path().toStdString()),
        fs::path((base + QStringLiteral(".katalog.import-L1nkAa")).toStdString()));

    const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
    EXPECT_EQ(removeLeftoverStaging(base + QStringLiteral("katalog"), anHourAgo), 1);
    EXPECT_EQ(QDir(root.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                             QDir::Name),
              QStringList({".inny.import-Ab12Cd", ".katalog.import-Fi1eAa",
                           ".katalog.import-L1nkAa", ".katalog.import-Xy34Zw", ".katalog.old-1"}));
    EXPECT_TRUE(QFileInfo::exists(outside.path() + QStringLiteral("/keep.txt")));
}
