// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace wirtal {

struct ExamShared;
class ExamFlow;

// "Nowy Test": draws a test for the current category and starts it; during a running test it
// asks first and, on Yes, ends and records that test and draws a new one.
class ExamDraw {
public:
    ExamDraw(ExamShared& shared, ExamFlow& flow);

    void startNewTest();

private:
    void abortAndRedraw();

    ExamShared& s_;
    ExamFlow& flow_;
};

} // namespace wirtal
