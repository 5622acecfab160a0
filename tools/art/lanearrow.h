// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Arrows painted in the lanes before a junction, as the driver's seat sees them.

#include "art/road.h"

#include <QPolygonF>

namespace wirtal::art {

// Where the point (x, z) of a shape painted in the lane centred at cx is drawn: along the lane
// as the road's perspective has it, across it square to the lane's centre line. The true
// projection would shear a shape in a lane beside ours along the lane's slanting lines.
QPointF inLane(const Projector& pr, qreal cx, qreal x, qreal z);

// The shapes of the arrow painted in the lane centred at cx from z0 on, in picture
// coordinates: the shaft first, then the straight head when the arrow has one, then for each
// turn its branch and the branch's head (left before right).
QList<QPolygonF> laneArrowShapes(const Projector& pr, qreal cx, qreal z0, bool left, bool right,
                                 bool straight);

} // namespace wirtal::art
