// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

#include <array>

namespace wirtal {

// What a report is made of: the sheet of the finished test, the score and the moment of the
// report.
struct ReportInput {
    QString categoryCode;
    std::array<int, 33> questionNumber{};  // slots 1..32
    std::array<QString, 33> rightAnswer{}; // correct answer codes
    std::array<QString, 33> givenAnswer{}; // answers given, empty when not answered
    int score = 0;
    QDateTime now;
};

using ReportParameters = QList<QPair<QString, QString>>;

// The percentage of a score: score / 74 * 100 rounded to one decimal, in the shortest form,
// with a decimal comma ("91,9", "100").
QString percentText(int score);
// "68 na 74 (91,9 %)".
QString scoreText(int score);

// The 100 named values of a report, in order: pnr1..32, prawodp1..32, odp1..32, kategoria,
// czas, punktow, wynik.
ReportParameters reportParameters(const ReportInput& in);

// The report template filled in: every {{name}} of a known parameter becomes its value, escaped
// for HTML. Unknown names stay as they are, so a mistyped name shows in the printout.
QString fillTemplate(const QString& html, const ReportParameters& params);

// Adds the document author to a PDF as a standard incremental update (a new document
// information dictionary and a cross-reference section that points back to the old one). The
// new dictionary keeps every entry of the old one (title, creator, producer, creation date).
// Returns false and leaves pdf untouched when the file has no trailer to update.
bool setPdfAuthor(QByteArray& pdf, const QString& author);

} // namespace wirtal
