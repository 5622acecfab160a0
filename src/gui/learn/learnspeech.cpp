// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/learnspeech.h"

#include "bank/bank.h"
#include "learn/answerpanels.h"
#include "widgets/accessiblevalues.h"
#include "widgets/announcer.h"
#include "widgets/answermark.h"
#include "widgets/styledbutton.h"

namespace wirtal {

LearnSpeech::LearnSpeech(QWidget& page, AnswerPanels& panels) : page_(page), panels_(panels) {
    for (int a = 0; a < AnswerPanels::Count; ++a)
        makeAnswerChoice(panels.button(AnswerPanels::Answer(a)));
    for (int i = 0; i < 3; ++i)
        panels.answerText(i)->setBuddy(panels.button(AnswerPanels::Answer(AnswerPanels::A + i)));
}

QString LearnSpeech::questionText(int number, int official, const QString& text) {
    QString head = QStringLiteral("Pytanie %1").arg(number);
    if (official > 0)
        head += QStringLiteral(", numer urzędowy %1").arg(official);
    return head + QStringLiteral(". ") + text.simplified();
}

QString LearnSpeech::answerCaption(const QString& code) {
    if (code == u"T")
        return QStringLiteral("TAK");
    if (code == u"N")
        return QStringLiteral("NIE");
    return code;
}

QString LearnSpeech::checkText(const QString& given, const QString& right, bool answerShown) {
    if (given == right)
        return QStringLiteral("Dobrze");
    QString text = QStringLiteral("Źle");
    if (answerShown && !right.isEmpty())
        text += QStringLiteral(", prawidłowa odpowiedź: ") + answerCaption(right);
    return text;
}

void LearnSpeech::questionShown(int number, int official, const Record& shown) {
    announce(&page_, questionText(number, official, shown.text()));
}

void LearnSpeech::checked(const QString& given, const QString& right, bool answerShown) {
    static const QString abc[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    for (int i = 0; i < 3; ++i)
        if (answerShown && given == abc[i] && given != right)
            markAnswerText(*panels_.answerText(i), AnswerMark::Wrong);
    announce(&page_, checkText(given, right, answerShown));
}

} // namespace wirtal
