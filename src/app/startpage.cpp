#include "app/startpage.h"

#include "art/shellart.h"
#include "base/category.h"

#include "widgets/styledbutton.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace wirtal {

StartPage::StartPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));

    auto* logo = new QLabel(QStringLiteral("Wirtal 2013"), this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setAlignment(Qt::AlignCenter);
    logo->setStyleSheet(QStringLiteral("font-size: 44px; font-weight: bold; color: #1d3b6a;"));
    logo->setGeometry(0, 70, 1089, 70);
    // The program's mark left of the title.
    QFont titleFont = logo->font();
    titleFont.setPixelSize(44);
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(logo->text());
    auto* mark = new QLabel(this);
    mark->setObjectName(QStringLiteral("logomark"));
    mark->setPixmap(shellart::logoMark(64));
    mark->setGeometry((1089 - titleWidth) / 2 - 84, 73, 64, 64);

    auto* title = new QLabel(
        QStringLiteral("Nowy egzamin wg zasad obowiązujących do 19 stycznia 2013"), this);
    title->setObjectName(QStringLiteral("startcaption"));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("font-size: 18px; color: #24406e;"));
    title->setGeometry(0, 150, 1089, 40);

    auto* prompt = new QLabel(QStringLiteral("Wybierz kategorię prawa jazdy"), this);
    prompt->setAlignment(Qt::AlignCenter);
    prompt->setStyleSheet(QStringLiteral("font-size: 15px; color: #3a4f70;"));
    prompt->setGeometry(0, 250, 1089, 30);

    refreshCategories();
}

void StartPage::refreshCategories() {
    for (StyledButton* b : buttons_)
        delete b;
    buttons_.clear();
    categories_ = Category::offered();
    const int count = int(categories_.size());
    const int w = 170, h = 120, gap = 24;
    const int left = (1089 - (count * w + (count - 1) * gap)) / 2;
    for (int i = 0; i < count; ++i) {
        const Category& c = *categories_[i];
        auto* b = new StyledButton(c.buttonCaption(), this);
        b->setObjectName(QStringLiteral("AdvSmoothButton%1").arg(24 + i));
        b->setGeometry(left + i * (w + gap), 300, w, h);
        b->setCaptionPointSize(14);
        b->setPicture(shellart::categoryPicture(c.code.front(), 130, 66));
        b->setEnabled(c.enabledAtStart);
        b->show();
        buttons_.push_back(b);
    }
    if (chosen_)
        setChooseHandler(chosen_);
}

void StartPage::setChooseHandler(std::function<void(const QString&)> chosen) {
    chosen_ = chosen;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const QString code = categories_[i]->code;
        buttons_[i]->setHandler([chosen, code] { chosen(code); });
    }
}

void StartPage::markChosen(const QString& letter) {
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setEnabled(categories_[i]->code != letter);
}

void StartPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    shellart::paintStartBackground(p, QRectF(rect()).adjusted(40, 30, -40, -60));
}

} // namespace wirtal
