// SPDX-License-Identifier: GPL-3.0-or-later

// Signs and plates that questions tell apart are drawn apart: a plate giving the length of a
// stretch (T-2, T-20) and one giving the distance to where it begins (T-1, T-21), with the same
// figure; the crossroads of equal roads and the one with side roads (A-6a) at the size a
// sign has beside a drawn road.
#include "art/signpaint.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

QImage drawn(const QString& code, qreal size = 120) {
    QImage image(QSize(360, 200), QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    wirtal::art::paintSign(p, QPointF(180, 20), size, code);
    p.end();
    return image;
}

TEST(SignPlates, LengthAndDistancePlatesWithOneFigureLookDifferent) {
    const struct {
        const char* length;
        const char* distance;
    } pairs[] = {{"T-2/300", "T-1/300"},
                 {"T-2/500", "T-1/500"},
                 {"T-20/200", "T-21/200"},
                 {"T-20/100", "T-1/100"}};
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.length);
        EXPECT_NE(drawn(QString::fromLatin1(pair.length)),
                  drawn(QString::fromLatin1(pair.distance)));
    }
}

// How many pixels of black ink a line of the image crosses, anti-aliased edges counted by
// their share (the yellow face has red 255, the ink about 30).
qreal ink(const QImage& image, QPoint from, QPoint step, int count) {
    qreal sum = 0;
    for (int i = 0; i < count; ++i) {
        const int red = qRed(image.pixel(from + i * step));
        sum += std::clamp((255.0 - red) / (255.0 - 30.0), 0.0, 1.0);
    }
    return sum;
}

struct RoadWidths {
    qreal through = 0; // the vertical road, below the crossing
    qreal across = 0;  // the crossing road, on its left arm
};

// The widths of the two roads of a junction pictogram drawn at the given sign size, found from
// the box of its ink.
RoadWidths roadWidths(const QString& code, qreal size) {
    const QImage image = drawn(code, size);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qRed(image.pixel(x, y)) < 80 && qGreen(image.pixel(x, y)) < 80)
                box |= QRect(x, y, 1, 1);
    RoadWidths w;
    if (box.width() < 6 || box.height() < 6)
        return w;
    // a row a sixth of the way up from the bottom, a column a sixth in from the left
    w.through =
        ink(image, {box.left() - 2, box.bottom() - box.height() / 6}, {1, 0}, box.width() + 4);
    w.across = ink(image, {box.left() + box.width() / 6, box.top() + box.height() / 4}, {0, 1},
                   box.height() / 2);
    return w;
}

TEST(SignPlates, CrossroadsOfEqualRoadsAndOfSideRoadsLookDifferentBesideTheRoad) {
    // the sizes of a warning sign in the road scenes (about 100 px) and a far one
    for (const qreal size : {100.0, 70.0}) {
        SCOPED_TRACE(size);
        const RoadWidths equal = roadWidths(QStringLiteral("A-5"), size);
        const RoadWidths side = roadWidths(QStringLiteral("A-6a"), size);
        ASSERT_GT(equal.through, 1.0);
        ASSERT_GT(side.through, 1.0);
        // two roads of one width
        EXPECT_NEAR(equal.across / equal.through, 1.0, 0.2)
            << equal.across << " px across, " << equal.through << " px through";
        // A-6a: a broad road with priority, the side roads a thin line, both far from A-5's
        EXPECT_LT(side.across, side.through / 3)
            << side.across << " px across, " << side.through << " px through";
        EXPECT_LT(side.across, equal.across / 2)
            << "A-6a side road " << side.across << " px, A-5 road " << equal.across << " px";
        EXPECT_GT(side.through, equal.through * 1.25)
            << "A-6a main road " << side.through << " px, A-5 road " << equal.through << " px";
    }
}

} // namespace
