// SPDX-License-Identifier: GPL-3.0-or-later

#include "bank/bank.h"

#include "bank/layout.h"
#include "bank/split.h"
#include "base/category.h"
#include "base/inifile.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "platform/error.h"

namespace wirtal {

QString basicBankName() {
    return QStringLiteral("\\0wx.dll");
}

QString specialistBankName(const QString& categoryCode) {
    const Category* c = Category::find(categoryCode);
    if (c && !c->specialistBank.isEmpty())
        return c->specialistBank;
    throw Error(QStringLiteral("Nieznana kategoria „%1”: brak pliku pytań specjalistycznych.")
                    .arg(categoryCode));
}

QString bankPath(const QString& bankName) {
    return Paths::inProgramFolder(bankName);
}

QString bankDisplayName(const QString& bankName) {
    QString name = bankName;
    while (name.startsWith(u'\\') || name.startsWith(u'/'))
        name.remove(0, 1);
    return name;
}

const QString& Record::field(int i) const {
    if (i < 0 || i >= fields.size())
        throw Error(
            QStringLiteral("Plik „%1”, wiersz %2: za mało pól w rekordzie (potrzebne pole %3).")
                .arg(bankDisplayName(fileName))
                .arg(line)
                .arg(i));
    return fields[i];
}

const QString& Record::answer() const {
    return field(kind == QuestionKind::Basic ? basicField::answer : specialistField::answer);
}
const QString& Record::media() const {
    return field(kind == QuestionKind::Basic ? basicField::media : specialistField::media);
}
const QString& Record::points() const {
    return field(kind == QuestionKind::Basic ? basicField::points : specialistField::points);
}

const QString& Record::option(int i) const {
    if (kind != QuestionKind::Specialist || i < 0 || i > 2)
        throw Error(QStringLiteral("Plik „%1”, wiersz %2: pytanie bez odpowiedzi A, B, C.")
                        .arg(bankDisplayName(fileName))
                        .arg(line));
    return field(specialistField::answerA + i);
}

bool Record::hasEnglish() const {
    const int at =
        kind == QuestionKind::Basic ? basicField::englishText : specialistField::englishText;
    return at < fields.size() && !fields[at].trimmed().isEmpty();
}

Record Record::inEnglish() const {
    if (!hasEnglish())
        return *this;
    Record r = *this;
    auto take = [&r](int to, int from) {
        if (from < r.fields.size() && !r.fields[from].trimmed().isEmpty())
            r.fields[to] = r.fields[from];
    };
    if (kind == QuestionKind::Basic) {
        take(basicField::text, basicField::englishText);
    } else {
        take(specialistField::text, specialistField::englishText);
        take(specialistField::answerA, specialistField::englishA);
        take(specialistField::answerB, specialistField::englishB);
        take(specialistField::answerC, specialistField::englishC);
    }
    return r;
}

bool categoryHasEnglish(const QString& categoryCode) {
    try {
        return lookup(categoryCode, 1).hasEnglish();
    } catch (const Error&) {
        return false;
    }
}

bool storedEnglishChoice() {
    return readIni(QStringLiteral("ustawienia.ini"), QStringLiteral("pytania"),
                   QStringLiteral("jezyk"), QStringLiteral("pl")) == QStringLiteral("en");
}

void storeEnglishChoice(bool english) {
    writeIni(QStringLiteral("ustawienia.ini"), QStringLiteral("pytania"), QStringLiteral("jezyk"),
             english ? QStringLiteral("en") : QStringLiteral("pl"));
}

Location locate(const QString& categoryCode, int number) {
    return layout::of(categoryCode)->locate(number);
}

Record recordAt(const QStringList& lines, const Location& where, int number) {
    if (where.line < 0 || where.line >= lines.size())
        throw Error(QStringLiteral("Plik „%1” nie ma wiersza %2.")
                        .arg(bankDisplayName(where.fileName))
                        .arg(where.line));
    Record r;
    r.number = number;
    r.official = where.official;
    r.kind = where.kind;
    r.fileName = where.fileName;
    r.path = where.path;
    r.line = where.line;
    Split(lines[where.line], r.fields);
    return r;
}

Record lookup(const QString& categoryCode, int number) {
    const Location where = locate(categoryCode, number);
    const QStringList lines = loadTextLines(where.path); // read anew on every call
    return recordAt(lines, where, number);
}

} // namespace wirtal
