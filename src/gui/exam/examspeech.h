// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace wirtal {

struct ExamShared;
struct Record;

// What the exam page says to a screen reader beyond its controls' names: each question as it is
// shown (its slot, points and text), the reading and answering periods starting, the time left
// on the key Z and at a few marks of the clock, the result; in the review each slot button says
// right, wrong or unanswered. The answer buttons are answers for it (radio buttons, checked when
// chosen) and "A", "B", "C" are tied to their texts.
class ExamSpeech {
public:
    // The key that says the time left (named in the clock's and the gauge's tooltips).
    static constexpr char16_t timeKey = u'Z';

    ExamSpeech(ExamShared& shared, QWidget& page);

    // Slot k's question on screen during a test: "Pytanie 3 z 32, 2 punkty. <text>".
    void questionShown(const Record& r);
    void readingStarts();
    void answeringStarts();
    // The exam clock has ticked: at 10, 5 and 1 minute left it says so.
    void clockTicked();
    void sayTimeLeft();
    // The test has ended: the result line; the slot buttons say right, wrong or unanswered.
    void testEnded();
    // A new test: the slot buttons say only their number again.
    void testStarted();
    // The review opens slot k: its specialist answers' texts are marked right and wrong (not by
    // colour alone) as its question is shown.
    void reviewing(int k) { reviewed_ = k; }

    static QString pointsText(int points); // "1 punkt", "2 punkty", "3 punkty"
    static QString minutesText(int minutes);
    static QString secondsText(int seconds);
    // The review's word for slot k: "dobrze", "źle" or "bez odpowiedzi".
    static QString slotOutcome(const QString& given, const QString& right);

private:
    void markReviewedAnswers();

    ExamShared& s_;
    QWidget& page_;
    int reviewed_ = 0;
};

} // namespace wirtal
