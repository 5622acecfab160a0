// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <vector>

namespace wirtal {

// A round countdown dial: coloured bands along the scale (start, end, colour), a needle at the
// current value and the value as a three-digit number under the hub.
class CountdownGauge : public QWidget {
    Q_OBJECT
public:
    struct Section {
        double start = 0;
        double end = 0;
        int tcolor = 0;
        int outerMargin = 0;
    };

    explicit CountdownGauge(QWidget* parent = nullptr);

    void setMaximum(double maximum);
    double maximum() const { return maximum_; }
    void setValue(double value);
    double value() const { return value_; }

    void clearSections();
    void addSection(double start, double end, int tcolor, int outerMargin = 0);
    const std::vector<Section>& sections() const { return sections_; }

    // The value as the dial prints it: "015".
    QString valueText() const;

    QSize sizeHint() const override { return {170, 170}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double maximum_ = 100;
    double value_ = 0;
    std::vector<Section> sections_;
};

} // namespace wirtal
