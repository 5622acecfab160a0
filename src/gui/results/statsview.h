// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPieSeries;
class QChartView;

namespace wirtal {

struct AppContext;
class StyledButton;
class Timer;

// The statistics view "TabSheet6": two pie charts of the current category's counters (learning
// checks right and wrong, tests passed and failed), the button that clears them, and the slow
// turn of a pie while the pointer is over its chart.
class StatsView : public QWidget {
    Q_OBJECT
public:
    // showPage makes this view the visible page.
    StatsView(AppContext& ctx, std::function<void()> showPage, QWidget* parent = nullptr);
    ~StatsView() override;

    // "Statystyki": builds both charts for the current category and shows the view.
    void showStatistics();
    // "Wyczyść statystyki": clears the four counters after a confirmation.
    void clearStatistics();

    QPieSeries* series(int chart) const { return chart == 1 ? series1_ : series2_; }
    QChartView* chart(int chart) const { return chart == 1 ? chart1_ : chart2_; }
    // The rotation angle of a chart's pie, 0..359.
    int angle(int chart) const { return chart == 1 ? angle1_ : angle2_; }
    Timer* rotationTimer(int chart) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void turn(int chart);
    void placeCharts();

    AppContext& ctx_;
    std::function<void()> showPage_;
    QChartView* chart1_ = nullptr;
    QChartView* chart2_ = nullptr;
    QPieSeries* series1_ = nullptr;
    QPieSeries* series2_ = nullptr;
    QLabel* categoryLabel_ = nullptr;
    StyledButton* clear_ = nullptr;
    std::unique_ptr<Timer> chart1Rotation_;
    std::unique_ptr<Timer> chart2Rotation_;
    int angle1_ = 0;
    int angle2_ = 0;
};

} // namespace wirtal
