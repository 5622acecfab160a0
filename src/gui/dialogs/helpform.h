// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace wirtal {

// The rules window "helpform": the rules of the exam in a read-only text box and "OK". Modeless;
// closing only hides it.
class HelpForm : public QWidget {
    Q_OBJECT
public:
    explicit HelpForm(QWidget* parent = nullptr);
    // Shows the window, or brings it to the front when it is open.
    void showRules();
};

} // namespace wirtal
