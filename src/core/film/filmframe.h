// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

class QVideoFrame;

namespace wirtal::film {

// A frame as an RGB image: the YUV 4:2:0 formats (planar and NV12/NV21) and the 32-bit RGB ones
// converted here; any other format by Qt's own conversion. Qt Gui and Multimedia only: the film
// helper (wirtal-filmy) uses it without widgets.
QImage imageOf(const QVideoFrame& frame);

} // namespace wirtal::film
