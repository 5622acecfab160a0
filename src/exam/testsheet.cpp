#include "exam/testsheet.h"

#include "bank/bank.h"
#include "platform/error.h"
#include "results/reportparams.h"

namespace wirtal {

QString verdictText(int punktow) {
    const QString head = punktow >= passMark ? QStringLiteral("Wynik POZYTYWNY. Punktów ")
                                             : QStringLiteral("Wynik NEGATYWNY. Punktów ");
    return head + punktowText(punktow);
}

int pointsValue(const QString& field, const QString& fileName, int line) {
    bool ok = false;
    const int n = field.trimmed().toInt(&ok);
    if (!ok)
        throw Error(
            QStringLiteral("Plik „%1”, wiersz %2: liczba punktów „%3” nie jest liczbą całkowitą.")
                .arg(bankDisplayName(fileName))
                .arg(line)
                .arg(field));
    return n;
}

} // namespace wirtal
