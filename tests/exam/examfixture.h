// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/mainwindow.h"
#include "base/inifile.h"
#include "exam/exampage.h"
#include "exam/examui.h"
#include "support/appfixture.h"
#include "widgets/countdowngauge.h"
#include "widgets/styledbutton.h"

#include <functional>

namespace wirtal::test {

// The exam page of the real main window, category "B", on the manual clock.
class ExamFixture : public AppFixture {
protected:
    // Points of each slot's questions in the known bank: 46 basic + 28 specialist = 74.
    static int slotPoints(int k);
    // Gives every question of a slot's range the slot's points, so a test's score is known.
    void knownPoints();
    // Writes the bank, chooses "B" and opens the exam page.
    void openExam();
    // "Nowy Test" with no test running.
    void draw();

    ExamPage& exam() { return *window().examPage(); }
    const ExamUi& ui() { return exam().controls(); }
    const TestSheet& sheet() { return exam().sheet(); }
    ProgramState& st() { return window().state(); }
    const ExamSession& session() { return window().context().exam; }
    Timer* timer(const char* name) { return clock.find(QString::fromLatin1(name)); }

    // The button that gives an answer code, "T" -> "Taktest".
    static QString buttonFor(const QString& code);
    // The right answer code of slot k, and a wrong one.
    QString rightButton(int k) { return buttonFor(sheet().rightAnswer[k]); }
    QString wrongButton(int k);

    // Waits for the answering period of the current slot; false when the test ended first.
    bool waitForAnswering(std::int64_t maxMs = 120000);
    // Sits the running test to its end: answer(k) names the button to click in slot k (empty:
    // no answer); with dalej "  Dalej" follows each answer, else the time runs out.
    void sitTest(const std::function<QString(int)>& answer, bool dalej);

    QString stat(const char* section, const char* key) {
        return readIni(QStringLiteral("statsb.ini"), QString::fromLatin1(section),
                       QString::fromLatin1(key), QStringLiteral("-"));
    }
};

} // namespace wirtal::test
