// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The exit road that leaves a motorway where its deceleration lane ends (RoadScene::slipExit):
// past the nose it bends away to the right, the gore between it and the motorway hatched (P-21)
// where it is narrow and grass beyond.

#include "art/road.h"

namespace wirtal::art {

// How far right of the deceleration lane the exit road runs, beyond metres past the nose, and
// its direction there (metres to the right a metre ahead): an arc of 120 m radius.
qreal exitOffset(qreal beyond);
qreal exitSlope(qreal beyond);

// The exit road right of the motorway's edge line at x = right, up to zMax metres ahead.
void paintExitRoad(QPainter& p, const Projector& pr, const RoadScene& s, qreal right, qreal zMax,
                   const QColor& surface, const QColor& grass);

// The exit road's edge lines as straight pieces a metre long, for the films' check.
QList<RoadLine> exitLines(const RoadScene& s, qreal right);

} // namespace wirtal::art
