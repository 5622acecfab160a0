// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/catalogfetchwindow.h"
#include "dialogs/editionwatch.h"
#include "ministryserver.h"
#include "platform/manualclock.h"
#include "platform/wallclock.h"
#include "support/appfixture.h"
#include "support/fakes.h"
#include "support/tempdirs.h"
#include "widgets/styledbutton.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::catalogfetch;
using namespace wirtal::test;

namespace {

const QByteArray ministryPage =
    QStringLiteral(
        "<html><body><a href=\"/attachment/x\">Katalog pytań – lipiec 2026 (xlsx, 2,5 MB)</a>"
        "<a href=\"/attachment/m\">Multimedia – lipiec 2026 (zip)</a></body></html>")
        .toUtf8();

class FetchWindow : public ::testing::Test {
protected:
    FetchWindow() {
        source.page = QUrl(QString::fromLatin1(defaultPage));
        source.hosts = QStringList{QStringLiteral("www.gov.pl")};
        window = std::make_unique<CatalogFetchWindow>(
            web, source, folders.userData() + QStringLiteral("pobrane"),
            [this](const Fetched& f) {
                imports << f;
                return importSucceeds;
            },
            [this] { ++manualImports; });
        window->show();
        window->begin();
    }

    void answerPage(const QByteArray& html) {
        ASSERT_EQ(web.requests.size(), 1u);
        EXPECT_EQ(web.requests[0].request.url, source.page);
        // The page within a minute, bounded; the files (gigabytes) only by their silence.
        EXPECT_EQ(web.requests[0].request.totalTimeoutMs, pageTimeoutMs);
        EXPECT_EQ(web.requests[0].request.maxBytes, maxPageBytes);
        web.answer(0, html);
    }

    TempFolders folders;
    FakeDownloader web;
    Source source;
    std::unique_ptr<CatalogFetchWindow> window;
    QList<Fetched> imports;
    bool importSucceeds = true;
    int manualImports = 0;
};

TEST_F(FetchWindow, APageThatCannotBeReadOffersTheManualImport) {
    EXPECT_FALSE(window->manualButton()->isVisibleTo(window.get()));
    answerPage("<html><body><p>Strona została przeniesiona.</p></body></html>");
    EXPECT_TRUE(window->statusLabel()->text().contains(QStringLiteral("zmieniona")));
    EXPECT_TRUE(window->statusLabel()->text().contains(QStringLiteral("ręcznie")));
    EXPECT_FALSE(window->fetchButton()->isEnabled());
    ASSERT_TRUE(window->manualButton()->isVisibleTo(window.get()));
    window->manualButton()->click();
    EXPECT_EQ(manualImports, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(imports.isEmpty());
}

TEST_F(FetchWindow, NoConnectionSaysSoAndOffersTheManualImport) {
    web.end(0, DownloadEnd::Outcome::Failed);
    EXPECT_TRUE(window->statusLabel()->text().contains(QStringLiteral("Nie udało się odczytać")));
    EXPECT_TRUE(window->manualButton()->isVisibleTo(window.get()));
}

TEST_F(FetchWindow, ShowsTheEditionAndSizesThenDownloadsAndImports) {
    answerPage(ministryPage);
    EXPECT_TRUE(window->statusLabel()->text().contains(QStringLiteral("lipiec 2026")));
    EXPECT_TRUE(window->filesLabel()->text().contains(QStringLiteral("2,5 MB")));
    EXPECT_TRUE(window->filesLabel()->text().contains(QStringLiteral("nieznany")));
    ASSERT_TRUE(window->fetchButton()->isEnabled());
    window->fetchButton()->click();
    EXPECT_EQ(window->cancelButton()->text(), QStringLiteral("Przerwij"));
    QByteArray noise(20000, Qt::Uninitialized);
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919) ^ (i >> 3));
    const QByteArray zip = zipOf({{QStringLiteral("a.jpg"), noise}});
    ASSERT_EQ(web.requests.size(), 2u);
    EXPECT_EQ(web.requests[1].request.url.toString(),
              QStringLiteral("https://www.gov.pl/attachment/x"));
    EXPECT_EQ(web.requests[1].request.maxBytes, maxSpreadsheetBytes);
    web.answer(1, "arkusz");
    ASSERT_EQ(web.requests.size(), 3u);
    EXPECT_EQ(web.requests[2].request.maxBytes, maxArchiveBytes);
    EXPECT_EQ(web.requests[2].request.totalTimeoutMs, 0);
    web.answer(2, zip, zip.size() / 2); // broken in the middle: resumed at once
    ASSERT_EQ(web.requests.size(), 4u);
    EXPECT_EQ(web.requests[3].request.from, zip.size() / 2);
    EXPECT_NEAR(window->progressBar()->value(), 500, 1);
    web.answer(3, zip);
    ASSERT_EQ(imports.size(), 1);
    const QString dir = folders.userData() + QStringLiteral("pobrane/");
    EXPECT_EQ(imports[0].catalogue, dir + QStringLiteral("katalog-pytan-2026-07-01.xlsx"));
    EXPECT_EQ(imports[0].media, QStringList{dir + QStringLiteral("multimedia-1.zip")});
    EXPECT_TRUE(window->imported());
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(FetchWindow, AFailedImportLeavesTheWindowOpenAndSaysTheCatalogueIsUnchanged) {
    importSucceeds = false;
    answerPage("<a href=\"/k.xlsx\">Katalog pytań 2026</a>");
    window->fetchButton()->click();
    web.answer(1, "arkusz");
    ASSERT_EQ(imports.size(), 1);
    EXPECT_FALSE(window->imported());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->statusLabel()->text().contains(QStringLiteral("bez zmian")));
}

TEST_F(FetchWindow, StoppingTheDownloadRemovesWhatWasPartlyDownloaded) {
    answerPage(ministryPage);
    window->fetchButton()->click();
    web.answer(1, "arkusz");
    ASSERT_EQ(web.requests.size(), 3u);
    // A part of the archive has come when the learner presses "Przerwij".
    FakeDownloader::Request& r = web.requests[2];
    r.handlers.started(0, 100000);
    r.handlers.data(QByteArray(30000, 'z'));
    const QString dir = folders.userData() + QStringLiteral("pobrane");
    EXPECT_TRUE(QFile::exists(dir + QStringLiteral("/multimedia-1.zip.part")));
    window->cancelButton()->click();
    EXPECT_TRUE(web.requests[2].cancelled);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(QDir(dir).entryList(QDir::Files),
              (QStringList{QStringLiteral("katalog-pytan-2026-07-01.xlsx"),
                           QStringLiteral("katalog-pytan-2026-07-01.xlsx.adres")}));
    EXPECT_TRUE(imports.isEmpty());
}

// ---------------------------------------------------------------------------------------------
// The start page's line about a newer edition.

class SettableClock final : public WallClock {
public:
    QDateTime now() const override { return t; }
    QDateTime t{QDate(2026, 8, 3), QTime(9, 0)};
};

class EditionNotice : public ::testing::Test {
protected:
    // A watch as the program makes one at start; returns how many page requests it made.
    std::size_t startProgram(const QByteArray& pageAnswer = ministryPage) {
        const std::size_t before = web.requests.size();
        EditionWatch watch(timers, wallclock, web, [this](const QString& t) { notices << t; });
        watch.start();
        timers.advance(EditionWatch::delayMs - 1);
        EXPECT_EQ(web.requests.size(), before) << "read before the delay";
        timers.advance(1);
        if (web.pending())
            web.answer(web.requests.size() - 1, pageAnswer);
        return web.requests.size() - before;
    }
    void imported(const char* sourceName) {
        folders.writeProgramFile(QStringLiteral("katalog.ini"),
                                 QByteArray("[katalog]\r\nwersja=1\r\nzrodlo=") + sourceName +
                                     "\r\n");
    }

    TempFolders folders;
    ManualClock timers;
    SettableClock wallclock;
    FakeDownloader web;
    QStringList notices;
};

TEST_F(EditionNotice, SaysSoWhenThePageOffersANewerEditionThanTheImportedOne) {
    struct Case {
        const char* name;
        const char* source; // the imported catalogue's file name; none: no catalogue imported
        bool notice;
    };
    const Case cases[] = {
        {"older, downloaded here", "katalog-pytan-2026-04-01.xlsx", true},
        {"older, imported by hand", "Katalog_pytan_12.02.2026.xlsx", true},
        {"the same", "katalog-pytan-2026-07-01.xlsx", false},
        {"newer", "katalog-pytan-2026-09-01.xlsx", false},
        {"no catalogue", nullptr, true},
        {"undated, imported after the edition", "katalog.xlsx\r\nzaimportowano=2026-07-20T10:00:00",
         false},
        {"undated, imported before the edition",
         "katalog.xlsx\r\nzaimportowano=2026-06-20T10:00:00", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(folders.userData() + QStringLiteral("pobieranie.ini"));
        QFile::remove(folders.program() + QStringLiteral("katalog.ini"));
        if (c.source)
            imported(c.source);
        notices.clear();
        ASSERT_EQ(startProgram(), 1u);
        ASSERT_EQ(notices.size(), 1);
        EXPECT_EQ(notices[0].contains(QStringLiteral("lipiec 2026")), c.notice)
            << notices[0].toStdString();
        EXPECT_EQ(notices[0].isEmpty(), !c.notice);
    }
    EXPECT_EQ(web.requests.back().request.url.toString(), QString::fromLatin1(defaultPage));
}

TEST_F(EditionNotice, ThePageIsReadAtMostOnceADayAndWhatItSaidIsKept) {
    imported("katalog-pytan-2026-04-01.xlsx");
    ASSERT_EQ(startProgram(), 1u);
    // Later that day: not read again, the notice still shown from what was kept.
    wallclock.t = wallclock.t.addSecs(23 * 3600);
    notices.clear();
    EXPECT_EQ(startProgram(), 0u);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QStringLiteral("lipiec 2026")));
    // A day after the reading: read again.
    wallclock.t = wallclock.t.addSecs(3600);
    EXPECT_EQ(startProgram(), 1u);
    // A page that failed counts as read, and says nothing new.
    wallclock.t = wallclock.t.addDays(2);
    notices.clear();
    const std::size_t before = web.requests.size();
    EditionWatch watch(timers, wallclock, web, [this](const QString& t) { notices << t; });
    watch.start();
    timers.advance(EditionWatch::delayMs);
    ASSERT_EQ(web.requests.size(), before + 1);
    web.end(before, DownloadEnd::Outcome::Failed);
    EXPECT_EQ(notices.size(), 1);
    wallclock.t = wallclock.t.addSecs(60);
    EXPECT_EQ(startProgram(), 0u);
}

TEST_F(EditionNotice, NothingIsReadWhenTheLearnerSwitchedItOff) {
    folders.writeUserFile(QStringLiteral("wirtal.ini"), "[katalog]\r\nsprawdzaj=0\r\n");
    EditionWatch watch(timers, wallclock, web, [this](const QString& t) { notices << t; });
    watch.start();
    timers.advance(10 * EditionWatch::delayMs);
    EXPECT_TRUE(web.requests.empty());
    EXPECT_TRUE(notices.isEmpty());
}

} // namespace

namespace {

class FetchInTheProgram : public AppFixture {};

TEST_F(FetchInTheProgram, TheStartPageTellsOfANewerEditionWithoutDelayingTheStart) {
    FakeDownloader pages;
    downloader = &pages;
    bank.write(folders);
    window();
    auto* line = find<QLabel>(QStringLiteral("nowewydanie"));
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(pages.requests.empty()); // the window is up before anything is asked
    clock.advance(EditionWatch::delayMs);
    ASSERT_EQ(pages.requests.size(), 1u);
    EXPECT_FALSE(line->isVisibleTo(&window()));
    pages.answer(0, ministryPage);
    EXPECT_TRUE(line->isVisibleTo(&window()));
    EXPECT_TRUE(line->text().contains(QStringLiteral("lipiec 2026")));
    EXPECT_TRUE(line->text().contains(QStringLiteral("Pobierz aktualny katalog")));
    // The entry it names is on the more page.
    EXPECT_NE(find<StyledButton>(QStringLiteral("pobierzbutton")), nullptr);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

} // namespace
