// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/answerpanels.h"

#include "art/tcolor.h"
#include "widgets/answermark.h"
#include "widgets/styledbutton.h"

namespace wirtal {

namespace {
struct ButtonRow {
    const char* name;
    const char* caption;
    const char* code;
    bool basic; // on "paneltaknie"
};
constexpr ButtonRow rows[AnswerPanels::Count] = {
    {"AdvSmoothButton32", "TAK", "T", true}, {"AdvSmoothButton33", "NIE", "N", true},
    {"AdvSmoothButton34", "A", "A", false},  {"AdvSmoothButton35", "B", "B", false},
    {"AdvSmoothButton36", "C", "C", false},
};
constexpr int lime = 0x00FF00;
const QString rightBadge = QStringLiteral("Prawidłowa");

constexpr int panelWidth = 899;
constexpr int panelHeight = 214;
constexpr int answerTop = 72, answerStep = 47, answerHeight = 44;
} // namespace

LearnText::LearnText(const char* name, int pointSize, QWidget* parent) : WrappedText(parent) {
    setObjectName(QString::fromLatin1(name));
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setColor(tcolor::white);
    setPointSizes(pointSize, 9);
}

void LearnText::setColor(int c) {
    if (c == color_)
        return;
    color_ = c;
    const QColor q = toQColor(c);
    setStyleSheet(QStringLiteral("QLabel { background: %1; color: #14233a; border: 1px solid "
                                 "#9fb6d3; border-radius: 6px; padding: 3px 10px; }")
                      .arg(q.name()));
}

AnswerPanels::AnswerPanels(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("questionpanels"));
    resize(panelWidth, panelHeight);

    yesNoPanel_ = new QWidget(this);
    yesNoPanel_->setObjectName(QStringLiteral("paneltaknie"));
    yesNoPanel_->setGeometry(0, 0, panelWidth, panelHeight);
    yesNoQuestion_ = new LearnText("Memo2", 14, yesNoPanel_);
    yesNoQuestion_->setGeometry(0, 0, 690, panelHeight);
    yesNoQuestion_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    abcPanel_ = new QWidget(this);
    abcPanel_->setObjectName(QStringLiteral("panelabc"));
    abcPanel_->setGeometry(0, 0, panelWidth, panelHeight);
    abcQuestion_ = new LearnText("Memo3", 13, abcPanel_);
    abcQuestion_->setGeometry(0, 0, panelWidth, 64);
    abcQuestion_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const char* textNames[] = {"memoodpa", "memoodpb", "memoodpc"};
    // Each answer box holds two lines of its text (answers run to about 200 characters).
    for (int i = 0; i < 3; ++i) {
        answerTexts_[i] = new LearnText(textNames[i], 11, abcPanel_);
        answerTexts_[i]->setGeometry(66, answerTop + i * answerStep, panelWidth - 66, answerHeight);
    }
    abcPanel_->hide();

    for (int i = 0; i < Count; ++i) {
        const ButtonRow& r = rows[i];
        QWidget* panel = r.basic ? yesNoPanel_ : abcPanel_;
        auto* b = new StyledButton(QString::fromUtf8(r.caption), panel);
        b->setObjectName(QString::fromLatin1(r.name));
        b->setCaptionPointSize(r.basic ? 16 : 14);
        if (r.basic) {
            b->setGeometry(712, 14 + i * 100, 187, 84);
            b->setBadge(rightBadge, lime);
        } else {
            b->setGeometry(0, answerTop + (i - A) * answerStep, 56, answerHeight);
        }
        buttons_[i] = b;
    }
}

void AnswerPanels::setChooseHandler(std::function<void(Answer)> chosen) {
    for (int i = 0; i < Count; ++i)
        buttons_[i]->setHandler([chosen, i] { chosen(static_cast<Answer>(i)); });
}

QString AnswerPanels::code(Answer a) {
    return QString::fromLatin1(rows[a].code);
}

void AnswerPanels::markChosen(Answer a) {
    for (int i = 0; i < Count; ++i)
        if (rows[i].basic == rows[a].basic) {
            buttons_[i]->setColor(i == a ? tcolor::active : tcolor::normal);
            buttons_[i]->setChecked(i == a);
        }
}

void AnswerPanels::resetAnswers() {
    for (LearnText* m : answerTexts_)
        m->setColor(tcolor::white);
    hideCorrectBadges();
    for (StyledButton* b : buttons_) {
        b->setColor(tcolor::normal);
        b->setChecked(false);
        b->setEnabled(true);
    }
}

void AnswerPanels::normalColours() {
    for (StyledButton* b : buttons_)
        b->setColor(tcolor::normal);
}

void AnswerPanels::hideCorrectBadges() {
    buttons_[Yes]->setBadgeVisible(false);
    buttons_[No]->setBadgeVisible(false);
}

void AnswerPanels::reveal(const QString& rightAnswer) {
    static const QString codes[] = {QStringLiteral("T"), QStringLiteral("N"), QStringLiteral("A"),
                                    QStringLiteral("B"), QStringLiteral("C")};
    int which = -1;
    for (int i = 0; i < Count; ++i)
        if (rightAnswer == codes[i])
            which = i;
    if (which < 0 && !rightAnswer.isEmpty())
        return; // no answer code: nothing changes
    buttons_[Yes]->setBadgeVisible(which == Yes);
    buttons_[No]->setBadgeVisible(which == No);
    for (int i = 0; i < 3; ++i) {
        answerTexts_[i]->setColor(which == A + i ? tcolor::right : tcolor::white);
        markAnswerText(*answerTexts_[i], which == A + i ? AnswerMark::Right : AnswerMark::None);
    }
}

void AnswerPanels::clearTexts() {
    yesNoQuestion_->clear();
    abcQuestion_->clear();
    for (LearnText* m : answerTexts_)
        m->clear();
}

void AnswerPanels::showBasicPanel() {
    abcPanel_->hide();
    yesNoPanel_->show();
}

void AnswerPanels::showSpecialistPanel() {
    yesNoPanel_->hide();
    abcPanel_->show();
}

} // namespace wirtal
