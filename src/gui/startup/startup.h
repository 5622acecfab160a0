// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPalette>
#include <QString>

#include <optional>

class QCoreApplication;

namespace wirtal {

// "--help" and "--version" are answered before any window system is touched, so they work
// without a display. Returns the text to print, or nothing when the program should start.
std::optional<QString> infoOptionText(int argc, const char* const* argv, const QString& version);

// The names the desktop sees: the application name "Wirtal 2013" (what screen readers announce,
// and the X11 window class, whose instance part is the program's file name "wirtal", the desktop
// entry's StartupWMClass), the desktop file name (the Wayland app id). Called before the
// application object is made.
void setApplicationIdentity(const QString& version);

// The program paints its own light colours; the whole window tree gets this palette so that no
// text takes the system theme's colour (white text of a dark theme on our light panels).
QPalette fixedPalette();

// The scale that makes the program's fixed 1089 x 650 panel, its margins and the window's own
// buttons (1129 x 768 in all) fill a large screen's available area: 1 (the original layout, pixel
// for pixel) up to a quarter larger than that, the filling scale beyond.
double panelScaleFor(double availableWidth, double availableHeight);

// Started on a screen where the panel would be tiny, the program starts itself
// again once with Qt's global scale factor set (QT_SCALE_FACTOR), so that text and the drawn art
// are rendered at the new size rather than stretched. Never when the user set QT_SCALE_FACTOR,
// and only once. Returns only when no restart is needed or possible.
void restartScaledIfNeeded(char** argv);

// Qt's own Polish texts (file dialogs, standard buttons, context menus) from the translations
// folder of the Qt installation. Returns false when they are not installed.
bool installQtTranslations(QCoreApplication& app);

// WIRTAL_MEASURE_STARTUP=1 (scripts/measure-startup.sh, scripts/bench.sh): the start-up prints
// the moments (milliseconds since the epoch) the splash is first painted and closed and the main
// window is first painted, then quits.
bool measuringStartup();
// Prints "wirtal-startup <what> <ms since the epoch>" when measuring.
void stampStartup(const char* what);

} // namespace wirtal
