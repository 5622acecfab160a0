// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/answerlog.h"

namespace wirtal {

struct AppContext;

// The answer history as the pages use it: our question numbers become stored ids, the time
// comes from the wall-clock seam, and without a history nothing happens. Never throws: the
// history must not stop a learner.
void recordAnswer(const AppContext& ctx, int number, bool correct, AnswerMode mode, int tookMs);
void recordTestResult(const AppContext& ctx, int score, bool passed);
// Now by the wall-clock seam (the system clock when the program has none), in ms since the epoch.
qint64 historyNow(const AppContext& ctx);

} // namespace wirtal
