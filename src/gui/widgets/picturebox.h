// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QWidget>

namespace wirtal {

// A picture area: the picture scaled to fit, centred, aspect kept; or nothing.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    // Loads a picture file; throws Error naming the file when it cannot be read or decoded.
    void load(const QString& path);
    void setPicture(const QPixmap& picture);
    void clear();
    const QPixmap& picture() const { return picture_; }
    // The file last loaded (empty after clear or setPicture).
    const QString& file() const { return file_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap picture_;
    QPixmap scaled_;
    QString file_;
};

} // namespace wirtal
