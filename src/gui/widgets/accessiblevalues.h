// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;
class QWidget;

namespace wirtal {

class StyledButton;

// What a screen reader needs of the program's own drawn controls beyond a name: the countdown
// gauge and the learning progress bar expose their value (QAccessibleValueInterface) and say it
// as text too; the main window is a frame (role Window); the rules, "O programie" and
// "Aktualizacje" windows are dialogs; the announcer (widgets/announcer.h) is a status bar of
// notifications; an answer button is a radio button, checked when it is the chosen answer, named
// with its caption and the text of the label tied to it (the label's buddy). Installed once at
// start (and by tests) with QAccessible::installFactory.
QAccessibleInterface* accessibleValueFactory(const QString& className, QObject* object);
void installAccessibleValues();

// Makes b an answer for a screen reader: a radio button whose checked state is the button's
// (setChecked; a click does not toggle it, the page sets it).
void makeAnswerChoice(StyledButton* b);

} // namespace wirtal
