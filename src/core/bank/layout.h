// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bank/bank.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace wirtal {

// What the program folder holds for one category: the bank files, how our question numbers map to
// their lines, whether the records carry points, and (in a folder made by the catalogue import)
// the official number of each of our numbers.
//
// A classic folder (0wx.dll and one specialist file per category) keeps the fixed numbering:
// 1..1297 basic, 1298..1479 specialist. A catalogue folder (katalog.ini) has per category
// "pytania-<code>-podst.txt" and "-spec.txt"; our number n is 1..P basic (line n) and P+1..P+S
// specialist (line n - P).
struct CategoryBank {
    QString code;
    bool catalogue = false;
    QString basicFile;      // as the program writes names: "\0wx.dll", "\pytania-b-podst.txt"
    QString specialistFile; // "\02x.dll", "\pytania-b-spec.txt"
    int basicCount = classicBasicCount; // P
    int last = lastQuestion;            // P + S
    bool pointsInRecords = true;        // false: the draw gives each slot its structure's points
    std::vector<int> official;          // catalogue: official number of our number n at n - 1
    QHash<int, int> ours;               // catalogue: our number of an official number

    QuestionKind kindOf(int number) const {
        return number <= basicCount ? QuestionKind::Basic : QuestionKind::Specialist;
    }
    // The official number of our number; 0 in a classic folder or for a number out of range.
    int officialOf(int number) const;
    // Our number of an official number; 0 when the category has no such question.
    int numberOfOfficial(int officialNumber) const;
    // How stored files (revision lists, last question) name a question: our number in a classic
    // folder (so their files stay as they always were), the official number in a catalogue one.
    int idOf(int number) const { return catalogue ? officialOf(number) : number; }
    // Our number of a stored id; 0 when the folder holds no such question.
    int numberOfId(int id) const;
    // File, line and kind of our number; throws Error for a number outside 1..last.
    Location locate(int number) const;
};

namespace layout {
// Whether the program folder was made by the catalogue import (it holds katalog.ini).
bool isCatalogueFolder();
// The category's bank as the program folder holds it. Read once and cached; the cache is checked
// against the size and modification time of katalog.ini and the category's files, so a re-import
// is seen at the next call. Throws Error for an unknown category, one the folder has no questions
// for, or a catalogue file that cannot be read.
std::shared_ptr<const CategoryBank> of(const QString& categoryCode);

// Stored files name questions by id (CategoryBank::idOf). These convert at the file boundary; in
// a classic folder they pass everything unchanged, so the files stay as they always were.
// Our number of a stored id; 0 when the category holds no such question.
int numberOfStoredId(const QString& categoryCode, int id);
// The id to store for our number (0 stays 0).
int storedIdOf(const QString& categoryCode, int number);
// A revision list as loaded (ids) as our numbers; ids the category does not hold are dropped.
QStringList numbersOfIds(const QString& categoryCode, const QStringList& ids);
// Our numbers as the ids to save.
QStringList idsOfNumbers(const QString& categoryCode, const QStringList& numbers);
} // namespace layout

} // namespace wirtal
