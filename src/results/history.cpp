#include "results/history.h"

#include "base/statsfile.h"

namespace wirtal::history {

void push(const QString& statsFile, QChar digit) {
    StatsFile(statsFile).pushResult(digit);
}

qint64 testsTaken(const QString& statsFile) {
    return StatsFile(statsFile).testsTaken();
}

QString stars(const QString& statsFile) {
    return StatsFile(statsFile).resultStars();
}

} // namespace wirtal::history
