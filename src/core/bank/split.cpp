// SPDX-License-Identifier: GPL-3.0-or-later

#include "bank/split.h"

namespace wirtal {

namespace {
inline bool isBlank(QChar c) {
    const char16_t u = c.unicode();
    return u >= 1 && u <= 32;
}
} // namespace

// The splitting rules, step by step.
void Split(const QString& Input, QStringList& Strings) {
    Strings.clear();
    const qsizetype n = Input.size();
    const QChar* s = Input.constData();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && isBlank(s[i]))
            ++i;
    };

    skipBlanks();
    while (i < n) {
        QString field;
        if (s[i] == u'"') {
            // Quoted: up to the next lone quote; "" stands for one quote; unclosed runs to the end.
            ++i;
            while (i < n) {
                if (s[i] == u'"') {
                    if (i + 1 < n && s[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i; // the closing quote
                    break;
                }
                field += s[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && !isBlank(s[i]) && s[i] != u',')
                ++i;
            field = Input.mid(start, i - start);
        }
        Strings.append(field);
        skipBlanks();
        if (i < n && s[i] == u',') {
            if (i == n - 1)
                Strings.append(QString());
            ++i;
            skipBlanks();
        }
    }
}

QStringList splitRecord(const QString& line) {
    QStringList fields;
    Split(line, fields);
    return fields;
}

QString quotedRecord(const QStringList& fields) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            line += u',';
        line += u'"';
        for (const QChar c : fields[i]) {
            if (c == u'"')
                line += u'"';
            line += c;
        }
        line += u'"';
    }
    return line;
}

} // namespace wirtal
