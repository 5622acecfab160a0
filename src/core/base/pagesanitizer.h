// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// Bounds what HTML from outside (the version page from the network, a report template from the
// user data folder) can make Qt's rich-text engine do. The engine lays out nested tables
// recursively (thousands of them overflow the stack), cost grows fast with nesting, one endless
// word or a cell padding of two billion pixels keeps it busy for many seconds, and it reads local
// files for any picture or style sheet it is not given.
namespace wirtal::safehtml {

struct Limits {
    int maxDepth = 16;       // elements open at once
    int maxTableDepth = 3;   // tables inside tables, the outer one counted
    int maxElements = 2000;  // elements kept in all
    int maxCells = 400;      // table cells in all
    int maxText = 32 * 1024; // characters of text kept; the rest is cut
    int maxWord = 60;        // characters in a row without a place to break the line
    int maxPictures = 8;     // pictures kept
    int maxLength = 2000;    // pixels of any width, height or padding
    int maxTitle = 200;      // characters of the title
    int maxSource = 4 << 20; // characters of input looked at
};

// A page made safe to show: a small subset of HTML (text formatting, lists, tables and pictures),
// no style sheets, scripts, frames, objects, links or backgrounds, every attribute in a sane
// range. Pictures are kept only when they lie on the same scheme, host and port as base; their
// sources are full addresses. A page whose structure exceeds the limits becomes its text alone.
struct Page {
    QString html;
    QList<QUrl> pictures; // the pictures the page shows, each once, in order
    bool textOnly = false;
};

Page sanitize(const QString& page, const QUrl& base, const Limits& limits = {});

// The shape of a document as the layout sees it.
struct Shape {
    int depth = 0;         // deepest nesting of elements
    int tableDepth = 0;    // deepest nesting of tables
    int elements = 0;      // elements in all
    int cells = 0;         // table cells in all
    qsizetype text = 0;    // characters of text
    int longestWord = 0;   // characters in a row without a place to break the line
    int largestNumber = 0; // largest number in an attribute or a style (capped)
};

// Measures a document without changing it (element end tags that HTML allows to leave out are
// taken as implied).
Shape measure(const QString& html);
bool withinLimits(const Shape& shape, const Limits& limits = {});

// The text of a document alone, as HTML: blocks become lines, long words get places to break,
// at most limits.maxText characters.
QString textAlone(const QString& html, const Limits& limits = {});

} // namespace wirtal::safehtml
