// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/morepage.h"

#include "art/shellart.h"
#include "widgets/styledbutton.h"

#include <iterator>

namespace wirtal {

MorePage::MorePage(QWidget* parent) : CardPage(parent) {
    setObjectName(QStringLiteral("TabSheet11"));
    struct Entry {
        StyledButton** button;
        const char* name;
        const char16_t* caption;
        int picture; // shellart::morePicture
    };
    const Entry entries[] = {
        {&progress_, "postepybutton", u"Postępy", 4},
        {&stats_, "statystykibutton", u"Statystyki", 0},
        {&updates_, "AdvSmoothButton74", u"Aktualizacje", 1},
        {&about_, "AdvSmoothButton75", u"O programie", 2},
        {&import_, "importbutton", u"Importuj katalog pytań", 3},
    };
    const int count = int(std::size(entries));
    const int w = 170, h = 110, gap = 12;
    const int left = (939 - (count * w + (count - 1) * gap)) / 2;
    int i = 0;
    for (const Entry& s : entries) {
        auto* b = new StyledButton(QString::fromUtf16(s.caption), this);
        b->setObjectName(QString::fromLatin1(s.name));
        b->setGeometry(left + i++ * (w + gap), 220, w, h);
        b->setCaptionPointSize(13);
        b->setPicture(shellart::morePicture(s.picture, 48));
        *s.button = b;
    }
}

void MorePage::setHandlers(std::function<void()> statistics, std::function<void()> updates,
                           std::function<void()> oprogramie) {
    stats_->setHandler(std::move(statistics));
    updates_->setHandler(std::move(updates));
    about_->setHandler(std::move(oprogramie));
}

void MorePage::setProgressHandler(std::function<void()> postepy) {
    progress_->setHandler(std::move(postepy));
}

void MorePage::setImportHandler(std::function<void()> importuj) {
    import_->setHandler(std::move(importuj));
}

} // namespace wirtal
