// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <span>

namespace wirtal {

// The reference library: which button opens which page in which view.
namespace library {

// The three page views: the sheet that holds each and the name of its HTML view.
enum class View { Signs, Vehicles, Rules };
struct ViewInfo {
    View view;
    int sheet;        // TabSheet number
    const char* name; // objectName of the HTML view
};
inline constexpr ViewInfo views[] = {
    {View::Signs, 8, "WebBrowser1"},
    {View::Vehicles, 10, "WebBrowser2"},
    {View::Rules, 3, "WebBrowser3"},
};

// The three menus.
enum class Menu { Signs, Vehicles, Rules };
struct MenuInfo {
    Menu menu;
    int sheet;               // TabSheet number
    int columns;             // buttons per row
    const char* label;       // objectName of the caption label, or nullptr
    const char16_t* resting; // the caption label's text while no button is pointed at
};
inline constexpr MenuInfo menus[] = {
    {Menu::Signs, 7, 5, "AdvSmoothLabel1", u"Wybierz grupę znaków..."},
    {Menu::Vehicles, 9, 3, "AdvSmoothLabel2", u"Wybierz pojazd egzaminacyjny"},
    {Menu::Rules, 4, 3, nullptr, nullptr},
};

// One button of a menu.
struct Entry {
    int number; // AdvSmoothButton<number>
    Menu menu;
    const char16_t* caption;
    const char16_t* hover; // text of the caption label while pointed at, or nullptr
    const char* page;      // path under the program folder
    View view;
};

std::span<const Entry> entries();
const MenuInfo& menuInfo(Menu m);
const ViewInfo& viewInfo(View v);

// Where the page of an entry lies: the program folder followed by the page path.
QString pagePath(const Entry& e);

} // namespace library
} // namespace wirtal
