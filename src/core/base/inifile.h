// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace wirtal {

// INI files as the statistics files use them (readable and writable by the Windows
// private-profile routines too):
//  - "[section]" lines open sections; "key=value" lines hold values; names match without regard
//    to letter case;
//  - a read trims blanks around the value, removes one pair of enclosing single or double quotes,
//    returns at most 2047 characters, and returns the default when file, section or key is missing;
//  - a write replaces the value in place, or appends the key at the end of its section, or
//    appends a new section at the end of the file; it creates the file; lines end with CR LF and
//    have no blanks around "="; the file is written whole or not at all;
//  - a NUL character ends the text the reader sees; a write edits that text and keeps every byte
//    of the file from the NUL on, so a damaged file loses nothing at the next write.
namespace ini {
QString read(const QString& path, const QString& section, const QString& key,
             const QString& defaultValue);
// Whether a write keeps the file's structure: no line break or NUL in the names or the value
// (they would break the line into new lines, or end the text), names without blanks at their
// ends (they could never be found again), and a key without "=" that does not start with "[" or
// ";". The value then reads back by the read rules (trimmed, one pair of quotes removed, at most
// 2047 characters), and every other key reads as before.
bool writable(const QString& section, const QString& key, const QString& value);
// Throws Error naming the path when the file cannot be written or the names or value are not
// writable(); the file is then left as it was.
void write(const QString& path, const QString& section, const QString& key, const QString& value);

// The same rules on text in memory (for the file routines, tests and fuzzing). writeText stores
// what it is given; only what writable() accepts reads back unchanged.
QString readText(const QString& text, const QString& section, const QString& key,
                 const QString& defaultValue);
QString writeText(const QString& text, const QString& section, const QString& key,
                  const QString& value);
} // namespace ini

// The statistics files of the user data folder, by bare file name ("statsb.ini").
QString readIni(const QString& inifilename, const QString& section, const QString& key,
                const QString& Default);
void writeIni(const QString& inifilename, const QString& section, const QString& key,
              const QString& Value);

// Strict decimal integer of a stored counter: throws Error naming the file and value otherwise.
int counterValue(const QString& value, const QString& inifilename, const QString& key);
// Reads a counter (default "0"), adds one and writes it back.
void incrementCounter(const QString& inifilename, const QString& section, const QString& key);

} // namespace wirtal
