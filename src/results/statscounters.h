#pragma once

#include <QString>

namespace wirtal::statscounters {

// A counter of the statistics file as the statistics view reads it: a decimal number, with the
// locale's decimal separator allowed. Throws Error naming the file, key and value otherwise.
double value(const QString& inifilename, const QString& section, const QString& key);

// The four counters of a file back to "0", in the order egzamin/zdane, egzamin/niezdane,
// nauka/poprawne, nauka/niepoprawne. Every other key stays as it is.
void clear(const QString& inifilename);

} // namespace wirtal::statscounters
