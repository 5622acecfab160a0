// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/recording.h"

#include "bank/layout.h"
#include "base/context.h"
#include "platform/error.h"
#include "platform/wallclock.h"

#include <algorithm>

namespace wirtal {

qint64 historyNow(const AppContext& ctx) {
    return ctx.services.clock ? ctx.services.clock->now().toMSecsSinceEpoch()
                              : QDateTime::currentMSecsSinceEpoch();
}

void recordAnswer(const AppContext& ctx, int number, bool correct, AnswerMode mode,
                  qint64 startedMs) {
    if (!ctx.history || ctx.state.categoryCode.isEmpty() || number < 1)
        return;
    try {
        const int id = layout::storedIdOf(ctx.state.categoryCode, number);
        const qint64 now = historyNow(ctx);
        const int tookMs = int(std::clamp<qint64>(now - startedMs, 0, 3'600'000));
        if (id > 0)
            ctx.history->record(ctx.state.categoryCode, id, correct, mode, now, tookMs);
    } catch (const Error&) {
        // A question the folder cannot name is not recorded.
    }
}

void recordTestResult(const AppContext& ctx, int score, bool passed) {
    if (ctx.history && !ctx.state.categoryCode.isEmpty())
        ctx.history->recordExam(ctx.state.categoryCode, historyNow(ctx), score, passed);
}

} // namespace wirtal
