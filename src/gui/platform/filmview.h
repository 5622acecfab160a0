// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

class QVideoFrame;
class QVideoSink;

namespace wirtal {

// Where a film is drawn: the frames the player hands to its video sink, converted to images on
// the CPU and painted with the widget's own painter, scaled to the whole widget. Unlike a video
// widget it needs no OpenGL: no GL driver (on a machine without one, the software renderer and
// its compiler) is loaded for a film, which holds the window less at the first film and leaves
// far less memory behind it.
class FilmView : public QWidget {
    Q_OBJECT
public:
    explicit FilmView(QWidget* parent = nullptr);
    // A view that fills the panel (its only content, in a layout without margins), named after
    // it ("<panel>Video").
    static FilmView* fillPanel(QWidget* panel);
    QVideoSink* videoSink() const { return sink_; }
    // The frame shown last (null before the first).
    const QImage& image() const { return image_; }
    // Shows a frame that came another way (from the film process).
    void setImage(QImage image);

    // A frame as an RGB image: the YUV 4:2:0 formats (planar and NV12/NV21) and the 32-bit RGB
    // ones converted here; any other format by Qt's own conversion.
    static QImage imageOf(const QVideoFrame& frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVideoSink* sink_;
    QImage image_;
};

} // namespace wirtal
