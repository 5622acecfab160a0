#include "exam/draw.h"

#include "bank/bank.h"
#include "base/textfile.h"
#include "base/category.h"
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
    const int questions = static_cast<int>(std::min<qsizetype>(last, lastQuestion - wspolnych));
    if (questions < specialCount)
        throw Error(QStringLiteral("Plik „%1” zawiera %2 pytań specjalistycznych; do "
                                   "wylosowania testu potrzeba co najmniej %3.")
                        .arg(bankDisplayName(fileName))
                        .arg(std::max(questions, 0))
                        .arg(specialCount));
    std::array<DrawRange, specialCount> out{};
    for (int i = 0; i < specialCount; ++i)
        out[i] = {wspolnych + 1 + i * questions / specialCount,
                  wspolnych + (i + 1) * questions / specialCount};
    return out;
}

SlotRanges rangesFor(const QString& kategoria, const QStringList& specialistLines) {
    SlotRanges ranges = categoryBRanges();
    const Category* c = Category::find(kategoria);
    if (c && c->draw == SpecialistDraw::FixedTable)
        return ranges;
    const auto special = spreadSpecialistRanges(specialistLines, specialistBankName(kategoria));
    for (int k = basicSlots + 1; k <= slotCount; ++k)
        ranges[k] = special[k - basicSlots - 1];
    return ranges;
}

std::array<int, slotCount + 1> drawNumbers(const SlotRanges& ranges, Random& random) {
    std::array<int, slotCount + 1> pnr{};
    for (int k = 1; k <= slotCount; ++k)
        pnr[k] = random.uniform(ranges[k].from, ranges[k].to);
    return pnr;
}

namespace {
void readSlot(DrawnTest& t, int k, const QString& kategoria, const QStringList& lines) {
    const Location where = locate(kategoria, t.pnr[k]);
    const Record r = recordAt(lines, where, t.pnr[k]);
    t.prawodp[k] = r.answer();
    t.pktza[k] = r.points();
}
} // namespace

DrawnTest drawTest(const QString& kategoria, Random& random) {
    const QString specialName = specialistBankName(kategoria);
    // The specialist file is read first: for the categories other than "B" it sets the ranges.
    const QStringList special = loadTextLines(bankPath(specialName));
    const SlotRanges ranges = rangesFor(kategoria, special);

    DrawnTest t;
    t.pnr = drawNumbers(ranges, random);
    const QStringList basic = loadTextLines(bankPath(basicBankName()));
    for (int k = 1; k <= basicSlots; ++k)
        readSlot(t, k, kategoria, basic);
    for (int k = basicSlots + 1; k <= slotCount; ++k)
        readSlot(t, k, kategoria, special);
    return t;
}

} // namespace wirtal
