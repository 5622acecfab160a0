#pragma once

#include <QString>

namespace wirtal {

// The result history of a category in its statistics file (kept by StatsFile), one character
// per test, newest first: "1" passed, "0" failed, "2" no result. Only the first five count.
namespace history {
// Pushes a result digit: the digit, then the first four characters of the stored value (read
// with the default "000000").
void push(const QString& statsFile, QChar digit);
// The characters the stars show: the first five of the stored value (read with the default
// "0"), fewer when it is shorter.
QString stars(const QString& statsFile);
} // namespace history

} // namespace wirtal
