// SPDX-License-Identifier: GPL-3.0-or-later

// The executable: the first step of the start (app/launch.h). It links only Qt Core, Gui,
// Widgets and Network, so the splash is painted before the program's heavy libraries are loaded;
// they load with the module while the splash stands.

#include "app/launch.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "base/paths.h"
#include "dialogs/splashwindow.h"
#include "platform/dialogs.h"
#include "platform/filmprocess.h"
#include "platform/qtdialogs.h"
#include "platform/timer.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLibrary>

#include <cstdio>
#include <cstring>

namespace {

// The module beside the executable (a build tree, Windows), else where it is installed
// (WIRTAL_MODULE_DIR, relative to the executable's folder: ../lib/<arch>/wirtal).
bool loadProgramModule(QLibrary& module) {
    const QString here = QCoreApplication::applicationDirPath();
    QString errors;
    for (const QString& folder : {here, here + QStringLiteral("/" WIRTAL_MODULE_DIR)}) {
        module.setFileName(QDir::cleanPath(folder) + QLatin1Char('/') +
                           QLatin1String(wirtal::programModuleName));
        if (module.load())
            return true;
        errors += module.errorString() + QLatin1Char('\n');
    }
    std::fprintf(stderr, "wirtal: %s", qPrintable(errors));
    return false;
}

// A broken installation is said in words, not only on a terminal nobody sees.
int moduleMissing(wirtal::Dialogs& dialogs) {
    dialogs.message(
        QStringLiteral("Nie można uruchomić programu: brak jego części „%1” obok pliku "
                       "programu albo w folderze instalacji. Zainstaluj program ponownie.")
            .arg(QLatin1String(wirtal::programModuleName)),
        wirtal::Buttons::Ok, wirtal::Icon::Error);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QLibrary module;
    // The program started again to play films (platform/filmprocess.h): no window, no splash.
    if (argc == 2 && std::strcmp(argv[1], wirtal::filmProcessOption) == 0) {
        QGuiApplication app(argc, argv);
        if (!loadProgramModule(module))
            return 1;
        const auto run =
            reinterpret_cast<wirtal::RunFilmProcess>(module.resolve(wirtal::runFilmProcessEntry));
        return run ? run() : 1;
    }
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

    QtTimerService timers;
    bool loaded = false;
    {
        // The start waits for the splash, which closes itself after a second; the module is
        // loaded once the splash has been painted.
        SplashWindow splash(timers);
        QObject::connect(&splash, &SplashWindow::firstPainted, &splash, [&] {
            stampStartup("splash-shown");
            QMetaObject::invokeMethod(
                &splash, [&] { loaded = loadProgramModule(module); }, Qt::QueuedConnection);
        });
        splash.showAndWait();
        stampStartup("splash-closed");
    }
    if (!loaded && !loadProgramModule(module)) {
        QtDialogs dialogs;
        return moduleMissing(dialogs);
    }
    const auto run = reinterpret_cast<RunProgram>(module.resolve(runProgramEntry));
    if (!run) {
        QtDialogs dialogs;
        return moduleMissing(dialogs);
    }
    Launch launch;
    launch.argc = argc;
    launch.argv = argv;
    launch.onSecondStart = [&instance](std::function<void()> raise) {
        QObject::connect(&instance, &SingleInstance::raiseRequested, &instance, std::move(raise));
    };
    return run(&launch);
}
