#include "exam/exampage.h"

#include "app/context.h"

namespace wirtal {

ExamPage::ExamPage(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("TabSheet5"));
}

void ExamPage::abortTest() { ctx_.state.testtrwa = false; }
void ExamPage::hideNewTestBadge() {}
void ExamPage::clearPointsLabel() {}
void ExamPage::gwiazdki() {}
void ExamPage::klin() {}
void ExamPage::stopReadingTimer() {}

} // namespace wirtal
