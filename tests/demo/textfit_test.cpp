// SPDX-License-Identifier: GPL-3.0-or-later

// Every question and answer text of the built demo bank shows whole in every text box it can
// appear in: the learning page's question panels, and the exam page's (where the review after a
// test shows the same boxes). Laid out with the program's own fonts at the boxes' real sizes;
// the main window's panel is a fixed 1089 x 650 at every window size from 1366 x 768 up, so the
// boxes are the same at that size.

#include "bank/bank.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "exam/examui.h"
#include "learn/answerpanels.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>

using namespace wirtal;

namespace {

// Why the label's text does not show whole in it, or an empty string when it does.
QString overflow(const QLabel* l) {
    const int m = l->margin();
    const QRect box = l->contentsRect().adjusted(m, m, -m, -m);
    const QRect text = QFontMetrics(l->font()).boundingRect(
        box, int(l->alignment()) | Qt::TextWordWrap, l->text());
    QStringList why;
    if (text.width() > box.width())
        why << QStringLiteral("%1 px wide in %2").arg(text.width()).arg(box.width());
    if (text.height() > box.height())
        why << QStringLiteral("%1 px high in %2").arg(text.height()).arg(box.height());
    if (l->heightForWidth(l->width()) > l->height())
        why << QStringLiteral("the label needs %1 px of %2")
                   .arg(l->heightForWidth(l->width()))
                   .arg(l->height());
    const double points = QFontInfo(l->font()).pointSizeF();
    if (points < 9)
        why << QStringLiteral("%1 pt is too small to read").arg(points);
    return why.join(QStringLiteral(", "));
}

class DemoBankTexts : public ::testing::Test {
protected:
    void SetUp() override { Paths::setProgramFolder(QStringLiteral(WIRTAL_PROGRAM_FOLDER)); }

    // Every record of category B's banks, each file read once.
    std::vector<Record> records() {
        std::map<QString, QStringList> files;
        std::vector<Record> out;
        for (int n = 1; n <= lastQuestion; ++n) {
            const Location where = locate(QStringLiteral("B"), n);
            if (!files.contains(where.path))
                files[where.path] = loadTextLines(where.path);
            if (where.line >= files[where.path].size())
                continue;
            out.push_back(recordAt(files[where.path], where, n));
        }
        return out;
    }

    // Shows the text as the program does and notes when it does not show whole.
    void expectWhole(WrappedText* l, const QString& text, int n, QStringList& faults) {
        l->showText(text);
        const QString why = overflow(l);
        if (!why.isEmpty())
            faults << QStringLiteral("%1 %2: %3 (%4)").arg(n).arg(l->objectName(), why, text);
    }
};

TEST_F(DemoBankTexts, ShowWholeOnTheLearningPageAndInTheExam) {
    AnswerPanels learning;
    QWidget examPage;
    examPage.resize(939, 650);
    const ExamUi exam = buildExamUi(&examPage);
    ASSERT_EQ(QFontInfo(learning.yesNoQuestion()->font()).family(), QStringLiteral("DejaVu Sans"))
        << "the program's font (fonts-dejavu-core) is not the one the tests lay out with";

    const std::vector<Record> all = records();
    ASSERT_GT(all.size(), 1000u);
    QStringList faults;
    int specialist = 0;
    for (const Record& r : all) {
        if (r.kind == QuestionKind::Basic) {
            expectWhole(learning.yesNoQuestion(), r.field(basicField::text), r.number, faults);
            expectWhole(exam.yesNoQuestion, r.field(basicField::text), r.number, faults);
            continue;
        }
        ++specialist;
        expectWhole(learning.abcQuestion(), r.field(specialistField::text), r.number, faults);
        expectWhole(exam.abcQuestion, r.field(specialistField::text), r.number, faults);
        const auto examAnswers = exam.answerTexts();
        for (int i = 0; i < 3; ++i) {
            const QString& answer = r.field(specialistField::answerA + i);
            expectWhole(learning.answerText(i), answer, r.number, faults);
            expectWhole(examAnswers[i], answer, r.number, faults);
        }
    }
    EXPECT_GT(specialist, 100);
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " texts do not show whole:\n"
                                  << faults.join(u'\n').toStdString();
}

} // namespace
