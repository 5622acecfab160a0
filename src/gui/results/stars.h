// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QLabel;

namespace wirtal {

// "Panel4": the five stars of the result history, "starimage1" (last test) to "starimage5".
class StarsPanel : public QWidget {
    Q_OBJECT
public:
    explicit StarsPanel(QWidget* parent = nullptr);

    // Star i (1..5) shows result character c: "0" red, "1" green, "2" grey, from the pictures
    // "\obrazki_prawko\redstar.png", "greenstar.png", "greystar.png" when they exist, otherwise
    // drawn. Any other character leaves the star as it is.
    void showResult(int i, QChar c);
    // Star i shows no result: an empty outline.
    void showEmpty(int i);
    // The result character star i shows, or a null character while it is empty.
    QChar result(int i) const { return results_[i - 1]; }
    QLabel* star(int i) const { return stars_[i - 1]; }

private:
    std::array<QLabel*, 5> stars_{};
    std::array<QChar, 5> results_{};
};

// showStars: the history of the category shown on the stars: one coloured star for each test
// taken, up to five, the others empty (also for a character that is no result); an unknown
// category does nothing.
void showStars(const QString& categoryCode, StarsPanel& panel);

} // namespace wirtal
