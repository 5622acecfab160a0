// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/wrappedtext.h"

#include <QWidget>

#include <array>
#include <functional>

namespace wirtal {

class StyledButton;

// A read-only text of the learning page ("Memo2", "Memo3", "memoodpa".."memoodpc") on a
// background colour given as a TColor number; a long text is set smaller so that it shows whole.
class LearnText : public WrappedText {
    Q_OBJECT
public:
    explicit LearnText(const char* name, int pointSize, QWidget* parent = nullptr);
    void setColor(int tcolor);
    int color() const { return color_; }

private:
    int color_ = -1;
};

// The two question panels of the learning page: "paneltaknie" (basic question: "Memo2" with
// "TAK" and "NIE") and "panelabc" (specialist question: "Memo3", the answer texts and "A", "B",
// "C"). The five answer buttons are one table; a click reports the answer code.
class AnswerPanels : public QWidget {
    Q_OBJECT
public:
    // The answer buttons in table order: "TAK", "NIE", "A", "B", "C".
    enum Answer { Yes, No, A, B, C, Count };

    explicit AnswerPanels(QWidget* parent = nullptr);

    void setChooseHandler(std::function<void(Answer)> chosen);
    StyledButton* button(Answer a) const { return buttons_[a]; }
    static QString code(Answer a); // "T", "N", "A", "B", "C"

    // The chosen button light yellow, the others of its panel sky blue.
    void markChosen(Answer a);
    // What every shown question starts from: answer texts white, "Prawidłowa" badges hidden,
    // the five buttons sky blue and enabled.
    void resetAnswers();
    // The five buttons sky blue (and nothing else).
    void normalColours();
    // The "Prawidłowa" badges of "TAK" and "NIE" hidden.
    void hideCorrectBadges();
    // Reveals the correct answer: the badge on "TAK"/"NIE" or the green answer text;
    // a value that is no answer code changes nothing, an empty one clears the marks.
    void reveal(const QString& rightAnswer);
    // The question and answer texts emptied.
    void clearTexts();

    void showBasicPanel();
    void showSpecialistPanel();

    QWidget* yesNoPanel() const { return yesNoPanel_; }
    QWidget* abcPanel() const { return abcPanel_; }
    LearnText* yesNoQuestion() const { return yesNoQuestion_; }
    LearnText* abcQuestion() const { return abcQuestion_; }
    LearnText* answerText(int i) const { return answerTexts_[i]; } // 0..2: memoodpa..memoodpc

private:
    QWidget* yesNoPanel_ = nullptr;
    QWidget* abcPanel_ = nullptr;
    LearnText* yesNoQuestion_ = nullptr;
    LearnText* abcQuestion_ = nullptr;
    std::array<LearnText*, 3> answerTexts_{};
    std::array<StyledButton*, Count> buttons_{};
};

} // namespace wirtal
