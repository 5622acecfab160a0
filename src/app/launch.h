// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace wirtal {

// The program starts in two steps, so that the splash is on screen before the heavy libraries
// are loaded. The executable `wirtal` (app/main.cpp) links only Qt Core, Gui, Widgets and Network:
// it answers --help and --version, makes the application object, hands a second start over to the
// running copy and shows the splash. While the splash stands it loads the module
// `wirtal-program` (app/program.cpp: the windows, the bank, the history, charts, printing, films,
// the catalogue reader), and once the splash has closed it calls the module's entry.
//
// The two have separate copies of the small static parts they share (paths, timers): nothing set
// in one copy is read in the other, so everything the module needs comes through this hand-over.
struct Launch {
    int argc = 0;
    char** argv = nullptr;
    // The module gives the function that raises its main window; the start-up part calls it when
    // a second start on the same user data asks the running copy to come forward.
    std::function<void(std::function<void()>)> onSecondStart;
};

// The module's two entries (extern "C", resolved by name): the program itself, and the film
// process the program starts with filmProcessOption (platform/filmprocess.h).
using RunProgram = int (*)(Launch*);
using RunFilmProcess = int (*)();
inline constexpr char runProgramEntry[] = "wirtalRunProgram";
inline constexpr char runFilmProcessEntry[] = "wirtalRunFilmProcess";
// The module's file name without its suffix (wirtal-program.so, wirtal-program.dll).
inline constexpr char programModuleName[] = "wirtal-program";

} // namespace wirtal
