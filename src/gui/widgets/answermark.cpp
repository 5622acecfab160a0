// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/answermark.h"

#include "widgets/wrappedtext.h"

#include <QString>
#include <QVariant>

namespace wirtal {

namespace {
// The text before the mark, and the text shown with it: a text shown anew differs from the latter.
const char* const unmarkedProperty = "wirtalUnmarkedText";
const char* const markedProperty = "wirtalMarkedText";
} // namespace

QString answerMarkPrefix(AnswerMark mark) {
    switch (mark) {
    case AnswerMark::Right:
        return QStringLiteral("✔ Prawidłowa: ");
    case AnswerMark::Wrong:
        return QStringLiteral("✘ Błędna: ");
    case AnswerMark::None:
        break;
    }
    return {};
}

void markAnswerText(WrappedText& text, AnswerMark mark) {
    const QString shown = text.text();
    const bool marked = text.property(markedProperty).toString() == shown && !shown.isEmpty();
    const QString base = marked ? text.property(unmarkedProperty).toString() : shown;
    if (base.isEmpty())
        return; // nothing to mark
    if (mark == AnswerMark::None && !marked)
        return;
    text.showText(answerMarkPrefix(mark) + base);
    text.setProperty(unmarkedProperty, base);
    text.setProperty(markedProperty, text.text());
}

} // namespace wirtal
