// SPDX-License-Identifier: GPL-3.0-or-later

// The program's small pictures on a scaled screen: drawn with as many device pixels as the
// screen shows (not enlarged from a small one), and placed by a button at their logical size.

#include "art/palette.h"
#include "art/shellart.h"
#include "art/windowart.h"
#include "widgets/styledbutton.h"

#include <QImage>
#include <QPainter>

#include <functional>

#include <gtest/gtest.h>

using namespace wirtal;

namespace {

// Pixels on an antialiased edge: neither empty nor fully covered.
int edgePixels(const QPixmap& pm) {
    const QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const int a = qAlpha(img.pixel(x, y));
            n += a > 0 && a < 255;
        }
    return n;
}

struct Picture {
    const char* name;
    std::function<QPixmap(qreal)> draw;
    QSize logical;
};

} // namespace

TEST(SharpPictures, EachSmallPictureIsDrawnAtTheRatioNotEnlarged) {
    const QColor green(58, 172, 72);
    const Picture pictures[] = {
        {"minimise", [](qreal r) { return pictures::minimizeGlyph(r); }, {12, 10}},
        {"close", [](qreal r) { return pictures::closeGlyph(r); }, {12, 10}},
        {"Dalej arrow", [](qreal r) { return pictures::forwardArrow(r); }, {22, 18}},
        {"green star", [&](qreal r) { return pictures::star(green, false, 16, r); }, {16, 16}},
        {"empty star", [&](qreal r) { return pictures::star(green, true, 16, r); }, {16, 16}},
        {"left menu: learning",
         [](qreal r) { return shellart::leftMenuPicture(0, 34, r); },
         {34, 34}},
        {"left menu: more", [](qreal r) { return shellart::leftMenuPicture(6, 34, r); }, {34, 34}},
        {"more page: statistics",
         [](qreal r) { return shellart::morePicture(0, 48, r); },
         {48, 48}},
        {"more page: import", [](qreal r) { return shellart::morePicture(3, 48, r); }, {48, 48}},
        {"category B",
         [](qreal r) { return shellart::categoryPicture(Vehicle::Car, 124, 62, r); },
         {124, 62}},
    };
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.name);
        const QPixmap one = p.draw(1.0);
        const QPixmap two = p.draw(2.0);
        EXPECT_EQ(one.size(), p.logical);
        EXPECT_EQ(two.size(), p.logical * 2);
        EXPECT_EQ(two.devicePixelRatio(), 2.0);
        EXPECT_EQ(two.deviceIndependentSize(), QSizeF(p.logical)); // shown at the same size
        // Drawn anew, an outline twice as long has about twice the edge pixels; a picture
        // enlarged from the small one has four times as many (each blurred or jagged edge
        // pixel becomes a 2 x 2 block).
        const int edges1 = edgePixels(one), edges2 = edgePixels(two);
        ASSERT_GT(edges1, 0);
        EXPECT_LT(edges2, 3 * edges1) << edges1 << " edge pixels at 1, " << edges2 << " at 2";
        const QPixmap enlarged =
            one.scaled(p.logical * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_GE(edgePixels(enlarged), 3 * edges1); // the measure tells the two apart
    }
}

TEST(SharpPictures, AButtonPlacesAPictureByItsLogicalSize) {
    // A picture of 48 x 48 logical pixels with twice as many device pixels, on a button that
    // has room for 48 x 48 above its caption: drawn 48 wide, centred; squeezed to fit when the
    // button is smaller.
    const struct {
        QSize button;
        int width; // of the drawn picture, logical pixels
    } cases[] = {{{200, 100}, 48}, {{200, 60}, 34}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button.height());
        QPixmap red = art::canvas(48, 48, 2.0);
        red.fill(Qt::red);
        StyledButton b(QStringLiteral("Statystyki"));
        b.setPicture(red);
        b.resize(c.button);
        QImage shot(c.button * 2, QImage::Format_ARGB32);
        shot.setDevicePixelRatio(2.0);
        shot.fill(Qt::white);
        b.render(&shot);
        int left = shot.width(), right = -1;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixel(x, y) == qRgb(255, 0, 0)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        ASSERT_GE(right, 0) << "no picture drawn";
        const double drawn = (right - left + 1) / 2.0;
        EXPECT_NEAR(drawn, c.width, 1.5);
        EXPECT_NEAR((left + right + 1) / 4.0, c.button.width() / 2.0, 1.5); // centred
    }
}
