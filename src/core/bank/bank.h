// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace wirtal {

// Question numbers: 1..1297 basic questions ("T"/"N"), 1298..1479 specialist ones ("A"/"B"/"C").
constexpr int classicBasicCount = 1297;
constexpr int lastQuestion = 1479;

enum class QuestionKind { Basic, Specialist };

inline QuestionKind kindOf(int number) {
    return number <= classicBasicCount ? QuestionKind::Basic : QuestionKind::Specialist;
}

// Bank file names as the program writes them ("\0wx.dll"), and their paths in the program folder.
QString basicBankName(); // "\0wx.dll"
// "\02x.dll" for "B", "\bazaa.txt" for "A"...; throws Error for a category without one.
QString specialistBankName(const QString& categoryCode);
QString bankPath(const QString& bankName); // joined to the program folder
// The name without its leading backslash ("0wx.dll"), as messages and the bank tool show it.
QString bankDisplayName(const QString& bankName);

// Field indexes of the two record kinds.
namespace basicField {
constexpr int text = 0, answer = 1, media = 2, points = 3;
}
namespace specialistField {
constexpr int text = 0, answerA = 1, answerB = 2, answerC = 3, answer = 4, media = 5, points = 6;
}
// The fields an imported catalogue adds after them: the official number, then the English,
// German and Ukrainian texts and the sign-language (PJM) films of the question (and of its answers)
// (each empty when the edition has none).
namespace basicField {
constexpr int official = 4, englishText = 5, germanText = 6, ukrainianText = 7, signText = 8;
}
namespace specialistField {
constexpr int official = 7, englishText = 8, englishA = 9, englishB = 10, englishC = 11;
constexpr int germanText = 12, germanA = 13, germanB = 14, germanC = 15;
constexpr int ukrainianText = 16, ukrainianA = 17, ukrainianB = 18, ukrainianC = 19;
constexpr int signText = 20, signA = 21, signB = 22, signC = 23;
} // namespace specialistField

// One record as read by the record lookup.
struct Record {
    int number = 0;
    int official = 0; // the official number in a catalogue folder; 0 in a classic one
    QuestionKind kind = QuestionKind::Basic;
    QString fileName; // as written, "\0wx.dll"
    QString path;
    int line = 0;
    QStringList fields;

    // Field i; throws Error naming the file and line when the record has fewer fields.
    const QString& field(int i) const;
    const QString& text() const { return field(0); }
    const QString& answer() const;
    const QString& media() const;
    const QString& points() const;
    // Option i (0 "A", 1 "B", 2 "C") of a specialist question; throws Error as field() does,
    // and for a basic question or an i outside 0..2.
    const QString& option(int i) const;

    // Whether the record carries an English question text (imported catalogues whose edition
    // has the translation columns).
    bool hasEnglish() const;
    // The same record with the English question and option texts in place of the Polish ones
    // (a text without a translation stays Polish); the record itself when it has none.
    Record inEnglish() const;
};

// Where a question lives: file and line index (basic n: line n of "\0wx.dll"; specialist n:
// line n - 1297 of the category's specialist file).
struct Location {
    QuestionKind kind;
    QString fileName;
    QString path;
    int line;
    int official = 0; // the question's official number in a catalogue folder; 0 in a classic one
};
// Where the category's question lives in the program folder (layout::of); throws Error for a
// number outside the category's range or a category the folder holds no questions for.
Location locate(const QString& categoryCode, int number);

// The line of a loaded bank as a record; throws Error naming the file and line when the line is
// past the end.
Record recordAt(const QStringList& lines, const Location& where, int number);
// Whether the category's questions carry English texts (its first question does: an edition has
// the translation columns for all its rows or for none); false when it has no questions.
bool categoryHasEnglish(const QString& categoryCode);

// The learner's language choice, kept in "ustawienia.ini" of the user data folder
// ("[pytania] jezyk=en" or "pl").
bool storedEnglishChoice();
void storeEnglishChoice(bool english);

// Record lookup: reads the whole file anew and splits the question's line. Throws Error naming
// the file (missing or unreadable) or the file and line (past the end).
Record lookup(const QString& categoryCode, int number);

} // namespace wirtal
