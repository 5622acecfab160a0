// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/draw.h"

#include "bank/bank.h"
#include "bank/layout.h"
#include "base/category.h"
#include "base/textfile.h"
#include "platform/error.h"
#include "platform/random.h"

namespace wirtal {

const SlotRanges& categoryBRanges() {
    static const SlotRanges ranges = {{
        {0, 0},       {1, 109},     {110, 218},   {219, 387},   {388, 470},   {471, 535},
        {536, 599},   {600, 633},   {634, 669},   {670, 707},   {720, 764},   {765, 813},
        {814, 880},   {881, 950},   {951, 1014},  {1015, 1084}, {1085, 1111}, {1112, 1158},
        {1159, 1222}, {1223, 1232}, {1239, 1296}, {1298, 1307}, {1308, 1315}, {1316, 1322},
        {1336, 1355}, {1358, 1378}, {1379, 1385}, {1386, 1392}, {1393, 1407}, {1408, 1429},
        {1430, 1436}, {1437, 1443}, {1461, 1476},
    }};
    return ranges;
}

std::array<DrawRange, slotCount - basicSlots> spreadSpecialistRanges(const QStringList& lines,
                                                                     const QString& fileName) {
    constexpr int specialCount = slotCount - basicSlots;
    // Questions are lines 1.. up to the last line that holds anything, and at most 1479 - 1297.
    qsizetype last = lines.size() - 1;
    while (last > 0 && lines[last].trimmed().isEmpty())
        --last;
    const int questions =
        static_cast<int>(std::min<qsizetype>(last, lastQuestion - classicBasicCount));
    if (questions < specialCount)
        throw Error(QStringLiteral("Plik „%1” zawiera %2 pytań specjalistycznych; do "
                                   "wylosowania testu potrzeba co najmniej %3.")
                        .arg(bankDisplayName(fileName))
                        .arg(std::max(questions, 0))
                        .arg(specialCount));
    std::array<DrawRange, specialCount> out{};
    for (int i = 0; i < specialCount; ++i)
        out[i] = {classicBasicCount + 1 + i * questions / specialCount,
                  classicBasicCount + (i + 1) * questions / specialCount};
    return out;
}

SlotRanges rangesFor(const QString& categoryCode, const QStringList& specialistLines) {
    SlotRanges ranges = categoryBRanges();
    const Category* c = Category::find(categoryCode);
    if (c && c->draw == SpecialistDraw::FixedTable)
        return ranges;
    const auto special = spreadSpecialistRanges(specialistLines, specialistBankName(categoryCode));
    for (int k = basicSlots + 1; k <= slotCount; ++k)
        ranges[k] = special[k - basicSlots - 1];
    return ranges;
}

std::array<int, slotCount + 1> drawNumbers(const SlotRanges& ranges, Random& random) {
    std::array<int, slotCount + 1> questionNumber{};
    for (int k = 1; k <= slotCount; ++k)
        questionNumber[k] = random.uniform(ranges[k].from, ranges[k].to);
    return questionNumber;
}

namespace {
void readSlot(DrawnTest& t, int k, const QString& categoryCode, const QStringList& lines) {
    const Location where = locate(categoryCode, t.questionNumber[k]);
    const Record r = recordAt(lines, where, t.questionNumber[k]);
    t.rightAnswer[k] = r.answer();
    t.slotPoints[k] = r.points();
}
} // namespace

namespace {

// `count` distinct items of `pool`, uniform, through the Random seam (a partial Fisher-Yates).
std::vector<int> drawDistinct(std::vector<int> pool, int count, Random& random) {
    for (int i = 0; i < count; ++i) {
        const int j = random.uniform(i, int(pool.size()) - 1);
        std::swap(pool[std::size_t(i)], pool[std::size_t(j)]);
    }
    pool.resize(std::size_t(count));
    return pool;
}

QString className(bool basic, int points) {
    return QStringLiteral("%1 za %2 pkt")
        .arg(basic ? QStringLiteral("pytań podstawowych")
                   : QStringLiteral("pytań specjalistycznych"))
        .arg(points);
}

} // namespace

DrawnTest drawCatalogueTest(const QString& categoryCode, Random& random) {
    const auto bank = layout::of(categoryCode);
    const QStringList basic = loadTextLines(bankPath(bank->basicFile));
    const QStringList special = loadTextLines(bankPath(bank->specialistFile));
    auto record = [&](int n) {
        const Location where = bank->locate(n);
        return recordAt(where.kind == QuestionKind::Basic ? basic : special, where, n);
    };

    // Slot ranges of the two parts: [first, last] slots and our numbers of their questions.
    struct Part {
        int firstSlot, lastSlot, firstNumber, lastNumber;
        bool basic;
    };
    const Part parts[] = {{1, basicSlots, 1, bank->basicCount, true},
                          {basicSlots + 1, slotCount, bank->basicCount + 1, bank->last, false}};

    // Everything is drawn and read first; the test is only returned whole.
    DrawnTest t;
    for (const Part& part : parts) {
        std::vector<int> chosen;
        if (bank->pointsInRecords) {
            // Each question's points, read once.
            std::vector<int> pointsOf;
            for (int n = part.firstNumber; n <= part.lastNumber; ++n)
                pointsOf.push_back(record(n).points().trimmed().toInt());
            for (int points = 3; points >= 1; --points) {
                int need = 0;
                for (int k = part.firstSlot; k <= part.lastSlot; ++k)
                    need += structurePoints(k) == points;
                std::vector<int> pool;
                for (int n = part.firstNumber; n <= part.lastNumber; ++n)
                    if (pointsOf[std::size_t(n - part.firstNumber)] == points)
                        pool.push_back(n);
                if (int(pool.size()) < need)
                    throw Error(QStringLiteral("Kategoria %1: za mało %2 do wylosowania testu "
                                               "(jest %3, potrzeba %4).")
                                    .arg(categoryCode, className(part.basic, points))
                                    .arg(pool.size())
                                    .arg(need));
                const std::vector<int> drawn = drawDistinct(std::move(pool), need, random);
                chosen.insert(chosen.end(), drawn.begin(), drawn.end());
            }
            // The order inside the part is shuffled; each question keeps its own points.
            chosen = drawDistinct(std::move(chosen), int(chosen.size()), random);
        } else {
            const int need = part.lastSlot - part.firstSlot + 1;
            const int available = part.lastNumber - part.firstNumber + 1;
            if (available < need)
                throw Error(QStringLiteral("Kategoria %1: za mało %2 do wylosowania testu "
                                           "(jest %3, potrzeba %4).")
                                .arg(categoryCode, part.basic
                                                       ? QStringLiteral("pytań podstawowych")
                                                       : QStringLiteral("pytań specjalistycznych"))
                                .arg(std::max(available, 0))
                                .arg(need));
            std::vector<int> pool;
            for (int n = part.firstNumber; n <= part.lastNumber; ++n)
                pool.push_back(n);
            chosen = drawDistinct(std::move(pool), need, random);
        }
        for (int k = part.firstSlot; k <= part.lastSlot; ++k) {
            const int n = chosen[std::size_t(k - part.firstSlot)];
            const Record r = record(n);
            t.questionNumber[k] = n;
            t.rightAnswer[k] = r.answer();
            t.slotPoints[k] =
                bank->pointsInRecords ? r.points().trimmed() : QString::number(structurePoints(k));
        }
    }
    return t;
}

DrawnTest drawTest(const QString& categoryCode, Random& random) {
    if (layout::isCatalogueFolder())
        return drawCatalogueTest(categoryCode, random);
    const QString specialName = specialistBankName(categoryCode);
    // The specialist file is read first: for the categories other than "B" it sets the ranges.
    const QStringList special = loadTextLines(bankPath(specialName));
    const SlotRanges ranges = rangesFor(categoryCode, special);

    DrawnTest t;
    t.questionNumber = drawNumbers(ranges, random);
    const QStringList basic = loadTextLines(bankPath(basicBankName()));
    for (int k = 1; k <= basicSlots; ++k)
        readSlot(t, k, categoryCode, basic);
    for (int k = basicSlots + 1; k <= slotCount; ++k)
        readSlot(t, k, categoryCode, special);
    return t;
}

} // namespace wirtal
