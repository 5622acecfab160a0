#include "base/state.h"

#include "base/statsfile.h"

namespace wirtal {

QString statsFileFor(const QString& kategoria) {
    const Category* c = Category::find(kategoria);
    return c ? c->statsFile() : QString();
}

QString ProgramState::statsFile() const {
    return statsFileFor(kategoria);
}

int storedLastQuestion(const QString& kategoria) {
    return StatsFile::of(kategoria).lastQuestion();
}

} // namespace wirtal
