// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/readiness.h"

#include <QString>

namespace wirtal {

// The 32 slots of the category's test as drawTest draws them, each with the questions it may
// draw (by stored id, layout::storedIdOf) and their points: a classic folder's slot ranges, or a
// catalogue's point classes (each slot of a class draws any question of it; the shuffle after
// the draw does not change which points are at stake). A record that cannot be read is left out
// of its pool. Throws Error as the draw does when the bank files cannot be read.
ExamPools examPools(const QString& categoryCode);

} // namespace wirtal
