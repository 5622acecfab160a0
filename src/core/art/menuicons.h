// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>

namespace wirtal::menuicons {

// The picture of a reference-menu button (AdvSmoothButton1..21), drawn by code, size x size.
QPixmap forEntry(int number, int size);

} // namespace wirtal::menuicons
