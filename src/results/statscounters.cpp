#include "results/statscounters.h"

#include "app/inifile.h"
#include "platform/error.h"

#include <QLocale>

#include <cmath>

namespace wirtal::statscounters {

double value(const QString& inifilename, const QString& section, const QString& key) {
    const QString text = readini(inifilename, section, key, QStringLiteral("0"));
    bool ok = false;
    const double v = QLocale().toDouble(text, &ok);
    // A count is never negative; a hand-edited file may say otherwise.
    if (!ok || !std::isfinite(v) || v < 0)
        throw Error(QStringLiteral("Wartość „%1” klucza %2 w pliku %3 nie jest liczbą.")
                        .arg(text, key, inifilename));
    return v;
}

void clear(const QString& inifilename) {
    const QString zero = QStringLiteral("0");
    writeini(inifilename, QStringLiteral("egzamin"), QStringLiteral("zdane"), zero);
    writeini(inifilename, QStringLiteral("egzamin"), QStringLiteral("niezdane"), zero);
    writeini(inifilename, QStringLiteral("nauka"), QStringLiteral("poprawne"), zero);
    writeini(inifilename, QStringLiteral("nauka"), QStringLiteral("niepoprawne"), zero);
}

} // namespace wirtal::statscounters
