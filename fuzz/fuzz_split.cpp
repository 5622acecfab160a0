// SPDX-License-Identifier: GPL-3.0-or-later

// Split of a bank line. The first byte chooses how the rest becomes a line: Windows-1250 bytes
// (as the bank files are), or raw UTF-16 (any character at all).
//  - Split empties the list it is given first;
//  - the fields, each quoted with its quotes doubled and joined by commas (as the bank files
//    are written), split back into the same fields.

#include "bank/split.h"
#include "base/textfile.h"
#include "check.h"

#include <QStringList>

#include <cstdint>

using namespace wirtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const char* rest = reinterpret_cast<const char*>(data) + 1;
    const QString line = (data[0] & 1) ? fuzz::utf16(rest, size - 1)
                                       : decodeCp1250(QByteArray(rest, qsizetype(size - 1)));

    QStringList fields{QStringLiteral("left over")};
    Split(line, fields);
    FUZZ_CHECK(fields == splitRecord(line));
    FUZZ_CHECK(fields.size() <= line.size() + 1);

    QStringList quoted;
    for (QString f : fields)
        quoted << u'"' + f.replace(u'"', QStringLiteral("\"\"")) + u'"';
    FUZZ_CHECK(splitRecord(quoted.join(u',')) == fields);
    return 0;
}
