#pragma once

// Readable gtest output for Qt strings (found by argument-dependent lookup).

#include <QByteArray>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << "bytes(" << b.toHex(' ').toStdString() << ")";
}
