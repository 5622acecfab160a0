// SPDX-License-Identifier: GPL-3.0-or-later

#include "bankbuild.h"

#include "art/mediaitem.h"
#include "bank/bank.h"
#include "bank/split.h"
#include "base/textfile.h"
#include "platform/filereader.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cstdio>
#include <set>

namespace wirtal::demo {

namespace {

// clang-format off
const DrawSlot slotTable[] = {
    {1, 1, 109, 3},      {2, 110, 218, 3},    {3, 219, 387, 3},    {4, 388, 470, 3},
    {5, 471, 535, 3},    {6, 536, 599, 3},    {7, 600, 633, 3},    {8, 634, 669, 3},
    {9, 670, 707, 3},    {10, 720, 764, 3},   {11, 765, 813, 2},   {12, 814, 880, 2},
    {13, 881, 950, 2},   {14, 951, 1014, 2},  {15, 1015, 1084, 2}, {16, 1085, 1111, 2},
    {17, 1112, 1158, 1}, {18, 1159, 1222, 1}, {19, 1223, 1232, 1}, {20, 1239, 1296, 1},
    {21, 1298, 1307, 3}, {22, 1308, 1315, 3}, {23, 1316, 1322, 3}, {24, 1336, 1355, 3},
    {25, 1358, 1378, 3}, {26, 1379, 1385, 3}, {27, 1386, 1392, 2}, {28, 1393, 1407, 2},
    {29, 1408, 1429, 2}, {30, 1430, 1436, 2}, {31, 1437, 1443, 1}, {32, 1461, 1476, 1},
};
// clang-format on

const DrawSlot* slotOf(int n) {
    for (const DrawSlot& s : slotTable)
        if (n >= s.from && n <= s.to)
            return &s;
    return nullptr;
}

// One record of a JSON file; problems are appended as "file, n: text".
std::optional<Question> readRecord(const QJsonObject& o, const QString& file,
                                   QStringList* problems) {
    Question q;
    q.source = file;
    q.n = o.value(u"n").toInt(0);
    const QString where = QStringLiteral("%1, pytanie %2: ").arg(file).arg(q.n);
    auto problem = [&](const QString& text) { problems->append(where + text); };
    if (q.n < 1 || q.n > lastQuestion) {
        problem(QStringLiteral("numer musi być od 1 do %1").arg(lastQuestion));
        return std::nullopt;
    }
    const bool basic = kindOf(q.n) == QuestionKind::Basic;
    const QStringList keys =
        basic ? QStringList{"n", "text", "answer", "media", "points", "law"}
              : QStringList{"n", "text", "a", "b", "c", "answer", "media", "points", "law"};
    for (const QString& k : o.keys())
        if (!keys.contains(k))
            problem(QStringLiteral("nieznany klucz „%1”").arg(k));
    auto text = [&](const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isString() || v.toString().trimmed().isEmpty())
            problem(QStringLiteral("brak tekstu „%1”").arg(QLatin1String(key)));
        if (v.toString().contains(u'\n') || v.toString().contains(u'\r'))
            problem(QStringLiteral("„%1” zawiera koniec wiersza").arg(QLatin1String(key)));
        return v.toString();
    };
    q.text = text("text");
    if (!basic) {
        q.a = text("a");
        q.b = text("b");
        q.c = text("c");
    }
    q.answer = o.value(u"answer").toString();
    const QStringList answers = basic ? QStringList{"T", "N"} : QStringList{"A", "B", "C"};
    if (!answers.contains(q.answer))
        problem(QStringLiteral("odpowiedź „%1” (dozwolone: %2)")
                    .arg(q.answer, answers.join(QStringLiteral(", "))));
    q.points = o.value(u"points").toInt(0);
    const DrawSlot* s = slotOf(q.n);
    if (s && q.points != s->points)
        problem(QStringLiteral("punkty %1, a pytania miejsca %2 w teście mają %3")
                    .arg(q.points)
                    .arg(s->slot)
                    .arg(s->points));
    else if (q.points < 1 || q.points > 3)
        problem(QStringLiteral("punkty muszą być 1, 2 albo 3"));
    q.media = o.value(u"media").toString();
    q.law = o.value(u"law").toString().simplified();
    QString why;
    if (const auto item = media::parseItem(q.media, &why))
        q.file = media::fileNameOf(*item);
    else
        problem(QStringLiteral("media „%1”: %2").arg(q.media, why));
    return q;
}

void err(const QString& text) {
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), stderr);
}

} // namespace

std::span<const DrawSlot> drawSlots() {
    return slotTable;
}

std::map<int, Question> loadQuestions(const QString& folder, QStringList* problems) {
    std::map<int, Question> out;
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        problems->append(QStringLiteral("%1: brak plików *.json").arg(folder));
    std::map<std::pair<QString, QString>, int> seen; // (text, media file) -> number
    for (const QString& name : files) {
        const FileRead f = tryReadRegularFile(dir.filePath(name));
        if (f.problem != FileProblem::None) {
            problems->append(QStringLiteral("%1: %2").arg(name, f.message));
            continue;
        }
        QJsonParseError pe;
        const QJsonDocument doc = QJsonDocument::fromJson(f.bytes, &pe);
        if (!doc.isArray()) {
            problems->append(QStringLiteral("%1: to nie jest tablica JSON (%2, bajt %3)")
                                 .arg(name, pe.errorString())
                                 .arg(pe.offset));
            continue;
        }
        for (const QJsonValue& v : doc.array()) {
            const auto q = readRecord(v.toObject(), name, problems);
            if (!q)
                continue;
            if (const auto it = out.find(q->n); it != out.end()) {
                problems->append(QStringLiteral("%1, pytanie %2: numer jest już w %3")
                                     .arg(name)
                                     .arg(q->n)
                                     .arg(it->second.source));
                continue;
            }
            const auto key = std::pair{q->text, q->file};
            if (const auto it = seen.find(key); it != seen.end())
                problems->append(
                    QStringLiteral("%1, pytanie %2: ten sam tekst i obraz co pytanie %3")
                        .arg(name)
                        .arg(q->n)
                        .arg(it->second));
            seen[key] = q->n;
            out[q->n] = *q;
        }
    }
    return out;
}

QStringList recordFields(const Question& q) {
    const QString points = QString::number(q.points);
    if (kindOf(q.n) == QuestionKind::Basic)
        return {q.text, q.answer, q.file, points};
    return {q.text, q.a, q.b, q.c, q.answer, q.file, points};
}

QByteArray bankFile(const std::map<int, Question>& questions, int first, int last,
                    QStringList* problems) {
    const bool basic = kindOf(first) == QuestionKind::Basic;
    QStringList lines{
        basic ? QStringLiteral("\"Wirtal: pytania podstawowe\",\"T/N\",\"media\",\"pkt\"")
              : QStringLiteral("\"Wirtal: pytania specjalistyczne B\",\"A\",\"B\","
                               "\"C\",\"odp\",\"media\",\"pkt\"")};
    for (int n = first; n <= last; ++n) {
        const auto it = questions.find(n);
        if (it == questions.end()) {
            lines.append(QString());
            continue;
        }
        lines.append(quotedRecord(recordFields(it->second)));
    }
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    bool ok = true;
    QByteArray bytes = encodeCp1250(text, &ok);
    if (!ok) {
        for (const auto& [n, q] : questions) {
            if (n < first || n > last)
                continue;
            bool fine = true;
            encodeCp1250(recordFields(q).join(u' '), &fine);
            if (!fine)
                problems->append(
                    QStringLiteral("%1, pytanie %2: znak spoza Windows-1250").arg(q.source).arg(n));
        }
    }
    return bytes;
}

QByteArray legalBasisFile(const std::map<int, Question>& questions) {
    QString text;
    for (const auto& [n, q] : questions)
        if (!q.law.isEmpty())
            text += QStringLiteral("%1\t%2\r\n").arg(n).arg(q.law);
    bool ok = true;
    return encodeCp1250(text, &ok);
}

int buildBank(const QString& sources, const QString& folder) {
    QStringList problems;
    const auto questions = loadQuestions(sources, &problems);
    const QByteArray basic = bankFile(questions, 1, classicBasicCount, &problems);
    const QByteArray specialist =
        bankFile(questions, classicBasicCount + 1, lastQuestion, &problems);
    for (const QString& p : problems)
        err(p + u'\n');
    if (!problems.isEmpty()) {
        err(QStringLiteral("wirtal-bank build: %1 problemów, nic nie zapisano\n")
                .arg(problems.size()));
        return 1;
    }
    QDir().mkpath(folder);
    for (const auto& [name, bytes] :
         {std::pair{QStringLiteral("0wx.dll"), basic},
          std::pair{QStringLiteral("02x.dll"), specialist},
          std::pair{QStringLiteral("podstawy.txt"), legalBasisFile(questions)}}) {
        QSaveFile f(QDir(folder).filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
            err(QStringLiteral("wirtal-bank build: nie można zapisać %1\n").arg(f.fileName()));
            return 1;
        }
    }
    const int missing = lastQuestion - int(questions.size());
    err(QStringLiteral("wirtal-bank build: %1 pytań zapisano w %2%3\n")
            .arg(questions.size())
            .arg(folder,
                 missing ? QStringLiteral(" (brak %1 numerów: ich wiersze są puste)").arg(missing)
                         : QString()));
    return 0;
}

} // namespace wirtal::demo
