// SPDX-License-Identifier: GPL-3.0-or-later

// The learner's data by bank: the names of a catalogue's files and history keys, and the one-time
// separation of what an earlier version wrote for a catalogue into the classic files.

#include "base/bankdata.h"
#include "base/inifile.h"
#include "base/paths.h"
#include "base/state.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::test;

namespace {
const QDateTime imported(QDate(2026, 3, 1), QTime(10, 0, 0));

void writeAt(const TempFolders& dirs, const QString& name, const QByteArray& bytes,
             const QDateTime& when) {
    dirs.writeUserFile(name, bytes);
    QFile f(dirs.userData() + name);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}
QByteArray manifest() {
    return "[katalog]\r\nwersja=1\r\nkategorie=B,C\r\nzrodlo=katalog-2026.xlsx\r\nzaimportowano=" +
           imported.toString(Qt::ISODate).toUtf8() + "\r\n[B]\r\npodstawowe=1\r\n";
}
} // namespace

TEST(BankData, ACataloguesFilesAndHistoryKeysAreItsOwn) {
    TempFolders dirs;
    EXPECT_EQ(statsFileFor(QStringLiteral("B")), QStringLiteral("statsb.ini"));
    EXPECT_EQ(BankIdentity::ofProgramFolder().historyKey(QStringLiteral("B")), QStringLiteral("B"));
    dirs.writeProgramFile(QStringLiteral("katalog.ini"), manifest());
    EXPECT_EQ(statsFileFor(QStringLiteral("PT")), QStringLiteral("katalog-statspt.ini"));
    EXPECT_EQ(BankIdentity::ofProgramFolder().historyKey(QStringLiteral("PT")),
              QStringLiteral("katalog:PT"));
    EXPECT_EQ(statsFileFor(QStringLiteral("X")), QString());
    const CatalogueOrigin origin = catalogueOrigin(Paths::catalogueManifest());
    EXPECT_EQ(origin.source, QStringLiteral("katalog-2026.xlsx"));
    EXPECT_EQ(origin.importedAt, imported);
}

// Files an earlier version wrote after the catalogue was imported hold official numbers: they
// become the catalogue's, once; the classic files stay as they are.
TEST(BankData, EarlierCatalogueDataIsCopiedOnceAndNothingIsLost) {
    struct Case {
        const char* what;
        bool manifestInProgramFolder; // else in the catalogue imported into the user data folder
    };
    for (const Case c : {Case{"catalogue in use", true}, Case{"imported catalogue", false}}) {
        SCOPED_TRACE(c.what);
        TempFolders dirs;
        if (c.manifestInProgramFolder)
            dirs.writeProgramFile(QStringLiteral("katalog.ini"), manifest());
        else
            dirs.writeUserFile(QStringLiteral("katalog/katalog.ini"), manifest());
        writeAt(dirs, QStringLiteral("statsb.ini"), "[last]\r\npytanie=10969\r\n",
                imported.addDays(90));
        writeAt(dirs, QStringLiteral("repeat-b.txt"), "12\r\n", imported.addDays(-30));
        writeAt(dirs, QStringLiteral("statsc.ini"), "[last]\r\npytanie=3\r\n", imported);
        writeAt(dirs, QStringLiteral("repeat-c.txt"), "11022\r\n", imported.addDays(1));
        dirs.writeUserFile(QStringLiteral("katalog-repeat-c.txt"), "99\r\n");

        const EarlierCatalogueData done = separateEarlierCatalogueData();
        EXPECT_EQ(done.written, QStringList{QStringLiteral("katalog-statsb.ini")});
        EXPECT_EQ(done.catalogueSince, imported);
        EXPECT_EQ(dirs.readUserFile(QStringLiteral("katalog-statsb.ini")),
                  QByteArray("[last]\r\npytanie=10969\r\n"));
        EXPECT_EQ(dirs.readUserFile(QStringLiteral("statsb.ini")),
                  QByteArray("[last]\r\npytanie=10969\r\n"));
        for (const char* absent : {"katalog-repeat-b.txt", "katalog-statsc.ini"})
            EXPECT_FALSE(dirs.userFileExists(QString::fromLatin1(absent))) << absent;
        EXPECT_EQ(dirs.readUserFile(QStringLiteral("katalog-repeat-c.txt")), QByteArray("99\r\n"));

        // Once only: a catalogue file removed later is not brought back.
        QFile::remove(dirs.userData() + QStringLiteral("katalog-statsb.ini"));
        const EarlierCatalogueData again = separateEarlierCatalogueData();
        EXPECT_TRUE(again.written.isEmpty());
        EXPECT_FALSE(again.catalogueSince.isValid());
        EXPECT_FALSE(dirs.userFileExists(QStringLiteral("katalog-statsb.ini")));
    }
}

TEST(BankData, WithoutACatalogueNothingIsCopied) {
    TempFolders dirs;
    writeAt(dirs, QStringLiteral("statsb.ini"), "[last]\r\npytanie=7\r\n", imported.addDays(90));
    const EarlierCatalogueData done = separateEarlierCatalogueData();
    EXPECT_TRUE(done.written.isEmpty());
    EXPECT_FALSE(done.catalogueSince.isValid());
    EXPECT_FALSE(dirs.userFileExists(QStringLiteral("katalog-statsb.ini")));
    EXPECT_EQ(readIni(QStringLiteral("ustawienia.ini"), QStringLiteral("dane"),
                      QStringLiteral("banki"), {}),
              QStringLiteral("1"));
}
