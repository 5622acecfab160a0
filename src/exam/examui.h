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

// A read-only text field of the exam page ("memo"): wrapped text on a fill colour, set smaller
// when long so that it shows whole.
class ExamMemo : public WrappedText {
public:
    explicit ExamMemo(QWidget* parent = nullptr);
    void setColor(int tcolor);
    int color() const { return color_; }

private:
    int color_ = 0;
};

// The controls of the exam page "TabSheet5", named as their objectNames.
struct ExamUi {
    StyledButton* nowytest = nullptr;       // "Nowy Test", badge "Test w toku... "
    StyledButton* koniec = nullptr;         // "Przerwij"
    StyledButton* NextTestButton = nullptr; // "  Dalej"
    StyledButton* Taktest = nullptr;
    StyledButton* Nietest = nullptr;
    StyledButton* Atest = nullptr;
    StyledButton* Btest = nullptr;
    StyledButton* Ctest = nullptr;
    std::array<StyledButton*, 33> numbers{}; // slot k: "AdvSmoothButton" + (41 + k)

    QWidget* paneltaknietest = nullptr;
    ExamMemo* memopytanietaknietest = nullptr;
    QWidget* panelabctest = nullptr;
    ExamMemo* memopytanieabctest = nullptr;
    ExamMemo* memoodpatest = nullptr;
    ExamMemo* memoodpbtest = nullptr;
    ExamMemo* memoodpctest = nullptr;

    MediaDisplay display;            // "Panel2" and "ImageTest2"
    CountdownGauge* gauge = nullptr; // "AdvSmoothGauge1"
    QLabel* pktylabel = nullptr;
    QLabel* labelmin = nullptr;
    QLabel* dwukropeklabel = nullptr;
    QLabel* labelsec = nullptr;
    QLabel* Label2 = nullptr; // result line
    QLabel* Label4 = nullptr; // review hint
    QWidget* raportpanel = nullptr;
    StyledButton* drukuj = nullptr;
    StyledButton* zapisz = nullptr;
    StyledButton* zasady = nullptr; // the exam rules window
    QCheckBox* angielski = nullptr; // "angielskitest": the next test in English
    StarsPanel* stars = nullptr;    // "Panel4"

    // The five answer buttons, "Taktest", "Nietest", "Atest", "Btest", "Ctest".
    std::array<StyledButton*, 5> answerButtons() const {
        return {Taktest, Nietest, Atest, Btest, Ctest};
    }
    std::array<ExamMemo*, 3> answerMemos() const {
        return {memoodpatest, memoodpbtest, memoodpctest};
    }
};

// Builds the controls of the page on it, laid out in its 939 x 650 area.
ExamUi buildExamUi(QWidget* page);

} // namespace wirtal
