// SPDX-License-Identifier: GPL-3.0-or-later

// The history by bank: a catalogue's answers are its own, and what an earlier version recorded
// for a catalogue under the plain category code is moved to it, cards and all.

#include "history/answerlog.h"
#include "support/tempdirs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::test;

namespace {
constexpr qint64 day = 24LL * 3600 * 1000;
constexpr qint64 importedAt = 1'772'000'000'000LL;
} // namespace

TEST(AnswerLogBanks, AnEarlierCataloguesAnswersMoveToItAndTheCardsFollow) {
    TempFolders folders; // a classic program folder: the plain keys
    QTemporaryDir dir;
    auto log = AnswerLog::open(dir.filePath(QStringLiteral("h.sqlite")), nullptr);
    ASSERT_TRUE(log);
    const QString b = QStringLiteral("B");
    // The demo bank's answers before the import, the catalogue's after it (as an earlier
    // version recorded them, under "B"): question 99 is both.
    log->record(b, 99, false, AnswerMode::Learning, importedAt - 2 * day, 10);
    log->record(b, 100, true, AnswerMode::Learning, importedAt - day, 10);
    log->record(b, 99, true, AnswerMode::Learning, importedAt + day, 10);
    log->record(b, 10969, false, AnswerMode::Exam, importedAt + day, 10);
    log->recordExam(b, importedAt - day, 70, true);
    log->recordExam(b, importedAt + day, 40, false);

    EXPECT_EQ(log->moveToCatalogue(importedAt), 2);
    const QHash<int, Card> demo = log->cards(b);
    EXPECT_EQ(demo.keys().size(), 2);
    EXPECT_EQ(demo.value(99).seen, 1);
    EXPECT_FALSE(demo.value(99).lastRight);
    EXPECT_EQ(demo.value(100).seen, 1);
    ASSERT_EQ(log->exams(b).size(), 1u);
    EXPECT_EQ(log->exams(b).front().score, 70);

    // The catalogue's, seen with a catalogue as the program folder.
    folders.writeProgramFile(QStringLiteral("katalog.ini"), "[katalog]\r\nkategorie=B\r\n");
    const QHash<int, Card> official = log->cards(b);
    EXPECT_EQ(official.keys().size(), 2);
    EXPECT_EQ(official.value(99).seen, 1);
    EXPECT_TRUE(official.value(99).firstRight);
    EXPECT_EQ(official.value(10969).seen, 1);
    ASSERT_EQ(log->exams(b).size(), 1u);
    EXPECT_EQ(log->exams(b).front().score, 40);
    EXPECT_EQ(log->answerCount(b), 2);
    // Once moved, nothing is left to move; a new answer goes to the catalogue.
    EXPECT_EQ(log->moveToCatalogue(importedAt), 0);
    log->record(b, 10969, true, AnswerMode::Learning, importedAt + 2 * day, 10);
    EXPECT_EQ(log->cards(b).value(10969).seen, 2);
}
