// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/mediadisplay.h"
#include "widgets/wrappedtext.h"

#include <QLabel>

#include <array>

class QCheckBox;

namespace wirtal {

class CountdownGauge;
class StarsPanel;
class StyledButton;

// A read-only text field of the exam page: wrapped text on a fill colour, set smaller
// when long so that it shows whole.
class ExamText : public WrappedText {
public:
    explicit ExamText(QWidget* parent = nullptr);
    void setColor(int tcolor);
    int color() const { return color_; }

private:
    int color_ = 0;
};

// The controls of the exam page; the comments give object names where they differ from the
// member (the tests and the accessibility check find the controls by them).
struct ExamUi {
    StyledButton* newTest = nullptr;    // "nowytest": "Nowy Test", badge "Test w toku... "
    StyledButton* stopTest = nullptr;   // "koniec": "Przerwij"
    StyledButton* nextButton = nullptr; // "NextTestButton": "  Dalej"
    StyledButton* yesButton = nullptr;  // "Taktest"
    StyledButton* noButton = nullptr;   // "Nietest"
    StyledButton* aButton = nullptr;    // "Atest", "Btest", "Ctest"
    StyledButton* bButton = nullptr;
    StyledButton* cButton = nullptr;
    std::array<StyledButton*, 33> numbers{}; // slot k: "AdvSmoothButton" + (41 + k)

    QWidget* yesNoPanel = nullptr;     // "paneltaknietest": a basic question
    ExamText* yesNoQuestion = nullptr; // "memopytanietaknietest"
    QWidget* abcPanel = nullptr;       // "panelabctest": a specialist question
    ExamText* abcQuestion = nullptr;   // "memopytanieabctest"
    ExamText* answerTextA = nullptr;   // "memoodpatest" .. "memoodpctest"
    ExamText* answerTextB = nullptr;
    ExamText* answerTextC = nullptr;

    MediaDisplay display;            // "Panel2" and "ImageTest2"
    CountdownGauge* gauge = nullptr; // "AdvSmoothGauge1"
    QLabel* pointsLabel = nullptr;   // "pktylabel": the slot's points
    QLabel* minutesLabel = nullptr;  // "labelmin", "dwukropeklabel", "labelsec": the exam clock
    QLabel* colonLabel = nullptr;
    QLabel* secondsLabel = nullptr;
    QLabel* resultLine = nullptr;        // "Label2": the verdict
    QLabel* reviewHint = nullptr;        // "Label4": how to review the answers
    QWidget* reportPanel = nullptr;      // "raportpanel"
    StyledButton* printButton = nullptr; // "AdvSmoothButton23"
    StyledButton* saveButton = nullptr;  // "AdvSmoothButton76"
    StyledButton* rulesButton = nullptr; // "AdvSmoothButton80": the exam rules window
    QCheckBox* englishBox = nullptr;     // "angielskitest": the next test in English
    StarsPanel* stars = nullptr;         // "Panel4"

    // The five answer buttons, "Taktest", "Nietest", "Atest", "Btest", "Ctest".
    std::array<StyledButton*, 5> answerButtons() const {
        return {yesButton, noButton, aButton, bButton, cButton};
    }
    std::array<ExamText*, 3> answerTexts() const { return {answerTextA, answerTextB, answerTextC}; }
};

// Builds the controls of the page on it, laid out in its 939 x 650 area.
ExamUi buildExamUi(QWidget* page);

} // namespace wirtal
