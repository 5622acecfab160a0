// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/pagesanitizer.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::safehtml;

namespace {

const QUrl base(QStringLiteral("http://127.0.0.1:8080/updates/twersja10.html"));
const QString server = QStringLiteral("http://127.0.0.1:8080/");

QString page(const QString& body) {
    return QStringLiteral("<html><head><title>11</title></head><body>") + body +
           QStringLiteral("</body></html>");
}

// Everything that must never reach the rich-text engine from a remote page: any name of a local
// file, a resource of the program, an inline picture, another server, and the ways HTML and CSS
// have to make the engine load them.
TEST(PageSanitizer, NoLocalFileOtherServerOrStyleSheetSurvives) {
    const char* pages[] = {
        "<img src=\"file:///etc/passwd\">",
        "<img src=\"FILE:///dev/zero\">",
        "<img src=\"/dev/tty\" width=10>",
        "<img src=\"file:/dev/tty\">",
        "<img src=\"file://localhost/etc/hosts\">",
        "<img src=\"qrc:/report/testy.rav\">",
        "<img src=\":/report/testy.rav\">",
        "<img src=\"data:image/png;base64,iVBORw0KGgo=\">",
        "<img src=\"http://obcy.example/x.png\">",
        "<img src=\"//obcy.example/x.png\">",
        "<img src=\"http://127.0.0.1:8081/x.png\">",
        "<img src=\"https://127.0.0.1:8080/x.png\">",
        "<img src=\"http://user@127.0.0.1:8080/x.png\">",
        "<img src=\"ftp://127.0.0.1:8080/x.png\">",
        "<body background=\"file:///etc/x.png\">tekst</body>",
        "<table background=\"/etc/x.png\"><tr><td background=\"x.png\">a</td></tr></table>",
        "<p style=\"background-image: url(file:///etc/x.png)\">a</p>",
        "<p style=\"background: url('/dev/zero')\">a</p>",
        "<p style=\"color: red; background-image:url(x.png)\">a</p>",
        "<style>@import url(file:///etc/x.css); p { background-image: url(/dev/zero) }</style>",
        "<style>@import 'file:///etc/x.css';</style>",
        "<link rel=\"stylesheet\" href=\"file:///etc/x.css\">",
        "<object data=\"file:///etc/x.png\">tekst</object>",
        "<embed src=\"file:///dev/zero\">",
        "<iframe src=\"file:///etc/passwd\"></iframe>",
        "<svg><image href=\"file:///etc/x.png\"/></svg>",
        "<input type=\"image\" src=\"file:///etc/x.png\">",
        "<a href=\"file:///etc/passwd\">link</a>",
        "<base href=\"file:///etc/\"><img src=\"x.png\">",
        "<meta http-equiv=\"refresh\" content=\"0; url=file:///etc/passwd\">",
        "<script>document.write('<img src=file:///etc/x.png>')</script>",
        "<div style=\"list-style-image: url(file:///etc/x.png)\">a</div>",
        "<IMG SRC = 'file:///etc/x.png'>",
        "<img\nsrc=file:///etc/x.png>",
        "<img src=\"&#102;ile:///etc/x.png\">",
        "<img src=\" file:///etc/x.png\">",
    };
    for (const char* body : pages) {
        const Page p = sanitize(page(QString::fromUtf8(body)), base);
        const QString html = p.html.toLower();
        // A path is a path on the page's server; nothing else is named.
        static const QRegularExpression src(QStringLiteral("src=\"([^\"]*)\""));
        for (auto it = src.globalMatch(p.html); it.hasNext();)
            EXPECT_TRUE(it.next().captured(1).startsWith(server)) << body;
        for (const QUrl& u : p.pictures)
            EXPECT_TRUE(u.toString().startsWith(server)) << body;
        for (const char* bad :
             {"file:",  "qrc:",   "\":/",  "data:",   "obcy",        "8081",
              "https:", "ftp:",   "url(",  "@import", "background=", "background-image",
              "href",   "<style", "<link", "<object", "<embed",      "<iframe",
              "<svg",   "<input", "<base", "<meta",   "<script",     "user@"})
            EXPECT_FALSE(html.contains(QLatin1String(bad))) << body << " -> " << bad;
    }
}

TEST(PageSanitizer, AnOrdinaryPageKeepsItsTextFormattingTablesAndOwnPictures) {
    const Page p = sanitize(
        page(QStringLiteral(
            "<h2 align=center>Nowa wersja</h2><p style=\"color:#c00; font-size: 14px\">Pobierz "
            "<b>Wirtal</b> z <i>www.norel.pl</i> &amp; zainstaluj &oacute;</p>"
            "<table border=1 cellpadding=4 width=\"100%\"><tr><td bgcolor=yellow colspan=2>A"
            "<td>B</tr></table><ul><li>jeden<li>dwa</ul><img src=\"logo.png\" width=64 "
            "alt=\"Logo\"><img src=\"/obrazki/a.png\"><img src=\"logo.png\">")),
        base);
    EXPECT_FALSE(p.textOnly);
    const QUrl logo(QStringLiteral("http://127.0.0.1:8080/updates/logo.png"));
    EXPECT_EQ(p.pictures,
              QList<QUrl>({logo, QUrl(QStringLiteral("http://127.0.0.1:8080/obrazki/a.png"))}));
    for (const char* kept :
         {"<title>11</title>", "<h2 align=\"center\">Nowa wersja</h2>",
          "style=\"color:#c00;font-size:14px\"", "<b>Wirtal</b>", "<i>www.norel.pl</i>",
          "&amp; zainstaluj &oacute;",
          "<table border=\"1\" cellpadding=\"4\" width=\"100%\"><tr><td bgcolor=\"yellow\" "
          "colspan=\"2\">A</td><td>B</td></tr></table>",
          "<ul><li>jeden</li><li>dwa</li></ul>",
          "<img src=\"http://127.0.0.1:8080/updates/logo.png\" width=\"64\" alt=\"Logo\">"})
        EXPECT_TRUE(p.html.contains(QString::fromUtf8(kept))) << kept << "\n"
                                                              << p.html.toStdString();
}

TEST(PageSanitizer, AttributesAreHeldInSaneRanges) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"<table cellpadding=2000000000><tr><td>a</td></tr></table>", "cellpadding=\"30\""},
        {"<table cellspacing=\"99999999999\"><tr><td>a</td></tr></table>", "cellspacing=\"30\""},
        {"<table border=400><tr><td>a</td></tr></table>", "border=\"10\""},
        {"<table width=2000000000><tr><td>a</td></tr></table>", "width=\"2000\""},
        {"<table width=\"900%\"><tr><td>a</td></tr></table>", "width=\"100%\""},
        {"<table><tr><td colspan=100000 rowspan=0>a</td></tr></table>",
         "colspan=\"20\" rowspan=\"1\""},
        {"<table><tr><td height=99999>a</td></tr></table>", "height=\"2000\""},
        {"<img src=\"a.png\" width=100000 height=70000>", "width=\"1000\" height=\"1000\""},
        {"<p style=\"padding: 2000000000px; margin-top: 99999pt\">a</p>",
         "style=\"padding:50px;margin-top:50pt\""},
        {"<p style=\"font-size: 10000px\">a</p>", "style=\"font-size:72px\""},
        {"<font size=\"+3\" color=\"#00ff00\" face=\"Arial\">a</font>",
         "<font size=\"+3\" color=\"#00ff00\" face=\"Arial\">"},
    };
    for (const Case& c : cases) {
        const Page p = sanitize(page(QString::fromUtf8(c.in)), base);
        EXPECT_TRUE(p.html.contains(QString::fromUtf8(c.out))) << c.in << "\n"
                                                               << p.html.toStdString();
        EXPECT_LE(measure(p.html).largestNumber, Limits().maxLength) << c.in;
    }
    // Values the subset does not understand are dropped, not passed on.
    const Page p = sanitize(page(QStringLiteral("<font size=99 color=\"red;x\" face=\"a(b)\">"
                                                "a</font><p align=\"javascript\">b</p>")),
                            base);
    EXPECT_TRUE(p.html.contains(QStringLiteral("<font>a</font><p>b</p>"))) << p.html.toStdString();
}

QString nested(int n, const QString& open, const QString& inner, const QString& close) {
    return open.repeated(n) + inner + close.repeated(n);
}

// The pages that crashed the program or held its GUI thread for tens of seconds, and others of
// their kind: what comes out is within the limits whatever went in.
TEST(PageSanitizer, WhatReachesTheLayoutIsBoundedWhateverThePage) {
    const QString table = QStringLiteral("<table><tr><td>");
    const QString tableEnd = QStringLiteral("</td></tr></table>");
    struct Case {
        const char* what;
        QString body;
        bool textOnly;
    };
    const Case cases[] = {
        {"3000 nested tables", nested(3000, table, QStringLiteral("x"), tableEnd), true},
        {"300 nested tables", nested(300, table, QStringLiteral("x"), tableEnd), true},
        {"3000 nested tables never closed", table.repeated(3000), true},
        {"4 nested tables", nested(4, table, QStringLiteral("x"), tableEnd), true},
        {"3 nested tables", nested(3, table, QStringLiteral("x"), tableEnd), false},
        {"a 900 KB word", QString(900 * 1024, u'W'), false},
        {"a megabyte of text", QStringLiteral("Ala ma kota. ").repeated(80000), false},
        {"100000 nested bold",
         nested(100000, QStringLiteral("<b>"), QStringLiteral("x"), QStringLiteral("</b>")), true},
        {"100000 nested unknown elements",
         nested(100000, QStringLiteral("<x>"), QStringLiteral("x"), QStringLiteral("</x>")), false},
        {"100000 paragraphs", QStringLiteral("<p>a").repeated(100000), true},
        {"10000 cells", QStringLiteral("<table><tr>") + QStringLiteral("<td>a").repeated(10000),
         true},
        {"100000 pictures", QStringLiteral("<img src=\"a.png\">").repeated(100000), true},
        {"cell padding of 2 000 000 000",
         QStringLiteral("<table cellpadding=2000000000><tr><td>a</td></tr></table>"), false},
        {"a megabyte of entities", QStringLiteral("&#x10FFFF;&#55296;&#0;&amp;").repeated(50000),
         false},
        {"a megabyte of '<'", QString(1 << 20, u'<'), false},
        {"unclosed comment", QStringLiteral("<!--") + QString(1 << 20, u'-'), false},
        {"unclosed attribute", QStringLiteral("<p title=\"") + QString(1 << 20, u'a'), false},
    };
    const Limits limits;
    for (const Case& c : cases) {
        const Page p = sanitize(page(c.body), base);
        EXPECT_EQ(p.textOnly, c.textOnly) << c.what;
        const Shape s = measure(p.html);
        EXPECT_LE(s.depth, limits.maxDepth + 2) << c.what; // with html and body
        EXPECT_LE(s.tableDepth, limits.maxTableDepth) << c.what;
        EXPECT_LE(s.elements, limits.maxElements + 4) << c.what;
        EXPECT_LE(s.cells, limits.maxCells) << c.what;
        EXPECT_LE(s.text, limits.maxText + 2 * limits.maxText / limits.maxWord + 3) << c.what;
        EXPECT_LE(s.longestWord, limits.maxWord) << c.what;
        EXPECT_LE(s.largestNumber, limits.maxLength) << c.what;
        EXPECT_LE(p.pictures.size(), limits.maxPictures) << c.what;
        EXPECT_TRUE(p.html.contains(QStringLiteral("<title>11</title>"))) << c.what;
    }
}

TEST(PageSanitizer, TheTextAloneKeepsTheWordsAndLinesOfAPage) {
    const QString html = QStringLiteral(
        "<html><head><title>T &amp; t</title><style>p{}</style></head><body><h1>Nowa</h1><p>"
        "wersja <b>11</b></p><table><tr><td>a</td><td>b</td></tr></table><script>x()</script>"
        "&lt;koniec&gt;</body></html>");
    EXPECT_EQ(textAlone(html), QStringLiteral("<html><head><title>T &amp; t</title></head><body>"
                                              "Nowa<br>wersja 11<br>ab<br>&lt;koniec&gt;<br>"
                                              "</body></html>"));
}

TEST(PageSanitizer, TheShapeOfADocumentIsMeasuredAsTheLayoutSeesIt) {
    const Shape s = measure(QStringLiteral(
        "<html><body><style>td { padding: 300px; color: #123456 }</style><table><tr><td>a<td>"
        "<table width=\"1200\"><tr><td>bb ccc<p>x<p>y</table></table><br><img src=x.png>"
        "</body></html>"));
    EXPECT_EQ(s.depth, 9); // html body table tr td table tr td p
    EXPECT_EQ(s.tableDepth, 2);
    EXPECT_EQ(s.cells, 3);
    EXPECT_EQ(s.longestWord, 3);
    EXPECT_EQ(s.largestNumber, 1200);
    EXPECT_TRUE(withinLimits(s));
    Limits tight;
    tight.maxLength = 1000;
    EXPECT_FALSE(withinLimits(s, tight));
}

} // namespace
