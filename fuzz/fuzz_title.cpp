// The title of the version page and what the update check makes of it.
//  - htmlTitle never has blanks at its ends nor two blanks in a row;
//  - only a title of exactly two ASCII digits names a version, and only "10" is current.

#include "check.h"
#include "dialogs/versioncheck.h"

#include <QByteArray>

#include <cstdint>

using namespace wirtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray page(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString title = version::htmlTitle(page);
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
        FUZZ_CHECK((state == version::State::Current) == (*v == version::wersja));
    return 0;
}
