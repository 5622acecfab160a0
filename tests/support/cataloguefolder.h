// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/appfixture.h"
#include "support/tempdirs.h"

#include <QStringList>

namespace wirtal::test {

// A program folder as the catalogue import writes it, holding one category (`code`, lower case
// in file names): `basic` basic questions "Pytanie n" (answer T for odd n) and `specialist` ones
// (answer A), official number 100 + our number, points cycling 1, 2, 3 so that a test can be
// drawn from 30 + 18 of them. With english, every question carries "Question n" and options
// "Option A n"...; questions listed in withoutEnglish carry none.
inline void writeCatalogueFolder(const TempFolders& folders, const QString& code, int basic,
                                 int specialist, bool english, QList<int> withoutEnglish = {}) {
    auto bom = [](const QStringList& lines) {
        return QByteArray("\xEF\xBB\xBF") +
               (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    };
    auto en = [&](const QString& text, int n) {
        return english && !withoutEnglish.contains(n) ? text : QString();
    };
    QStringList b{quotedLine({"h", "T/N", "media", "pkt", "numer", "ENG"})};
    for (int n = 1; n <= basic; ++n)
        b << quotedLine({QStringLiteral("Pytanie %1").arg(n), n % 2 ? "T" : "N", "",
                         QString::number(n % 3 + 1), QString::number(100 + n),
                         en(QStringLiteral("Question %1").arg(n), n)});
    QStringList s{quotedLine({"h", "A", "B", "C", "odp", "media", "pkt", "numer", "", "", "", ""})};
    for (int i = 1; i <= specialist; ++i) {
        const int n = basic + i;
        s << quotedLine(
            {QStringLiteral("Pytanie %1").arg(n), QStringLiteral("Odpowiedź A %1").arg(n),
             QStringLiteral("Odpowiedź B %1").arg(n), QStringLiteral("Odpowiedź C %1").arg(n), "A",
             "", QString::number(i % 3 + 1), QString::number(100 + n),
             en(QStringLiteral("Question %1").arg(n), n),
             en(QStringLiteral("Option A %1").arg(n), n),
             en(QStringLiteral("Option B %1").arg(n), n),
             en(QStringLiteral("Option C %1").arg(n), n)});
    }
    const QString lower = code.toLower();
    folders.writeProgramFile(QStringLiteral("pytania-%1-podst.txt").arg(lower), bom(b));
    folders.writeProgramFile(QStringLiteral("pytania-%1-spec.txt").arg(lower), bom(s));
    for (const char* picture : {"empty.jpg", "empty2.jpg"})
        folders.writeProgramFile(QStringLiteral("obrazki_prawko/") + QLatin1String(picture),
                                 pictureBytes(QLatin1String(picture)));
    folders.writeProgramFile(
        QStringLiteral("katalog.ini"),
        bom({"[katalog]", "wersja=1", QStringLiteral("kategorie=") + code, "punkty=1",
             QStringLiteral("[%1]").arg(code), QStringLiteral("podstawowe=%1").arg(basic),
             QStringLiteral("specjalistyczne=%1").arg(specialist)}));
}

} // namespace wirtal::test
