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
    };
    const Entry entries[] = {
        {&stats_, "statystykibutton", u"Statystyki"},
        {&updates_, "AdvSmoothButton74", u"Aktualizacje"},
        {&about_, "AdvSmoothButton75", u"O programie"},
        {&import_, "importbutton", u"Importuj katalog pytań"},
    };
    const int count = int(std::size(entries));
    const int w = 210, h = 110, gap = 16;
    const int left = (939 - (count * w + (count - 1) * gap)) / 2;
    int i = 0;
    for (const Entry& s : entries) {
        auto* b = new StyledButton(QString::fromUtf16(s.caption), this);
        b->setObjectName(QString::fromLatin1(s.name));
        b->setGeometry(left + i++ * (w + gap), 220, w, h);
        b->setCaptionPointSize(15);
        b->setPicture(shellart::morePicture(i - 1, 48));
        *s.button = b;
    }
}

void MorePage::setHandlers(std::function<void()> statystyki, std::function<void()> aktualizacje,
                           std::function<void()> oprogramie) {
    stats_->setHandler(std::move(statystyki));
    updates_->setHandler(std::move(aktualizacje));
    about_->setHandler(std::move(oprogramie));
}

void MorePage::setImportHandler(std::function<void()> importuj) {
    import_->setHandler(std::move(importuj));
}

} // namespace wirtal
