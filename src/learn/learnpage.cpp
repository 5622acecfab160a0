#include "learn/learnpage.h"

#include "app/context.h"
#include "app/inifile.h"
#include "bank/bank.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace wirtal {

LearnPage::LearnPage(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("TabSheet2"));
    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(20, 10, 300, 24);
    numeredit_ = new QLineEdit(QStringLiteral("0"), this);
    numeredit_->setObjectName(QStringLiteral("numeredit"));
    numeredit_->setAccessibleName(QStringLiteral("Numer pytania"));
    numeredit_->setGeometry(20, 40, 60, 24);
}

void LearnPage::showQuestion(int n, bool evenIfSame) {
    n = std::clamp(n, 0, lastQuestion);
    if (n == numer_ && !evenIfSame)
        return;
    numer_ = n;
    numerChange(n);
}

void LearnPage::numerChange(int n) {
    if (!ctx_.state.powtorkatrwa)
        writeini(ctx_.state.statsFile(), QStringLiteral("last"), QStringLiteral("pytanie"),
                 QString::number(n));
}

void LearnPage::setNumberEntry(int n) { numeredit_->setText(QString::number(n)); }

void LearnPage::clearForCategory(const QString& labelText) {
    label1_->setText(labelText);
    label1_->show();
}

void LearnPage::loadRevisionList() {}
void LearnPage::savebox() {}
void LearnPage::resumeFilm() {}

} // namespace wirtal
