// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/state.h"

#include "base/bankdata.h"
#include "base/statsfile.h"

namespace wirtal {

QString statsFileFor(const QString& categoryCode) {
    const Category* c = Category::find(categoryCode);
    return c ? BankIdentity::ofProgramFolder().dataFile(c->statsFile()) : QString();
}

QString ProgramState::statsFile() const {
    return statsFileFor(categoryCode);
}

int storedLastQuestion(const QString& categoryCode) {
    return StatsFile::of(categoryCode).lastQuestion();
}

} // namespace wirtal
