// SPDX-License-Identifier: GPL-3.0-or-later

// An import facing a hostile sheet, a busy disk and other users: a cancel stops the sheet read
// within a few thousand tokens, a full or read-only disk is told in Polish naming the learner's
// folder, media others may change are copied rather than linked, and a previous folder an
// interrupted switch left aside comes back.

#include "catalogue/importdisk.h"
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

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace wirtal;
using namespace wirtal::catalogue;
using test::get;
using test::linkCount;
using test::officialRow;
using test::put;

namespace {

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
}

class ImportTrust : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        put(path("base/0wx.dll"), "stary bank");
        put(path("base/obrazki_prawko/znaki.html"), "<html>znaki</html>");
        put(path("media/a.jpg"), "obraz a");
        put(path("media/c.jpg"), "obraz c");
        const QList<test::XRow> rows{
            test::officialHeader(),
            officialRow(1, 300, "Czy tu?", "T", {}, "a.jpg", "PODSTAWOWY", "B", "3"),
            officialRow(2, 1864, "Które?", "B", {"jedna", "druga", "trzecia"}, "c.jpg",
                        "SPECJALISTYCZNY", "B", "1")};
        ASSERT_TRUE(test::writeBytes(path("katalog.xlsx"), test::xlsxBytes(rows)));
    }
    QString path(const QString& rel) const { return root.filePath(rel); }
    ImportOptions options() const {
        ImportOptions o;
        o.catalogue = path("katalog.xlsx");
        o.media = {path("media")};
        o.target = path("prog");
        o.base = path("base");
        return o;
    }

    QTemporaryDir root;
};

// A disk that fails one kind of write with a given error, and may claim little free space.
class FailingDisk : public ImportDisk {
public:
    enum What { None, Folder, File, Place };
    What what = None;
    int error = 0;
    int after = 0; // operations of that kind that succeed first
    qint64 free = -1;

    int makeFolder(const QString& p) override {
        return fails(Folder) ? error : ImportDisk::makeFolder(p);
    }
    int writeFile(const QString& p, const QByteArray& b) override {
        return fails(File) ? error : ImportDisk::writeFile(p, b);
    }
    Placed placeFile(const QString& from, const QString& to,
                     const std::function<void()>& tick) override {
        if (fails(Place))
            return Placed{false, error, false};
        return ImportDisk::placeFile(from, to, tick);
    }
    qint64 freeBytes(const QString& folder) override {
        return free >= 0 ? free : ImportDisk::freeBytes(folder);
    }

private:
    bool fails(What w) { return w == what && count_++ >= after; }
    int count_ = 0;
};

} // namespace

// The sheet of the report: 200,000 rows holding one cell each, at column 512. Cancelled from the
// progress call while the sheet is read, the import stops there: no progress call after the
// cancel, and the cancel came while most of the sheet was still unread.
TEST_F(ImportTrust, CancelStopsTheSheetReadOfABigSparseSheet) {
    test::SheetShape shape;
    shape.rows = 200000;
    shape.firstColumn = 511;
    ASSERT_TRUE(test::writeBytes(path("katalog.xlsx"), test::shapedXlsx(shape)));
    std::atomic<bool> cancel{false};
    Importer importer(options());
    importer.setCancelFlag(&cancel);
    int sheetCalls = 0, callsAfterCancel = 0;
    qint64 doneAtCancel = -1, total = 0;
    importer.setProgress([&](const QString& step, qint64 done, qint64 of) {
        if (cancel) {
            ++callsAfterCancel;
            return;
        }
        if (step != QStringLiteral("Czytanie arkusza katalogu"))
            return;
        // Several calls while the sheet is read, then the learner presses "Przerwij".
        if (++sheetCalls == 3) {
            doneAtCancel = done;
            total = of;
            cancel = true;
        }
    });
    const ImportResult r = importer.run();
    EXPECT_TRUE(r.cancelled) << r.error.toStdString();
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(sheetCalls, 3);
    EXPECT_EQ(callsAfterCancel, 0);
    EXPECT_GT(doneAtCancel, 0);
    EXPECT_LT(doneAtCancel, total / 10);
    EXPECT_EQ(entries(root.path()), QStringList({"base", "katalog.xlsx", "media"}));
}

// A full disk, a read-only disk and a folder without permission, each at another write of the
// import: the learner reads why in Polish, with the learner's folder named and no temporary
// path, the system's English text nowhere, and the previous folder as it was.
TEST_F(ImportTrust, DiskFailuresSayWhyAndNameTheLearnersFolder) {
    put(path("prog/katalog.ini"), "[katalog]\r\nwersja=1\r\n");
    struct Case {
        const char* what;
        FailingDisk::What where;
        int error;
        int after;
        qint64 free;
        QStringList said;
    };
    const QString folder = QDir::toNativeSeparators(path("prog"));
    const Case cases[] = {
        {"too little free space",
         FailingDisk::None,
         0,
         0,
         1000,
         {"brak miejsca na dysku", folder, "potrzebuje około", "wolne jest 1000 B"}},
        {"disk full while copying",
         FailingDisk::Place,
         ENOSPC,
         1,
         -1,
         {"brak miejsca na dysku", folder, "potrzebuje około"}},
        {"disk full while saving",
         FailingDisk::File,
         ENOSPC,
         2,
         -1,
         {"brak miejsca na dysku", folder}},
        {"read-only disk", FailingDisk::Folder, EROFS, 0, -1, {"tylko do odczytu", folder}},
        {"no permission", FailingDisk::Folder, EACCES, 0, -1, {"brak uprawnień do zapisu", folder}},
        {"other error", FailingDisk::File, EIO, 0, -1, {folder}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FailingDisk disk;
        disk.what = c.where;
        disk.error = c.error;
        disk.after = c.after;
        disk.free = c.free;
        ImportOptions o = options();
        o.disk = &disk;
        const ImportResult r = Importer(o).run();
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.cancelled);
        for (const QString& part : c.said)
            EXPECT_TRUE(r.error.contains(part)) << r.error.toStdString();
        for (const char* never : {".import-", "No space", "Read-only", "Permission", "denied"})
            EXPECT_FALSE(r.error.contains(QLatin1String(never))) << r.error.toStdString();
        EXPECT_EQ(get(path("prog/katalog.ini")), "[katalog]\r\nwersja=1\r\n");
        EXPECT_EQ(entries(root.path()), QStringList({"base", "katalog.xlsx", "media", "prog"}));
    }
}

// A media file others may write would stay writable by them through a hard link: it is copied.
TEST_F(ImportTrust, MediaOthersMayWriteAreCopiedNotLinked) {
    ASSERT_EQ(::chmod(QFile::encodeName(path("media/c.jpg")).constData(), 0666), 0);
    const ImportResult r = Importer(options()).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.linked, 1);
    EXPECT_EQ(r.copied, 1);
    EXPECT_GE(linkCount(path("prog/obrazki_prawko/filmy/a.jpg")), 2u);
    EXPECT_EQ(linkCount(path("prog/obrazki_prawko/filmy/c.jpg")), 1u);
    EXPECT_EQ(get(path("prog/obrazki_prawko/filmy/c.jpg")), "obraz c");
    // Writing the media folder's file no longer reaches the learner's copy.
    put(path("media/c.jpg"), "podmienione");
    EXPECT_EQ(get(path("prog/obrazki_prawko/filmy/c.jpg")), "obraz c");
}

TEST(ImportLinks, OnlyTheUsersOwnFilesNoOneElseMayWriteAreLinked) {
    struct Case {
        unsigned owner, mode;
        bool linked;
    } cases[] = {
        {1000, 0100644, true},  {1000, 0100600, true},  {1000, 0100444, true},
        {1001, 0100644, false}, {0, 0100644, false},    {1000, 0100664, false},
        {1000, 0100646, false}, {1000, 0100666, false}, {1001, 0100600, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.owner << " " << std::oct << c.mode);
        EXPECT_EQ(linkable(c.owner, c.mode, 1000), c.linked);
    }
}

// What a crash between moving the previous folder aside and moving the new one in leaves, and
// what the start makes of it.
TEST(InterruptedImport, PreviousFolderComesBack) {
    struct Case {
        const char* what;
        QStringList dirs; // folders made, with katalog.ini unless the name starts "-"
        QString linkTo;   // a link ".katalog.old-9" to this folder, when set
        bool restored;
        QStringList after;
        const char* katalogHolds; // content of katalog/katalog.ini after, or null when none
    };
    const Case cases[] = {
        {"crash between the two moves",
         {".katalog.old-1"},
         {},
         true,
         {"katalog"},
         ".katalog.old-1"},
        {"the later of two moved aside",
         {".katalog.old-1", ".katalog.old-2"},
         {},
         true,
         {"katalog"},
         ".katalog.old-2"},
        {"switched, not yet removed",
         {"katalog", ".katalog.old-1"},
         {},
         false,
         {"katalog"},
         "katalog"},
        {"nothing left", {"katalog"}, {}, false, {"katalog"}, "katalog"},
        {"aside folder without a bank",
         {"-.katalog.old-1"},
         {},
         false,
         {".katalog.old-1"},
         nullptr},
        {"a link of that name",
         {"elsewhere"},
         "elsewhere",
         false,
         {".katalog.old-9", "elsewhere"},
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        for (const QString& d : c.dirs) {
            if (d.startsWith('-'))
                put(root.filePath(d.mid(1) + "/pytania-b-podst.txt"), "bez katalog.ini");
            else
                put(root.filePath(d + "/katalog.ini"), d.toUtf8());
        }
        if (!c.linkTo.isEmpty()) {
            ASSERT_TRUE(QFile::link(root.filePath(c.linkTo), root.filePath(".katalog.old-9")));
        }
        EXPECT_EQ(restoreInterruptedImport(root.filePath("katalog")), c.restored);
        EXPECT_EQ(entries(root.path()), c.after);
        if (c.katalogHolds) {
            EXPECT_EQ(get(root.filePath("katalog/katalog.ini")), c.katalogHolds);
        } else {
            EXPECT_FALSE(QFileInfo::exists(root.filePath("katalog")));
        }
    }
}

// The import itself puts the previous folder back first, so a new import after a crash neither
// leaves it aside for good nor mistakes the learner's folder for a new one.
TEST_F(ImportTrust, ImportAfterAnInterruptedSwitchLeavesNothingAside) {
    put(path(".prog.old-1/katalog.ini"), "[katalog]\r\nwersja=1\r\n");
    const ImportResult r = Importer(options()).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(entries(root.path()), QStringList({"base", "katalog.xlsx", "media", "prog"}));
    EXPECT_TRUE(get(path("prog/katalog.ini")).contains("kategorie=B"));
}
