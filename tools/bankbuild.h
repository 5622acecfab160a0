// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Building bank files from the demo bank's sources (data/questions/*.json, see
// data/media/CATALOG.md): `wirtal-bank build [--folder DIR] SOURCES`.

#include <QString>
#include <QStringList>

#include <map>
#include <span>

namespace wirtal::demo {

struct Question {
    int n = 0;
    QString text, a, b, c; // a, b, c only for specialist questions
    QString answer;        // "T"/"N" or "A"/"B"/"C"
    QString media;         // the media item as written ("sign:B-20")
    QString file;          // its file name in the media folder ("sign_B-20.jpg")
    int points = 0;
    QString law;    // the legal basis the source names, or empty
    QString source; // JSON file it came from
};

// A slot of the test draw: its range of question numbers and the points its questions carry.
struct DrawSlot {
    int slot, from, to, points;
};
std::span<const DrawSlot> drawSlots();

// All questions of the *.json files of a folder, by number. Every problem (bad JSON, unknown
// key, bad answer, points off the draw rule, unknown media item, number given twice, the same
// text with the same picture twice) is appended to *problems, naming file and number.
std::map<int, Question> loadQuestions(const QString& folder, QStringList* problems);

// The fields of a question's bank record, in record order.
QStringList recordFields(const Question& q);

// A bank file: line 0 a header, then one record per line for the numbers first..last (a missing
// number gives an empty line), every field quoted with quotes doubled, CR LF, Windows-1250.
// Characters without a Windows-1250 code are appended to *problems.
QByteArray bankFile(const std::map<int, Question>& questions, int first, int last,
                    QStringList* problems);

// The side file "podstawy.txt": one line "<number> <tab> <legal basis>" per question that names
// one, CR LF, Windows-1250.
QByteArray legalBasisFile(const std::map<int, Question>& questions);

// Writes "0wx.dll", "02x.dll" and "podstawy.txt" into folder; prints problems to stderr. Returns
// the exit code (0 written, 1 problems in the sources or a file not written).
int buildBank(const QString& sources, const QString& folder);

} // namespace wirtal::demo
