// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/rulestext.h"

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
            "- W pytaniach PODSTAWOWYCH masz 20 sekund na przeczytanie pytania, po czym "),
        QStringLiteral("pojawi się filmik, zdjęcie lub obrazek do pytania. Od tego momentu masz 15 "
                       "sekund na "),
        QStringLiteral("odpowiedź."),
        QStringLiteral("- W pytaniach SPECJALISTYCZNYCH masz 50 sekund na przeczytanie pytania i "),
        QStringLiteral("udzielenie odpowiedzi."),
        QStringLiteral("- Nie można wracać do wcześniejszych pytań."),
        QStringLiteral(
            "- Do pytań przypisana jest waga punktowa zależna od znaczenia pytania dla "),
        QStringLiteral("bezpieczeństwa ruchu drogowego. Pytania mają 1, 2 lub 3 punkty."),
        QStringLiteral("- W teście można uzyskać maksymalnie 74 punkty. Wynik pozytywny uzyskuje "
                       "się po "),
        QStringLiteral("zdobyciu minimum 68 punktów."),
    };
}

} // namespace wirtal
