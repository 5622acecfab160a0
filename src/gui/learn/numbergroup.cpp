// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/numbergroup.h"

#include "art/learnart.h"
#include "art/tcolor.h"
#include "widgets/styledbutton.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace wirtal {

namespace {
StyledButton* stepButton(QWidget* parent, const char* name, const QString& hint,
                         const QPixmap& arrow, int x) {
    auto* b = new StyledButton(QString(), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(hint);
    b->setToolTip(hint);
    b->setPicture(arrow);
    b->setGeometry(x, 30, 48, 42);
    return b;
}
} // namespace

NumberGroup::NumberGroup(QWidget* parent) : QGroupBox(QStringLiteral(" Numer pytania: "), parent) {
    setObjectName(QStringLiteral("GroupBox1"));
    resize(359, 158);

    previous_ = stepButton(this, "AdvSmoothButton29", QStringLiteral("Poprzednie pytanie"),
                           learnart::previousArrow(), 14);
    numberEntry_ = new QLineEdit(QStringLiteral("0"), this);
    numberEntry_->setObjectName(QStringLiteral("numeredit"));
    numberEntry_->setAccessibleName(QStringLiteral("Numer pytania"));
    numberEntry_->setToolTip(numberEntryHint());
    acceptOfficialNumbers(false);
    numberEntry_->setAlignment(Qt::AlignCenter);
    QFont f = numberEntry_->font();
    f.setPointSize(14);
    numberEntry_->setFont(f);
    numberEntry_->setGeometry(72, 32, 86, 38);

    lastNumberLabel_ = new QLabel(QStringLiteral("z 1479"), this);
    lastNumberLabel_->setObjectName(QStringLiteral("Label5"));
    lastNumberLabel_->setTextFormat(Qt::PlainText);
    QFont lf = lastNumberLabel_->font();
    lf.setPointSize(12);
    lastNumberLabel_->setFont(lf);
    lastNumberLabel_->setGeometry(166, 32, 70, 38);

    next_ = stepButton(this, "AdvSmoothButton30", QStringLiteral("Następne pytanie"),
                       learnart::nextArrow(), 244);

    checkButton_ = new StyledButton(QStringLiteral("SPRAWDŹ"), this);
    checkButton_->setObjectName(QStringLiteral("sprawdzbutton"));
    checkButton_->setCaptionPointSize(13);
    checkButton_->setBadge(QString(), tcolor::badgeOrange);
    checkButton_->setBadgeVisible(true);
    checkButton_->setGeometry(14, 84, 190, 62); // tall: the badge stays clear of the caption

    auto_ = new QCheckBox(QStringLiteral("autosprawdzanie"), this);
    auto_->setObjectName(QStringLiteral("autoCheckBox"));
    auto_->setAccessibleName(QStringLiteral("autosprawdzanie"));
    auto_->setToolTip(QStringLiteral(
        "Poprawność odpowiedzi będzie sprawdzana natychmiast po wybraniu odpowiedzi."));
    auto_->setChecked(true);
    auto_->setGeometry(216, 100, 138, 30);
}

void NumberGroup::setLastNumber(int last) {
    lastNumberLabel_->setText(QStringLiteral("z %1").arg(last));
}

void NumberGroup::acceptOfficialNumbers(bool on) {
    numberEntry_->setMaxLength(on ? 6 : 4);
    const QRegularExpression rule(on ? QStringLiteral("[uU]?[0-9]{0,5}")
                                     : QStringLiteral("[0-9]{0,4}"));
    if (auto* v = numberEntry_->findChild<QRegularExpressionValidator*>())
        v->setRegularExpression(rule);
    else
        numberEntry_->setValidator(new QRegularExpressionValidator(rule, numberEntry_));
    if (!numberEntry_->toolTip().isEmpty())
        numberEntry_->setToolTip(on ? officialHint() : numberEntryHint());
}

} // namespace wirtal
