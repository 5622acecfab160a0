// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/inifile.h"
#include "dialogs/versioncheck.h"
#include "support/tempdirs.h"

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::test;

namespace {

TEST(VersionCheck, TitleIsTheTitleElementTextAsABrowserGivesIt) {
    struct Case {
        const char* html;
        const char* title;
    };
    const Case cases[] = {
        {"<html><head><title>10</title></head><body>x</body></html>", "10"},
        {"<HTML><HEAD><TITLE>11</TITLE></HEAD></HTML>", "11"},
        {"<title lang=\"pl\">\n  09 \t</title>", "09"},
        {"<title>&#49;&#x30;</title>", "10"},
        {"<title>Wirtal   2013\r\n nowa</title>", "Wirtal 2013 nowa"},
        {"<!-- <title>99</title> --><title>12</title>", "12"},
        {"<html><body>no title</body></html>", ""},
        {"<title>10", ""},
        {"", ""},
        {"<titles>10</titles>", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(version::htmlTitle(QByteArray(c.html)), QString::fromUtf8(c.title)) << c.html;
}

TEST(VersionCheck, OnlyTwoDigitsNameAVersionAndOnlyTenIsCurrent) {
    using version::State;
    struct Case {
        const char* title;
        State state;
    };
    const Case cases[] = {
        {"10", State::Current},      {"11", State::NotCurrent},     {"09", State::NotCurrent},
        {"99", State::NotCurrent},   {"2013", State::NoConnection}, {"1.1", State::NoConnection},
        {"1", State::NoConnection},  {"", State::NoConnection},     {"1a", State::NoConnection},
        {"+1", State::NoConnection}, {"٣٣", State::NoConnection},
    };
    for (const Case& c : cases)
        EXPECT_EQ(version::evaluate(QString::fromUtf8(c.title)), c.state) << c.title;
}

TEST(VersionCheck, TheServerComesFromWirtalIniWhenItNamesAUsableOne) {
    TempFolders folders;
    EXPECT_EQ(version::pageUrl(),
              QUrl(QStringLiteral("http://www.norel.pl/updates/twersja10.html")));
    struct Case {
        const char* value;
        const char* url;
    };
    const Case cases[] = {
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080/updates/twersja10.html"},
        {"http://127.0.0.1:8080/", "http://127.0.0.1:8080/updates/twersja10.html"},
        {"  http://aktualizacje.example:81  ",
         "http://aktualizacje.example:81/updates/twersja10.html"},
        {"file:///etc/passwd", "http://www.norel.pl/updates/twersja10.html"},
        {"127.0.0.1:8080", "http://www.norel.pl/updates/twersja10.html"},
        {"", "http://www.norel.pl/updates/twersja10.html"},
    };
    for (const Case& c : cases) {
        writeIni(QStringLiteral("wirtal.ini"), QStringLiteral("aktualizacje"),
                 QStringLiteral("serwer"), QString::fromUtf8(c.value));
        EXPECT_EQ(version::pageUrl(), QUrl(QString::fromUtf8(c.url))) << c.value;
    }
}

} // namespace
