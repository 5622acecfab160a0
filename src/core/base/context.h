// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/state.h"
#include "platform/services.h"

namespace wirtal {

class AnswerLog;

// What every page shares: the program state, the test being sat, the learning run, the seams and
// the answer history (null when there is none: the program works without it).
struct AppContext {
    ProgramState state;
    ExamSession exam;
    LearningSession learning;
    Services services;
    AnswerLog* history = nullptr;
};

} // namespace wirtal
