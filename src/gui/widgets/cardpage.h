// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPainter>
#include <QWidget>

namespace wirtal {

// A page with the program's soft card behind its content (as behind the learning page).
class CardPage : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 255, 255, 160), 1));
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawRoundedRect(QRectF(rect()).adjusted(6, 2, -6, -2), 16, 16);
    }
};

} // namespace wirtal
