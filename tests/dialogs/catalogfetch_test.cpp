// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/catalogfetch.h"
#include "ministryserver.h"
#include "platform/qtdownloader.h"
#include "support/tempdirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::catalogfetch;
using namespace wirtal::test;

namespace {

// Bytes that do not compress, so an archive is as large as its content.
QByteArray noise(int size, quint32 seed) {
    QRandomGenerator g(seed);
    QByteArray b(size, Qt::Uninitialized);
    for (char& c : b)
        c = char(g.bounded(256));
    return b;
}

// What the fetcher said, in order.
struct Heard {
    std::optional<Offer> offer;
    QString pageProblem, problem;
    std::optional<Fetched> fetched;
    bool cancelled = false;
    qint64 lastDone = -1, lastTotal = -1;
    bool ended() const { return fetched || !problem.isEmpty() || cancelled; }
};

class CatalogueFetch : public ::testing::Test {
protected:
    CatalogueFetch() {
        xlsx = "PK-not-really-a-workbook-" + noise(20000, 1);
        zip = zipOf({{QStringLiteral("film1.mp4"), noise(150000, 2)},
                     {QStringLiteral("obraz1.jpg"), noise(50000, 3)}});
        oldZip = zipOf({{QStringLiteral("stary.jpg"), noise(1000, 4)}});
        server.file(QStringLiteral("/web/katalog"), page(), "text/html; charset=utf-8");
        server.file(QStringLiteral("/pliki/katalog_2026-07-01.xlsx"), xlsx);
        server.file(QStringLiteral("/pliki/multimedia_2026-07-01.zip"), zip);
        server.file(QStringLiteral("/pliki/katalog_2026-04-01.xlsx"), "stary");
        server.file(QStringLiteral("/pliki/multimedia_2026-04-01.zip"), oldZip);
        source.page = QUrl(server.url(QStringLiteral("/web/katalog")));
        source.hosts = QStringList{QStringLiteral("127.0.0.1")};
    }

    // Two editions, the older one first; the newer spreadsheet's size as the page gives it.
    static QByteArray page() {
        return QStringLiteral(
                   "<html><body><h2>Katalog pytań</h2>"
                   "<a href=\"/pliki/katalog_2026-04-01.xlsx\">Katalog pytań – kwiecień 2026 "
                   "(xlsx)</a> <a href=\"/pliki/multimedia_2026-04-01.zip\">Multimedia – "
                   "kwiecień 2026 (zip)</a><a href=\"/pliki/katalog_2026-07-01.xlsx\">Katalog "
                   "pytań – lipiec 2026 (xlsx, 20 kB)</a> <a "
                   "href=\"/pliki/multimedia_2026-07-01.zip\">Multimedia – lipiec 2026 (zip)</a>"
                   "</body></html>")
            .toUtf8();
    }

    std::unique_ptr<Fetcher> fetcher(Downloader& d) {
        Fetcher::Handlers h;
        h.pageRead = [this](const Offer& o) { heard.offer = o; };
        h.pageFailed = [this](const QString& p) { heard.pageProblem = p; };
        h.progressed = [this](int, qint64 done, qint64 total) {
            heard.lastDone = done;
            heard.lastTotal = total;
        };
        h.finished = [this](const Fetched& f) { heard.fetched = f; };
        h.failed = [this](const QString& p) { heard.problem = p; };
        h.cancelled = [this] { heard.cancelled = true; };
        return std::make_unique<Fetcher>(d, source, folder(), h);
    }

    // Reads the page and downloads what it offers, waiting for the end.
    void fetchAll(Fetcher& f) {
        f.readPage();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return heard.offer || !heard.pageProblem.isEmpty(); }, 20000));
        ASSERT_TRUE(heard.offer) << heard.pageProblem.toStdString();
        f.download(*heard.offer);
        ASSERT_TRUE(QTest::qWaitFor([&] { return heard.ended(); }, 20000));
    }

    QString folder() const { return folders.userData() + QStringLiteral("pobrane"); }
    QStringList folderFiles() const {
        return QDir(folder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempFolders folders;
    MinistryServer server;
    QtDownloader downloader{/*allowLocalHttp=*/true};
    Source source;
    Heard heard;
    QByteArray xlsx, zip, oldZip;
};

TEST_F(CatalogueFetch, DownloadsTheNewestEditionWholeAndAsksForNothingElse) {
    auto f = fetcher(downloader);
    fetchAll(*f);
    ASSERT_TRUE(heard.fetched) << heard.problem.toStdString();
    EXPECT_EQ(heard.offer->editionText, QStringLiteral("lipiec 2026"));
    EXPECT_EQ(heard.offer->files.value(0).size, 20 * 1024);
    EXPECT_EQ(heard.fetched->catalogue,
              folder() + QStringLiteral("/katalog-pytan-2026-07-01.xlsx"));
    EXPECT_EQ(read(heard.fetched->catalogue), xlsx);
    ASSERT_EQ(heard.fetched->media.size(), 1);
    EXPECT_EQ(read(heard.fetched->media[0]), zip);
    EXPECT_EQ(heard.lastDone, zip.size());
    // Nothing partial stays, and the older edition was never asked for.
    EXPECT_EQ(folderFiles(), (QStringList{QStringLiteral("katalog-pytan-2026-07-01.xlsx"),
                                          QStringLiteral("katalog-pytan-2026-07-01.xlsx.adres"),
                                          QStringLiteral("multimedia-1.zip"),
                                          QStringLiteral("multimedia-1.zip.adres")}));
    QStringList paths;
    for (const auto& r : server.requests)
        paths << r.path;
    EXPECT_EQ(paths, (QStringList{QStringLiteral("/web/katalog"),
                                  QStringLiteral("/pliki/katalog_2026-07-01.xlsx"),
                                  QStringLiteral("/pliki/multimedia_2026-07-01.zip")}));
}

TEST_F(CatalogueFetch, SendsNothingOfTheLearner) {
    auto f = fetcher(downloader);
    fetchAll(*f);
    ASSERT_TRUE(heard.fetched);
    const QList<QByteArray> allowed{
        "host", "range", "user-agent", "accept-language", "accept-encoding", "connection"};
    ASSERT_FALSE(server.requests.isEmpty());
    for (const auto& r : server.requests) {
        for (const auto& [name, value] : r.headers) {
            EXPECT_TRUE(allowed.contains(name))
                << name.toStdString() << ": " << value.toStdString();
            const QByteArray expected = name == "accept-language"   ? QByteArray("pl")
                                        : name == "user-agent"      ? QByteArray("Wirtal")
                                        : name == "accept-encoding" ? QByteArray("identity")
                                                                    : value;
            EXPECT_EQ(value, expected) << name.toStdString();
        }
    }
}

TEST_F(CatalogueFetch, ABrokenConnectionIsResumedWhereItBroke) {
    const QString zipPath = QStringLiteral("/pliki/multimedia_2026-07-01.zip");
    for (const bool honoursRanges : {true, false}) {
        SCOPED_TRACE(honoursRanges ? "ranges" : "whole file again");
        QDir(folder()).removeRecursively();
        server.requests.clear();
        server.ignoreRanges = !honoursRanges;
        server.breakOnce(zipPath, 70000);
        heard = {};
        auto f = fetcher(downloader);
        fetchAll(*f);
        ASSERT_TRUE(heard.fetched) << heard.problem.toStdString();
        EXPECT_EQ(read(heard.fetched->media.value(0)), zip);
        const auto asked = server.requestsFor(zipPath);
        ASSERT_EQ(asked.size(), 2);
        EXPECT_EQ(asked[0].range, QByteArray());
        EXPECT_EQ(asked[1].range, QByteArray("bytes=70000-"));
    }
}

TEST_F(CatalogueFetch, APartialFileIsResumedOnlyForItsOwnAddress) {
    const QString zipPath = QStringLiteral("/pliki/multimedia_2026-07-01.zip");
    struct Case {
        const char* name;
        QString origin;
        QByteArray range;
    };
    const Case cases[] = {
        {"same address", server.url(zipPath), "bytes=1000-"},
        {"another edition's", server.url(QStringLiteral("/pliki/multimedia_2026-04-01.zip")), ""},
        // Already as long as the file (the program ended before it was checked): the server has
        // no such range, and the file is asked for whole again.
        {"whole already", server.url(zipPath), "bytes=" + QByteArray::number(zip.size()) + "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        QFile part(folder() + QStringLiteral("/multimedia-1.zip.part"));
        ASSERT_TRUE(part.open(QIODevice::WriteOnly));
        // The same first bytes for the same address, an older file's for the other.
        const qint64 have = c.range.isEmpty() ? 0 : c.range.mid(6).chopped(1).toLongLong();
        part.write(c.range.isEmpty() ? oldZip.left(1000) : zip.left(have));
        part.close();
        QFile origin(folder() + QStringLiteral("/multimedia-1.zip.adres"));
        ASSERT_TRUE(origin.open(QIODevice::WriteOnly));
        origin.write(c.origin.toUtf8());
        origin.close();
        server.requests.clear();
        heard = {};
        auto f = fetcher(downloader);
        fetchAll(*f);
        ASSERT_TRUE(heard.fetched) << heard.problem.toStdString();
        EXPECT_EQ(read(heard.fetched->media.value(0)), zip);
        const auto asked = server.requestsFor(zipPath);
        ASSERT_EQ(asked.size(), have == zip.size() ? 2 : 1);
        EXPECT_EQ(asked[0].range, c.range);
        EXPECT_EQ(asked.back().range, have == zip.size() ? QByteArray() : c.range);
    }
}

TEST_F(CatalogueFetch, ATruncatedArchiveIsNeverHandedOn) {
    // The server sends all it has, but the archive lost its end (or its middle).
    const QByteArray cuts[] = {zip.left(zip.size() - 100),
                               zip.left(zip.size() / 2) + zip.right(200)};
    for (const QByteArray& cut : cuts) {
        QDir(folder()).removeRecursively();
        server.file(QStringLiteral("/pliki/multimedia_2026-07-01.zip"), cut);
        heard = {};
        auto f = fetcher(downloader);
        fetchAll(*f);
        EXPECT_FALSE(heard.fetched);
        EXPECT_TRUE(heard.problem.contains(QStringLiteral("niekompletne")))
            << heard.problem.toStdString();
        EXPECT_FALSE(folderFiles().contains(QStringLiteral("multimedia-1.zip")));
        EXPECT_FALSE(folderFiles().contains(QStringLiteral("multimedia-1.zip.part")));
    }
    EXPECT_FALSE(zipIsWhole(QString()));
}

TEST_F(CatalogueFetch, AnotherAttemptAsksOnlyForWhatIsNotWholeYet) {
    const QString sheetPath = QStringLiteral("/pliki/katalog_2026-07-01.xlsx");
    const QString zipPath = QStringLiteral("/pliki/multimedia_2026-07-01.zip");
    server.file(zipPath, zip.left(zip.size() - 100)); // truncated at the first attempt
    auto f = fetcher(downloader);
    fetchAll(*f);
    ASSERT_FALSE(heard.fetched);
    server.file(zipPath, zip);
    const Offer offer = *heard.offer;
    heard = {};
    f->download(offer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.ended(); }, 20000));
    ASSERT_TRUE(heard.fetched) << heard.problem.toStdString();
    EXPECT_EQ(server.requestsFor(sheetPath).size(), 1);
    EXPECT_EQ(server.requestsFor(zipPath).size(), 2);
    EXPECT_EQ(read(heard.fetched->media.value(0)), zip);
    // A file of the same name from another address is not taken for it.
    QFile origin(folder() + QStringLiteral("/multimedia-1.zip.adres"));
    ASSERT_TRUE(origin.open(QIODevice::WriteOnly | QIODevice::Truncate));
    origin.write("https://www.gov.pl/attachment/stare");
    origin.close();
    heard = {};
    f->download(offer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.ended(); }, 20000));
    EXPECT_EQ(server.requestsFor(sheetPath).size(), 1);
    EXPECT_EQ(server.requestsFor(zipPath).size(), 3);
}

TEST_F(CatalogueFetch, NothingIsWrittenThroughALinkOutOfTheDownloadFolder) {
    // A file elsewhere that a link in the download folder points at, under every name the
    // download uses.
    const QString outside = folders.userData() + QStringLiteral("cenny.txt");
    {
        QFile f(outside);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("nie ruszać");
    }
    QDir().mkpath(folder());
    for (const char* name : {"multimedia-1.zip.part", "multimedia-1.zip.adres", "multimedia-1.zip",
                             "katalog-pytan-2026-07-01.xlsx.part"})
        ASSERT_TRUE(QFile::link(outside, folder() + u'/' + QString::fromLatin1(name)));
    auto f = fetcher(downloader);
    fetchAll(*f);
    ASSERT_TRUE(heard.fetched) << heard.problem.toStdString();
    EXPECT_EQ(read(outside), QByteArray("nie ruszać"));
    EXPECT_EQ(read(heard.fetched->media.value(0)), zip);
    EXPECT_FALSE(QFileInfo(heard.fetched->media.value(0)).isSymLink());

    // The download folder itself a link: refused before anything is asked for.
    QDir(folder()).removeRecursively();
    const QString elsewhere = folders.userData() + QStringLiteral("gdzies");
    QDir().mkpath(elsewhere);
    ASSERT_TRUE(QFile::link(elsewhere, folder()));
    server.requests.clear();
    heard = {};
    auto g = fetcher(downloader);
    fetchAll(*g);
    EXPECT_FALSE(heard.fetched);
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
    EXPECT_EQ(server.requests.size(), 1); // the page only
}

TEST_F(CatalogueFetch, RedirectsAreFollowedOnlyWithinTheListedHosts) {
    // The page moved within its host: followed, and its links resolve against the new address.
    server.redirect(QStringLiteral("/web/stara"), QStringLiteral("/web/katalog"));
    source.page = QUrl(server.url(QStringLiteral("/web/stara")));
    auto f = fetcher(downloader);
    fetchAll(*f);
    EXPECT_TRUE(heard.fetched) << heard.problem.toStdString();

    // To a host nobody listed: refused, and that host is never asked.
    server.requests.clear();
    server.redirect(QStringLiteral("/web/stara"),
                    QStringLiteral("http://localhost:%1/web/katalog").arg(server.port()));
    heard = {};
    auto g = fetcher(downloader);
    g->readPage();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return heard.offer || !heard.pageProblem.isEmpty(); }, 20000));
    EXPECT_FALSE(heard.offer);
    EXPECT_TRUE(heard.pageProblem.contains(QStringLiteral("odsyła")))
        << heard.pageProblem.toStdString();
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0].path, QStringLiteral("/web/stara"));
}

TEST(CatalogueRedirect, StaysOnHttpsAndOnListedHosts) {
    const QUrl origin(QStringLiteral("https://www.gov.pl/web/infrastruktura/prawo-jazdy"));
    const QStringList hosts{QStringLiteral("www.gov.pl"), QStringLiteral("cdn.gov.pl")};
    struct Case {
        const char* target;
        bool allowed;
    };
    const Case cases[] = {
        {"https://www.gov.pl/attachment/1", true},
        {"https://WWW.GOV.PL/attachment/1", true},
        {"https://cdn.gov.pl/pliki/k.xlsx", true},
        {"http://cdn.gov.pl/pliki/k.xlsx", false},
        {"https://evil.example/k.xlsx", false},
        {"https://www.gov.pl.evil.example/k.xlsx", false},
        {"https://user@www.gov.pl/k.xlsx", false},
        {"file:///etc/passwd", false},
        {"ftp://www.gov.pl/k.xlsx", false},
        {"http://127.0.0.1:8080/k.xlsx", false}, // the tests' exception is off
    };
    for (const Case& c : cases)
        EXPECT_EQ(redirectAllowed(origin, QUrl(QString::fromLatin1(c.target)), hosts, false),
                  c.allowed)
            << c.target;
    EXPECT_FALSE(downloadSchemeAllowed(QUrl(QStringLiteral("http://127.0.0.1/x")), false));
    EXPECT_TRUE(downloadSchemeAllowed(QUrl(QStringLiteral("http://127.0.0.1/x")), true));
    EXPECT_FALSE(downloadSchemeAllowed(QUrl(QStringLiteral("http://localhost/x")), true));
}

TEST_F(CatalogueFetch, TooLittleRoomStopsTheDownload) {
    const QString sheetPath = QStringLiteral("/pliki/katalog_2026-07-01.xlsx");
    const QString zipPath = QStringLiteral("/pliki/multimedia_2026-07-01.zip");
    struct Case {
        const char* name;
        qint64 free;
        int sheetAsked, zipAsked;
    };
    const Case cases[] = {
        // The sizes the page gives do not fit: nothing is asked for.
        {"by the page", qint64(1) << 20, 0, 0},
        // They fit, but the archive's size the server says when it starts does not.
        {"by the server", spareBytes + 100 * 1024, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder()).removeRecursively();
        server.requests.clear();
        heard = {};
        auto f = fetcher(downloader);
        f->setFreeSpace([&](const QString&) { return c.free; });
        fetchAll(*f);
        EXPECT_FALSE(heard.fetched);
        EXPECT_TRUE(heard.problem.contains(QStringLiteral("Za mało miejsca")))
            << heard.problem.toStdString();
        EXPECT_EQ(server.requestsFor(sheetPath).size(), c.sheetAsked);
        EXPECT_EQ(server.requestsFor(zipPath).size(), c.zipAsked);
        EXPECT_FALSE(folderFiles().contains(QStringLiteral("multimedia-1.zip")));
    }
}

TEST_F(CatalogueFetch, APageOrFileBeyondItsBoundIsRefused) {
    server.file(QStringLiteral("/web/katalog"), page() + QByteArray(maxPageBytes, ' '));
    auto f = fetcher(downloader);
    f->readPage();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return heard.offer || !heard.pageProblem.isEmpty(); }, 20000));
    EXPECT_FALSE(heard.offer);
}

TEST_F(CatalogueFetch, TheLearnersCancelRemovesThePartialFiles) {
    server.breakOnce(QStringLiteral("/pliki/multimedia_2026-07-01.zip"), 60000);
    auto f = fetcher(downloader);
    f->readPage();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(heard.offer); }, 20000));
    f->download(*heard.offer);
    // Once the archive has begun, the learner stops.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return folderFiles().contains(QStringLiteral("multimedia-1.zip.part")); }, 20000));
    f->cancel();
    EXPECT_TRUE(heard.cancelled);
    EXPECT_FALSE(f->busy());
    for (int i = 0; i < 20; ++i) // what the network still had to say goes unheard
        QCoreApplication::processEvents();
    EXPECT_FALSE(heard.fetched);
    EXPECT_TRUE(heard.problem.isEmpty());
    EXPECT_EQ(folderFiles(), (QStringList{QStringLiteral("katalog-pytan-2026-07-01.xlsx"),
                                          QStringLiteral("katalog-pytan-2026-07-01.xlsx.adres")}));
}

} // namespace
