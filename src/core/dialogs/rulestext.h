// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

namespace wirtal {

// The rules of the exam as the rules window shows them, line by line (trailing blanks belong to
// the lines; the second line is empty).
QStringList rulesLines();

} // namespace wirtal
