// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The files of a program folder that the import makes from the questions it keeps: per category
// its basic and specialist bank files, katalog.ini, and the columns of the sheet the program does
// not use (katalog-kolumny.txt). Their format is described in README, "The imported program
// folder".

#include "catalogue/catalogue.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

namespace wirtal::catalogue {

struct CategoryCount {
    QString code;
    int basic = 0, specialist = 0;
};

struct FolderFiles {
    QList<QPair<QString, QByteArray>> files; // name in the folder, content
    QList<CategoryCount> counts;             // categories with questions, in categoryCodes() order
};

// `kept` in ascending official number; media names as the sheet writes them.
FolderFiles folderFiles(const Catalogue& catalogue, const QList<const Question*>& kept,
                        const QString& fileName, const QDateTime& when);

// The file names the import writes, by category code: "pytania-b-podst.txt", "pytania-b-spec.txt".
QString basicBankFile(const QString& code);
QString specialistBankFile(const QString& code);
// The columns of the sheet the program does not use, one record per question.
inline const char* extraColumnsFile = "katalog-kolumny.txt";

// Lines as a UTF-8 file with a byte-order mark and CR LF line ends.
QByteArray utf8WithBom(const QStringList& lines);

} // namespace wirtal::catalogue
