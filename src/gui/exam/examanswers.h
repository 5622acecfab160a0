// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace wirtal {

struct ExamShared;

// Answering during a test: the five answer buttons record the answer of the current slot (the
// last one given counts) and "  Dalej" ends the answering period early.
class ExamAnswers {
public:
    explicit ExamAnswers(ExamShared& shared);

    // TaktestClick .. CtestClick: index into the answer table ("T", "N", "A", "B", "C").
    void answerClick(int index);
    void moveOn();

private:
    ExamShared& s_;
};

} // namespace wirtal
