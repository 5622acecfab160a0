// SPDX-License-Identifier: GPL-3.0-or-later

// Importing the official catalogue from the more page: the choosers, the window on its worker
// thread, the message, the switch to the new program folder, and a cancelled or failed import that
// leaves the previous folder as it was.

#include "app/mainwindow.h"
#include "base/paths.h"
#include "catalogue/xlsxwriter.h"
#include "dialogs/importwindow.h"
#include "support/appfixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

using namespace wirtal;
using namespace wirtal::test;

namespace {

QByteArray get(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
// Every file under a folder with its content.
QMap<QString, QByteArray> snapshot(const QString& dir) {
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        out.insert(QDir(dir).relativeFilePath(p), get(p));
    }
    return out;
}
// Names in a folder that are neither "katalog" nor ordinary user files: what an import left
// behind.
QStringList leftovers(const QString& dir) {
    return QDir(dir).entryList({QStringLiteral(".katalog*")},
                               QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

class ImportFromProgram : public AppFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(files.isValid());
        cwd = QDir::currentPath();
        bank.write(folders); // the base program folder: its reference pictures are kept
        folders.writeProgramFile(QStringLiteral("obrazki_prawko/znaki.html"), "<html>znaki</html>");
        put(media("a.jpg"), "obraz a");
        put(media("c.jpg"), "obraz c");
        const QStringList abc{"jedna", "druga", "trzecia"};
        const QList<XRow> rows{
            officialHeader(),
            officialRow(1, 300, "Czy tu?", "T", {}, "a.jpg", "PODSTAWOWY", "B", "3"),
            officialRow(2, 1864, "Które?", "B", abc, "c.jpg", "SPECJALISTYCZNY", "B,PT", "1"),
            officialRow(3, 500, "Czy zgubione?", "T", {}, "brak.jpg", "PODSTAWOWY", "B", "1")};
        ASSERT_TRUE(writeBytes(xlsx(), xlsxBytes(rows)));
    }
    void TearDown() override { QDir::setCurrent(cwd); }

    QString xlsx() const { return files.filePath(QStringLiteral("katalog.xlsx")); }
    QString media(const QString& name = {}) const {
        return files.filePath(QStringLiteral("media/") + name);
    }
    QString imported(const QString& name = {}) const {
        return folders.userData() + QStringLiteral("katalog/") + name;
    }

    QTemporaryDir files;
    QString cwd;
};

TEST_F(ImportFromProgram, ImportsSwitchesAndKeepsTheLearnersFilesOnReimport) {
    folders.writeUserFile(QStringLiteral("statsb.ini"), "[nauka]\r\npoprawne=7\r\n");
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), "12\r\n");
    const QByteArray stats = folders.readUserFile(QStringLiteral("statsb.ini"));
    const QByteArray revision = folders.readUserFile(QStringLiteral("repeat-b.txt"));
    window().showPage(MainWindow::MoreSheet);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first import" : "re-import, the imported folder as base");
        dialogs.expectOpen(xlsx());
        dialogs.expectOpenMany({});
        dialogs.expectFolder(media());
        QString said;
        dialogs.expect(QStringLiteral("Zaimportowano katalog pytań"), Answer::Ok,
                       [&] { said = dialogs.shown().last(); });
        click(QStringLiteral("importbutton"));
        ASSERT_TRUE(dialogs.allAnswered());
        // The spreadsheet first, then the archives (cancelled here: a folder instead).
        EXPECT_EQ(dialogs.lastFilter, QStringLiteral("Archiwa multimediów (*.zip)"));
        for (const char* part :
             {"kategoria B: 1 / 1", "kategoria PT: 0 / 1", "Pominięte wiersze: 1",
              "Brakujące pliki multimediów: 1", "import-raport.txt"})
            EXPECT_TRUE(said.contains(QString::fromUtf8(part))) << part << "\n"
                                                                << said.toStdString();

        // The new folder is the program folder at once, and the start page is shown.
        EXPECT_TRUE(QFileInfo(imported(QStringLiteral("katalog.ini"))).isFile());
        EXPECT_TRUE(QFileInfo(imported(QStringLiteral("pytania-b-podst.txt"))).isFile());
        EXPECT_EQ(get(imported(QStringLiteral("obrazki_prawko/filmy/a.jpg"))), "obraz a");
        EXPECT_EQ(get(imported(QStringLiteral("obrazki_prawko/znaki.html"))), "<html>znaki</html>");
        EXPECT_EQ(QDir(Paths::programFolder()).canonicalPath(), QDir(imported()).canonicalPath());
        EXPECT_EQ(QDir::current().canonicalPath(), QDir(imported()).canonicalPath());
        EXPECT_EQ(window().currentPage(), MainWindow::StartSheet);
        EXPECT_TRUE(window().state().categoryCode.isEmpty());
        EXPECT_TRUE(leftovers(folders.userData()).isEmpty())
            << leftovers(folders.userData()).join(' ').toStdString();
        // Statistics and revision lists belong to the learner, not to the catalogue.
        EXPECT_EQ(folders.readUserFile(QStringLiteral("statsb.ini")), stats);
        EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), revision);
        window().showPage(MainWindow::MoreSheet);
    }
}

TEST_F(ImportFromProgram, ChooserCancelledImportsNothing) {
    struct Case {
        const char* what;
        bool fileChosen;
    };
    for (const Case c : {Case{"no spreadsheet chosen", false}, Case{"no media folder", true}}) {
        SCOPED_TRACE(c.what);
        dialogs.expectOpen(c.fileChosen ? xlsx() : QString());
        if (c.fileChosen) {
            dialogs.expectOpenMany({});
            dialogs.expectFolder(QString());
        }
        EXPECT_FALSE(importCatalogue(dialogs, nullptr, folders.program(), imported()));
        EXPECT_TRUE(dialogs.allAnswered());
        EXPECT_FALSE(QFileInfo::exists(imported()));
    }
}

// The media as downloaded: the archives chosen together (the main pack and a second one), read
// in place, the progress of the media in bytes.
TEST_F(ImportFromProgram, ArchivesChosenTogether) {
    ASSERT_TRUE(writeBytes(files.filePath("multimedia.zip"),
                           zipBytes({{"multimedia/", {}}, {"multimedia/a.jpg", "obraz a z zip"}})));
    ASSERT_TRUE(writeBytes(files.filePath("druga.zip"), zipBytes({{"c.jpg", "obraz c z zip"}})));
    dialogs.expectOpen(xlsx());
    dialogs.expectOpenMany({files.filePath("multimedia.zip"), files.filePath("druga.zip")});
    dialogs.expect(QStringLiteral("Zaimportowano katalog pytań"), Answer::Ok);
    QStringList shownSteps;
    const bool ok =
        importCatalogue(dialogs, nullptr, folders.program(), imported(), [&](ImportWindow& w) {
            QObject::connect(&w, &ImportWindow::progressed, [&](const QString& step) {
                if (step == QStringLiteral("Pliki multimediów"))
                    shownSteps << w.stepLabel()->text();
            });
        });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(dialogs.lastFilter, QStringLiteral("Archiwa multimediów (*.zip)"));
    EXPECT_EQ(get(imported(QStringLiteral("obrazki_prawko/filmy/a.jpg"))), "obraz a z zip");
    EXPECT_EQ(get(imported(QStringLiteral("obrazki_prawko/filmy/c.jpg"))), "obraz c z zip");
    ASSERT_FALSE(shownSteps.isEmpty());
    EXPECT_EQ(shownSteps.last(), QStringLiteral("Pliki multimediów: 26 B z 26 B"));
}

// An earlier import stays whole when the new one is cancelled or fails.
TEST_F(ImportFromProgram, CancelOrFailureLeavesThePreviousFolder) {
    put(imported(QStringLiteral("katalog.ini")), "[katalog]\r\nwersja=1\r\n");
    put(imported(QStringLiteral("pytania-b-podst.txt")), "poprzednie wydanie");
    const auto before = snapshot(imported());

    struct Case {
        const char* what;
        bool cancel;
        QString mediaFolder;
        const char* box;
    };
    const Case cases[] = {
        {"Przerwij", true, media(), "przerwano"},
        {"missing media folder", false, files.filePath(QStringLiteral("nie-ma")),
         "Nie udało się zaimportować"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.expectOpen(xlsx());
        dialogs.expectOpenMany({});
        dialogs.expectFolder(c.mediaFolder);
        dialogs.expect(QString::fromUtf8(c.box), Answer::Ok);
        bool windowShown = false;
        const bool ok =
            importCatalogue(dialogs, nullptr, folders.program(), imported(), [&](ImportWindow& w) {
                windowShown = true;
                EXPECT_TRUE(w.isVisible());
                EXPECT_TRUE(w.isModal());
                EXPECT_EQ(w.cancelButton()->text(), QStringLiteral("Przerwij"));
                if (c.cancel)
                    w.cancelButton()->click();
            });
        EXPECT_FALSE(ok);
        EXPECT_TRUE(windowShown);
        EXPECT_TRUE(dialogs.allAnswered());
        EXPECT_EQ(snapshot(imported()), before);
        EXPECT_TRUE(leftovers(folders.userData()).isEmpty());
    }
}

// Text from the catalogue reaches the learner as text: a cell that holds markup is quoted in the
// failure literally, and the window's label never reads markup.
TEST_F(ImportFromProgram, MarkupFromTheCatalogueIsShownAsText) {
    const QString hostile =
        QStringLiteral("<h1 style=color:red>zapłać</h1><img src=/etc/hostname>");
    auto entries = workbookEntries({officialHeader()});
    for (auto& [name, bytes] : entries)
        if (name == QStringLiteral("xl/worksheets/sheet1.xml"))
            bytes = "<worksheet><sheetData><row r=\"1\"><c r=\"" +
                    hostile.toHtmlEscaped().toUtf8() +
                    "\"><v>1</v></c></row></sheetData>"
                    "</worksheet>";
    ASSERT_TRUE(writeBytes(xlsx(), zipBytes(entries)));
    dialogs.expectOpen(xlsx());
    dialogs.expectOpenMany({});
    dialogs.expectFolder(media());
    QString said;
    dialogs.expect(QStringLiteral("Nie udało się zaimportować"), Answer::Ok,
                   [&] { said = dialogs.shown().last(); });
    Qt::TextFormat format = Qt::AutoText;
    EXPECT_FALSE(importCatalogue(dialogs, nullptr, folders.program(), imported(),
                                 [&](ImportWindow& w) { format = w.stepLabel()->textFormat(); }));
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(said.contains(hostile)) << said.toStdString();
    EXPECT_EQ(format, Qt::PlainText);
}

TEST_F(ImportFromProgram, WindowShowsEachStepWithItsCount) {
    dialogs.expectOpen(xlsx());
    dialogs.expectOpenMany({});
    dialogs.expectFolder(media());
    dialogs.expect(QStringLiteral("Zaimportowano"), Answer::Ok);
    QStringList steps;
    bool counted = false;
    EXPECT_TRUE(
        importCatalogue(dialogs, nullptr, folders.program(), imported(), [&](ImportWindow& w) {
            QObject::connect(&w, &ImportWindow::progressed, &w,
                             [&](const QString& step, qint64 done, qint64 total) {
                                 steps << w.stepLabel()->text();
                                 // The media count bytes, shown as sizes.
                                 const bool bytes = step == QStringLiteral("Pliki multimediów");
                                 if (total > 0) {
                                     counted = true;
                                     EXPECT_EQ(w.progressBar()->value(), done);
                                     EXPECT_TRUE(w.stepLabel()->text().contains(
                                         bytes ? QStringLiteral("%1 B z %2 B").arg(done).arg(total)
                                               : QStringLiteral("%1 z %2").arg(done).arg(total)));
                                 }
                             });
        }));
    EXPECT_FALSE(steps.isEmpty());
    EXPECT_TRUE(counted) << steps.join('|').toStdString();
}

} // namespace
