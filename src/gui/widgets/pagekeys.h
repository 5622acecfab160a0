// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QKeySequence>
#include <QList>

#include <functional>

class QAbstractButton;
class QWidget;

namespace wirtal {

// Keys of a page: active while the focus is anywhere on the page (a line edit keeps the keys it
// types), each running `action` through the error guard.
void bindKeys(QWidget* page, const QList<QKeySequence>& keys, std::function<void()> action);

// Clicks the button as a mouse would, when the learner could: shown on the page and enabled.
// Returns whether it did.
bool pressIfReady(const QWidget* page, QAbstractButton* button);

// An answer's key: presses the answer as pressIfReady does and moves the keyboard focus onto it,
// so a screen reader reads the answer and its state where the learner is. Returns whether it did.
bool answerByKey(const QWidget* page, QAbstractButton* button);

// "TAK (klawisz T)": the key named in the button's tooltip.
void tellKey(QAbstractButton* button, const QString& key);

} // namespace wirtal
