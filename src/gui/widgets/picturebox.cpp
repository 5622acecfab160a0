// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/picturebox.h"

#include "platform/error.h"
#include "platform/filereader.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QPainter>

namespace wirtal {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::load(const QString& path) {
    // Read through the bounded reader: only a regular file, never blocking on a FIFO.
    QBuffer buffer;
    buffer.setData(readRegularFile(path));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer); // the decoder is chosen by the content
    reader.setAutoTransform(true);
    const QImage img = reader.read();
    if (img.isNull())
        throw Error(QStringLiteral("Nie można wczytać obrazka „%1”: %2.")
                        .arg(QDir::toNativeSeparators(path), reader.errorString()));
    setPicture(QPixmap::fromImage(img));
    file_ = path;
}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    scaled_ = QPixmap();
    file_.clear();
    update();
}

void PictureBox::clear() {
    setPicture(QPixmap());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    scaled_ = QPixmap();
    QWidget::resizeEvent(event);
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    if (scaled_.isNull())
        scaled_ = picture_.size() == size()
                      ? picture_
                      : picture_.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter p(this);
    p.drawPixmap((width() - scaled_.width()) / 2, (height() - scaled_.height()) / 2, scaled_);
}

} // namespace wirtal
