#include "results/history.h"

#include "app/inifile.h"

namespace wirtal::history {

namespace {
const QString section = QStringLiteral("stats");
const QString key = QStringLiteral("wyniki");
} // namespace

void push(const QString& statsFile, QChar digit) {
    const QString old = readini(statsFile, section, key, QStringLiteral("000000"));
    writeini(statsFile, section, key, digit + old.left(4));
}

QString stars(const QString& statsFile) {
    return readini(statsFile, section, key, QStringLiteral("0")).left(5);
}

} // namespace wirtal::history
