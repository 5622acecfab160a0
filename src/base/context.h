#pragma once

#include "base/state.h"
#include "platform/services.h"

namespace wirtal {

// What every page shares: the program state and the seams.
struct AppContext {
    ProgramState state;
    Services services;
};

} // namespace wirtal
