// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the words of the ministry's page say: which edition, how large. Read from link texts and
// file names, tolerant of the ways the ministry writes them.

#include <QDate>
#include <QString>

namespace wirtal::catalogfetch {

// Lower case, Polish letters without their marks, every run of characters other than letters,
// digits and ".,-/_" one blank: "Katalog pytań – LIPIEC 2026 (xlsx)" -> "katalog pytan lipiec
// 2026 xlsx".
QString folded(const QString& text);

// The edition a text names: a full date (12.07.2026, 2026-07-12, "12 lipca 2026"), a month
// ("lipiec 2026", "07.2026") or a year alone; invalid when none. `label` gets the text as the
// window shows it ("lipiec 2026").
QDate editionOf(const QString& text, QString* label = nullptr);
// A size the text gives ("2,5 MB", "(xlsx 830 kB)"), in bytes; -1 when none.
qint64 sizeOf(const QString& text);

// "2,5 MB", "830 kB", "12 B"; "nieznany" for -1.
QString sizeText(qint64 bytes);

} // namespace wirtal::catalogfetch
