// SPDX-License-Identifier: GPL-3.0-or-later

// Everything after the splash (app/program.h).

#include "app/program.h"

#include "app/mainwindow.h"
#include "app/systemquit.h"
#include "art/shellart.h"
#include "base/bankdata.h"
#include "base/paths.h"
#include "catalogue/folderswap.h"
#include "history/answerlog.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/filmprocess.h"
#include "platform/qtdownloader.h"
#include "platform/qtmediaplayer.h"
#include "platform/qtwebloader.h"
#include "platform/random.h"
#include "platform/timer.h"
#include "platform/wallclock.h"
#include "results/report.h"
#include "results/reportoutput.h"
#include "startup/qtdialogs.h"
#include "startup/singleinstance.h"
#include "startup/startup.h"
#include "widgets/accessiblevalues.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>

#include <cstdio>

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

// When measuring the start (WIRTAL_MEASURE_STARTUP=1): the moment the main window is first
// painted, then quit.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : window_(window) {}
    bool eventFilter(QObject* target, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(target);
        if (event->type() == QEvent::Paint && widget && widget->window() == window_) {
            qApp->removeEventFilter(this);
            wirtal::stampStartup("main-window-painted");
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

int wirtal::runProgram(SingleInstance& instance) {
    // The accessible values name the program's own widget classes.
    installAccessibleValues();
    // The installed icon of the desktop entry when there is one, otherwise the drawn mark.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("pl.norel.Wirtal"), shellart::appIcon()));
    Paths::setUserDataFolder(Paths::defaultUserDataFolder());
    catalogue::restoreInterruptedImport(Paths::importedCatalogueFolder());
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
    // A catalogue's statistics and lists written by an earlier version into the classic files
    // (its answers in the history follow once the history is open).
    EarlierCatalogueData earlier;
    guarded([&earlier] { earlier = separateEarlierCatalogueData(); });

    QtTimerService timers;
    SeededRandom random;
    SystemWallClock clock;
    QtWebLoader web;
    QtDownloader downloader;
#ifdef Q_OS_WIN
    // The film process reads its commands through a socket notifier on a pipe, which Windows
    // does not offer: films play in the program there.
    QtMediaPlayer player;
#else
    // Films play in the film helper beside the executable (never one found on PATH), started
    // when a film is near; it ends a while after the last film and takes the media back end's
    // memory with it.
    FilmProcessPlayer player(
        findFilmHelper(QCoreApplication::applicationDirPath(), QStringLiteral(WIRTAL_HELPER_DIR)),
        {}, QByteArrayLiteral(WIRTAL_VERSION), &timers,
        /*openTimeoutMs=*/filmProcessWaitMs, /*idleEndMs=*/60000);
#endif
    Services services;
    services.timers = &timers;
    services.web = &web;
    services.downloader = &downloader;
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
    if (history && earlier.catalogueSince.isValid())
        history->moveToCatalogue(earlier.catalogueSince.toMSecsSinceEpoch());
    MainWindow window(services, history.get());
    FirstPaint firstPaint(&window);
    if (measuringStartup())
        qApp->installEventFilter(&firstPaint);
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
    const int rc = QApplication::exec();
    setErrorSink({});
    return rc;
}
