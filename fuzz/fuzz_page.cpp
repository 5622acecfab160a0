// SPDX-License-Identifier: GPL-3.0-or-later

// The page sanitizer, on any text (taken as UTF-8, as a page usually comes):
//  - what it gives stays within the limits, whatever went in;
//  - every picture it keeps lies on the page's own server, and the page names nothing else;
//  - its text alone and the measure of the input run to the end on anything.

#include "base/pagesanitizer.h"
#include "check.h"

#include <QByteArray>
#include <QRegularExpression>

#include <cstdint>

using namespace wirtal;

namespace {

void checkBounded(const QString& html, const safehtml::Limits& limits) {
    const safehtml::Shape s = safehtml::measure(html);
    FUZZ_CHECK(s.depth <= limits.maxDepth + 2); // with html and body
    FUZZ_CHECK(s.tableDepth <= limits.maxTableDepth);
    FUZZ_CHECK(s.elements <= limits.maxElements + 4);
    FUZZ_CHECK(s.cells <= limits.maxCells);
    FUZZ_CHECK(s.text <= limits.maxText + limits.maxTitle + 2);
    FUZZ_CHECK(s.longestWord <= std::max(limits.maxWord, limits.maxTitle));
    FUZZ_CHECK(s.largestNumber <= limits.maxLength);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString page = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QUrl base(QStringLiteral("http://127.0.0.1:8080/updates/twersja10.html"));
    const QString server = QStringLiteral("http://127.0.0.1:8080/");
    safehtml::Limits limits;
    const safehtml::Page p = safehtml::sanitize(page, base, limits);
    checkBounded(p.html, limits);
    FUZZ_CHECK(p.pictures.size() <= limits.maxPictures);
    for (const QUrl& u : p.pictures)
        FUZZ_CHECK(u.toString().startsWith(server));
    static const QRegularExpression src(QStringLiteral("<img src=\"([^\"]*)\""));
    for (auto it = src.globalMatch(p.html); it.hasNext();)
        FUZZ_CHECK(it.next().captured(1).startsWith(server));
    // (Text may say anything: its "<" are escaped, so every "<" left starts a tag of the subset.)
    static const QRegularExpression tag(QStringLiteral("<(/?)([a-z0-9]*)([^>]*)>"));
    static const QStringList subset =
        QStringLiteral(
            "html head title body b strong i em u s strike small big sub sup span font code tt p "
            "div "
            "center blockquote pre h1 h2 h3 h4 h5 h6 ul ol li dl dt dd caption table thead tbody "
            "tfoot tr td th br hr img")
            .split(u' ');
    for (auto it = tag.globalMatch(p.html); it.hasNext();) {
        const auto m = it.next();
        FUZZ_CHECK(subset.contains(m.captured(2)));
        // (A picture's alt is text too, and its address, checked above to lie on the page's
        // server, may carry any path there, "file:" included.)
        static const QRegularExpression alt(QStringLiteral(" alt=\"[^\"]*\""));
        static const QRegularExpression srcAttribute(QStringLiteral(" src=\"[^\"]*\""));
        const QString attributes = m.captured(3).remove(srcAttribute).toLower().remove(alt);
        for (const char* bad :
             {"url(", "@import", "href=", "background=", "background-image", "file:", "expression"})
            FUZZ_CHECK(!attributes.contains(QLatin1String(bad)));
    }
    checkBounded(safehtml::textAlone(page, limits), limits);
    (void)safehtml::measure(page);
    return 0;
}
