#include "app/mainwindow.h"
#include "app/paths.h"
#include "app/shellart.h"
#include "dialogs/splashwindow.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/qtdialogs.h"
#include "platform/qtmediaplayer.h"
#include "platform/qtwebloader.h"
#include "platform/random.h"
#include "platform/timer.h"
#include "platform/wallclock.h"
#include "results/report.h"
#include "results/reportoutput.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wirtal 2012"));
    QApplication::setOrganizationName(QStringLiteral("Norel"));
    QApplication::setWindowIcon(wirtal::shellart::appIcon());

    using namespace wirtal;
    Paths::setProgramFolder(QDir::currentPath());
    Paths::setUserDataFolder(Paths::defaultUserDataFolder());

    QtDialogs dialogs;
    Dialogs& boxes = dialogs;
    // An error escaping any handler is shown in the "Wirtal" box and the program goes on.
    setErrorSink([&boxes](const QString& text) { boxes.message(text, Buttons::Ok, Icon::Error); });
    if (!Paths::ensureUserDataFolder())
        boxes.message(QStringLiteral("Nie można utworzyć folderu danych użytkownika „%1”.")
                          .arg(QDir::toNativeSeparators(Paths::userDataFolder())),
                      Buttons::Ok, Icon::Warning);

    Report::installDefaultTemplate();

    QtTimerService timers;
    SeededRandom random;
    SystemWallClock clock;
    QtWebLoader web;
    QtMediaPlayer player;
    Services services;
    services.timers = &timers;
    services.web = &web;
    services.dialogs = &dialogs;
    services.random = &random;
    services.clock = &clock;
    services.player = &player;
    QtReportOutput report;
    services.report = &report;

    {
        // The start waits for the splash, which closes itself after a second.
        SplashWindow splash(timers);
        splash.showAndWait();
    }
    MainWindow window(services);
    dialogs.setParent(&window);
    window.showMaximized();
    const int rc = app.exec();
    setErrorSink({});
    return rc;
}
