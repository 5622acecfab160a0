// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace wirtal {

class StyledButton;

// The group " Numer pytania: " ("GroupBox1"): previous and next ("AdvSmoothButton29",
// "AdvSmoothButton30"), the number entry "numeredit" (digits only, at most four; in a folder with
// official numbers also "u" and up to five digits) with "z 1479" (the category's last number,
// "Label5"), "SPRAWDŹ" ("sprawdzbutton", its badge shows the question's points) and
// "autosprawdzanie" ("autoCheckBox"). The learning page gives the controls their handlers.
class NumberGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit NumberGroup(QWidget* parent = nullptr);

    StyledButton* previous() const { return previous_; }
    StyledButton* next() const { return next_; }
    QLineEdit* numberEntry() const { return numberEntry_; }
    StyledButton* checkButton() const { return checkButton_; }
    QCheckBox* autoCheckBox() const { return auto_; }

    // In a folder with official numbers the entry takes "u" and an official number too
    // ("u12345"); otherwise our number of at most four digits.
    void acceptOfficialNumbers(bool on);
    // "z 1479": the category's last question number beside the entry.
    void setLastNumber(int last);
    static QString officialHint() {
        return QStringLiteral("Wpisz numer pytania albo „u” i numer urzędowy (np. u1234) i "
                              "wciśnij Enter.");
    }
    static QString numberEntryHint() {
        return QStringLiteral("Wpisz numer pytania i wciśnij Enter.");
    }

private:
    StyledButton* previous_ = nullptr;
    StyledButton* next_ = nullptr;
    QLineEdit* numberEntry_ = nullptr;
    QLabel* lastNumberLabel_ = nullptr;
    StyledButton* checkButton_ = nullptr;
    QCheckBox* auto_ = nullptr;
};

} // namespace wirtal
