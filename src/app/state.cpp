#include "app/state.h"

#include "app/inifile.h"

namespace wirtal {

QString categoryFileName(const QString& prefix, const QString& kategoria, const QString& suffix) {
    static const QString letters = QStringLiteral("ABCDT");
    if (kategoria.size() != 1 || !letters.contains(kategoria))
        return {};
    return prefix + kategoria.toLower() + suffix;
}

QString statsFileFor(const QString& kategoria) {
    return categoryFileName(QStringLiteral("stats"), kategoria, QStringLiteral(".ini"));
}

QString ProgramState::statsFile() const {
    return statsFileFor(kategoria);
}

int storedLastQuestion(const QString& kategoria) {
    const QString file = statsFileFor(kategoria);
    if (file.isEmpty())
        return 1;
    bool ok = false;
    const int n =
        readini(file, QStringLiteral("last"), QStringLiteral("pytanie"), QStringLiteral("1"))
            .toInt(&ok);
    return ok ? n : 1;
}

} // namespace wirtal
