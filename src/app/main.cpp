#include "app/mainwindow.h"
#include "app/paths.h"
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
#include <QDateTime>
#include <QDir>

#include <cstdio>

namespace {

// WIRTAL_MEASURE_STARTUP=1 (scripts/measure-startup.sh): print the moments (milliseconds since
// the epoch) the splash is shown and closed and the main window is first painted, then quit.
bool measuringStartup() {
    return qEnvironmentVariableIntValue("WIRTAL_MEASURE_STARTUP") == 1;
}

void stamp(const char* what) {
    if (!measuringStartup())
        return;
    std::printf("wirtal-startup %s %lld\n", what, QDateTime::currentMSecsSinceEpoch());
    std::fflush(stdout);
}

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : window_(window) {}
    bool eventFilter(QObject* target, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(target);
        if (event->type() == QEvent::Paint && widget && widget->window() == window_) {
            qApp->removeEventFilter(this);
            stamp("main-window-painted");
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wirtal 2012"));
    QApplication::setOrganizationName(QStringLiteral("Norel"));

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
        stamp("splash-shown");
        splash.showAndWait();
        stamp("splash-closed");
    }
    MainWindow window(services);
    FirstPaint firstPaint(&window);
    if (measuringStartup())
        app.installEventFilter(&firstPaint);
    dialogs.setParent(&window);
    window.showMaximized();
    const int rc = app.exec();
    setErrorSink({});
    return rc;
}
