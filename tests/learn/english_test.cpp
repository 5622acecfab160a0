// SPDX-License-Identifier: GPL-3.0-or-later

// English texts of an imported catalogue on the learning page: the switch appears only on
// questions that have them, changes only the texts, stays for the next questions and is kept
// for the next start.

#include "learnfixture.h"
#include "support/cataloguefolder.h"

#include <QToolButton>

using namespace wirtal;
using namespace wirtal::test;

class EnglishLearningTest : public LearnFixture {
protected:
    QToolButton* toggle() { return find<QToolButton>(QStringLiteral("jezykbutton")); }
    QString question() {
        LearnPage* p = page();
        return p->panels()->yesNoQuestion()->isVisibleTo(p) ? p->panels()->yesNoQuestion()->text()
                                                            : p->panels()->abcQuestion()->text();
    }
};

TEST_F(EnglishLearningTest, TheSwitchShowsEnglishTextsAndBackAndIsRemembered) {
    writeCatalogueFolder(folders, QStringLiteral("C"), 3, 2, true, /*withoutEnglish=*/{2});
    window().navigation()->chooseCategory(QStringLiteral("C"));
    go(1);
    ASSERT_TRUE(toggle()->isVisibleTo(page()));
    EXPECT_EQ(question(), QStringLiteral("Pytanie 1"));
    EXPECT_EQ(toggle()->text(), QStringLiteral("EN"));

    toggle()->click();
    EXPECT_EQ(question(), QStringLiteral("Question 1"));
    EXPECT_EQ(toggle()->text(), QStringLiteral("PL"));
    EXPECT_EQ(readIni(QStringLiteral("ustawienia.ini"), QStringLiteral("pytania"),
                      QStringLiteral("jezyk"), QString()),
              QStringLiteral("en"));

    go(2); // no English text: Polish, and no switch
    EXPECT_EQ(question(), QStringLiteral("Pytanie 2"));
    EXPECT_FALSE(toggle()->isVisibleTo(page()));

    go(5); // the choice stays: a specialist question with its options in English
    EXPECT_EQ(question(), QStringLiteral("Question 5"));
    EXPECT_EQ(page()->panels()->answerText(1)->text(), QStringLiteral("Option B 5"));

    toggle()->click();
    EXPECT_EQ(question(), QStringLiteral("Pytanie 5"));
    EXPECT_EQ(page()->panels()->answerText(1)->text(), QStringLiteral("Odpowiedź B 5"));
}

TEST_F(EnglishLearningTest, AFolderWithoutEnglishNeverShowsTheSwitch) {
    folders.writeUserFile(QStringLiteral("ustawienia.ini"), "[pytania]\r\njezyk=en\r\n");
    writeCatalogueFolder(folders, QStringLiteral("C"), 3, 2, false);
    window().navigation()->chooseCategory(QStringLiteral("C"));
    for (int n : {1, 4}) {
        go(n);
        EXPECT_FALSE(toggle()->isVisibleTo(page())) << n;
        EXPECT_EQ(question(), QStringLiteral("Pytanie %1").arg(n));
    }
}
