// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading the ministry's catalogue page: which links on it are the question catalogue (a
// spreadsheet) and its media archives, which edition they are, and how large the page says they
// are. The page is hostile input: it is read as text in one pass, bounded, and only links to the
// page's own host or to the hosts the user listed are taken.

#include "dialogs/catalogtext.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace wirtal::catalogfetch {

// The official page, unless wirtal.ini in the user data folder names another
// ([katalog] strona=https://...). [katalog] hosty lists further hosts (blank or comma
// separated) the page's links and the downloads' redirects may lead to.
inline constexpr char defaultPage[] = "https://www.gov.pl/web/infrastruktura/prawo-jazdy";

struct Source {
    QUrl page;
    QStringList hosts; // the page's own host first
};
Source configuredSource();

enum class FileKind { Spreadsheet, Media, SignLanguage };

// A link of the page as a browser shows it: the address resolved against the page, the text
// (with the link's title) with entities decoded and blanks made one.
struct PageLink {
    QUrl url;
    QString text;
    QString fileName; // the download attribute's or the address's last part
};

// At most maxLinks links are read, each text cut at maxLinkText characters; at most maxPageBytes
// of the page are looked at.
inline constexpr int maxLinks = 4000;
inline constexpr int maxLinkText = 400;
inline constexpr qsizetype maxPageBytes = 4 * 1024 * 1024;
QList<PageLink> pageLinks(const QByteArray& html, const QUrl& page);

// What kind of file a link offers, by the one table of rules in catalogpage.cpp (the first that
// fits wins); nothing for any other link.
std::optional<FileKind> classify(const PageLink& link);

struct OfferedFile {
    FileKind kind = FileKind::Spreadsheet;
    QUrl url;
    QString text;      // the link's text
    qint64 size = -1;  // as the page says, -1 when it does not
    QString localName; // its name in the download folder: ours, never the server's
};

// The newest edition the page offers: its spreadsheet first, then its media archives.
struct Offer {
    QDate edition;       // invalid when the page names none
    QString editionText; // as the window shows it
    QList<OfferedFile> files;
    qint64 knownSize() const; // the sizes the page gives, added up
};

struct PageResult {
    std::optional<Offer> offer;
    QString problem; // why there is none, in Polish
};

PageResult readCataloguePage(const QByteArray& html, const QUrl& page, const QStringList& hosts);

} // namespace wirtal::catalogfetch
