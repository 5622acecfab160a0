// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;

namespace wirtal {

class StyledButton;
struct Category;

// The start page "TabSheet1": the title and a button for every category; those the program folder
// offers can be chosen.
class StartPage : public QWidget {
    Q_OBJECT
public:
    explicit StartPage(QWidget* parent = nullptr);
    StyledButton* categoryButton(int index) const { return buttons_[index]; }
    // Runs chosen(letter) when a category button is clicked.
    void setChooseHandler(std::function<void(const QString&)> chosen);
    // The chosen category's button disabled, the others enabled.
    void markChosen(const QString& letter);
    // Enables the buttons of the categories the program folder offers now (at start, and after
    // the program folder changed), each in its state at start.
    void refreshCategories();
    // How many categories the start page offers for a choice (the program folder holds them and
    // their buttons can be clicked at start: every one of a catalogue, B alone of a classic bank).
    int choosableCount() const { return choosable_; }
    // The line under the title: the rules of a classic bank, or the catalogue in use (its file
    // and the date of its import, as katalog.ini gives them).
    static QString captionFor(bool catalogue, const QString& manifestPath);
    // The line under the buttons (a newer catalogue edition); empty hides it.
    void setNotice(const QString& text);
    QLabel* notice() const { return notice_; }
    // Where the buttons of `count` categories stand on the page, in table order.
    static std::vector<QRect> categoryButtonPlaces(int count);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<const Category*> categories_; // every category, table order
    std::vector<bool> offered_;               // whether the program folder holds its questions
    bool catalogue_ = false;                  // a folder made by the catalogue import
    std::vector<StyledButton*> buttons_;
    QLabel* caption_ = nullptr;
    int choosable_ = 0;
    QLabel* notice_ = nullptr;
};

} // namespace wirtal
