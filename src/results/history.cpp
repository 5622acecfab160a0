#include "results/history.h"

#include "app/inifile.h"
#include "platform/error.h"

#include <algorithm>

namespace wirtal::history {

namespace {
const QString section = QStringLiteral("stats");
const QString key = QStringLiteral("wyniki");
} // namespace

void push(const QString& statsFile, QChar digit) {
    const QString old = readini(statsFile, section, key, QStringLiteral("000000"));
    writeini(statsFile, section, key, digit + old.left(4));
}

qint64 testsTaken(const QString& statsFile) {
    qint64 taken = 0;
    for (const QString& counter : {QStringLiteral("zdane"), QStringLiteral("niezdane")}) {
        const QString v =
            readini(statsFile, QStringLiteral("egzamin"), counter, QStringLiteral("0"));
        try {
            taken += counterValue(v, statsFile, counter);
        } catch (const Error&) {
            return -1; // the test end reports the bad counter
        }
    }
    return taken;
}

QString stars(const QString& statsFile) {
    const qint64 taken = testsTaken(statsFile);
    const qint64 shown = taken < 0 ? 5 : std::min<qint64>(5, taken);
    return readini(statsFile, section, key, QStringLiteral("0")).left(shown);
}

} // namespace wirtal::history
