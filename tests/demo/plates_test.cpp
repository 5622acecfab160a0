// SPDX-License-Identifier: GPL-3.0-or-later

// Plates that questions tell apart are drawn apart: a plate giving the length of a stretch
// (T-2, T-20) and one giving the distance to where it begins (T-1, T-21), with the same figure.
#include "art/signpaint.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage drawn(const QString& code) {
    QImage image(QSize(360, 200), QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    wirtal::art::paintSign(p, QPointF(180, 20), 120, code);
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

} // namespace
