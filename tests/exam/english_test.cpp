// SPDX-License-Identifier: GPL-3.0-or-later

// A test in English: the language is chosen before the draw, holds for the whole test, and the
// choice is offered only where the category's questions carry English texts.

#include "app/navigation.h"
#include "examfixture.h"
#include "support/cataloguefolder.h"

#include <QCheckBox>

using namespace wirtal;
using namespace wirtal::test;

class EnglishExamTest : public ExamFixture {
protected:
    QCheckBox* choice() { return find<QCheckBox>(QStringLiteral("angielskitest")); }
    void openCategoryC(bool english) {
        writeCatalogueFolder(folders, QStringLiteral("C"), 30, 18, english);
        window().navigation()->chooseCategory(QStringLiteral("C"));
        click(QStringLiteral("AdvSmoothButton37"));
    }
    // The question text of the current slot once it can be answered.
    QString shownQuestion() {
        EXPECT_TRUE(waitForAnswering());
        return isBasicSlot(session().currentSlot()) ? ui().yesNoQuestion->text()
                                                    : ui().abcQuestion->text();
    }
};

TEST_F(EnglishExamTest, TheWholeTestIsInTheLanguageChosenBeforeTheDraw) {
    openCategoryC(true);
    ASSERT_FALSE(choice()->isHidden());
    EXPECT_TRUE(choice()->isEnabled());
    choice()->setChecked(true);
    draw();
    EXPECT_FALSE(choice()->isEnabled()); // no change of language within a test
    EXPECT_TRUE(session().inEnglish());
    for (int k = 1; k <= 21; ++k) { // every basic slot and the first specialist one
        const QString text = shownQuestion();
        EXPECT_TRUE(text.startsWith(QStringLiteral("Question "))) << k << " " << text.toStdString();
        if (k == 21) {
            EXPECT_TRUE(ui().answerTextB->text().startsWith(QStringLiteral("Option B ")));
        }
        click(QStringLiteral("NextTestButton"));
    }
    click(QStringLiteral("koniec"));
    EXPECT_FALSE(session().running());
    EXPECT_TRUE(choice()->isEnabled()); // between tests it can change again

    choice()->setChecked(false);
    draw();
    EXPECT_FALSE(session().inEnglish());
    EXPECT_TRUE(shownQuestion().startsWith(QStringLiteral("Pytanie ")));
}

TEST_F(EnglishExamTest, NoChoiceWithoutEnglishTexts) {
    openCategoryC(false);
    EXPECT_TRUE(choice()->isHidden());
    draw();
    EXPECT_FALSE(session().inEnglish());
    EXPECT_TRUE(shownQuestion().startsWith(QStringLiteral("Pytanie ")));
}
