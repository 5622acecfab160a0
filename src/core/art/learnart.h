// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>

namespace wirtal::learnart {

// Artwork of the learning page, drawn by code.
QPixmap previousArrow(); // for "Poprzednie pytanie"
QPixmap nextArrow();     // for "Następne pytanie"
QPixmap rewindGlyph();   // back to the film's start
QPixmap replayGlyph();   // play the film again
QPixmap tick();          // green tick, 128 x 128, of the answer overlay
QPixmap cross();         // red cross, 64 x 64, of the answer overlay

} // namespace wirtal::learnart
