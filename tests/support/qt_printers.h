// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Readable gtest output for Qt strings (found by argument-dependent lookup).

#include <QByteArray>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << "bytes(" << b.toHex(' ').toStdString() << ")";
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << "[";
    for (const QString& s : l)
        *os << '"' << s.toStdString() << "\" ";
    *os << "]";
}
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "(" << p.x() << ", " << p.y() << ")";
}
inline void PrintTo(const QSize& s, std::ostream* os) {
    *os << s.width() << "x" << s.height();
}
