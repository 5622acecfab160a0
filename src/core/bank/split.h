// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace wirtal {

// Splits one bank line into fields: comma-separated, double quote as the quote character ("" in
// a quoted field stands for one quote), blanks (codes 1..32) also separate; a comma at the very
// end gives one more, empty field; text right after a closing quote is a field of its own.
// Strings is emptied first.
void Split(const QString& Input, QStringList& Strings);
QStringList splitRecord(const QString& line);

// A bank line as the bank writers write it: every field in double quotes, a quote inside doubled,
// fields joined by commas. Split gives the same fields back (a field may not hold a line end).
QString quotedRecord(const QStringList& fields);

} // namespace wirtal
