#include "exam/testsheet.h"

#include "bank/bank.h"
#include "platform/error.h"

namespace wirtal {

QString percentText(int punktow) {
    // Tenths of a percent, rounded half to even on exact integer arithmetic.
    const long long scaled = static_cast<long long>(punktow) * 1000;
    long long tenths = scaled / maxPoints;
    const long long rest = scaled % maxPoints;
    if (rest * 2 > maxPoints || (rest * 2 == maxPoints && tenths % 2 != 0))
        ++tenths;
    QString text = QString::number(tenths / 10);
    if (tenths % 10 != 0)
        text += u',' + QString::number(tenths % 10);
    return text;
}

QString verdictText(int punktow) {
    const QString head = punktow >= passMark ? QStringLiteral("Wynik POZYTYWNY. Punktów ")
                                             : QStringLiteral("Wynik NEGATYWNY. Punktów ");
    return head + QString::number(punktow) + QStringLiteral(" na 74 (") + percentText(punktow) +
           QStringLiteral(" %)");
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
