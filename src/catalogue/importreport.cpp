// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/importreport.h"

namespace wirtal::catalogue {

QStringList importReport(const ImportResult& result, const QString& fileName, const QDateTime& when,
                         bool withoutMedia, const QMap<QString, QList<qint64>>& missing) {
    QStringList report{
        QStringLiteral("Import katalogu pytań: %1").arg(fileName),
        QStringLiteral("Zaimportowano: %1").arg(when.toString(Qt::ISODate)),
        QStringLiteral("Wiersze pytań w arkuszu: %1").arg(result.rows),
        QStringLiteral("Liczba punktów: %1")
            .arg(result.hasPoints ? QStringLiteral("z kolumny katalogu")
                                  : QStringLiteral("brak kolumny, przydziela je losowanie testu")),
        QString(),
        QStringLiteral("Pytania w kategoriach (podstawowe / specjalistyczne):")};
    for (const CategoryCount& c : result.counts)
        report << QStringLiteral("  %1: %2 / %3").arg(c.code).arg(c.basic).arg(c.specialist);
    report << QString() << QStringLiteral("Pominięte wiersze: %1").arg(result.leftOut());
    const QMap<Reason, int> byReason = result.leftOutByReason();
    for (auto it = byReason.cbegin(); it != byReason.cend(); ++it)
        report << QStringLiteral("  %1: %2").arg(reasonTitle(it.key())).arg(it.value());
    for (const RowNote& n : result.notes)
        if (leavesOut(n.reason))
            report << QStringLiteral("  wiersz %1, pytanie %2: %3")
                          .arg(n.row)
                          .arg(n.number.isEmpty() ? QStringLiteral("-") : n.number, n.detail);
    report << QString() << QStringLiteral("Poprawione wiersze: %1").arg(result.corrected());
    for (const RowNote& n : result.notes)
        if (!leavesOut(n.reason))
            report
                << QStringLiteral("  wiersz %1, pytanie %2: %3").arg(n.row).arg(n.number, n.detail);
    report << QString()
           << (withoutMedia
                   ? QStringLiteral("Multimedia: nie dołączone (--without-media)")
                   : QStringLiteral("Multimedia: %1 połączonych, %2 skopiowanych, %3 brakujących")
                         .arg(result.linked)
                         .arg(result.copied)
                         .arg(missing.size()));
    for (auto it = missing.cbegin(); it != missing.cend(); ++it) {
        QStringList numbers;
        for (qint64 n : it.value())
            numbers << QString::number(n);
        report << QStringLiteral("  brak %1 (pytania %2)").arg(it.key(), numbers.join(u", "));
    }
    return report;
}

} // namespace wirtal::catalogue
