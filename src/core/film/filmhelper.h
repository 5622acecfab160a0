// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

namespace wirtal {

// The film helper wirtal-filmy (platform/filmprocess.h has the protocol): says its hello with
// programVersion, reads commands, plays, hands frames over and says its states; returns when its
// standard input closes. Needs a QGuiApplication. Links Qt Core, Gui and Multimedia only.
int runFilmHelper(const QByteArray& programVersion);

} // namespace wirtal
