// SPDX-License-Identifier: GPL-3.0-or-later

// The revision-list loader on the bytes of a file.
//  - every entry is a decimal number without sign, blanks or leading zeros;
//  - there are never more entries than lines;
//  - the entries written as a file and read back are the same entries.

#include "base/textfile.h"
#include "check.h"
#include "learn/revisionfile.h"

#include <QByteArray>

#include <cstdint>

using namespace wirtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = splitLines(decodeText(bytes));
    const QStringList entries = revisionEntries(lines);
    FUZZ_CHECK(entries.size() <= lines.size());
    for (const QString& e : entries) {
        FUZZ_CHECK(!e.isEmpty() && e.size() <= 9);
        FUZZ_CHECK(e == u"0" || !e.startsWith(u'0'));
        for (QChar c : e)
            FUZZ_CHECK(c >= u'0' && c <= u'9');
    }
    FUZZ_CHECK(revisionEntries(splitLines(decodeText(revisionFileBytes(entries)))) == entries);
    return 0;
}
