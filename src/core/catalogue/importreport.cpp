// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/importreport.h"

namespace wirtal::catalogue {

QString filmDecoderText(const CodecSupport& c) {
    if (c.decoder)
        return QStringLiteral("dekoder jest");
    return c.package.isEmpty()
               ? QStringLiteral("brak dekodera na tym komputerze")
               : QStringLiteral("brak dekodera na tym komputerze: zainstaluj pakiet %1")
                     .arg(c.package);
}

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
    for (const OtherSheet& sheet : result.otherSheets) {
        report << QString();
        if (sheet.questions < 0) {
            report
                << QStringLiteral("Arkusz „%1”: bez nagłówka katalogu, pominięty").arg(sheet.name);
            continue;
        }
        QStringList numbers;
        for (qint64 n : sheet.numbers)
            numbers << QString::number(n);
        report << QStringLiteral("Arkusz „%1”: %2 pytań, nie zaimportowane (nie są losowane w "
                                 "testach ani podawane do nauki)")
                      .arg(sheet.name)
                      .arg(sheet.questions);
        if (!numbers.isEmpty())
            report << QStringLiteral("  numery: %1").arg(numbers.join(u", "));
    }
    report << QString()
           << QStringLiteral("Kolumny arkusza nieużywane przez program: %1")
                  .arg(result.unusedColumns.isEmpty()
                           ? QStringLiteral("brak")
                           : QStringLiteral("%1 (zachowane w katalog-kolumny.txt)")
                                 .arg(result.unusedColumns.join(QStringLiteral(", "))));
    report << QString()
           << (withoutMedia ? QStringLiteral("Multimedia: nie dołączone (--without-media)")
                            : QStringLiteral("Multimedia: %1 połączonych, %2 skopiowanych, %3 "
                                             "rozpakowanych z archiwum, %4 brakujących")
                                  .arg(result.linked)
                                  .arg(result.copied)
                                  .arg(result.unpacked)
                                  .arg(missing.size()));
    for (auto it = missing.cbegin(); it != missing.cend(); ++it) {
        QStringList numbers;
        for (qint64 n : it.value())
            numbers << QString::number(n);
        report << QStringLiteral("  brak %1 (pytania %2)").arg(it.key(), numbers.join(u", "));
    }
    if (!result.looseMatches.isEmpty()) {
        report << QString()
               << QStringLiteral("Pliki znalezione pod nazwą w innej postaci: %1")
                      .arg(result.looseMatches.size());
        for (const auto& [name, file] : result.looseMatches)
            report << QStringLiteral("  „%1” → „%2”").arg(name, file);
    }
    if (!withoutMedia && (result.signFilms > 0 || !result.missingSignFilms.isEmpty())) {
        report << QString()
               << QStringLiteral("Filmy w polskim języku migowym (PJM): %1 dołączonych, %2 "
                                 "brakujących (pytania zostają)")
                      .arg(result.signFilms)
                      .arg(result.missingSignFilms.size());
        // The package may not have been given at all: a few names say enough.
        for (const QString& film : result.missingSignFilms.mid(0, 100))
            report << QStringLiteral("  brak %1").arg(film);
        if (result.missingSignFilms.size() > 100)
            report << QStringLiteral("  … i %1 innych").arg(result.missingSignFilms.size() - 100);
    }
    if (!result.filmCodecs.isEmpty() || result.filmsUnknown > 0) {
        report << QString() << QStringLiteral("Kodeki filmów (z nagłówków ASF i MP4):");
        for (const FilmCodec& c : result.filmCodecs)
            report << QStringLiteral("  %1 (%2): %3 filmów, %4")
                          .arg(c.support.codec, c.support.description)
                          .arg(c.films)
                          .arg(filmDecoderText(c.support));
        if (result.filmsUnknown > 0)
            report << QStringLiteral("  nieznany format: %1 filmów").arg(result.filmsUnknown);
    }
    if (!result.refusedMembers.isEmpty()) {
        report << QString()
               << QStringLiteral("Pominięte pliki archiwów: %1").arg(result.refusedMembers.size());
        for (const RefusedMember& m : result.refusedMembers)
            report << QStringLiteral("  %1: %2 (%3)").arg(m.archive, m.name, m.why);
    }
    return report;
}

} // namespace wirtal::catalogue
