// SPDX-License-Identifier: GPL-3.0-or-later

// Topics, the test's pools and the practice queues over a classic folder.
#include "bank/topics.h"
#include "exam/draw.h"
#include "exam/exampools.h"
#include "history/answerlog.h"
#include "progress/progressmodel.h"
#include "support/tempdirs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace wirtal;
using namespace wirtal::test;

namespace {

// A classic folder of category B whose every record is worth its slot's points.
class ClassicFolder : public ::testing::Test {
protected:
    void SetUp() override {
        QStringList basic{QStringLiteral("\"header\"")}, special{QStringLiteral("\"header\"")};
        const SlotRanges& ranges = categoryBRanges();
        auto pointsOf = [&](int n) {
            for (int k = 1; k <= 32; ++k)
                if (ranges[std::size_t(k)].contains(n))
                    return structurePoints(k);
            return 1;
        };
        for (int n = 1; n <= 1297; ++n)
            basic << quotedLine({QStringLiteral("Pytanie %1").arg(n), QStringLiteral("T"),
                                 QString(), QString::number(pointsOf(n))});
        for (int n = 1298; n <= 1479; ++n)
            special << quotedLine({QStringLiteral("Pytanie %1").arg(n), QStringLiteral("a"),
                                   QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("A"),
                                   QString(), QString::number(pointsOf(n))});
        folders.writeProgramFile(QStringLiteral("0wx.dll"),
                                 cp1250(basic.join(QStringLiteral("\r\n"))));
        folders.writeProgramFile(QStringLiteral("02x.dll"),
                                 cp1250(special.join(QStringLiteral("\r\n"))));
    }
    TempFolders folders;
};

TEST_F(ClassicFolder, TopicsCoverEveryQuestionOnce) {
    const TopicList list = topicsOf(QStringLiteral("B"));
    ASSERT_TRUE(list.namedTopics);
    int expected = 1;
    for (const Topic& t : list.topics) {
        EXPECT_EQ(t.first, expected) << t.name.toStdString();
        EXPECT_GE(t.last, t.first);
        EXPECT_FALSE(t.name.isEmpty());
        expected = t.last + 1;
    }
    EXPECT_EQ(expected, 1480);
    EXPECT_EQ(list.topics.back().name, QStringLiteral("Pytania specjalistyczne"));
}

TEST_F(ClassicFolder, ThePoolsAreTheSlotsAsTheTestDrawsThem) {
    const ExamPools pools = examPools(QStringLiteral("B"));
    ASSERT_EQ(pools.size(), 32u);
    int points = 0;
    for (int k = 1; k <= 32; ++k) {
        const auto& pool = pools[std::size_t(k - 1)];
        const DrawRange r = categoryBRanges()[std::size_t(k)];
        ASSERT_EQ(int(pool.size()), r.to - r.from + 1) << k;
        EXPECT_EQ(pool.front().question, r.from);
        EXPECT_EQ(pool.front().basic, k <= 20);
        for (const PoolQuestion& q : pool)
            EXPECT_EQ(q.points, structurePoints(k));
        points += pool.front().points;
    }
    EXPECT_EQ(points, 74);
}

TEST_F(ClassicFolder, QueuesPutWhatNeedsWorkFirst) {
    QTemporaryDir dir;
    auto log = AnswerLog::open(dir.filePath(QStringLiteral("h.sqlite")), nullptr);
    ASSERT_TRUE(log);
    const qint64 day = 24LL * 3600 * 1000, t0 = 1'765'000'000'000LL;
    const QString b = QStringLiteral("B");
    log->record(b, 5, false, AnswerMode::Learning, t0, 10); // weak
    log->record(b, 2, true, AnswerMode::Learning, t0, 10);  // seen, due after a day
    for (int i = 0; i < 3; ++i)                             // mastered
        log->record(b, 3, true, AnswerMode::Learning,
                    t0 + qint64(i == 0   ? 0
                                : i == 1 ? 1
                                         : 7) *
                             day,
                    10);

    EXPECT_EQ(topicQueue(b, log.get(), 1, 6), (std::vector<int>{5, 1, 4, 6, 2, 3}));
    const std::vector<int> fresh = newQuestionsQueue(b, log.get());
    EXPECT_EQ(fresh.size(), 1479u - 3);
    EXPECT_EQ(fresh[0], 1);
    EXPECT_EQ(fresh[1], 4);
    EXPECT_EQ(smartReviewQueue(b, log.get(), t0 + 2 * day), (std::vector<int>{5, 2}));
    EXPECT_EQ(smartReviewQueue(b, nullptr, t0).size(), 0u);
    // Without a history everything is new.
    EXPECT_EQ(newQuestionsQueue(b, nullptr).size(), 1479u);
    const ProgressSummary s = summarize(b, log.get(), t0 + 8 * day);
    EXPECT_EQ(s.total.count[std::size_t(CardState::Mastered)], 1);
    EXPECT_EQ(s.readiness.answers, 5);
}

TEST(LegalBasis, TheReferencePageFollowsTheBasis) {
    const struct {
        const char* basis;
        const char* page;
    } cases[] = {
        {"rozp. w sprawie znaków i sygnałów drogowych – znak A-12a", "ostrzegawcze.htm"},
        {"rozp. w sprawie znaków i sygnałów drogowych (B-35, B-36, B-37); PoRD art. 2",
         "zakazu.htm"},
        {"rozp. w sprawie znaków i sygnałów drogowych, znak P-1", "poziome.htm"},
        {"ustawa Prawo o ruchu drogowym, art. 20 ust. 3", "kodeks.html"},
        {"PoRD art. 24 ust. 7 pkt 2", "kodeks.html"},
        {"wytyczne Europejskiej Rady Resuscytacji (ERC)", ""},
    };
    for (const auto& c : cases) {
        const QString page = referencePageFor(QString::fromUtf8(c.basis));
        if (*c.page)
            EXPECT_TRUE(page.endsWith(QLatin1String(c.page)))
                << c.basis << " -> " << page.toStdString();
        else
            EXPECT_TRUE(page.isEmpty()) << c.basis;
    }
}

} // namespace
