// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/rulestext.h"

#include "base/examrules.h"

namespace wirtal {

QStringList rulesLines() {
    return {
        QStringLiteral("Zasady nowego egzaminu:"),
        QString(),
        QStringLiteral(
            "- Pytania są podzielone na PODSTAWOWE - wspólne dla wszystkich kategorii oraz "),
        QStringLiteral("SPECJALISTYCZNE dla danej kategorii."),
        QStringLiteral("- Na pytania PODSTAWOWE odpowiadamy \"TAK\" albo \"NIE\""),
        QStringLiteral("- W pytaniach specjalistycznych wybieramy jedną z odpowiedzi A, B lub C."),
        QStringLiteral("- W każdym pytaniu tylko jedna odpowiedź jest prawidłowa."),
        QStringLiteral("- Podczas testu losowane jest 20 pytań PODSTAWOWYCH oraz 12 pytań "),
        QStringLiteral("specjalistycznych."),
        QStringLiteral(
            "- W pytaniach PODSTAWOWYCH masz %1 sekund na przeczytanie pytania, po czym ")
            .arg(readingPeriodMs / 1000),
        QStringLiteral("pojawi się filmik, zdjęcie lub obrazek do pytania. Od tego momentu masz %1 "
                       "sekund na ")
            .arg(basicAnswerSeconds),
        QStringLiteral("odpowiedź."),
        QStringLiteral("- W pytaniach SPECJALISTYCZNYCH masz %1 sekund na przeczytanie pytania i ")
            .arg(specialistAnswerSeconds),
        QStringLiteral("udzielenie odpowiedzi."),
        QStringLiteral("- Nie można wracać do wcześniejszych pytań."),
        QStringLiteral(
            "- Do pytań przypisana jest waga punktowa zależna od znaczenia pytania dla "),
        QStringLiteral("bezpieczeństwa ruchu drogowego. Pytania mają 1, 2 lub 3 punkty."),
        QStringLiteral("- W teście można uzyskać maksymalnie %1 punkty. Wynik pozytywny uzyskuje "
                       "się po ")
            .arg(maxPoints),
        QStringLiteral("zdobyciu minimum %1 punktów.").arg(passMark),
    };
}

} // namespace wirtal
