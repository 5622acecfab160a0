// SPDX-License-Identifier: GPL-3.0-or-later

// The INI reader and writer on text, as the statistics files use them. The input gives the text
// of a file, a section, a key, a value and a second key to look at (each as Windows-1250 bytes,
// or as raw UTF-16 when the first byte says so).
//  - a read gives the default or at most 2047 characters;
//  - a write the writer accepts reads back as the value by the read rules (trimmed, one pair of
//    enclosing quotes removed, at most 2047 characters), and leaves every other key as it was;
//  - the same write once more changes nothing.

#include "base/inifile.h"
#include "base/textfile.h"
#include "check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

using namespace wirtal;

namespace {

const QString dflt = QStringLiteral("\x01<default>\x01");

QString take(FuzzedDataProvider& in, bool wide, std::size_t max) {
    const std::string s = in.ConsumeRandomLengthString(max);
    return wide ? fuzz::utf16(s.data(), s.size())
                : decodeCp1250(QByteArray(s.data(), qsizetype(s.size())));
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The value as a read gives it back, by the rules of the format.
QString asRead(const QString& value) {
    QString v = value.trimmed();
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == u'"' || v.front() == u'\''))
        v = v.mid(1, v.size() - 2);
    return v.left(2047);
}

void checkRead(const QString& text, const QString& section, const QString& key) {
    const QString v = ini::readText(text, section, key, dflt);
    FUZZ_CHECK(v == dflt || v.size() <= 2047);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool wide = in.ConsumeBool();
    const QString section = take(in, wide, 40);
    const QString key = take(in, wide, 40);
    const QString value = take(in, wide, 3000);
    const QString otherSection = take(in, wide, 40);
    const QString otherKey = take(in, wide, 40);
    const QString text = take(in, wide, size);

    checkRead(text, section, key);
    checkRead(text, otherSection, otherKey);

    if (!ini::writable(section, key, value))
        return 0;
    const QString after = ini::writeText(text, section, key, value);
    FUZZ_CHECK(ini::readText(after, section, key, dflt) == asRead(value));
    if (!(sameName(section, otherSection) && sameName(key, otherKey)))
        FUZZ_CHECK(ini::readText(after, otherSection, otherKey, dflt) ==
                   ini::readText(text, otherSection, otherKey, dflt));
    FUZZ_CHECK(ini::writeText(after, section, key, value) == after);
    return 0;
}
