// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exam/testsheet.h"

#include <QWidget>

#include <memory>

namespace wirtal {

struct AppContext;
struct ExamShared;
struct ExamUi;
class ExamFlow;
class ExamDraw;
class ExamAnswers;
class ExamEnd;
class ExamReview;
class ExamSpeech;
class StyledButton;

// The exam page "TabSheet5": the test draw, the timed flow, answering, the end with the result
// and the stars, and the review. Each concern is its own part; the page builds and wires them.
class ExamPage : public QWidget {
    Q_OBJECT
public:
    explicit ExamPage(AppContext& ctx, QWidget* parent = nullptr);
    ~ExamPage() override;

    // Ends the running test exactly as "Przerwij" does.
    void abortTest();
    // Hides the "Test w toku... " badge of "Nowy Test".
    void hideNewTestBadge();
    // Clears the points label "pktylabel".
    void clearPointsLabel();
    // Shows the category's result-history stars.
    void showStars();
    // Resets the page to its state before any test.
    void resetExamPage();
    // The test-language choice for the chosen category (shown where it has English texts).
    void refreshLanguageChoice();
    // Stops the reading-period timer.
    void stopReadingTimer();

    // The sheet of the running or last finished test (for the report).
    const TestSheet& sheet() const;
    // The question number of the exam question on display, 0 for none.
    int shownNumber() const;
    const ExamUi& controls() const;
    // "Drukuj" and "Zapisz" of the report panel.
    StyledButton* printButton() const;
    StyledButton* saveButton() const;
    // "zasady egzaminu...": shows the rules window.
    StyledButton* rulesButton() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void bindExamKeys();

    std::unique_ptr<ExamShared> shared_;
    std::unique_ptr<ExamFlow> flow_;
    std::unique_ptr<ExamDraw> draw_;
    std::unique_ptr<ExamAnswers> answers_;
    std::unique_ptr<ExamEnd> end_;
    std::unique_ptr<ExamReview> review_;
    std::unique_ptr<ExamSpeech> speech_;
};

} // namespace wirtal
