// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/revisionfile.h"
#include "platform/error.h"
#include "support/tempdirs.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::test;

TEST(RevisionFile, NamesTheFileOfEachCategory) {
    EXPECT_EQ(revisionFileFor(QStringLiteral("A")), QStringLiteral("repeat-a.txt"));
    EXPECT_EQ(revisionFileFor(QStringLiteral("B")), QStringLiteral("repeat-b.txt"));
    EXPECT_EQ(revisionFileFor(QStringLiteral("T")), QStringLiteral("repeat-t.txt"));
    EXPECT_EQ(revisionFileFor(QString()), QString());
    EXPECT_EQ(revisionFileFor(QStringLiteral("b")), QString());
    EXPECT_EQ(revisionFileFor(QStringLiteral("E")), QString());
}

TEST(RevisionFile, KeepsTheNumbersAndSkipsLinesThatAreNone) {
    struct Case {
        QStringList lines;
        QStringList entries;
    };
    const Case cases[] = {
        {{"5", "9"}, {"5", "9"}},
        {{"12", "12", "40"}, {"12", "12", "40"}}, // the same number may stand twice
        {{"12", "abc", "", "-3", "4x", "7"}, {"12", "7"}},
        {{" 40 ", "\t8"}, {"40", "8"}}, // blanks around the digits
        {{"007"}, {"7"}},
        {{"99999999999999"}, {}}, // far too long for a question number
        {{}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(revisionEntries(c.lines), c.entries) << c.lines.join(u'|').toStdString();
}

TEST(RevisionFile, SavesEveryLineWithCrLfCreatingTheFileAndReadsItBack) {
    TempFolders folders;
    const QString path = folders.userData() + QStringLiteral("repeat-b.txt");
    EXPECT_EQ(loadRevisionFile(path), QStringList()); // missing: empty
    saveRevisionFile(path, {QStringLiteral("5"), QStringLiteral("9")});
    EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), QByteArray("5\r\n9\r\n"));
    EXPECT_EQ(loadRevisionFile(path), (QStringList{QStringLiteral("5"), QStringLiteral("9")}));
    saveRevisionFile(path, {});
    EXPECT_EQ(folders.readUserFile(QStringLiteral("repeat-b.txt")), QByteArray());

    // Written by another editor: LF only, a UTF-8 mark, a damaged line.
    folders.writeUserFile(QStringLiteral("repeat-b.txt"), QByteArray("\xEF\xBB\xBF"
                                                                     "3\n1x\n1479"));
    EXPECT_EQ(loadRevisionFile(path), (QStringList{QStringLiteral("3"), QStringLiteral("1479")}));
}

TEST(RevisionFile, ReportsAFolderItCannotWriteInto) {
    TempFolders folders;
    const QString path = folders.userData() + QStringLiteral("brak/repeat-b.txt");
    EXPECT_THROW(saveRevisionFile(path, {QStringLiteral("1")}), Error);
}
