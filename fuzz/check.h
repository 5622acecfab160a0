// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A property a fuzz target insists on: a violation prints what failed and aborts, so libFuzzer
// keeps the input as a crash.

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond);       \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace wirtal::fuzz {

// Bytes taken as UTF-16 code units in machine order: any QString, NULs and lone surrogates too.
inline QString utf16(const char* data, std::size_t size) {
    QString s(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(s.data(), data, std::size_t(s.size()) * sizeof(QChar));
    return s;
}

} // namespace wirtal::fuzz
