// SPDX-License-Identifier: GPL-3.0-or-later

// The demo bank: its sources build into bank files that read back, through the program's own
// lookup, to exactly the source fields; every draw range gives a flawless test 74 points; media
// items name their files; bad sources are refused with the question's number.

#include "art/mediaitem.h"
#include "bank/bank.h"
#include "bankbuild.h"
#include "base/textfile.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace wirtal;

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class BuiltBank : public ::testing::TestWithParam<const char*> {};

TEST_P(BuiltBank, ReadsBackThroughLookupToTheSourceFields) {
    const QString sources = QString::fromUtf8(GetParam());
    QStringList problems;
    const auto questions = demo::loadQuestions(sources, &problems);
    ASSERT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    ASSERT_FALSE(questions.empty());

    test::TempFolders dirs;
    ASSERT_EQ(demo::buildBank(sources, dirs.program()), 0);
    for (const QString& name : {QStringLiteral("0wx.dll"), QStringLiteral("02x.dll")}) {
        const QByteArray bytes = readFile(dirs.program() + name);
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << "no byte-order mark: Windows-1250";
        EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n")) << "every line ends with CR LF";
    }
    for (const auto& [n, q] : questions) {
        const Record r = lookup(QStringLiteral("B"), n);
        EXPECT_EQ(r.fields, demo::recordFields(q)) << "question " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, BuiltBank,
                         ::testing::Values(WIRTAL_DEMO_SOURCES, WIRTAL_DEMO_EXAMPLE));

TEST(DemoBank, HoldsEveryNumberAndEveryDrawRangeScoresAFlawlessTest74) {
    test::TempFolders dirs;
    ASSERT_EQ(demo::buildBank(QStringLiteral(WIRTAL_DEMO_SOURCES), dirs.program()), 0);
    // The slots of a test: their ranges of numbers and the points their questions carry.
    struct Slot {
        int from, to, points;
    };
    const Slot ranges[] = {{1, 109, 3},     {110, 218, 3},   {219, 387, 3},   {388, 470, 3},
                           {471, 535, 3},   {536, 599, 3},   {600, 633, 3},   {634, 669, 3},
                           {670, 707, 3},   {720, 764, 3},   {765, 813, 2},   {814, 880, 2},
                           {881, 950, 2},   {951, 1014, 2},  {1015, 1084, 2}, {1085, 1111, 2},
                           {1112, 1158, 1}, {1159, 1222, 1}, {1223, 1232, 1}, {1239, 1296, 1},
                           {1298, 1307, 3}, {1308, 1315, 3}, {1316, 1322, 3}, {1336, 1355, 3},
                           {1358, 1378, 3}, {1379, 1385, 3}, {1386, 1392, 2}, {1393, 1407, 2},
                           {1408, 1429, 2}, {1430, 1436, 2}, {1437, 1443, 1}, {1461, 1476, 1}};
    // Read as the test draw reads: each bank file once, the records taken from that reading.
    std::map<QString, QStringList> files;
    const auto record = [&](int n) {
        const Location where = locate(QStringLiteral("B"), n);
        if (!files.contains(where.path))
            files[where.path] = loadTextLines(where.path);
        return recordAt(files[where.path], where, n);
    };
    int flawless = 0;
    for (const Slot& s : ranges) {
        for (int n = s.from; n <= s.to; ++n)
            EXPECT_EQ(record(n).points(), QString::number(s.points)) << "question " << n;
        flawless += s.points;
    }
    EXPECT_EQ(flawless, 74);
    for (int n = 1; n <= lastQuestion; ++n) {
        const Record r = record(n);
        ASSERT_EQ(r.fields.size(), r.kind == QuestionKind::Basic ? 4 : 7) << "question " << n;
        EXPECT_FALSE(r.text().isEmpty()) << "question " << n;
    }
}

TEST(MediaItem, GivesOneFileNamePerPicture) {
    const struct {
        const char* item;
        const char* file;
    } cases[] = {
        {"sign:B-20", "sign_B-20.jpg"},
        {"sign:B-33/50", "sign_B-33-50.jpg"},
        {"sign:A-7+T-6/bl", "sign_A-7_T-6-bl.jpg"},
        {"light:S-3/left-green", "light_S-3-left-green.jpg"},
        {"dash:oil", "dash_oil.jpg"},
        {"film:ped-zebra", "film_ped-zebra.wmv"},
        {"scene:cross?ty=sl&a=ws", "scene_cross_ty-sl_a-ws.jpg"},
        {"scene:cross?a=ws&ty=sl", "scene_cross_ty-sl_a-ws.jpg"}, // any order of parameters
        {"scene:cross?main=none&ty=ss", "scene_cross.jpg"},       // defaults dropped
        {"scene:road?sign=B-33/50&ped=crossing", "scene_road_sign-B-33-50_ped-crossing.jpg"},
        {"scene:cpr", "scene_cpr.jpg"},
        {"scene:road?road=express-single&sign=D-7", "scene_road_road-express-single_sign-D-7.jpg"},
        {"scene:road?lanes=3&road=motorway&lane=middle",
         "scene_road_road-motorway_lane-middle_lanes-3.jpg"},
        {"scene:road?sign=F-10&lane=middle", "scene_road_sign-F-10_lane-middle.jpg"},
        {"scene:road?lanes=2&drive=left", "scene_road_drive-left.jpg"}, // lanes=2 is the default
        {"scene:cross?wide=ns&street=town&ty=sl", "scene_cross_ty-sl_street-town_wide-ns.jpg"},
    };
    for (const auto& c : cases) {
        QString why;
        const auto item = media::parseItem(QString::fromUtf8(c.item), &why);
        ASSERT_TRUE(item) << c.item << ": " << why.toStdString();
        EXPECT_EQ(media::fileNameOf(*item), QString::fromUtf8(c.file)) << c.item;
    }
}

TEST(MediaItem, RefusesWhatTheCatalogDoesNotHold) {
    for (const char* bad :
         {"B-20", "sign:B-99", "sign:B-33", "sign:B-33/55", "sign:B-20/3", "sign:T-1/150",
          "sign:A-1+A-2+A-3+A-4", "light:purple", "dash:radio", "film:chase", "scene:moon",
          "scene:cross?ty=xx", "scene:cross?weather=fog", "scene:cross?ty=ss&ty=sl",
          "scene:road?car=flying", "scene:cpr?ty=ss", "sign:B-20 ", "scene:road?sign=B-99",
          // three lanes one way only on a dual carriageway; a middle lane only where there is one
          "scene:road?lanes=3", "scene:road?road=town&lanes=3",
          "scene:road?road=motorway&lane=middle", "scene:road?lane=middle&sign=B-20",
          "scene:road?drive=right"}) {
        QString why;
        EXPECT_FALSE(media::parseItem(QString::fromUtf8(bad), &why)) << bad;
        EXPECT_FALSE(why.isEmpty()) << bad;
    }
}

TEST(BankBuild, RefusesBadSourcesNamingTheQuestion) {
    const struct {
        const char* json;
        const char* problem;
    } cases[] = {
        {R"([{"n":1,"text":"Czy?","answer":"T","media":"sign:B-2","points":2}])",
         "pytanie 1: punkty 2"},
        {R"([{"n":2,"text":"Czy?","answer":"A","media":"sign:B-2","points":3}])",
         "pytanie 2: odpowiedź"},
        {R"([{"n":3,"text":"Czy?","answer":"T","media":"sign:B-99","points":3}])", "nieznany znak"},
        {R"([{"n":4,"text":"Czy?","answer":"T","media":"sign:B-2","points":3,"why":"x"}])",
         "nieznany klucz"},
        {R"([{"n":1300,"text":"Co?","a":"x","b":"y","answer":"A","media":"dash:oil","points":3}])",
         "brak tekstu „c”"},
        {R"([{"n":5,"text":"Czy?","answer":"T","media":"sign:B-2","points":3},
             {"n":6,"text":"Czy?","answer":"N","media":"sign:B-2","points":3}])",
         "ten sam tekst i obraz co pytanie 5"},
        {R"([{"n":7,"text":"Czy?","answer":"T","media":"sign:B-2","points":3},
             {"n":7,"text":"Czy nie?","answer":"T","media":"sign:B-2","points":3}])",
         "numer jest już"},
        {R"([{"n":8,"text":"Czy ☺?","answer":"T","media":"sign:B-2","points":3}])",
         "znak spoza Windows-1250"},
        {R"({"n":9})", "to nie jest tablica"},
    };
    for (const auto& c : cases) {
        QTemporaryDir sources, out;
        writeFile(sources.filePath(QStringLiteral("q.json")), QByteArray(c.json));
        QStringList problems;
        const auto questions = demo::loadQuestions(sources.path(), &problems);
        demo::bankFile(questions, 1, classicBasicCount, &problems);
        EXPECT_TRUE(problems.join(u'\n').contains(QString::fromUtf8(c.problem)))
            << c.json << "\n"
            << problems.join(u'\n').toStdString();
        EXPECT_EQ(demo::buildBank(sources.path(), out.path()), 1) << c.json;
        EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("0wx.dll")))) << c.json;
    }
}

} // namespace
