// SPDX-License-Identifier: GPL-3.0-or-later

// The first-aid pictures draw the technique their questions ask about: in the CPR picture the
// hands press the centre of the chest, the push arrow is in line with them and the rescuer
// kneels beside the chest, not over the legs.
#include "art/mediaitem.h"
#include "art/pictures.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using namespace wirtal;

// The mean x of the pixels of exactly this colour in the rows y0..y1, or -1 when there are none.
qreal meanX(const QImage& img, QRgb colour, int y0, int y1, int x0 = 0, int x1 = 480) {
    qreal sum = 0;
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x < x1; ++x)
            if ((img.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) {
                sum += x;
                ++n;
            }
    return n ? sum / n : -1;
}

TEST(FirstAidPictures, CprHandsOnTheCentreOfTheChestWithTheRescuerBesideIt) {
    const auto item = media::parseItem(QStringLiteral("scene:cpr"));
    ASSERT_TRUE(item);
    const QImage img = art::renderPicture(*item).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(img.isNull());
    // the casualty's torso: the blue shirt along the row through its middle
    const QRgb shirt = qRgb(60, 100, 170), skin = qRgb(235, 190, 150), jeans = qRgb(40, 50, 80),
               arrow = qRgb(40, 60, 110);
    int left = -1, right = -1;
    for (int x = 0; x < img.width(); ++x)
        if ((img.pixel(x, 274) & 0xffffff) == (shirt & 0xffffff)) {
            if (left < 0)
                left = x;
            right = x;
        }
    ASSERT_GT(right - left, 60);
    // the hands: skin just above the chest, away from the casualty's head
    const qreal hands = meanX(img, skin, 242, 254, left + 10, right);
    ASSERT_GT(hands, 0);
    const qreal along = (hands - left) / (right - left);
    EXPECT_GT(along, 0.2) << "hands at " << along << " of the way from shoulders to hips";
    EXPECT_LT(along, 0.45) << "hands at " << along << " of the way from shoulders to hips";
    // the push arrow in line with the hands
    const qreal arrowX = meanX(img, arrow, 0, 250);
    ASSERT_GT(arrowX, 0);
    EXPECT_NEAR(arrowX, hands, 6);
    // the rescuer's legs above the casualty: beside the chest, in the torso's first half
    const qreal legs = meanX(img, jeans, 200, 254);
    ASSERT_GT(legs, 0);
    EXPECT_LT((legs - left) / (right - left), 0.5) << "the rescuer kneels at x " << legs;
}

} // namespace
