// SPDX-License-Identifier: GPL-3.0-or-later

// A program folder made by the catalogue import: numbering, official numbers, the draw from the
// point classes, and stored ids across a re-import.

#include "bank/layout.h"
#include "base/category.h"
#include "base/paths.h"
#include "exam/draw.h"
#include "platform/error.h"
#include "platform/random.h"
#include "support/tempdirs.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace wirtal;
using namespace wirtal::test;

namespace {

struct Q {
    int official;
    int points; // 0: no points in the record
};

QByteArray utf8Bom(const QStringList& lines) {
    return QByteArray("\xEF\xBB\xBF") +
           (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QString pointsText(int p) {
    return p ? QString::number(p) : QString();
}

// Writes katalog.ini and the two bank files of each category as the import writes them.
void writeCatalogue(const TempFolders& f,
                    const std::map<QString, std::pair<QList<Q>, QList<Q>>>& cats, bool points) {
    QStringList codes, sections;
    for (const auto& [code, parts] : cats) {
        codes << code;
        QStringList basic{quotedLine({"nagłówek", "T/N", "media", "pkt", "numer", "ENG"})};
        for (const Q& q : parts.first)
            basic << quotedLine({QStringLiteral("Pytanie %1").arg(q.official),
                                 q.official % 2 ? "T" : "N", "", pointsText(q.points),
                                 QString::number(q.official), ""});
        QStringList special{quotedLine({"nagłówek", "A", "B", "C", "odp", "media", "pkt", "numer",
                                        "ENG", "A ENG", "B ENG", "C ENG"})};
        for (const Q& q : parts.second)
            special << quotedLine({QStringLiteral("Pytanie %1").arg(q.official), "a", "b", "c", "B",
                                   "", pointsText(q.points), QString::number(q.official), "", "",
                                   "", ""});
        f.writeProgramFile(QStringLiteral("pytania-%1-podst.txt").arg(code.toLower()),
                           utf8Bom(basic));
        f.writeProgramFile(QStringLiteral("pytania-%1-spec.txt").arg(code.toLower()),
                           utf8Bom(special));
        sections << QStringLiteral("[%1]").arg(code)
                 << QStringLiteral("podstawowe=%1").arg(parts.first.size())
                 << QStringLiteral("specjalistyczne=%1").arg(parts.second.size());
    }
    // Table order, as the import writes it.
    QStringList ordered;
    for (const Category& c : Category::all())
        if (codes.contains(c.code))
            ordered << c.code;
    f.writeProgramFile(
        QStringLiteral("katalog.ini"),
        utf8Bom(QStringList{"[katalog]", "wersja=1", "kategorie=" + ordered.join(u','),
                            points ? "punkty=1" : "punkty=0"} +
                sections));
}

// n questions with official numbers from `first` on, the given number of each point class.
QList<Q> classes(int first, int threes, int twos, int ones) {
    QList<Q> out;
    for (int i = 0; i < threes; ++i)
        out << Q{first++, 3};
    for (int i = 0; i < twos; ++i)
        out << Q{first++, 2};
    for (int i = 0; i < ones; ++i)
        out << Q{first++, 1};
    return out;
}

} // namespace

TEST(CatalogueFolder, NumbersOfficialNumbersAndOfferedCategories) {
    TempFolders f;
    writeCatalogue(
        f, {{"C", {{{70, 1}, {20, 2}}, {{90, 3}}}}, {"PT", {{{5, 1}}, {{6, 2}, {8, 3}}}}}, true);
    std::vector<QString> offered;
    for (const Category* c : Category::offered())
        offered.push_back(c->code);
    EXPECT_EQ(offered, (std::vector<QString>{"C", "PT"}));
    ASSERT_TRUE(layout::isCatalogueFolder());

    const auto pt = layout::of(QStringLiteral("PT"));
    EXPECT_EQ(pt->basicCount, 1);
    EXPECT_EQ(pt->last, 3);
    EXPECT_EQ(pt->officialOf(3), 8);
    EXPECT_EQ(pt->numberOfOfficial(6), 2);
    EXPECT_EQ(pt->numberOfOfficial(70), 0); // C's question, not PT's
    const Location where = pt->locate(3);
    EXPECT_EQ(where.kind, QuestionKind::Specialist);
    EXPECT_EQ(where.line, 2);
    EXPECT_EQ(lookup(QStringLiteral("C"), 2).text(), QStringLiteral("Pytanie 20"));
    EXPECT_EQ(lookup(QStringLiteral("C"), 3).points(), QStringLiteral("3"));
    // The record says its official number, a basic and a specialist one.
    EXPECT_EQ(lookup(QStringLiteral("C"), 2).official, 20);
    EXPECT_EQ(lookup(QStringLiteral("PT"), 3).official, 8);
    for (const char* code : {"B", "A1", "X"})
        EXPECT_THROW(layout::of(QString::fromLatin1(code)), Error) << code;
    EXPECT_THROW(lookup(QStringLiteral("PT"), 4), Error);
}

TEST(CatalogueFolder, StoredIdsFollowTheOfficialNumbersAcrossAReimport) {
    TempFolders f;
    writeCatalogue(f, {{"B", {{{10, 3}, {20, 2}, {30, 1}}, {{40, 3}, {50, 2}}}}}, true);
    const QString b = QStringLiteral("B");
    const QStringList saved = layout::idsOfNumbers(b, {"2", "5", "3"});
    EXPECT_EQ(saved, (QStringList{"20", "50", "30"}));
    EXPECT_EQ(layout::storedIdOf(b, 3), 30);

    // A newer edition: 20 removed, 5 and 35 added in front of the others.
    writeCatalogue(f, {{"B", {{{5, 3}, {10, 3}, {30, 1}}, {{35, 3}, {40, 3}, {50, 2}}}}}, true);
    EXPECT_EQ(layout::numbersOfIds(b, saved), (QStringList{"6", "3"}));
    EXPECT_EQ(layout::numberOfStoredId(b, 30), 3);
    EXPECT_EQ(layout::numberOfStoredId(b, 20), 0);
    EXPECT_EQ(lookup(b, 6).text(), QStringLiteral("Pytanie 50"));
}

TEST(CatalogueFolder, ClassicFolderIdsAreOurNumbers) {
    TempFolders f;
    f.writeProgramFile(QStringLiteral("0wx.dll"), "\"h\"");
    f.writeProgramFile(QStringLiteral("02x.dll"), "\"h\"");
    EXPECT_FALSE(layout::isCatalogueFolder());
    // Passed unchanged, even entries no bank holds: the files stay as they always were.
    const QStringList ids{"1297", "1479", "99999"};
    EXPECT_EQ(layout::idsOfNumbers(QStringLiteral("B"), ids), ids);
    EXPECT_EQ(layout::numbersOfIds(QStringLiteral("B"), ids), ids);
    const auto bank = layout::of(QStringLiteral("B"));
    EXPECT_EQ(bank->basicCount, classicBasicCount);
    EXPECT_EQ(bank->last, lastQuestion);
    EXPECT_EQ(bank->officialOf(5), 0);
    EXPECT_EQ(bank->locate(5).official, 0);
}

TEST(CatalogueDraw, EachSlotFromItsPointClassWithoutRepeats) {
    TempFolders f;
    // Just enough in some classes, more in others.
    writeCatalogue(f, {{"C", {classes(1000, 12, 6, 9), classes(5000, 6, 7, 2)}}}, true);
    const auto bank = layout::of(QStringLiteral("C"));
    for (std::uint64_t seed : {1u, 2u, 3u, 42u}) {
        SeededRandom random(seed);
        const DrawnTest t = drawTest(QStringLiteral("C"), random);
        std::set<int> seen;
        std::map<std::pair<bool, int>, int> perClass;
        int sum = 0;
        for (int k = 1; k <= slotCount; ++k) {
            const int n = t.questionNumber[k];
            EXPECT_TRUE(seen.insert(n).second) << "repeat " << n;
            const bool basic = isBasicSlot(k);
            EXPECT_EQ(bank->kindOf(n) == QuestionKind::Basic, basic) << k;
            const Record r = lookup(QStringLiteral("C"), n);
            EXPECT_EQ(t.slotPoints[k], r.points()) << k;
            EXPECT_EQ(t.rightAnswer[k], r.answer()) << k;
            ++perClass[{basic, t.slotPoints[k].toInt()}];
            sum += t.slotPoints[k].toInt();
        }
        EXPECT_EQ(sum, maxPoints);
        const std::map<std::pair<bool, int>, int> expected{{{true, 3}, 10}, {{true, 2}, 6},
                                                           {{true, 1}, 4},  {{false, 3}, 6},
                                                           {{false, 2}, 4}, {{false, 1}, 2}};
        EXPECT_EQ(perClass, expected) << seed;
    }
}

TEST(CatalogueDraw, WithoutPointsEachSlotGetsItsPlaceInTheStructure) {
    TempFolders f;
    QList<Q> basic, special;
    for (int i = 0; i < 20; ++i)
        basic << Q{100 + i, 0};
    for (int i = 0; i < 12; ++i)
        special << Q{300 + i, 0};
    writeCatalogue(f, {{"AM", {basic, special}}}, false);
    SeededRandom random(9);
    const DrawnTest t = drawTest(QStringLiteral("AM"), random);
    std::set<int> seen;
    for (int k = 1; k <= slotCount; ++k) {
        seen.insert(t.questionNumber[k]);
        EXPECT_EQ(t.slotPoints[k], QString::number(structurePoints(k))) << k;
        EXPECT_EQ(t.questionNumber[k] <= 20, isBasicSlot(k)) << k;
    }
    EXPECT_EQ(seen.size(), std::size_t(slotCount)); // every question once
}

TEST(CatalogueDraw, TooFewInAClassIsAnErrorNamingCategoryAndClass) {
    struct Case {
        const char* name;
        QList<Q> basic, special;
        bool points;
        const char* message;
    } cases[] = {
        {"basic 3-point", classes(1, 9, 6, 4), classes(100, 6, 4, 2), true,
         "pytań podstawowych za 3 pkt"},
        {"specialist 1-point", classes(1, 10, 6, 4), classes(100, 6, 9, 1), true,
         "pytań specjalistycznych za 1 pkt"},
        {"specialist, no points", classes(1, 10, 6, 4), classes(100, 6, 4, 1), false,
         "pytań specjalistycznych"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolders f;
        writeCatalogue(f, {{"D1", {c.basic, c.special}}}, c.points);
        SeededRandom random(1);
        try {
            drawTest(QStringLiteral("D1"), random);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("Kategoria D1")))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message)))
                << e.message().toStdString();
        }
    }
}
