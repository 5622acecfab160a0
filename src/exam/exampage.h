#pragma once

#include <QWidget>

namespace wirtal {

struct AppContext;

// The exam page "TabSheet5": the test draw, the timed flow, the end and the review.
class ExamPage : public QWidget {
    Q_OBJECT
public:
    explicit ExamPage(AppContext& ctx, QWidget* parent = nullptr);

    // Ends the running test exactly as "Przerwij" does.
    void abortTest();
    // Hides the "Test w toku... " badge of "Nowy Test".
    void hideNewTestBadge();
    // Clears the points label "pktylabel".
    void clearPointsLabel();
    // Shows the category's result-history stars.
    void gwiazdki();
    // Resets the page to its state before any test.
    void klin();
    // Stops the reading-period timer.
    void stopReadingTimer();

private:
    AppContext& ctx_;
};

} // namespace wirtal
