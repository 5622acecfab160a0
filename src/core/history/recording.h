// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/answerlog.h"
#include "history/recorder.h"

namespace wirtal {

struct AppContext;

// The answer history as the recorder (history/recorder.h) writes it: our question numbers become
// stored ids, the time comes from the wall-clock seam, and without a history nothing happens. Never
// throws: the history must not stop a learner. The time taken is from startedMs (historyNow when
// the question or its answering period opened) to now, held within 0..1 hour.
void recordAnswer(const AppContext& ctx, int number, bool correct, AnswerMode mode,
                  qint64 startedMs);
void recordTestResult(const AppContext& ctx, int score, bool passed);

} // namespace wirtal
