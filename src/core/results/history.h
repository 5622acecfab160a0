// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace wirtal {

// The result history of a category in its statistics file (kept by StatsFile), one character
// per test, newest first: "1" passed, "0" failed, "2" no result. Only the first five count.
namespace history {
// Pushes a result digit: the digit, then the first four characters of the stored value (read
// with the default "000000").
void push(const QString& statsFile, QChar digit);
// The characters the stars show in colour: the first five of the stored value (read with the
// default "0"), but never more than the tests taken in the category, which the "egzamin"
// counters "zdane" and "niezdane" count. A fresh history reads as failures ("000000"), so
// without this the stars would report tests that never happened. When a counter is no number
// the count is unknown and the stored history is shown as it is.
QString stars(const QString& statsFile);
// The tests taken in the category: "zdane" + "niezdane" (a missing counter is 0), or -1 when a
// counter is no number.
qint64 testsTaken(const QString& statsFile);
} // namespace history

} // namespace wirtal
