// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

class QLabel;

namespace wirtal {

class Timer;
class TimerService;

// The answer overlay "msgform": a small borderless white window, centred on the screen and drawn
// half-transparent (alpha 120 of 255), with a green tick "imagetak" or a red cross "imagenie". It
// never takes the input focus from the learning page, and hides itself 800 ms after it was shown
// (its own "Timer1"); the next check shows it again.
class MsgForm : public QWidget {
    Q_OBJECT
public:
    explicit MsgForm(TimerService& timers, QWidget* parent = nullptr);
    ~MsgForm() override;

    // Shows the tick (correct) or the cross (wrong), without making the window modal. While the
    // overlay is already up this only changes the picture: it still closes when its timer fires.
    void showAnswer(bool correct);

    QLabel* tickImage() const { return tickImage_; }
    QLabel* crossImage() const { return crossImage_; }

    static constexpr double opacity = 120.0 / 255.0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The overlay has come up: its closing timer starts (enabling it again does not restart it).
    void formActivate();
    void hideOverlay();

    QLabel* tickImage_ = nullptr;
    QLabel* crossImage_ = nullptr;
    std::unique_ptr<Timer> hideTimer_;
    // The window that was active when the overlay came up; it gets the activation back should
    // a window system activate the overlay despite its flags.
    QPointer<QWidget> returnTo_;
};

} // namespace wirtal
