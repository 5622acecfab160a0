// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace wirtal {

class AnswerPanels;
struct Record;

// What the learning page says to a screen reader beyond its controls' names: the question shown
// (its number and text), and the outcome of a check. The answer buttons are answers for it
// (radio buttons, checked when chosen) and "A", "B", "C" are tied to their texts.
class LearnSpeech {
public:
    LearnSpeech(QWidget& page, AnswerPanels& panels);

    // A question shown: "Pytanie 5, numer urzędowy 1234. <text>".
    void questionShown(int number, int official, const Record& shown);
    // A check: "Dobrze", or "Źle, prawidłowa odpowiedź: NIE" (without the answer while a
    // revision run hides it); a wrong specialist answer's text is marked so, as the right one is.
    void checked(const QString& given, const QString& right, bool answerShown);

    static QString questionText(int number, int official, const QString& text);
    // The caption of an answer code as the buttons show it ("T": "TAK", "B": "B").
    static QString answerCaption(const QString& code);
    static QString checkText(const QString& given, const QString& right, bool answerShown);

private:
    QWidget& page_;
    AnswerPanels& panels_;
};

} // namespace wirtal
