#pragma once

#include <QWidget>

#include <array>
#include <functional>

namespace wirtal {

class StyledButton;

// The start page "TabSheet1": the title and the five category buttons.
class StartPage : public QWidget {
    Q_OBJECT
public:
    static constexpr std::array<char16_t, 5> letters{u'A', u'B', u'C', u'D', u'T'};

    explicit StartPage(QWidget* parent = nullptr);
    StyledButton* categoryButton(int index) const { return buttons_[index]; }
    // Runs chosen(letter) when a category button is clicked.
    void setChooseHandler(std::function<void(const QString&)> chosen);
    // The chosen category's button disabled, the four others enabled.
    void markChosen(const QString& letter);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<StyledButton*, 5> buttons_{};
};

} // namespace wirtal
