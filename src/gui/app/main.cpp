// SPDX-License-Identifier: GPL-3.0-or-later

// The executable: options, the application object, a second start handed to the running copy,
// the splash, then the program (app/program.h). The splash is painted before the main window is
// made; the films play in the helper wirtal-filmy (platform/filmprocess.h).

#include "app/program.h"
#include "base/paths.h"
#include "platform/timer.h"
#include "startup/singleinstance.h"
#include "startup/splashwindow.h"
#include "startup/startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    wirtal::stampStartup("main-entered");
    // Answered before the window system is opened, so they work without a display.
    if (const auto info = wirtal::infoOptionText(argc, argv, QStringLiteral(WIRTAL_VERSION))) {
        std::fputs(info->toLocal8Bit().constData(), stdout);
        return 0;
    }

    wirtal::setApplicationIdentity(QStringLiteral(WIRTAL_VERSION));
    QApplication app(argc, argv);
    // A screen too small for the panel, or much larger: start again at the scale that fits.
    wirtal::restartScaledIfNeeded(argv);
    // Our own colours under any system theme, and Qt's standard dialogs in Polish.
    QApplication::setPalette(wirtal::fixedPalette());
    wirtal::installQtTranslations(app);

    using namespace wirtal;
    // A second start on the same user data raises the running window and ends.
    SingleInstance instance(Paths::defaultUserDataFolder());
    if (instance.handedOver())
        return 0;

    {
        // The start waits for the splash, which closes itself after a second; nothing heavy is
        // made before it has been painted.
        QtTimerService timers;
        SplashWindow splash(timers);
        QObject::connect(&splash, &SplashWindow::firstPainted, &splash,
                         [] { stampStartup("splash-shown"); });
        splash.showAndWait();
        stampStartup("splash-closed");
    }
    return runProgram(instance);
}
