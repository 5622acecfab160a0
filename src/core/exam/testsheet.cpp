// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/testsheet.h"

#include "bank/bank.h"
#include "platform/error.h"
#include "results/reportparams.h"

namespace wirtal {

QString verdictText(int score) {
    const QString head = score >= passMark ? QStringLiteral("Wynik POZYTYWNY. Punktów ")
                                           : QStringLiteral("Wynik NEGATYWNY. Punktów ");
    return head + scoreText(score);
}

int pointsValue(const QString& field, const QString& fileName, int line) {
    // A question weighs 1, 2 or 3 points; anything else is an error of the record, so the sum of
    // 32 slots can never leave 0..96 (a huge value would overflow it).
    bool ok = false;
    const int n = field.trimmed().toInt(&ok);
    if (!ok || n < 1 || n > 3)
        throw Error(
            QStringLiteral("Plik „%1”, wiersz %2: liczba punktów „%3” nie jest liczbą całkowitą "
                           "od 1 do 3.")
                .arg(bankDisplayName(fileName))
                .arg(line)
                .arg(field));
    return n;
}

} // namespace wirtal
