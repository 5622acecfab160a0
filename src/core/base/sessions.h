// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace wirtal {

// A practice run of the learning page that goes through a list of questions other than the
// revision list.
enum class PracticeRun { None, SmartReview, NewQuestions, Topic };

// A test being sat on the exam page: whether it runs, the slot it is at and the language it was
// drawn in. The exam page changes it only through start, goToSlot and end; every other page only
// asks it.
class ExamSession {
public:
    bool running() const { return running_; }
    // The slot 1..32 of a running test; 0 when no test runs.
    int currentSlot() const { return slot_; }
    // The test shows English texts (chosen before its draw; the review after it keeps them).
    bool inEnglish() const { return english_; }

    // A drawn test starts, before its first slot.
    void start(bool inEnglish) {
        running_ = true;
        english_ = inEnglish;
        slot_ = 0;
    }
    // The running test goes on to slot k (1..32).
    void goToSlot(int k) {
        if (running_)
            slot_ = k;
    }
    // The running test ends (finished, stopped or its time up): the one way it stops running.
    void end() {
        running_ = false;
        slot_ = 0;
    }

private:
    bool running_ = false;
    int slot_ = 0;
    bool english_ = false;
};

// Learning on the learning page: the question the learner is on, a revision run or a practice
// run in progress, and whether the shown question may still go on the revision list (once per
// showing).
class LearningSession {
public:
    // The question number shown in learning mode; 0 before a category was chosen.
    int question() const { return question_; }
    void setQuestion(int n) { question_ = n; }
    // The learner asked for question n (typed its number): it is on it, and a wrong answer may
    // put it on the revision list again.
    void moveTo(int n) {
        question_ = n;
        mayAdd_ = true;
    }
    // Forgets the question (no category chosen).
    void reset() { question_ = 0; }

    // A wrong answer may put the shown question on the revision list: true after every new
    // showing, false once it went on the list or off it.
    bool mayAddToRevision() const { return mayAdd_; }
    void questionShown() { mayAdd_ = true; }
    void revisionListDone() { mayAdd_ = false; }

    // A run through the revision list.
    bool revisionRunning() const { return revision_; }
    void startRevision() { revision_ = true; }
    void endRevision() { revision_ = false; }

    // A practice run (at most one, never beside a revision run).
    PracticeRun practice() const { return practice_; }
    void startPractice(PracticeRun kind) { practice_ = kind; }
    void endPractice() { practice_ = PracticeRun::None; }

private:
    int question_ = 0;
    bool mayAdd_ = true;
    bool revision_ = false;
    PracticeRun practice_ = PracticeRun::None;
};

} // namespace wirtal
