// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <array>
#include <functional>

namespace wirtal {

class StyledButton;

// The left menu "leftpanel": seven buttons, 136 x 85, stacked 91 pixels apart, exactly one of
// them highlighted. A narrower menu (on a small screen) narrows its buttons alike.
class LeftMenu : public QWidget {
    Q_OBJECT
public:
    enum Entry { Learning, Exam, Rules, Vehicles, Signs, ChangeCategory, More, Count };

    explicit LeftMenu(QWidget* parent = nullptr);
    StyledButton* button(Entry e) const { return buttons_[e]; }
    void setHandler(Entry e, std::function<void()> handler);
    // Every entry in the normal colour.
    void resetColours();
    // resetColours, then e in the active colour.
    void highlight(Entry e);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The distance from one button to the next: 91 px, less when more than seven entries share
    // the height.
    static int pitch();

    std::array<StyledButton*, Count> buttons_{};
};

} // namespace wirtal
