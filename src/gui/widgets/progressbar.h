// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace wirtal {

// A slim progress bar over the range 0..100. The position may be any value: below 0 it shows an
// empty bar, above 100 a full one.
class ProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    void setPosition(double position);
    double position() const { return position_; }
    // The part of the bar that is filled, 0..1.
    double fraction() const;

    QSize sizeHint() const override { return QSize(200, 14); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double position_ = 0;
};

} // namespace wirtal
