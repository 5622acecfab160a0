// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startpage.h"

#include "art/shellart.h"
#include "base/bankdata.h"
#include "base/category.h"
#include "base/paths.h"

#include "widgets/styledbutton.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace wirtal {

StartPage::StartPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));

    auto* logo = new QLabel(QStringLiteral("Wirtal 2013"), this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setTextFormat(Qt::PlainText);
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
    mark->setTextFormat(Qt::PlainText);
    mark->setPixmap(shellart::logoMark(64));
    mark->setGeometry((1089 - titleWidth) / 2 - 84, 73, 64, 64);

    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("startcaption"));
    // A catalogue's file name comes from the spreadsheet's name: never read as markup.
    caption_->setTextFormat(Qt::PlainText);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setStyleSheet(QStringLiteral("font-size: 18px; color: #24406e;"));
    caption_->setGeometry(0, 150, 1089, 40);

    auto* prompt = new QLabel(QStringLiteral("Wybierz kategorię prawa jazdy"), this);
    prompt->setTextFormat(Qt::PlainText);
    prompt->setAlignment(Qt::AlignCenter);
    prompt->setStyleSheet(QStringLiteral("font-size: 15px; color: #3a4f70;"));
    prompt->setGeometry(0, 250, 1089, 30);

    // Every category in table order, in rows of six; those the program folder offers can be
    // chosen. The five single-letter buttons of the classic page keep their object names.
    const std::vector<QRect> places = categoryButtonPlaces(int(Category::all().size()));
    int index = 0;
    for (const Category& c : Category::all()) {
        categories_.push_back(&c);
        static const QStringList classic{"A", "B", "C", "D", "T"};
        const qsizetype old = classic.indexOf(c.code);
        auto* b = new StyledButton(c.buttonCaption(), this);
        b->setObjectName(old >= 0 ? QStringLiteral("AdvSmoothButton%1").arg(24 + old)
                                  : QStringLiteral("CategoryButton") + c.code);
        const QRect place = places[std::size_t(index)];
        b->setGeometry(place);
        b->setCaptionPointSize(14);
        b->setPicture(shellart::categoryPicture(c.vehicle, place.width() - 22,
                                                std::max(place.height() - 50, 24)));
        buttons_.push_back(b);
        ++index;
    }
    // A small line under the buttons when the ministry offers a newer catalogue edition.
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("nowewydanie"));
    notice_->setTextFormat(Qt::PlainText);
    notice_->setAlignment(Qt::AlignCenter);
    notice_->setStyleSheet(QStringLiteral("font-size: 13px; color: #3a4f70;"));
    notice_->setGeometry(0, 612, 1089, 24);
    notice_->hide();
    refreshCategories();
}

void StartPage::setNotice(const QString& text) {
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
}

std::vector<QRect> StartPage::categoryButtonPlaces(int count) {
    // Rows of up to six buttons, centred, between the prompt and the foot of the panel; the
    // buttons are as tall as the rows allow, at most 112 px.
    constexpr int perRow = 6, w = 146, gap = 12, top = 290, bottom = 600;
    const int rows = std::max(1, (count + perRow - 1) / perRow);
    const int h = std::min(112, (bottom - top - (rows - 1) * gap) / rows);
    std::vector<QRect> places;
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow;
        const int inRow = std::min(perRow, count - row * perRow);
        const int left = (1089 - (inRow * w + (inRow - 1) * gap)) / 2;
        places.emplace_back(left + (i % perRow) * (w + gap), top + row * (h + gap), w, h);
    }
    return places;
}

QString StartPage::captionFor(bool catalogue, const QString& manifestPath) {
    if (!catalogue)
        return QStringLiteral("Nowy egzamin wg zasad obowiązujących do 19 stycznia 2013");
    const CatalogueOrigin origin = catalogueOrigin(manifestPath);
    // A name of any length fits the line: the middle gives way.
    constexpr int longestName = 60;
    QString name = origin.source.simplified();
    if (name.size() > longestName)
        name =
            name.left(longestName / 2 - 1) + QStringLiteral("…") + name.right(longestName / 2 - 1);
    QString text = name.isEmpty() ? QStringLiteral("Urzędowy katalog pytań")
                                  : QStringLiteral("Katalog pytań „%1”").arg(name);
    if (origin.importedAt.isValid())
        text += QStringLiteral(", zaimportowany %1")
                    .arg(origin.importedAt.toLocalTime().toString(QStringLiteral("d.MM.yyyy")));
    return text;
}

void StartPage::refreshCategories() {
    // What the program folder offers now: after an import it holds every category.
    const std::vector<const Category*> offered = Category::offered();
    catalogue_ = Paths::isCatalogueFolder();
    caption_->setText(captionFor(catalogue_, Paths::catalogueManifest()));
    offered_.clear();
    choosable_ = 0;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const Category& c = *categories_[i];
        const bool isOffered = std::find(offered.begin(), offered.end(), &c) != offered.end();
        offered_.push_back(isOffered);
        const bool choosable = isOffered && (catalogue_ || c.enabledAtStart);
        buttons_[i]->setEnabled(choosable);
        choosable_ += choosable ? 1 : 0;
    }
}

void StartPage::setChooseHandler(std::function<void(const QString&)> chosen) {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const QString code = categories_[i]->code;
        buttons_[i]->setHandler([chosen, code] { chosen(code); });
    }
}

void StartPage::markChosen(const QString& letter) {
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setEnabled(offered_[i] && categories_[i]->code != letter);
}

void StartPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    shellart::paintStartBackground(p, QRectF(rect()).adjusted(40, 30, -40, -60));
}

} // namespace wirtal
