// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "app/systemquit.h"
#include "art/shellart.h"
#include "base/paths.h"
#include "dialogs/splashwindow.h"
#include "history/answerlog.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/filmprocess.h"
#include "platform/qtdialogs.h"
#include "platform/qtmediaplayer.h"
#include "platform/qtwebloader.h"
#include "platform/random.h"
#include "platform/timer.h"
#include "platform/wallclock.h"
#include "results/report.h"
#include "results/reportoutput.h"
#include "widgets/accessiblevalues.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {
// The program folder at start (the rules of Paths::programFolderAtStart): a current directory the
// user chose, else the catalogue imported into the user data folder, else the installed program
// folder beside the executable (../share/wirtal). The program folder becomes the current
// directory.
QString programFolderAtStart() {
    using wirtal::Paths;
    const QString current = QDir::currentPath();
    const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../share/wirtal"));
    const QString chosen =
        Paths::programFolderAtStart(current, installed, Paths::importedCatalogueFolder());
    if (chosen == current || !QDir::setCurrent(chosen))
        return current;
    if (!Paths::holdsBank(current))
        std::fprintf(stderr, "wirtal: no question bank in the current directory; using %s\n",
                     qPrintable(QDir::toNativeSeparators(chosen)));
    return chosen;
}

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
    // The program started again to play films (platform/filmprocess.h): no window, no splash.
    if (argc == 2 && std::strcmp(argv[1], wirtal::filmProcessOption) == 0) {
        QGuiApplication app(argc, argv);
        return wirtal::runFilmProcess();
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
    wirtal::installAccessibleValues();
    // The installed icon of the desktop entry when there is one, otherwise the drawn mark.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("pl.norel.Wirtal"), wirtal::shellart::appIcon()));

    using namespace wirtal;
    Paths::setUserDataFolder(Paths::defaultUserDataFolder());
    // A second start on the same user data raises the running window and ends.
    SingleInstance instance(Paths::userDataFolder());
    if (instance.handedOver())
        return 0;
    Paths::setProgramFolder(programFolderAtStart());

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
    {
        // The start waits for the splash, which closes itself after a second.
        SplashWindow splash(timers);
        stamp("splash-shown");
        splash.showAndWait();
        stamp("splash-closed");
    }
    // The services the window needs, made after the splash so as not to delay it.
    QtWebLoader web;
#ifdef Q_OS_WIN
    // The film process reads its commands through a socket notifier on a pipe, which Windows
    // does not offer: films play in the program there.
    QtMediaPlayer player;
#else
    // Films play in a process of their own, which ends a while after the last film and takes the
    // media back end's memory with it.
    FilmProcessPlayer player(QCoreApplication::applicationFilePath(),
                             {QString::fromLatin1(filmProcessOption)}, &timers,
                             /*openTimeoutMs=*/10000, /*idleEndMs=*/60000);
#endif
    Services services;
    services.timers = &timers;
    services.web = &web;
    services.dialogs = &dialogs;
    services.random = &random;
    services.clock = &clock;
    services.player = &player;
    QtReportOutput report;
    services.report = &report;

    // The answer history: an addition to the statistics files, so the program goes on without
    // it; a file set aside is said once.
    QString historyNotice;
    const std::unique_ptr<AnswerLog> history =
        AnswerLog::open(AnswerLog::defaultPath(), &historyNotice);
    MainWindow window(services, history.get());
    FirstPaint firstPaint(&window);
    if (measuringStartup())
        app.installEventFilter(&firstPaint);
    dialogs.setParent(&window);
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window, [&window] {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    });
    // Logout, shutdown, a kill or Ctrl+C leave through the window's own close path, and the
    // session manager's save requests save the revision list.
    SystemQuit systemQuit([&window] { window.saveRevisionList(); },
                          [&window] {
                              window.close();
                              QCoreApplication::quit();
                          });
    window.showMaximized();
    if (!historyNotice.isEmpty())
        QTimer::singleShot(0, &window, [&boxes, historyNotice] {
            boxes.message(historyNotice, Buttons::Ok, Icon::Warning);
        });
    // The film process is started once the main window has stood idle a moment, not by the
    // first film, which then waits less; its memory is its own, and it ends after a minute
    // without a film (bench/film_memory ... warm process).
    const auto playerWarmUp =
        timers.create(QStringLiteral("playerwarmup"), 3000, TimerKind::OneShot);
    playerWarmUp->setHandler([&player] {
        // Any film of the program folder: loading it once loads the decoders.
        const QDir films(Paths::programFolder() + QStringLiteral("/obrazki_prawko/filmy"));
        const QStringList names = films.entryList(
            {QStringLiteral("*.wmv"), QStringLiteral("*.mp4")}, QDir::Files, QDir::Name);
        player.warmUp(names.isEmpty() ? QString() : films.filePath(names.front()));
    });
    playerWarmUp->start();
    // WIRTAL_QUIT_AFTER_START=1 (for checking an installation): name the program folder and quit
    // once the main window has been shown and painted.
    if (qEnvironmentVariable("WIRTAL_QUIT_AFTER_START") == QStringLiteral("1"))
        QTimer::singleShot(0, &window, [&window] {
            window.repaint();
            std::printf("wirtal: started on the program folder %s\n",
                        qPrintable(QDir::toNativeSeparators(Paths::programFolder())));
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    const int rc = app.exec();
    setErrorSink({});
    return rc;
}
