// SPDX-License-Identifier: GPL-3.0-or-later

#include "library/referencepages.h"

#include "base/paths.h"

namespace wirtal::library {

namespace {
// clang-format off
constexpr Entry table[] = {
    {1, Menu::Signs, u"Ostrzegawcze", u"Znaki ostrzegawcze", "/obrazki_prawko/ostrzegawcze.htm", View::Signs},
    {2, Menu::Signs, u"Zakazu", u"Znaki zakazu", "/obrazki_prawko/zakazu.htm", View::Signs},
    {3, Menu::Signs, u"Nakazu", u"Znaki nakazu", "/obrazki_prawko/nakazu.htm", View::Signs},
    {4, Menu::Signs, u"Informacyjne", u"Znaki informacyjne", "/obrazki_prawko/informacyjne.htm", View::Signs},
    {5, Menu::Signs, u"Kierunku", u"Znaki kierunku", "/obrazki_prawko/kierunku.htm", View::Signs},
    {6, Menu::Signs, u"Uzupełniające", u"Znaki uzupełniające", "/obrazki_prawko/uzupelniajace.htm", View::Signs},
    {7, Menu::Signs, u"Tabliczki", u"Tabliczki do znaków", "/obrazki_prawko/tabliczki.htm", View::Signs},
    {8, Menu::Signs, u"Dodatkowe", u"Znaki dodatkowe", "/obrazki_prawko/dodatkowe.htm", View::Signs},
    {9, Menu::Signs, u"Poziome", u"Znaki poziome", "/obrazki_prawko/poziome.htm", View::Signs},
    {10, Menu::Signs, u"Świetlne", u"Sygnały świetlne", "/obrazki_prawko/swietlne.htm", View::Signs},
    {11, Menu::Vehicles, u"Toyota Yaris", u"Toyota Yaris", "/obrazki_prawko/yaris.htm", View::Vehicles},
    {12, Menu::Vehicles, u"Renault Clio", u"Renault Clio", "/obrazki_prawko/clio.htm", View::Vehicles},
    {13, Menu::Vehicles, u"Fiat Punto", u"Fiat Grande Punto", "/obrazki_prawko/grandepunto.htm", View::Vehicles},
    {14, Menu::Vehicles, u"Nissan Micra", u"Nissan Micra", "/obrazki_prawko/micra.htm", View::Vehicles},
    {15, Menu::Vehicles, u"Skoda Fabia", u"Skoda Fabia", "/obrazki_prawko/fabia.htm", View::Vehicles},
    {16, Menu::Vehicles, u"Kontrolki samochodowe", u"Kontrolki samochodowe", "/obrazki_prawko/kontrolki.htm", View::Vehicles},
    {17, Menu::Rules, u"Kodeks drogowy", nullptr, "/obrazki_prawko/kodeks.html", View::Rules},
    {18, Menu::Rules, u"Kierowanie ruchem", nullptr, "/obrazki_prawko/kierowanie-ruchem.htm", View::Rules},
    {19, Menu::Rules, u"Dozwolone prędkości", nullptr, "/obrazki_prawko/predkosci.htm", View::Signs},
    {20, Menu::Rules, u"Taryfikator mandatów", nullptr, "/obrazki_prawko/taryfmand.htm", View::Rules},
    {21, Menu::Rules, u"Punkty karne", nullptr, "/obrazki_prawko/taryfpkt.htm", View::Rules},
};
// clang-format on
} // namespace

std::span<const Entry> entries() {
    return table;
}

const MenuInfo& menuInfo(Menu m) {
    for (const MenuInfo& i : menus)
        if (i.menu == m)
            return i;
    return menus[0];
}

const ViewInfo& viewInfo(View v) {
    for (const ViewInfo& i : views)
        if (i.view == v)
            return i;
    return views[0];
}

QString pagePath(const Entry& e) {
    return Paths::inProgramFolder(QString::fromLatin1(e.page));
}

} // namespace wirtal::library
