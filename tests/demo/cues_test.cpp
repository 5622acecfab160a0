// SPDX-License-Identifier: GPL-3.0-or-later

// Answer cues of the wording: the guessing rules find what a lopsided bank gives away, read the
// sources and the built bank alike, and the demo bank gives nothing away.

#include "bank/bank.h"
#include "bankbuild.h"
#include "cues.h"
#include "support/tempdirs.h"

#include <gtest/gtest.h>

#include <vector>

using namespace wirtal;
using cues::Item;

namespace {

double accuracyOf(const std::vector<cues::Rule>& rules, const QString& name) {
    for (const cues::Rule& r : rules)
        if (r.name == name)
            return r.accuracy;
    ADD_FAILURE() << "no rule " << name.toStdString();
    return -1;
}

Item basic(const QString& text, const char* answer) {
    return {0, text, {}, QString::fromLatin1(answer)};
}

Item specialist(const QStringList& options, const char* answer) {
    return {0, QStringLiteral("Co?"), options, QString::fromLatin1(answer)};
}

TEST(Cues, AKeywordThatFollowsTheAnswerIsFound) {
    // "wolno" questions are all N, "obowiązek" questions all T: the wording alone answers.
    std::vector<Item> items;
    for (int i = 0; i < 30; ++i) {
        items.push_back(basic(QStringLiteral("Czy wolno Ci skręcić %1?").arg(i), "N"));
        items.push_back(basic(QStringLiteral("Czy masz obowiązek stanąć %1?").arg(i), "T"));
    }
    const cues::Report r = cues::analyse(items, {});
    EXPECT_DOUBLE_EQ(r.bestBasic(), 1.0);
    // Every word of only one kind of question predicts perfectly; the best are listed.
    ASSERT_GE(r.basicRules.size(), 3u);
    EXPECT_TRUE(r.basicRules[2].name.startsWith(u'„')) << r.basicRules[2].name.toStdString();
    EXPECT_DOUBLE_EQ(r.basicRules[2].accuracy, 1.0);
    EXPECT_DOUBLE_EQ(
        accuracyOf(r.basicRules, QStringLiteral("typ wyrażenia → jego częstsza odpowiedź")), 1.0);
    ASSERT_EQ(r.phraseTypes.size(), 2u);
    EXPECT_EQ(r.phraseTypes[0].name, QStringLiteral("„wolno”"));
    EXPECT_EQ(r.phraseTypes[0].t, 0);
    EXPECT_EQ(r.phraseTypes[0].n, 30);
    EXPECT_FALSE(cues::withinBounds(r));
    EXPECT_TRUE(cues::format(r).contains(QStringLiteral("Ponad granicą.")));
}

TEST(Cues, ABalancedBankStaysNearChance) {
    // Every phrase type half T, half N: no rule does better than a few points over a coin.
    std::vector<Item> items;
    const QStringList phrases{QStringLiteral("Czy wolno Ci jechać"),
                              QStringLiteral("Czy masz obowiązek stanąć"),
                              QStringLiteral("Czy musisz zwolnić"), QStringLiteral("Czy ten znak")};
    for (int i = 0; i < 200; ++i)
        items.push_back(
            basic(QStringLiteral("%1 %2?").arg(phrases[i % 4]).arg(i), (i / 4) % 2 ? "T" : "N"));
    const cues::Report r = cues::analyse(items, {});
    EXPECT_LT(r.bestBasic(), 0.51);
    EXPECT_TRUE(cues::withinBounds(r)) << cues::format(r).toStdString();
}

TEST(Cues, SpecialistRulesScoreWhatTheLengthsAndAbsoluteWordsGiveAway) {
    const QString shortest = QStringLiteral("krótka"), middle = QStringLiteral("średnia odp"),
                  longest = QStringLiteral("najdłuższa odpowiedź");
    const struct {
        const char* what;
        std::vector<Item> items;
        const char* rule;
        double accuracy;
    } cases[] = {
        {"the longest is always right",
         {specialist({shortest, middle, longest}, "C"),
          specialist({longest, shortest, middle}, "A")},
         "najdłuższa odpowiedź",
         1.0},
        {"the longest is never right, so avoiding it wins half the time",
         {specialist({shortest, middle, longest}, "A"),
          specialist({longest, middle, shortest}, "C")},
         "losowo spośród odpowiedzi innych niż najdłuższa",
         0.5},
        {"options of one length share the credit",
         {specialist({QStringLiteral("aaa"), QStringLiteral("bbb"), QStringLiteral("ccc")}, "B")},
         "najdłuższa odpowiedź",
         1.0 / 3},
        {"an option with an absolute word is never right",
         {specialist({QStringLiteral("zawsze stoisz"), middle, shortest}, "B"),
          specialist({shortest, QStringLiteral("nigdy nie stoisz"), middle}, "A")},
         "losowo spośród odpowiedzi bez słów bezwzględnych",
         0.5},
        {"the option of middle length is always right",
         {specialist({shortest, middle, longest}, "B"),
          specialist({longest, shortest, middle}, "C")},
         "środkowa długością odpowiedź",
         1.0},
        {"the middle length shared by two options",
         {specialist({QStringLiteral("aa"), QStringLiteral("bbbbb"), QStringLiteral("ccccc")},
                     "B")},
         "środkowa długością odpowiedź",
         0.5},
        {"the absolute word is on the right option",
         {specialist({QStringLiteral("tylko prawym pasem"), middle, shortest}, "A")},
         "losowo spośród odpowiedzi ze słowem bezwzględnym",
         1.0},
    };
    for (const auto& c : cases) {
        const cues::Report r = cues::analyse({}, c.items);
        EXPECT_NEAR(accuracyOf(r.specialistRules, QString::fromUtf8(c.rule)), c.accuracy, 1e-9)
            << c.what;
    }
}

TEST(Cues, RightOptionsLongerOnAverageBreakTheBounds) {
    // The right option is the longest, the middle and the shortest twice each, so no rule does
    // better than a third; but where it is the longest it is far longer, so on average the right
    // options are the longer ones.
    const auto x = [](int length) { return QString(length, u'x'); };
    const std::vector<Item> items{
        specialist({x(2), x(3), x(50)}, "C"), specialist({x(50), x(2), x(3)}, "A"),
        specialist({x(1), x(5), x(9)}, "B"),  specialist({x(9), x(1), x(5)}, "C"),
        specialist({x(1), x(5), x(9)}, "A"),  specialist({x(9), x(1), x(5)}, "B"),
    };
    const cues::Report r = cues::analyse({}, items);
    EXPECT_NEAR(r.bestSpecialist(), 1.0 / 3, 1e-9);
    EXPECT_GT(r.rightLength, r.wrongLength);
    EXPECT_FALSE(cues::withinBounds(r));
}

TEST(Cues, ATextRepeatedWithOneAnswerBreaksTheBounds) {
    // A learner who remembers the answer of each repeated text: one text used often with one
    // answer gives it away even when every other rule stays near chance.
    const auto bank = [](int times, int yes) {
        std::vector<Item> items;
        for (int i = 0; i < times; ++i)
            items.push_back(basic(QStringLiteral("Czy w tej sytuacji  masz pierwszeństwo?"),
                                  i < yes ? "T" : "N"));
        // the rest half T, half N, each text once
        for (int i = 0; i < 200; ++i)
            items.push_back(
                basic(QStringLiteral("Czy wolno Ci jechać %1?").arg(i), i % 2 ? "T" : "N"));
        return items;
    };
    const struct {
        const char* what;
        int times, yes;
        bool within;
        std::size_t repeated;
    } cases[] = {
        {"used six times, always N", 6, 0, false, 1},
        {"used eight times, seven T", 8, 7, false, 1},
        {"used eight times, six T (75 %)", 8, 6, true, 1},
        {"used four times, always N", 4, 0, false, 1},
        {"used four times, three T (75 %)", 4, 3, true, 1},
        {"used three times, always N: too few to count", 3, 0, true, 0},
    };
    for (const auto& c : cases) {
        const cues::Report r = cues::analyse(bank(c.times, c.yes), {});
        EXPECT_EQ(r.repeated.size(), c.repeated) << c.what;
        EXPECT_EQ(cues::withinBounds(r), c.within) << c.what << "\n"
                                                   << cues::format(r).toStdString();
    }
    // the same text in other case and spacing is the same text
    std::vector<Item> items = bank(2, 0);
    items.push_back(basic(QStringLiteral("czy w tej sytuacji masz pierwszeństwo?"), "N"));
    items.push_back(basic(QStringLiteral("Czy w tej sytuacji masz pierwszeństwo? "), "N"));
    EXPECT_FALSE(cues::withinBounds(cues::analyse(items, {})));
}

TEST(Cues, AbsoluteWords) {
    for (const char* word : {"zawsze", "Nigdy", "nigdzie", "wyłącznie", "jedynie", "tylko",
                             "każdej", "wszystkich", "żadnego", "całkowicie", "bezwzględnie"})
        EXPECT_TRUE(cues::isAbsolute(QString::fromUtf8(word))) << word;
    for (const char* word : {"zawracać", "tylne", "każe", "prawie", "często", ""})
        EXPECT_FALSE(cues::isAbsolute(QString::fromUtf8(word))) << word;
}

TEST(Cues, TheSourcesAndTheBuiltBankReadAlike) {
    test::TempFolders dirs;
    ASSERT_EQ(demo::buildBank(QStringLiteral(WIRTAL_DEMO_SOURCES), dirs.program()), 0);
    std::vector<Item> sourceBasic, sourceSpecialist, bankBasic, bankSpecialist;
    QStringList problems;
    cues::readFolder(QStringLiteral(WIRTAL_DEMO_SOURCES), &sourceBasic, &sourceSpecialist,
                     &problems);
    cues::readFolder(dirs.program(), &bankBasic, &bankSpecialist, &problems);
    ASSERT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    ASSERT_EQ(sourceBasic.size(), std::size_t(classicBasicCount));
    ASSERT_EQ(sourceSpecialist.size(), std::size_t(lastQuestion - classicBasicCount));
    ASSERT_EQ(bankBasic.size(), sourceBasic.size());
    ASSERT_EQ(bankSpecialist.size(), sourceSpecialist.size());
    const auto same = [](const Item& a, const Item& b) {
        return a.n == b.n && a.text == b.text && a.options == b.options && a.answer == b.answer;
    };
    for (std::size_t i = 0; i < sourceBasic.size(); ++i)
        EXPECT_TRUE(same(sourceBasic[i], bankBasic[i])) << "question " << sourceBasic[i].n;
    for (std::size_t i = 0; i < sourceSpecialist.size(); ++i)
        EXPECT_TRUE(same(sourceSpecialist[i], bankSpecialist[i]))
            << "question " << sourceSpecialist[i].n;
}

TEST(Cues, TheDemoBankGivesNothingAway) {
    std::vector<Item> basicItems, specialistItems;
    QStringList problems;
    cues::readFolder(QStringLiteral(WIRTAL_DEMO_SOURCES), &basicItems, &specialistItems, &problems);
    ASSERT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    const cues::Report r = cues::analyse(basicItems, specialistItems);
    EXPECT_TRUE(cues::withinBounds(r)) << cues::format(r).toStdString();
}

} // namespace
