// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractButton>

namespace wirtal {

// A two-state switch: a rounded track with a sliding knob and the caption of the current state
// beside it. A click (or Space) by the user flips it and reports the new state through
// userChanged; setOn from code changes it silently. It is checkable and checked while on; its
// accessible name stays the on caption, the description follows the caption.
class SliderSwitch : public QAbstractButton {
    Q_OBJECT
public:
    SliderSwitch(const QString& onCaption, const QString& offCaption, QWidget* parent = nullptr);

    bool isOn() const { return on_; }
    void setOn(bool on);
    QString caption() const { return on_ ? onCaption_ : offCaption_; }

    QSize sizeHint() const override;

signals:
    void userChanged(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void flipByUser();

    QString onCaption_;
    QString offCaption_;
    bool on_ = true;
};

} // namespace wirtal
