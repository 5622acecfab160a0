// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <memory>

namespace wirtal {

class Timer;
class TimerService;

// The splash window "Form2": a borderless banner with the program's title and a traffic light,
// shaped by its colour key (every pixel of colour 5287936 is see-through). Its Timer1 closes it
// 1000 ms after it was created.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int colorKey = 5287936; // $50B000: RGB 0, 176, 80

    explicit SplashWindow(TimerService& timers, QWidget* parent = nullptr);
    ~SplashWindow() override;

    // Shows the window and returns once its timer has closed it (a local event loop runs
    // meanwhile, so the timer and repaints go on).
    void showAndWait();
    Timer* timer() const { return closeTimer_.get(); }
    // The banner as drawn (751 x 472), its surround exactly the colour key.
    static QImage picture();

signals:
    void closed();
    // Once, when the window is painted for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Timer> closeTimer_;
    QImage scaled_;
    bool painted_ = false;
};

} // namespace wirtal
