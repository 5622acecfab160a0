// SPDX-License-Identifier: GPL-3.0-or-later

// The title of the version page and what the update check makes of it.
//  - htmlTitle never has blanks at its ends nor two blanks in a row;
//  - on pages of a few kilobytes it finds the same title as the two patterns it replaced (comments
//    "<!--.*?-->" taken out, then "<title(\s[^>]*)?>(.*?)</title\s*>"), which took minutes on a
//    megabyte of "<title>";
//  - only a title of exactly two ASCII digits names a version, and only "10" is current.

#include "check.h"
#include "dialogs/versioncheck.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cstdint>

using namespace wirtal;

namespace {

// The raw title text as the patterns found it, or nothing.
std::optional<QString> patternTitle(QString plain) {
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    plain.remove(comment);
    static const QRegularExpression title(QStringLiteral("<title(\\s[^>]*)?>(.*?)</title\\s*>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const auto m = title.match(plain);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray page(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString title = version::htmlTitle(page);
    const QString decoded = QStringDecoder(
        QStringConverter::encodingForHtml(page).value_or(QStringConverter::Utf8))(page);
    // (The patterns find nothing in text with a lone surrogate; the scanner reads on.)
    if (QStringView(decoded).isValidUtf16())
        FUZZ_CHECK(version::titleElementText(decoded) == patternTitle(decoded));
    FUZZ_CHECK(!title.startsWith(u' ') && !title.endsWith(u' '));
    FUZZ_CHECK(!title.contains(QStringLiteral("  ")));
    for (QChar c : title)
        FUZZ_CHECK(c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f');

    const auto v = version::fromTitle(title);
    const bool twoDigits = title.size() == 2 && title[0] >= u'0' && title[0] <= u'9' &&
                           title[1] >= u'0' && title[1] <= u'9';
    FUZZ_CHECK(v.has_value() == twoDigits);
    const version::State state = version::evaluate(title);
    if (!v)
        FUZZ_CHECK(state == version::State::NoConnection);
    else
        FUZZ_CHECK((state == version::State::Current) == (*v == version::releaseNumber));
    return 0;
}
