// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/catalogpage.h"
#include "support/tempdirs.h"

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::catalogfetch;
using namespace wirtal::test;

namespace {

const QUrl page(QStringLiteral("https://www.gov.pl/web/infrastruktura/prawo-jazdy"));
const QStringList hosts{QStringLiteral("www.gov.pl")};

// The shape of the ministry's pages today: attachments whose address names no file, the text
// saying what and of which edition, the kind and size in a span.
const char* attachmentsPage = R"(<!DOCTYPE html><html><head><title>Prawo jazdy</title></head>
<body><nav><a href="/web/infrastruktura">Ministerstwo</a></nav>
<article><h2>Katalog pytań egzaminacyjnych</h2>
<p>Pytania stosowane na egzaminie państwowym od 1 lipca 2026 r.</p>
<a class="file-download" href="/attachment/6f1c2b0e-aaaa" aria-label="Pobierz plik">
  <span class="extension">xlsx</span>
  Katalog pytań egzaminacyjnych &ndash; lipiec 2026 <span class="details">(xlsx, 2,52 MB)</span></a>
<a class="file-download" href="/attachment/6f1c2b0e-bbbb">Multimedia do katalogu pytań –
  lipiec 2026 <span>(zip, 1,4 GB)</span></a>
<a class="file-download" href="/attachment/6f1c2b0e-cccc">Pytania w Polskim Języku Migowym (PJM)
  lipiec 2026 (zip, 11 GB)</a>
<a href="/attachment/6f1c2b0e-dddd">Rozporządzenie w sprawie egzaminów (pdf, 300 kB)</a>
</article></body></html>)";

// Another shape: plain links whose file names carry the edition, "pobierz" as their text.
const char* fileNamesPage = R"(<html><body><ul>
<li>Katalog: <a href='https://www.gov.pl/pliki/katalog_pytan_2026-02-12.xlsx'>pobierz</a></li>
<li>Baza pytań (zip): <a href="pliki/baza_pytan_multimedia_2026-02-12.zip">pobierz</a></li>
<li><a href=pliki/baza_pytan_multimedia_cz2_2026-02-12.zip>Multimedia, część 2</a></li>
</ul></body></html>)";

// Two editions on one page, the older first.
const char* twoEditionsPage = R"(<html><body>
<h3>Archiwum</h3>
<a href="/attachment/old-x">Katalog pytań – kwiecień 2026 (xlsx 2,4 MB)</a>
<a href="/attachment/old-m">Multimedia – kwiecień 2026 (zip 1,3 GB)</a>
<h3>Aktualne</h3>
<a href="/attachment/new-x">Katalog pytań – lipiec 2026 (xlsx 2,5 MB)</a>
<a href="/attachment/new-m">Multimedia – lipiec 2026 (zip 1,4 GB)</a>
</body></html>)";

TEST(CataloguePage, FindsTheSpreadsheetAndTheArchivesOnPagesOfBothShapes) {
    struct Expected {
        FileKind kind;
        const char* url;
        qint64 size;
        const char* localName;
    };
    struct Case {
        const char* name;
        const char* html;
        const char* edition;
        QDate date;
        std::vector<Expected> files;
    };
    const qint64 MB = qint64(1) << 20, GB = qint64(1) << 30;
    const std::vector<Case> cases = {
        {"attachments",
         attachmentsPage,
         "lipiec 2026",
         QDate(2026, 7, 1),
         {{FileKind::Spreadsheet, "https://www.gov.pl/attachment/6f1c2b0e-aaaa",
           qint64(2.52 * double(MB)), "katalog-pytan-2026-07-01.xlsx"},
          {FileKind::Media, "https://www.gov.pl/attachment/6f1c2b0e-bbbb", qint64(1.4 * double(GB)),
           "multimedia-1.zip"},
          {FileKind::SignLanguage, "https://www.gov.pl/attachment/6f1c2b0e-cccc", 11 * GB,
           "pjm-1.zip"}}},
        {"file names",
         fileNamesPage,
         "12.02.2026",
         QDate(2026, 2, 12),
         {{FileKind::Spreadsheet, "https://www.gov.pl/pliki/katalog_pytan_2026-02-12.xlsx", -1,
           "katalog-pytan-2026-02-12.xlsx"},
          {FileKind::Media,
           "https://www.gov.pl/web/infrastruktura/pliki/baza_pytan_multimedia_2026-02-12.zip", -1,
           "multimedia-1.zip"},
          {FileKind::Media,
           "https://www.gov.pl/web/infrastruktura/pliki/baza_pytan_multimedia_cz2_2026-02-12.zip",
           -1, "multimedia-2.zip"}}},
        {"two editions",
         twoEditionsPage,
         "lipiec 2026",
         QDate(2026, 7, 1),
         {{FileKind::Spreadsheet, "https://www.gov.pl/attachment/new-x", qint64(2.5 * double(MB)),
           "katalog-pytan-2026-07-01.xlsx"},
          {FileKind::Media, "https://www.gov.pl/attachment/new-m", qint64(1.4 * double(GB)),
           "multimedia-1.zip"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PageResult r = readCataloguePage(QByteArray(c.html), page, hosts);
        ASSERT_TRUE(r.offer) << r.problem.toStdString();
        EXPECT_EQ(r.offer->editionText, QString::fromUtf8(c.edition));
        EXPECT_EQ(r.offer->edition, c.date);
        ASSERT_EQ(r.offer->files.size(), qsizetype(c.files.size()));
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            const OfferedFile& f = r.offer->files[qsizetype(i)];
            EXPECT_EQ(f.kind, c.files[i].kind) << i;
            EXPECT_EQ(f.url.toString(), QString::fromLatin1(c.files[i].url)) << i;
            EXPECT_NEAR(double(f.size), double(c.files[i].size), 1024.0) << i;
            EXPECT_EQ(f.localName, QString::fromLatin1(c.files[i].localName)) << i;
        }
    }
}

TEST(CataloguePage, APageThatChangedShapeSaysSoInsteadOfGuessing) {
    const char* pages[] = {
        // The catalogue moved to a PDF list, the archives stayed.
        R"(<a href="/a/1">Katalog pytań – lipiec 2026 (pdf, 3 MB)</a>
           <a href="/a/2">Multimedia – lipiec 2026 (zip, 1 GB)</a>)",
        // A page that moved: only a pointer elsewhere.
        R"(<html><body><p>Strona została przeniesiona.</p><a href="/web/nowa">Przejdź</a>)",
        // Not HTML at all.
        "\x89PNG\r\n\x1a\n\0\0\0",
        "",
    };
    for (const char* html : pages) {
        const PageResult r = readCataloguePage(QByteArray(html), page, hosts);
        EXPECT_FALSE(r.offer) << html;
        EXPECT_TRUE(r.problem.contains(QStringLiteral("zmieniona"))) << html;
    }
}

TEST(CataloguePage, TakesOnlyWebLinksOfThePageHostOrAListedHost) {
    // Every link names a newer edition than the one allowed, so a link let through is seen.
    const QByteArray html = R"html(
        <a href="https://www.gov.pl/a/ok">Katalog pytań 01.03.2026 (xlsx)</a>
        <a href="https://evil.example/k.xlsx">Katalog pytań 01.12.2026 (xlsx)</a>
        <a href="http://www.gov.pl/a/plain">Katalog pytań 02.12.2026 (xlsx)</a>
        <a href="file:///etc/passwd.xlsx">Katalog pytań 03.12.2026 (xlsx)</a>
        <a href="javascript:alert(1)">Katalog pytań 04.12.2026 (xlsx)</a>
        <a href="https://user:pw@www.gov.pl/a/u">Katalog pytań 05.12.2026 (xlsx)</a>
        <a href="//evil.example/a/scheme-relative">Katalog pytań 06.12.2026 (xlsx)</a>
        <a href="https://cdn.gov.pl/a/listed">Multimedia 01.03.2026 (zip)</a>)html";
    const PageResult r = readCataloguePage(html, page, hosts);
    ASSERT_TRUE(r.offer);
    EXPECT_EQ(r.offer->files.value(0).url.toString(), QStringLiteral("https://www.gov.pl/a/ok"));
    EXPECT_EQ(r.offer->files.size(), 1); // cdn.gov.pl is not listed
    const PageResult listed =
        readCataloguePage(html, page, hosts + QStringList{QStringLiteral("cdn.gov.pl")});
    ASSERT_TRUE(listed.offer);
    ASSERT_EQ(listed.offer->files.size(), 2);
    EXPECT_EQ(listed.offer->files[1].url.host(), QStringLiteral("cdn.gov.pl"));
}

TEST(CataloguePage, LinkRulesTellTheKindsApart) {
    struct Case {
        const char* text;
        const char* href;
        std::optional<FileKind> kind;
    };
    const Case cases[] = {
        {"Katalog pytań egzaminacyjnych 2026", "/k.xlsx", FileKind::Spreadsheet},
        {"KATALOG PYTAŃ (XLSX)", "/attachment/1", FileKind::Spreadsheet},
        {"pobierz", "/baza_pytan_2026.xlsx", FileKind::Spreadsheet},
        {"Multimedia", "/attachment/2.zip", FileKind::Media},
        {"Baza pytań – pliki zip", "/attachment/3", FileKind::Media},
        {"Filmy i zdjęcia (zip)", "/attachment/4", FileKind::Media},
        {"Tłumaczenie na polski język migowy (zip)", "/attachment/5", FileKind::SignLanguage},
        {"Multimedia PJM", "/m.zip", FileKind::SignLanguage},
        {"Katalog pytań PJM (xlsx)", "/attachment/6", std::nullopt},
        {"Katalog pytań (pdf)", "/k.pdf", std::nullopt},
        {"Harmonogram egzaminów", "/h.xlsx", std::nullopt},
        {"Pytania egzaminacyjne – wykaz", "/attachment/8.xlsx", FileKind::Spreadsheet},
        {"Cennik", "/c.xlsx", std::nullopt},
        {"Zipy i inne", "/attachment/7", std::nullopt},
    };
    for (const Case& c : cases) {
        PageLink link;
        link.url = page.resolved(QUrl(QString::fromUtf8(c.href)));
        link.text = QString::fromUtf8(c.text);
        link.fileName = link.url.fileName();
        EXPECT_EQ(classify(link), c.kind) << c.text << " " << c.href;
    }
}

TEST(CataloguePage, EditionsAndSizesAreReadFromTheText) {
    struct Case {
        const char* text;
        QDate date;
        const char* label;
    };
    const Case cases[] = {
        {"Katalog pytań 12.07.2026", QDate(2026, 7, 12), "12.07.2026"},
        {"katalog_2026_07_12.xlsx", QDate(2026, 7, 12), "12.07.2026"},
        {"katalog-pytan-20260712", QDate(2026, 7, 12), "12.07.2026"},
        {"od 1 lutego 2026 r.", QDate(2026, 2, 1), "01.02.2026"},
        {"Katalog – Październik 2026", QDate(2026, 10, 1), "październik 2026"},
        {"wersja 05.2026", QDate(2026, 5, 1), "maj 2026"},
        {"Katalog pytań 2026", QDate(2026, 1, 1), "2026"},
        {"31.02.2026", QDate(2026, 1, 1), "2026"}, // no such day: the year alone
        {"Katalog pytań", QDate(), ""},
        {"1234567", QDate(), ""},
    };
    for (const Case& c : cases) {
        QString label;
        EXPECT_EQ(editionOf(QString::fromUtf8(c.text), &label), c.date) << c.text;
        EXPECT_EQ(label, QString::fromUtf8(c.label)) << c.text;
    }
    EXPECT_EQ(sizeOf(QStringLiteral("(xlsx, 2,5 MB)")), qint64(2.5 * double(1 << 20)));
    EXPECT_EQ(sizeOf(QStringLiteral("zip 830 kB")), 830 * 1024);
    EXPECT_EQ(sizeOf(QStringLiteral("11 GB")), qint64(11) << 30);
    EXPECT_EQ(sizeOf(QStringLiteral("Katalog 2026")), -1);
    EXPECT_EQ(sizeText(qint64(2.5 * double(1 << 20))), QStringLiteral("2,5 MB"));
    EXPECT_EQ(sizeText(-1), QStringLiteral("nieznany"));
}

TEST(CataloguePage, AHugePageIsReadInBoundedTimeAndLinks) {
    // Unclosed anchors, endless attributes and a million "<a": one pass, at most maxLinks.
    QByteArray html = "<a href='/k.xlsx' title='" + QByteArray(100000, 'x') + "'>";
    for (int i = 0; i < 300000; ++i)
        html += "<a href=/x" + QByteArray::number(i) + ".zip>Multimedia ";
    const QList<PageLink> links = pageLinks(html, page);
    EXPECT_EQ(links.size(), maxLinks);
    for (const PageLink& l : links)
        EXPECT_LE(l.text.size(), maxLinkText);
}

TEST(CataloguePage, TheAddressComesFromWirtalIniOnHttpsOnly) {
    TempFolders folders;
    EXPECT_EQ(configuredSource().page.toString(), QString::fromLatin1(defaultPage));
    folders.writeUserFile(QStringLiteral("wirtal.ini"),
                          "[katalog]\r\nstrona=https://example.org/katalog\r\n"
                          "hosty=cdn.example.org, Files.Example.org\r\n");
    const Source s = configuredSource();
    EXPECT_EQ(s.page.toString(), QStringLiteral("https://example.org/katalog"));
    EXPECT_EQ(s.hosts,
              (QStringList{QStringLiteral("example.org"), QStringLiteral("cdn.example.org"),
                           QStringLiteral("files.example.org")}));
    for (const char* bad : {"http://example.org/k", "file:///etc/passwd", "https://", "katalog"}) {
        folders.writeUserFile(QStringLiteral("wirtal.ini"),
                              QByteArray("[katalog]\r\nstrona=") + bad + "\r\n");
        EXPECT_EQ(configuredSource().page.toString(), QString::fromLatin1(defaultPage)) << bad;
    }
}

} // namespace
