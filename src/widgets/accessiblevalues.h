// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

namespace wirtal {

// What a screen reader needs of the program's own drawn controls beyond a name: the countdown
// gauge and the learning progress bar expose their value (QAccessibleValueInterface) and say it
// as text too; the main window is a frame (role Window). Installed once at start (and by tests)
// with QAccessible::installFactory.
QAccessibleInterface* accessibleValueFactory(const QString& className, QObject* object);
void installAccessibleValues();

} // namespace wirtal
