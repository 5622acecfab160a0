// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;

namespace wirtal {

class WrappedText;

// How an answer's text is marked after a check or in the review: not by its colour alone but by
// a sign and a word before the text ("✔ Prawidłowa: ", "✘ Błędna: ").
enum class AnswerMark { None, Right, Wrong };

// Puts the mark before the text the box shows (replacing an earlier mark of the same text);
// None takes it away. A text shown anew after a mark is taken as it is.
void markAnswerText(WrappedText& text, AnswerMark mark);
// The prefix of a mark ("" for None).
QString answerMarkPrefix(AnswerMark mark);

} // namespace wirtal
