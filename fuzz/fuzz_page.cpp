// The page sanitizer, on any text (taken as UTF-8, as a page usually comes):
//  - what it gives stays within the limits, whatever went in;
//  - every picture it keeps lies on the page's own server, and the page names nothing else;
//  - its text alone and the measure of the input run to the end on anything.

#include "check.h"
#include "dialogs/pagesanitizer.h"

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
    const QString lower = p.html.toLower();
    for (const char* bad : {"<style", "<script", "<link", "<object", "<iframe", "<base", "<meta",
                            "url(", "@import", "href=", "background=", "background-image"})
        FUZZ_CHECK(!lower.contains(QLatin1String(bad)));
    checkBounded(safehtml::textAlone(page, limits), limits);
    (void)safehtml::measure(page);
    return 0;
}
