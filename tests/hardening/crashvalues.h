// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The values the crash test's writer stores: write n gives "wyniki" the value n, a dash and a run
// of digits whose length changes from write to write, so that files of consecutive writes differ
// in size and content.

#include <QString>

namespace wirtal::crash {

inline const QString section = QStringLiteral("stats");
inline const QString key = QStringLiteral("wyniki");

inline QString value(long long n) {
    return QString::number(n) + u'-' +
           QString(qsizetype(200 + (n * 389) % 1800), QChar(char16_t(u'0' + n % 10)));
}

// The n of a value (0 before the first write, and for none).
inline long long numberOf(const QString& v) {
    bool ok = false;
    const long long n = v.section(u'-', 0, 0).toLongLong(&ok);
    return ok && n > 0 ? n : 0;
}

} // namespace wirtal::crash
