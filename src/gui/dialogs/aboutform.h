// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace wirtal {

// The about window "aboutform": the program's name, maker and address, and "OK". Shown modally:
// the main window takes no input until it is closed; closing only hides it.
class AboutForm : public QWidget {
    Q_OBJECT
public:
    explicit AboutForm(QWidget* parent = nullptr);
    void showModal();
    static QStringList aboutLines();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace wirtal
