// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "art/tcolor.h"

#include <QAbstractButton>
#include <QPixmap>

#include <functional>

namespace wirtal {

// The program's button: a rounded, gently shaded face in a fill colour, a caption and/or a
// picture, and a badge (a small caption bubble in the top right corner) that can be shown or
// hidden. Its handler runs through the error guard; clickFromCode() runs it even while the button
// is disabled, as the program's own operations expect.
class StyledButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit StyledButton(const QString& caption = {}, QWidget* parent = nullptr);

    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    // Runs the handler, enabled or not.
    void clickFromCode();

    void setColor(int tcolor);
    int color() const { return color_; }

    void setPicture(const QPixmap& picture);
    void setBadge(const QString& text, int tcolor);
    void setBadgeVisible(bool visible);
    bool badgeVisible() const { return badgeVisible_; }
    QString badgeText() const { return badgeText_; }
    // Caption font size in points (0: the default).
    void setCaptionPointSize(int pt);
    // The font the caption is drawn in, inside box: the button's font, made smaller (down to
    // 7 points) where a word or the wrapped lines would not fit a narrowed button otherwise.
    QFont captionFontWithin(const QRect& box) const;
    // The box of the caption (below the picture, if any), and the picture's in pictureBox.
    QRect contentBoxes(QRect* pictureBox = nullptr) const;

    QSize sizeHint() const override;

    // The colour of the focus ring (with a white core line inside it).
    static QColor focusRingColor() { return QColor(0, 0, 0); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // A checkable button (an answer) is checked by its page, not by a click.
    void nextCheckState() override {}

private:
    void updateAccessibleDescription();

    std::function<void()> handler_;
    int color_ = tcolor::normal;
    QPixmap picture_;
    QString badgeText_;
    int badgeColor_ = tcolor::wrong;
    bool badgeVisible_ = false;
    bool hovered_ = false;
};

} // namespace wirtal
