// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// `wirtal-bank import [--base DIR] [--without-media] CATALOGUE.xlsx MEDIA [MEDIA...]
// PROGRAM-FOLDER`: the official question catalogue and its media (folders or zip archives as
// downloaded) as a program folder of every category.

#include <QStringList>

namespace wirtal::tool {

// The arguments after "import"; returns the exit code (0 imported, 1 failed, 2 bad arguments).
int runImport(const QStringList& args);
// The usage line of the command, after "wirtal-bank ".
QString importUsage();

} // namespace wirtal::tool
