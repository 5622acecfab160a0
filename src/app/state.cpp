#include "app/state.h"

#include "app/inifile.h"

namespace wirtal {

QString statsFileFor(const QString& kategoria) {
    const Category* c = Category::find(kategoria);
    return c ? c->statsFile() : QString();
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
