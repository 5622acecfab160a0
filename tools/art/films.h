// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace wirtal::art {

constexpr int filmFps = 12;

// The length of a film in seconds (0 for an unknown name).
double filmSeconds(const QString& name);

// Writes the frames of a film as DIR/0001.png, DIR/0002.png, ...; false for an unknown name or
// a frame that could not be written.
bool writeFilmFrames(const QString& name, const QString& dir);

} // namespace wirtal::art
