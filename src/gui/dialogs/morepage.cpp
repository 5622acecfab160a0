// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/morepage.h"

#include "art/shellart.h"
#include "widgets/styledbutton.h"

#include <algorithm>
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
        {&fetch_, "pobierzbutton", u"Pobierz aktualny katalog", 3},
    };
    const int count = int(std::size(entries));
    const int gap = 12, h = 110;
    const int w = std::min(170, (939 - 24 - (count - 1) * gap) / count);
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

void MorePage::setFetchHandler(std::function<void()> pobierz) {
    fetch_->setHandler(std::move(pobierz));
}

} // namespace wirtal
