// SPDX-License-Identifier: GPL-3.0-or-later

// The arrows painted in the lanes before a junction (291, 418, 424) keep the shape of an arrow
// in every lane the camera can be in: the shaft points along its lane towards the vanishing
// point, is square across it, and the straight head's tip lies on the shaft's axis. The road's
// true perspective sheared the arrows of the lanes beside ours along their slanting lines.
#include "art/lanearrow.h"

#include <QLineF>

#include <gtest/gtest.h>

namespace {

using namespace wirtal::art;

// The angle between two directions, in degrees from 0 to 180.
qreal angleBetween(QPointF a, QPointF b) {
    return QLineF(QPointF(), a).angleTo(QLineF(QPointF(), b)) > 180
               ? 360 - QLineF(QPointF(), a).angleTo(QLineF(QPointF(), b))
               : QLineF(QPointF(), a).angleTo(QLineF(QPointF(), b));
}

qreal distanceToLine(QPointF p, QPointF a, QPointF b) {
    const QPointF d = b - a;
    return std::abs(d.x() * (p.y() - a.y()) - d.y() * (p.x() - a.x())) / std::hypot(d.x(), d.y());
}

TEST(LaneArrows, EveryLanesArrowIsSquareToItsLaneAndPointsAlongIt) {
    // the lanes of the three-lane scenes (F-10, the arrow signals) from each lane the camera is in
    for (const qreal camera : {-3.5, 0.0, 3.5})
        for (const qreal lane : {-3.5, 0.0, 3.5}) {
            SCOPED_TRACE(testing::Message() << "camera " << camera << ", lane " << lane);
            Projector pr;
            pr.camX = camera;
            const auto shapes = laneArrowShapes(pr, lane, 10, true, true, true);
            ASSERT_EQ(shapes.size(), 6); // shaft, straight head, two branches with their heads
            // the shaft's axis runs to the vanishing point of the lane's centre line, its ends
            // square to the axis (its sides narrow towards the distance, as the road's do)
            const QPolygonF& shaft = shapes[0];
            const QPointF nearMid = (shaft[0] + shaft[1]) / 2, farMid = (shaft[2] + shaft[3]) / 2;
            const QPointF axis = farMid - nearMid;
            EXPECT_NEAR(angleBetween(shaft[1] - shaft[0], axis), 90, 3) << "the shaft is sheared";
            EXPECT_LT(distanceToLine(pr.at(lane, 0, 1e4), nearMid, farMid), 2);
            // the straight head: its tip on the axis, its two corners either side of it
            const QPolygonF& head = shapes[1];
            EXPECT_LT(distanceToLine(head[2], nearMid, farMid), 0.5);
            EXPECT_NEAR(distanceToLine(head[0], nearMid, farMid),
                        distanceToLine(head[1], nearMid, farMid), 0.5);
            EXPECT_NEAR(angleBetween(head[1] - head[0], axis), 90, 3) << "the head is sheared";
        }
}

} // namespace
