#pragma once

#include <QWidget>

#include <functional>
#include <vector>

namespace wirtal {

class StyledButton;
struct Category;

// The start page "TabSheet1": the title and a button for each category the program folder offers.
class StartPage : public QWidget {
    Q_OBJECT
public:
    explicit StartPage(QWidget* parent = nullptr);
    StyledButton* categoryButton(int index) const { return buttons_[index]; }
    // Runs chosen(letter) when a category button is clicked.
    void setChooseHandler(std::function<void(const QString&)> chosen);
    // The chosen category's button disabled, the others enabled.
    void markChosen(const QString& letter);
    // Makes the buttons again from the categories the program folder offers now (after the
    // program folder changed), each in its state at start.
    void refreshCategories();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<const Category*> categories_;
    std::vector<StyledButton*> buttons_;
    std::function<void(const QString&)> chosen_;
};

} // namespace wirtal
