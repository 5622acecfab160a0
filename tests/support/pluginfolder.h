// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wirtal::test {

// GStreamer's plugins are looked for in a folder of the test, holding only the plugins named.
class PluginFolder {
public:
    explicit PluginFolder(const QStringList& plugins) {
        for (const QString& p : plugins) {
            QFile f(QDir(dir_.path()).filePath(p));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        }
        old_ = qgetenv("GST_PLUGIN_SYSTEM_PATH_1_0");
        had_ = qEnvironmentVariableIsSet("GST_PLUGIN_SYSTEM_PATH_1_0");
        qputenv("GST_PLUGIN_SYSTEM_PATH_1_0", QFile::encodeName(dir_.path()));
    }
    ~PluginFolder() {
        if (had_)
            qputenv("GST_PLUGIN_SYSTEM_PATH_1_0", old_);
        else
            qunsetenv("GST_PLUGIN_SYSTEM_PATH_1_0");
    }

private:
    QTemporaryDir dir_;
    QByteArray old_;
    bool had_ = false;
};

} // namespace wirtal::test
