// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The official question catalogue as sound questions: columns found by their header text, every
// row checked, and every row that cannot become a sound question reported with its reason.

#include "catalogue/xlsx.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace wirtal::catalogue {

// The licence categories of the catalogue, in the order the program lists them.
const QStringList& categoryCodes();

enum class Part { Basic, Specialist };

struct Question {
    qint64 number = 0; // the official number
    Part part = Part::Basic;
    QString text, a, b, c; // a, b, c only for specialist questions
    QString answer;        // "T"/"N" or "A"/"B"/"C"
    QString media;         // file name in the media folder, or empty
    int points = 0;        // 1..3, or 0 when the edition has no points column
    QStringList categories;
    QString en, enA, enB, enC; // English texts where the edition has them
    QString de, deA, deB, deC; // German
    QString ua, uaA, uaB, uaC; // Ukrainian
    // The sign-language (PJM) films of the question and of answers A, B, C: file names as
    // written, or empty.
    QString signText, signA, signB, signC;
    QStringList extra; // the cells of Catalogue::extraColumns, in their order
    qint64 row = 0;    // row of the sheet
};

// Why a row was left out or corrected.
enum class Reason {
    BadNumber,
    DuplicateNumber,
    EmptyText,
    BadAnswer,
    ChoiceWithoutOptions,
    IncompleteOptions,
    YesNoWithOptions,
    NoCategory,
    UnknownCategory,
    BadPoints,
    BadMediaName,
    MissingMedia,
    // Kept, with the part decided by what the row carries.
    CorrectedToBasic,
    CorrectedToSpecialist,
    IgnoredCategory, // a code the program does not know, passed over; known ones remain
};
bool leavesOut(Reason r);
// A short Polish description of the reason, for summaries.
QString reasonTitle(Reason r);

struct RowNote {
    qint64 row = 0;
    QString number; // as written in the sheet
    Reason reason = Reason::BadNumber;
    QString detail;         // the full Polish sentence
    QString statedPart;     // the part column as written
    QStringList categories; // the known categories of the row
};

struct Catalogue {
    QList<Question> questions; // in the order of the sheet
    QList<RowNote> notes;      // in the order of the sheet
    bool hasPoints = false;
    bool hasEnglish = false, hasGerman = false, hasUkrainian = false, hasSignLanguage = false;
    // Headers of the columns the program does not use (the row number, the explanations of some
    // editions, anything unknown), as written; their cells are kept in Question::extra.
    QStringList extraColumns;
    qint64 rows = 0; // question rows read (header and empty rows not counted)
};

// The cells the catalogue reads: the top rows whole (the header is among them), then only the
// columns the header row names (every column with a header text); a cell of a column without one
// is not kept.
KeptColumns catalogueColumns();

// The questions of a sheet. Throws Error naming `fileName` and the missing columns when the sheet
// has no header row with every required column. `progress` is called every thousand rows.
Catalogue readCatalogue(const Sheet& sheet, const QString& fileName,
                        const ReadProgress& progress = {});

// Whether a media name is a plain file name (no folder, no "..", nothing absolute, no control
// characters); only such names are looked up in the media folder.
bool plainFileName(const QString& name);

} // namespace wirtal::catalogue
