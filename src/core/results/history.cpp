// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/history.h"

#include "base/statsfile.h"

#include <algorithm>

namespace wirtal::history {

void push(const QString& statsFile, QChar digit) {
    StatsFile(statsFile).pushResult(digit);
}

qint64 testsTaken(const QString& statsFile) {
    return StatsFile(statsFile).testsTaken();
}

QString stars(const QString& statsFile) {
    // Only as many results as tests were taken: the stored default "00000" of a new file must not
    // show failures of tests that never happened. With a counter that is no number the stored
    // history is shown as it is.
    const StatsFile file(statsFile);
    const qint64 taken = file.testsTaken();
    const qint64 shown = taken < 0 ? 5 : std::min<qint64>(5, taken);
    return file.resultStars().left(shown);
}

} // namespace wirtal::history
