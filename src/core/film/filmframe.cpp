// SPDX-License-Identifier: GPL-3.0-or-later

#include "film/filmframe.h"

#include <QVideoFrame>

#include <algorithm>

namespace wirtal::film {

namespace {

inline uchar clamp255(int v) {
    return uchar(std::clamp(v, 0, 255));
}

// BT.601 limited range, as the films are encoded.
inline QRgb rgbOf(int y, int u, int v) {
    const int c = (y - 16) * 298, d = u - 128, e = v - 128;
    return qRgb(clamp255((c + 409 * e + 128) >> 8), clamp255((c - 100 * d - 208 * e + 128) >> 8),
                clamp255((c + 516 * d + 128) >> 8));
}

// A frame whose chroma is subsampled by two both ways; chroma(x, y) gives (u, v) of the pixel.
template <class Chroma> QImage fromYuv420(const QVideoFrame& f, Chroma chroma) {
    const int w = f.width(), h = f.height();
    QImage img(w, h, QImage::Format_RGB32);
    const uchar* yPlane = f.bits(0);
    const int yStride = f.bytesPerLine(0);
    for (int row = 0; row < h; ++row) {
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(row));
        const uchar* ys = yPlane + row * yStride;
        for (int col = 0; col < w; ++col) {
            const auto [u, v] = chroma(col / 2, row / 2);
            out[col] = rgbOf(ys[col], u, v);
        }
    }
    return img;
}

} // namespace

QImage imageOf(const QVideoFrame& source) {
    QVideoFrame f(source);
    if (!f.isValid() || !f.map(QVideoFrame::ReadOnly))
        return {};
    QImage img;
    switch (f.pixelFormat()) {
    case QVideoFrameFormat::Format_YUV420P:
    case QVideoFrameFormat::Format_YV12: {
        const bool yv12 = f.pixelFormat() == QVideoFrameFormat::Format_YV12;
        const uchar* u = f.bits(yv12 ? 2 : 1);
        const uchar* v = f.bits(yv12 ? 1 : 2);
        const int us = f.bytesPerLine(yv12 ? 2 : 1), vs = f.bytesPerLine(yv12 ? 1 : 2);
        img = fromYuv420(f, [&](int x, int y) {
            return std::pair<int, int>{u[y * us + x], v[y * vs + x]};
        });
        break;
    }
    case QVideoFrameFormat::Format_NV12:
    case QVideoFrameFormat::Format_NV21: {
        const bool nv21 = f.pixelFormat() == QVideoFrameFormat::Format_NV21;
        const uchar* uv = f.bits(1);
        const int s = f.bytesPerLine(1);
        img = fromYuv420(f, [&](int x, int y) {
            const uchar* p = uv + y * s + 2 * x;
            return nv21 ? std::pair<int, int>{p[1], p[0]} : std::pair<int, int>{p[0], p[1]};
        });
        break;
    }
    case QVideoFrameFormat::Format_ARGB8888:
    case QVideoFrameFormat::Format_XRGB8888:
    case QVideoFrameFormat::Format_BGRA8888:
    case QVideoFrameFormat::Format_BGRX8888:
    case QVideoFrameFormat::Format_RGBA8888:
    case QVideoFrameFormat::Format_RGBX8888:
    case QVideoFrameFormat::Format_ABGR8888:
    case QVideoFrameFormat::Format_XBGR8888: {
        const QImage::Format format =
            QVideoFrameFormat::imageFormatFromPixelFormat(f.pixelFormat());
        if (format != QImage::Format_Invalid)
            img = QImage(f.bits(0), f.width(), f.height(), f.bytesPerLine(0), format).copy();
        break;
    }
    default:
        break;
    }
    f.unmap();
    return img.isNull() ? source.toImage() : img;
}

} // namespace wirtal::film
