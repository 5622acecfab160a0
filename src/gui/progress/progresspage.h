// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/state.h"
#include "progress/progressmodel.h"
#include "widgets/cardpage.h"

#include <functional>
#include <vector>

class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QLabel;
class QListWidget;
class QTableWidget;

namespace wirtal {

struct AppContext;
class StyledButton;

// The progress page "postepy": the chance of passing with what it rests on, the questions of
// each topic never seen, seen, weak and mastered, the test results over time, the questions
// answered wrong most often, and the practice runs that start from here.
class ProgressPage : public CardPage {
    Q_OBJECT
public:
    // A practice run to start on the learning page: its kind, its questions (our numbers) and
    // its title.
    using StartRun = std::function<void(PracticeRun, std::vector<int>, QString)>;

    ProgressPage(AppContext& ctx, StartRun startRun, std::function<void(int)> openQuestion,
                 QWidget* parent = nullptr);

    // Reads the history and the bank anew for the current category and shows it.
    void refresh();

    const ProgressSummary& summary() const { return summary_; }
    QLabel* chanceLabel() const { return chance_; }
    QTableWidget* topicTable() const { return topics_; }
    QListWidget* wrongList() const { return wrong_; }
    QChartView* resultsChart() const { return chart_; }
    // The results chart shows at most this many tests, the last ones.
    static constexpr int chartTests = 50;

    // The buttons: "Powtórka inteligentna", "Nowe pytania", "Ćwicz zaznaczony temat".
    void startSmartReview();
    void startNewQuestions();
    void startTopic(int row);

private:
    void fillTopics();
    void fillChart();
    void fillWrong();

    AppContext& ctx_;
    StartRun startRun_;
    std::function<void(int)> openQuestion_;
    ProgressSummary summary_;
    QLabel* title_ = nullptr;
    QLabel* chance_ = nullptr;
    QLabel* basis_ = nullptr;
    QTableWidget* topics_ = nullptr;
    QChartView* chart_ = nullptr;
    QLineSeries* mark_ = nullptr; // the pass mark
    QLineSeries* scores_ = nullptr;
    QScatterSeries* points_ = nullptr;
    QValueAxis* testAxis_ = nullptr;
    QListWidget* wrong_ = nullptr;
    StyledButton* smart_ = nullptr;
    StyledButton* fresh_ = nullptr;
    StyledButton* topic_ = nullptr;
};

} // namespace wirtal
