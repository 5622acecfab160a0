// SPDX-License-Identifier: GPL-3.0-or-later

// Text decoding and line splitting of bank and statistics files.
//  - decodeText: never a NUL in the result; without a byte-order mark every byte is one
//    character, up to the first NUL;
//  - Windows-1250 decodes every byte and encodes back to the same byte;
//  - splitLines: no line holds a line end, and the lines joined again give the text with its line
//    ends made LF and one final line end dropped.

#include "base/textfile.h"
#include "check.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

using namespace wirtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const QString text = decodeText(bytes);
    FUZZ_CHECK(!text.contains(QChar(u'\0')));
    const bool bom = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
                     bytes.startsWith("\xFE\xFF");
    if (!bom) {
        const qsizetype nul = bytes.indexOf('\0');
        FUZZ_CHECK(text.size() == (nul < 0 ? bytes.size() : nul));
    }

    bool ok = false;
    FUZZ_CHECK(encodeCp1250(decodeCp1250(bytes), &ok) == bytes);
    FUZZ_CHECK(ok);

    const QStringList lines = splitLines(text);
    for (const QString& line : lines)
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(u'\r', u'\n');
    if (normal.endsWith(u'\n'))
        normal.chop(1);
    FUZZ_CHECK(lines.join(u'\n') == normal);
    return 0;
}
