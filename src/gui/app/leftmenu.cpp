// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/leftmenu.h"

#include "art/shellart.h"

#include "widgets/styledbutton.h"

#include <algorithm>

namespace wirtal {

namespace {
struct MenuEntry {
    const char* name;
    const char16_t* caption;
};
constexpr int captionPoints = 11;
constexpr MenuEntry entries[LeftMenu::Count] = {
    {"AdvSmoothButton31", u"Nauka testów"},
    {"AdvSmoothButton37", u"Wylosuj test"},
    {"AdvSmoothButton38", u"Kodeks i przepisy"},
    {"AdvSmoothButton39", u"Budowa pojazdów"},
    {"AdvSmoothButton40", u"Znaki drogowe"},
    {"AdvSmoothButton41", u"Zmień kategorię"},
    {"AdvSmoothButton79", u"Więcej"},
};
} // namespace

LeftMenu::LeftMenu(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("leftpanel"));
    for (int i = 0; i < Count; ++i) {
        auto* b = new StyledButton(QString::fromUtf16(entries[i].caption), this);
        b->setObjectName(QString::fromLatin1(entries[i].name));
        b->setGeometry(7, 7 + pitch() * i, 136, pitch() - 6);
        b->setCaptionPointSize(captionPoints);
        b->setPicture(shellart::leftMenuPicture(i, 34));
        buttons_[i] = b;
    }
    // "Zmień kategorię" is enabled by the main window when more than one category is offered.
    buttons_[ChangeCategory]->setEnabled(false);
}

void LeftMenu::resizeEvent(QResizeEvent*) {
    // Narrower buttons keep whole words: every caption in the size the longest one fits in.
    qreal points = captionPoints;
    const int step = pitch();
    for (int i = 0; i < Count; ++i) {
        buttons_[i]->setCaptionPointSize(captionPoints);
        buttons_[i]->setGeometry(7, 7 + step * i, std::max(40, width() - 14), step - 6);
        const QRect box = buttons_[i]->contentBoxes();
        points = std::min(points, buttons_[i]->captionFontWithin(box).pointSizeF());
    }
    for (auto* b : buttons_) {
        QFont f = b->font();
        f.setPointSizeF(points);
        b->setFont(f);
    }
}

int LeftMenu::pitch() {
    // The seven entries of the original menu fill the page's height at 91 px; more share it.
    constexpr int full = 91, room = 7 * full;
    return std::min(full, room / int(Count));
}

void LeftMenu::setHandler(Entry e, std::function<void()> handler) {
    buttons_[e]->setHandler(std::move(handler));
}

void LeftMenu::resetColours() {
    for (auto* b : buttons_)
        b->setColor(tcolor::normal);
}

void LeftMenu::highlight(Entry e) {
    resetColours();
    buttons_[e]->setColor(tcolor::active);
}

} // namespace wirtal
