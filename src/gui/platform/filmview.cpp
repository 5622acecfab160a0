// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/filmview.h"

#include "film/filmframe.h"

#include <QPainter>
#include <QVBoxLayout>
#include <QVideoFrame>
#include <QVideoSink>

namespace wirtal {

QImage FilmView::imageOf(const QVideoFrame& frame) {
    return film::imageOf(frame);
}

FilmView::FilmView(QWidget* parent) : QWidget(parent), sink_(new QVideoSink(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        QImage img = imageOf(frame);
        if (img.isNull())
            return;
        image_ = std::move(img);
        update();
    });
}

FilmView* FilmView::fillPanel(QWidget* panel) {
    auto* view = new FilmView(panel);
    view->setObjectName(panel->objectName() + QStringLiteral("Video"));
    if (!panel->layout()) {
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    panel->layout()->addWidget(view);
    view->show();
    return view;
}

void FilmView::setImage(QImage image) {
    image_ = std::move(image);
    update();
}

void FilmView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull()) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), image_); // the film fills the whole panel
}

} // namespace wirtal
