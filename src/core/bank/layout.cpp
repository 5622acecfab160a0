// SPDX-License-Identifier: GPL-3.0-or-later

#include "bank/layout.h"

#include "bank/split.h"
#include "base/category.h"
#include "base/inifile.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "platform/error.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMutex>

#include <map>

namespace wirtal {

int CategoryBank::officialOf(int number) const {
    if (number < 1 || number > int(official.size()))
        return 0;
    return official[std::size_t(number - 1)];
}

int CategoryBank::numberOfOfficial(int officialNumber) const {
    return ours.value(officialNumber, 0);
}

int CategoryBank::numberOfId(int id) const {
    if (!catalogue)
        return id >= 1 && id <= last ? id : 0;
    return numberOfOfficial(id);
}

Location CategoryBank::locate(int number) const {
    if (number < 1 || number > last)
        throw Error(
            QStringLiteral("Numer pytania %1 jest spoza zakresu 1–%2.").arg(number).arg(last));
    Location where;
    where.kind = kindOf(number);
    if (where.kind == QuestionKind::Basic) {
        where.fileName = basicFile;
        where.line = number;
    } else {
        where.fileName = specialistFile;
        where.line = number - basicCount;
    }
    where.path = bankPath(where.fileName);
    where.official = officialOf(number);
    return where;
}

namespace layout {

namespace {

// Size and modification time of a file: a change of either means the file was written anew.
struct Stamp {
    qint64 size = -1;
    qint64 modified = 0;
    bool operator==(const Stamp&) const = default;
};
Stamp stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

struct Cached {
    std::vector<Stamp> stamps;
    std::shared_ptr<const CategoryBank> bank;
};

// The official numbers of a bank file's records (field `field` of lines 1..), checked: each a
// positive number, none twice in the category.
void readOfficial(const QString& fileName, int field, CategoryBank& bank, int firstNumber,
                  int count) {
    const QStringList lines = loadTextLines(bankPath(fileName));
    if (lines.size() - 1 < count)
        throw Error(QStringLiteral("Plik „%1” ma %2 pytań, a katalog.ini podaje %3.")
                        .arg(bankDisplayName(fileName))
                        .arg(std::max<qsizetype>(lines.size() - 1, 0))
                        .arg(count));
    QStringList fields;
    for (int i = 1; i <= count; ++i) {
        Split(lines[i], fields);
        bool ok = false;
        const int official = field < fields.size() ? fields[field].trimmed().toInt(&ok) : 0;
        if (!ok || official < 1 || bank.ours.contains(official))
            throw Error(QStringLiteral("Plik „%1”, wiersz %2: brak numeru urzędowego lub numer "
                                       "powtórzony.")
                            .arg(bankDisplayName(fileName))
                            .arg(i));
        bank.official.push_back(official);
        bank.ours.insert(official, firstNumber + i - 1);
    }
}

std::shared_ptr<const CategoryBank> readCatalogue(const QString& code) {
    const QString ini = Paths::catalogueManifest();
    auto bank = std::make_shared<CategoryBank>();
    bank->code = code;
    bank->catalogue = true;
    bank->basicFile = QStringLiteral("\\pytania-%1-podst.txt").arg(code.toLower());
    bank->specialistFile = QStringLiteral("\\pytania-%1-spec.txt").arg(code.toLower());
    bank->pointsInRecords = ini::read(ini, QStringLiteral("katalog"), QStringLiteral("punkty"),
                                      QStringLiteral("0")) == u"1";
    bool okP = false, okS = false;
    const int p = ini::read(ini, code, QStringLiteral("podstawowe"), {}).toInt(&okP);
    const int s = ini::read(ini, code, QStringLiteral("specjalistyczne"), {}).toInt(&okS);
    if (!okP || !okS || p < 0 || s < 0 || p > 1000000 || s > 1000000)
        throw Error(
            QStringLiteral("Plik katalog.ini nie podaje liczby pytań kategorii %1.").arg(code));
    bank->basicCount = p;
    bank->last = p + s;
    bank->official.reserve(std::size_t(p + s));
    readOfficial(bank->basicFile, 4, *bank, 1, p);
    readOfficial(bank->specialistFile, 7, *bank, p + 1, s);
    return bank;
}

std::shared_ptr<const CategoryBank> classic(const QString& code) {
    const Category* c = Category::find(code);
    auto bank = std::make_shared<CategoryBank>();
    bank->code = code;
    bank->basicFile = basicBankName();
    bank->specialistFile = c ? c->specialistBank : QString();
    return bank;
}

} // namespace

bool isCatalogueFolder() {
    return Paths::isCatalogueFolder();
}

std::shared_ptr<const CategoryBank> of(const QString& categoryCode) {
    const Category* c = Category::find(categoryCode);
    if (!isCatalogueFolder()) {
        if (!c || c->specialistBank.isEmpty())
            throw Error(QStringLiteral("Nieznana kategoria „%1”: brak pliku pytań "
                                       "specjalistycznych.")
                            .arg(categoryCode));
        return classic(categoryCode);
    }
    bool offered = false;
    if (c)
        for (const Category* o : Category::offered())
            offered = offered || o == c;
    if (!offered)
        throw Error(
            QStringLiteral("Folder programu nie zawiera pytań kategorii %1.").arg(categoryCode));

    static QMutex mutex;
    static std::map<QString, Cached> cache;
    const QString key = Paths::programFolder() + u'|' + categoryCode;
    const std::vector<Stamp> stamps{
        stampOf(Paths::catalogueManifest()),
        stampOf(Paths::inProgramFolder(
            QStringLiteral("\\pytania-%1-podst.txt").arg(categoryCode.toLower()))),
        stampOf(Paths::inProgramFolder(
            QStringLiteral("\\pytania-%1-spec.txt").arg(categoryCode.toLower())))};
    QMutexLocker lock(&mutex);
    auto it = cache.find(key);
    if (it != cache.end() && it->second.stamps == stamps)
        return it->second.bank;
    auto bank = readCatalogue(categoryCode);
    cache[key] = Cached{stamps, bank};
    return bank;
}

int numberOfStoredId(const QString& categoryCode, int id) {
    if (!isCatalogueFolder())
        return id;
    return of(categoryCode)->numberOfId(id);
}

int storedIdOf(const QString& categoryCode, int number) {
    if (!isCatalogueFolder())
        return number;
    return of(categoryCode)->idOf(number);
}

QStringList numbersOfIds(const QString& categoryCode, const QStringList& ids) {
    if (!isCatalogueFolder())
        return ids;
    const auto bank = of(categoryCode);
    QStringList out;
    for (const QString& id : ids)
        if (const int n = bank->numberOfId(id.toInt()))
            out << QString::number(n);
    return out;
}

QStringList idsOfNumbers(const QString& categoryCode, const QStringList& numbers) {
    if (!isCatalogueFolder())
        return numbers;
    const auto bank = of(categoryCode);
    QStringList out;
    for (const QString& n : numbers)
        if (const int id = bank->idOf(n.toInt()))
            out << QString::number(id);
    return out;
}

} // namespace layout

} // namespace wirtal
