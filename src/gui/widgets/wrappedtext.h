// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

namespace wirtal {

// The text with the no-break rules of Polish typography applied, for showing in a box that
// wraps it: a number stays with the word or sign after it ("90 km/h", "73 %"), a one-letter
// word ("w", "z", "i", "a", "o", "u") does not end a line, a dash does not start one, and a unit
// such as "km/h" is not broken at its slash. Spaces become no-break spaces (U+00A0) and a word
// joiner (U+2060) follows such a slash; nothing else changes.
QString withPolishNoBreaks(const QString& text);

// A read-only text that wraps inside its box and always shows whole: shown at its nominal point
// size when it fits there, otherwise a half point smaller at a time down to the minimum size.
class WrappedText : public QLabel {
public:
    explicit WrappedText(QWidget* parent = nullptr);

    void setPointSizes(double nominal, double minimum);
    double nominalPointSize() const { return nominal_; }
    // Shows the text with the Polish no-break rules, at the largest size step that fits.
    void showText(const QString& text);
    // Whether the text as now shown fits the box.
    bool textFits() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    double nominal_ = 10;
    double minimum_ = 9;
};

} // namespace wirtal
