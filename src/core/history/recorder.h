// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

namespace wirtal {

struct AppContext;

// Where every page reports what the learner did. It writes the category's statistics file and
// the answer history together, so a page never writes either itself. Questions come in as our
// numbers; the recorder resolves how the files name them. The statistics file is written first:
// when it cannot be written (a stored count that is no number) the Error goes to the page and the
// history is not written either.
class Recorder {
public:
    explicit Recorder(const AppContext& ctx) : ctx_(ctx) {}

    // A learning answer was checked. Every check counts in the statistics file; the history
    // takes only the first check of a showing (a second try after seeing the answer is not an
    // answer), in the mode of the learning session (revision run, practice run or learning),
    // timed from shownAtMs (historyNow when the question was shown).
    void learningAnswerChecked(int number, bool correct, bool firstOfShowing,
                               qint64 shownAtMs) const;
    // A slot of a running test was left with its answer (no answer in time is a wrong one):
    // the history, timed from when its answering period opened. The statistics file counts
    // tests, not slots.
    void examAnswerGiven(int number, bool correct, qint64 openedMs) const;
    // A test ended with this score: the passed or failed counter and the result stars of the
    // statistics file, and the test in the history.
    void testEnded(int score, bool passed) const;

private:
    const AppContext& ctx_;
};

// Now by the wall-clock seam (the system clock when the program has none), in ms since the epoch:
// the time the pages note when a question or an answering period opens.
qint64 historyNow(const AppContext& ctx);

} // namespace wirtal
