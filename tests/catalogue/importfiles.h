// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Small file helpers of the import tests.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <filesystem>

namespace wirtal::test {

// Writes a file, making its folders.
inline void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
// A file's bytes, empty when it cannot be read.
inline QByteArray get(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
// How many names a file has.
inline std::uintmax_t linkCount(const QString& path) {
    return std::filesystem::hard_link_count(QFile::encodeName(path).toStdString());
}

} // namespace wirtal::test
