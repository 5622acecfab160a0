// SPDX-License-Identifier: GPL-3.0-or-later

// The media as the learner downloads them: zip archives (and folders) read in place, only the
// members the sheet names unpacked, names found exactly or in another form (each such match
// told), hostile members passed over, the space checked first, and a cancel or failure that
// leaves the previous folder as it was.

#include "base/textfile.h"
#include "catalogue/filmbytes.h"
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

#include <zip.h>

using namespace wirtal;
using namespace wirtal::catalogue;
using test::get;
using test::officialRow;
using test::put;

namespace {

struct Member {
    QString name;
    QByteArray bytes;
    bool link = false;    // a symbolic link (Unix attributes)
    bool deflate = false; // else stored, as archivers keep pictures and films
};

// A zip archive of the members, written with libzip.
bool writeZip(const QString& path, const QList<Member>& members) {
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z)
        return false;
    for (const Member& m : members) {
        zip_source_t* s =
            zip_source_buffer(z, m.bytes.constData(), zip_uint64_t(m.bytes.size()), 0);
        const QByteArray name = m.name.toUtf8();
        const zip_int64_t i = zip_file_add(z, name.constData(), s, ZIP_FL_ENC_UTF_8);
        if (i < 0) {
            zip_source_free(s);
            zip_discard(z);
            return false;
        }
        zip_set_file_compression(z, zip_uint64_t(i), m.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
        if (m.link)
            zip_file_set_external_attributes(z, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(0120777) << 16);
    }
    return zip_close(z) == 0; // the buffers are read here: `members` outlives the call
}

class MediaArchives : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        put(path("base/0wx.dll"), "stary bank");
    }
    QString path(const QString& rel) const { return root.filePath(rel); }
    QString target(const QString& rel = {}) const { return path("prog/" + rel); }
    // A catalogue of yes/no questions, one per media name, numbered from 100.
    ImportOptions options(const QStringList& mediaNames, const QStringList& media) {
        QList<test::XRow> rows{test::officialHeader()};
        for (qsizetype i = 0; i < mediaNames.size(); ++i)
            rows << officialRow(i + 1, 100 + i, "Czy tu?", "T", {}, mediaNames[i], "PODSTAWOWY",
                                "B", "1");
        EXPECT_TRUE(test::writeBytes(path("katalog.xlsx"), test::xlsxBytes(rows)));
        ImportOptions o;
        o.catalogue = path("katalog.xlsx");
        o.media = media;
        o.target = target();
        o.base = path("base");
        return o;
    }
    QTemporaryDir root;
};

class SmallFreeSpace : public ImportDisk {
public:
    qint64 freeBytes(const QString&) override { return free; }
    qint64 free = 0;
};

} // namespace

// The main pack as a zip (its members in a folder of their own) and a second pack as a folder:
// each named file taken once, the first pack first, the archive never unpacked beside.
TEST_F(MediaArchives, ArchiveAndFolderReadInPlace) {
    const QByteArray film(300000, 'f');
    ASSERT_TRUE(
        writeZip(path("multimedia.zip"), {{"multimedia/", {}},
                                          {"multimedia/a.jpg", "obraz a z archiwum"},
                                          {"multimedia/W11 korytarz  z 001.jpg", "dwie spacje"},
                                          {"multimedia/film.wmv", film, false, true},
                                          {"multimedia/nieużywany.wmv", "nikt go nie nazywa"}}));
    put(path("druga/extra.jpg"), "z drugiej paczki");
    put(path("druga/a.jpg"), "a z drugiej paczki");
    const ImportOptions o = options({"a.jpg", "W11 korytarz  z 001.jpg", "film.wmv", "extra.jpg"},
                                    {path("multimedia.zip"), path("druga")});
    Importer importer(o);
    QList<QPair<qint64, qint64>> bytes; // the media step's progress
    importer.setProgress([&](const QString& step, qint64 done, qint64 total) {
        if (step.startsWith("Pliki multimediów"))
            bytes.append({done, total});
    });
    const ImportResult r = importer.run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.leftOut(), 0);
    EXPECT_TRUE(r.missingMedia.isEmpty());
    EXPECT_TRUE(r.looseMatches.isEmpty());
    EXPECT_EQ(r.unpacked, 3);
    EXPECT_EQ(r.linked + r.copied, 1);
    const QString media = target("obrazki_prawko/filmy/");
    EXPECT_EQ(get(media + "a.jpg"), "obraz a z archiwum");
    EXPECT_EQ(get(media + "W11 korytarz  z 001.jpg"), "dwie spacje");
    EXPECT_EQ(get(media + "film.wmv"), film);
    EXPECT_EQ(get(media + "extra.jpg"), "z drugiej paczki");
    EXPECT_EQ(QDir(media).entryList(QDir::Files).size(), 4); // the unnamed member stays packed
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"base", "druga", "katalog.xlsx", "multimedia.zip", "prog"}));
    // Progress in bytes, to the sum of the files placed.
    const qint64 total = 18 + 11 + film.size() + 16;
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(bytes.last(), qMakePair(total, total));
    EXPECT_EQ(r.mediaBytes, total);
    for (qsizetype i = 1; i < bytes.size(); ++i)
        EXPECT_LE(bytes[i - 1].first, bytes[i].first);
}

// A name not there as written is found in another form and told, in the result and the report;
// a file of the exact name always wins.
TEST_F(MediaArchives, NamesInAnotherFormAreFoundAndTold) {
    struct Case {
        const char* what;
        QString sheet, file;
    };
    const Case cases[] = {
        {"Unicode form", QString("Łódź.jpg").normalized(QString::NormalizationForm_C),
         QString("Łódź.jpg").normalized(QString::NormalizationForm_D)},
        {"letter case", "ZNAK A-7.JPG", "znak a-7.jpg"},
        {"run of spaces", "W11 korytarz  z 005.jpg", "W11 korytarz z 005.jpg"},
        {".jpg for .jpeg", "foto.jpg", "foto.jpeg"},
        {".wmv for .mp4", "film.wmv", "film.mp4"},
    };
    QList<Member> members{{"dokładna.jpg", "dokładna"}, {"DOKŁADNA.JPG", "inna"}};
    QStringList names{"dokładna.jpg"};
    for (const Case& c : cases) {
        members << Member{c.file, c.what};
        names << c.sheet;
    }
    ASSERT_TRUE(writeZip(path("m.zip"), members));
    const ImportResult r = Importer(options(names, {path("m.zip")})).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.missingMedia.isEmpty()) << r.missingMedia.join(", ").toStdString();
    EXPECT_EQ(get(target("obrazki_prawko/filmy/dokładna.jpg")), "dokładna");
    const QString report = decodeText(get(r.reportPath));
    EXPECT_TRUE(report.contains("Pliki znalezione pod nazwą w innej postaci: 5"));
    ASSERT_EQ(r.looseMatches.size(), 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Kept under the sheet's name, which the bank record gives.
        EXPECT_EQ(get(target("obrazki_prawko/filmy/" + c.sheet)), c.what);
        EXPECT_TRUE(r.looseMatches.contains(qMakePair(c.sheet, c.file)));
        EXPECT_TRUE(report.contains(QString("„%1” → „%2”").arg(c.sheet, c.file)));
    }
}

// Members that would leave the folder, links, and bombs: a member's folders are never used, a
// link or an over-compressed member is passed over and told, and its question is left out.
TEST_F(MediaArchives, HostileMembersNeverLeaveTheFolder) {
    ASSERT_TRUE(writeZip(path("m.zip"), {{"../../uciekinier.jpg", "z zewnątrz?"},
                                         {"/etc/absolutny.jpg", "absolutny"},
                                         {"link.jpg", "/etc/passwd", true},
                                         {"bomba.wmv", QByteArray(4 << 20, '\0'), false, true}}));
    const ImportResult r =
        Importer(
            options({"uciekinier.jpg", "absolutny.jpg", "link.jpg", "bomba.wmv"}, {path("m.zip")}))
            .run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(get(target("obrazki_prawko/filmy/uciekinier.jpg")), "z zewnątrz?");
    EXPECT_EQ(get(target("obrazki_prawko/filmy/absolutny.jpg")), "absolutny");
    EXPECT_FALSE(QFileInfo::exists(QDir(root.path()).filePath("../uciekinier.jpg")));
    EXPECT_EQ(r.missingMedia, QStringList({"bomba.wmv", "link.jpg"}));
    QStringList refused;
    for (const RefusedMember& m : r.refusedMembers)
        refused << m.name;
    EXPECT_EQ(refused, QStringList({"link.jpg", "bomba.wmv"}));
    EXPECT_FALSE(QFileInfo(target("obrazki_prawko/filmy/link.jpg")).exists());
}

// An archive of too many members, a file that is no zip, or a disk too small for what will be
// unpacked: the import fails before writing and the previous folder stays as it was.
TEST_F(MediaArchives, RefusalsLeaveThePreviousFolder) {
    put(target("katalog.ini"), "[katalog]\r\nwersja=1\r\n");
    put(target("pytania-b-podst.txt"), "poprzednie wydanie");
    ASSERT_TRUE(writeZip(path("m.zip"), {{"a.jpg", QByteArray(5000, 'a')}, {"b.jpg", "b"}}));
    put(path("nie-zip.zip"), "to nie jest archiwum");
    struct Case {
        const char* what;
        QString media;
        qint64 entries, free;
        const char* error;
    };
    const Case cases[] = {
        {"too many members", path("m.zip"), 1, -1, "ma ponad 1 plików"},
        {"no zip", path("nie-zip.zip"), 500000, -1, "to nie jest archiwum zip"},
        {"no room for what is unpacked", path("m.zip"), 500000, (1 << 20) + 4000,
         "brak miejsca na dysku"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ImportOptions o = options({"a.jpg"}, {c.media});
        o.mediaLimits.entries = c.entries;
        SmallFreeSpace disk;
        disk.free = c.free;
        if (c.free >= 0)
            o.disk = &disk;
        const ImportResult r = Importer(o).run();
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(c.error)) << r.error.toStdString();
        EXPECT_EQ(get(target("pytania-b-podst.txt")), "poprzednie wydanie");
        EXPECT_EQ(
            QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"base", "katalog.xlsx", "m.zip", "nie-zip.zip", "prog"}));
    }
}

// A cancel while a member is unpacked stops within a megabyte and leaves the folder as it was.
TEST_F(MediaArchives, CancelWhileUnpacking) {
    put(target("katalog.ini"), "[katalog]\r\nwersja=1\r\n");
    put(target("pytania-b-podst.txt"), "poprzednie wydanie");
    ASSERT_TRUE(writeZip(path("m.zip"), {{"duży.wmv", QByteArray(5 << 20, 'x')}}));
    Importer importer(options({"duży.wmv"}, {path("m.zip")}));
    std::atomic<bool> cancel{false};
    qint64 seen = 0;
    importer.setCancelFlag(&cancel);
    importer.setProgress([&](const QString& step, qint64 done, qint64) {
        if (step.startsWith("Pliki multimediów") && done > 0) {
            seen = done;
            cancel = true;
        }
    });
    const ImportResult r = importer.run();
    EXPECT_TRUE(r.cancelled);
    EXPECT_GT(seen, 0);
    EXPECT_LT(seen, 5 << 20);
    EXPECT_EQ(get(target("pytania-b-podst.txt")), "poprzednie wydanie");
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"base", "katalog.xlsx", "m.zip", "prog"}));
}

// The films' codecs are read from the headers of the films placed and told with whether this
// machine decodes them, and what to install when not.
TEST_F(MediaArchives, FilmCodecsToldWithTheirDecoders) {
    const QByteArray wmv9 =
        test::asfFile({test::asfStream(true, "WMV3"), test::asfStream(false, {}, 0x0161)});
    ASSERT_TRUE(writeZip(path("m.zip"), {{"a.wmv", wmv9},
                                         {"b.wmv", wmv9},
                                         {"c.wmv", test::asfFile({test::asfStream(true, "WMV2")})},
                                         {"d.wmv", "to nie jest film"},
                                         {"e.jpg", "obraz"}}));
    put(path("wtyczki/libgstasf.so"), "");
    ImportOptions o = options({"a.wmv", "b.wmv", "c.wmv", "d.wmv", "e.jpg"}, {path("m.zip")});
    o.pluginFolders = {path("wtyczki")};
    const ImportResult r = Importer(o).run();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    QStringList told;
    for (const FilmCodec& c : r.filmCodecs)
        told << QString("%1 %2 %3").arg(c.support.codec).arg(c.films).arg(c.support.decoder);
    EXPECT_EQ(told, QStringList({"ASF 3 1", "WMA2 2 0", "WMV2 1 0", "WMV3 2 0"}));
    EXPECT_EQ(r.filmsUnknown, 1);
    const QString report = decodeText(get(r.reportPath));
    for (const char* line :
         {"  WMV3 (Windows Media Video 9): 2 filmów, brak dekodera na tym komputerze: zainstaluj "
          "pakiet gstreamer1.0-libav",
          "  ASF (kontener ASF (Windows Media)): 3 filmów, dekoder jest",
          "  nieznany format: 1 filmów"})
        EXPECT_TRUE(report.contains(QString::fromUtf8(line))) << line;
}
