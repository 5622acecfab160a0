// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "library/referencepages.h"

#include <QWidget>

#include <functional>
#include <map>

class QLabel;

namespace wirtal {

class HtmlView;
class StyledButton;

// The reference library's six pages: the road-sign, vehicle and rules menus (TabSheet7, 9, 4)
// and the three page views (TabSheet8, 10, 3). The pages go into the main window's page area;
// showSheet makes a sheet the visible page.
class ReferenceLibrary : public QObject {
    Q_OBJECT
public:
    explicit ReferenceLibrary(std::function<void(int sheet)> showSheet, QObject* parent = nullptr);

    // The page of a sheet number (3, 4, 7, 8, 9 or 10); created here, owned by whoever takes it.
    QWidget* page(int sheet) const;
    HtmlView* view(library::View v) const { return views_.at(v); }
    StyledButton* button(int number) const { return buttons_.at(number); }

    // What a menu button does: its page in its view, and that view's sheet shown.
    void open(const library::Entry& e);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeMenu(const library::MenuInfo& m);
    QWidget* makeView(const library::ViewInfo& v);

    std::function<void(int)> showSheet_;
    std::map<int, QWidget*> pages_;
    std::map<library::View, HtmlView*> views_;
    std::map<int, StyledButton*> buttons_;
    std::map<library::Menu, QLabel*> labels_;
};

} // namespace wirtal
