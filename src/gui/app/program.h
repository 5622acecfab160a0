// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace wirtal {

class SingleInstance;

// Everything after the splash (app/program.cpp): the program folder, the seams, the main window
// and the event loop. app/main.cpp has made the application object, set its palette and
// translations, taken the single instance and shown the splash; a second start on the same user
// data raises the main window through instance.
int runProgram(SingleInstance& instance);

} // namespace wirtal
