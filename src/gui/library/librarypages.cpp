// SPDX-License-Identifier: GPL-3.0-or-later

#include "library/librarypages.h"

#include "art/menuicons.h"
#include "widgets/cardpage.h"
#include "widgets/htmlview.h"
#include "widgets/styledbutton.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace wirtal {

using namespace library;

namespace {
constexpr int pageWidth = 939; // the page area beside the left menu
constexpr int pageHeight = 650;

const Entry* entryOf(const QObject* button) {
    const QVariant n = button->property("referenceEntry");
    if (!n.isValid())
        return nullptr;
    for (const Entry& e : entries())
        if (e.number == n.toInt())
            return &e;
    return nullptr;
}
} // namespace

ReferenceLibrary::ReferenceLibrary(std::function<void(int)> showSheet, QObject* parent)
    : QObject(parent), showSheet_(std::move(showSheet)) {
    for (const ViewInfo& v : views)
        pages_[v.sheet] = makeView(v);
    for (const MenuInfo& m : menus)
        pages_[m.sheet] = makeMenu(m);
}

QWidget* ReferenceLibrary::page(int sheet) const {
    return pages_.at(sheet);
}

QWidget* ReferenceLibrary::makeView(const ViewInfo& v) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("TabSheet%1").arg(v.sheet));
    auto* view = new HtmlView(sheet);
    view->setObjectName(QString::fromLatin1(v.name));
    view->setAccessibleName(QStringLiteral("Strona informacyjna"));
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    views_[v.view] = view;
    return sheet;
}

QWidget* ReferenceLibrary::makeMenu(const MenuInfo& m) {
    auto* sheet = new CardPage;
    sheet->setObjectName(QStringLiteral("TabSheet%1").arg(m.sheet));

    std::vector<const Entry*> mine;
    for (const Entry& e : entries())
        if (e.menu == m.menu)
            mine.push_back(&e);
    const int count = int(mine.size());
    const int rows = (count + m.columns - 1) / m.columns;
    const bool rules = m.menu == Menu::Rules;
    const int w = rules ? 250 : (m.columns == 5 ? 160 : 220);
    const int h = rules ? 150 : (m.columns == 5 ? 170 : 190);
    const int gap = 20;
    const int top = rules ? 120 : 90;

    for (int i = 0; i < count; ++i) {
        const Entry& e = *mine[i];
        const int row = i / m.columns;
        // The last row is centred when it is shorter.
        const int inRow = std::min(m.columns, count - row * m.columns);
        const int left = (pageWidth - (inRow * w + (inRow - 1) * gap)) / 2;
        auto* b = new StyledButton(QString::fromUtf16(e.caption), sheet);
        b->setObjectName(QStringLiteral("AdvSmoothButton%1").arg(e.number));
        b->setProperty("referenceEntry", e.number);
        b->setGeometry(left + (i % m.columns) * (w + gap), top + row * (h + gap), w, h);
        b->setCaptionPointSize(rules ? 15 : 12);
        b->setPicture(menuicons::forEntry(e.number, rules ? 80 : 96));
        b->setHandler([this, &e] { open(e); });
        if (e.hover)
            b->installEventFilter(this);
        buttons_[e.number] = b;
    }
    if (m.label) {
        auto* label = new QLabel(QString::fromUtf16(m.resting), sheet);
        label->setObjectName(QString::fromLatin1(m.label));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(27);
        label->setFont(f);
        label->setStyleSheet(QStringLiteral("color: #1d3b6a;"));
        label->setGeometry(0, top + rows * (h + gap) + 20, pageWidth, 50);
        labels_[m.menu] = label;
    }
    return sheet;
}

void ReferenceLibrary::open(const Entry& e) {
    const ViewInfo& v = viewInfo(e.view);
    views_.at(e.view)->navigate(pagePath(e));
    showSheet_(v.sheet);
}

bool ReferenceLibrary::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        if (const Entry* e = entryOf(watched)) {
            if (QLabel* label = labels_.count(e->menu) ? labels_.at(e->menu) : nullptr)
                label->setText(event->type() == QEvent::Enter
                                   ? QString::fromUtf16(e->hover)
                                   : QString::fromUtf16(menuInfo(e->menu).resting));
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace wirtal
