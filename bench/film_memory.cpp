// SPDX-License-Identifier: GPL-3.0-or-later

// Memory while a film plays: the program's main window with the real player, timers and message
// boxes (no splash, no version check), category B, the learning page on a question with a film.
// Every figure is of all the program's processes (this one and the film helper, when it runs):
// PSS and RSS summed. Prints them at rest two questions before the film, on the question before
// it (the film is near: the helper starts), while the film plays, and after it. Run it under a
// display (scripts/bench.sh does, with the demo bank).
//
// With "process", films play in the film helper wirtal-filmy (platform/filmprocess.h) as in the
// program, and the helper ends after the film (its idle end run by hand); it prints how long the
// first film took to reach the screen from a cold start (no helper running).
// With "warm", the player's back end is warmed up on the question before, as the program does
// when the next question has a film, with the time it holds the window.
//
//   film_memory <program folder> <question with a film> [warm] [process]

#include "app/mainwindow.h"
#include "app/navigation.h"
#include "base/paths.h"
#include "learn/learnpage.h"
#include "platform/error.h"
#include "platform/filmprocess.h"
#include "platform/filmview.h"
#include "platform/manualclock.h"
#include "platform/qtmediaplayer.h"
#include "platform/random.h"
#include "platform/timer.h"
#include "platform/wallclock.h"
#include "processfigures.h"
#include "startup/qtdialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include <malloc.h>

using namespace wirtal;

using wirtal::bench::runFor;
using wirtal::bench::treeMemory;

namespace {
// "<PSS> MB PSS, <RSS> MB RSS, <n> processes"
void printMemory(const char* what, const char* extra = "") {
    const auto m = treeMemory();
    std::printf("%s: %.1f MB PSS, %.1f MB RSS, %d processes%s\n", what, m.pssMb, m.rssMb,
                m.processes, extra);
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr,
                     "film_memory <program folder> <question with a film> [warm] [process]\n");
        return 2;
    }
    QStringList options;
    for (int i = 3; i < argc; ++i)
        options << QString::fromLocal8Bit(argv[i]);
    QTemporaryDir user;
    Paths::setProgramFolder(QString::fromLocal8Bit(argv[1]));
    Paths::setUserDataFolder(user.path());
    setErrorSink([](const QString& t) { std::fprintf(stderr, "error: %s\n", qPrintable(t)); });

    QtDialogs dialogs;
    QtTimerService timers;
    SeededRandom random;
    SystemWallClock clock;
    ManualClock idleClock; // the film process's idle end, advanced by hand below
    QtMediaPlayer inProcess;
    // The program's own helper, from the build tree (src/ beside bench/).
    FilmProcessPlayer inItsProcess(
        findFilmHelper(QCoreApplication::applicationDirPath() + QStringLiteral("/../src"), {}), {},
        QByteArrayLiteral(WIRTAL_VERSION), &idleClock, 10000, 60000);
    const bool process = options.contains(QStringLiteral("process"));
    MediaPlayer& player = process ? static_cast<MediaPlayer&>(inItsProcess) : inProcess;
    Services services;
    services.timers = &timers;
    services.dialogs = &dialogs;
    services.random = &random;
    services.clock = &clock;
    services.player = &player;
    MainWindow window(services);
    window.showMaximized();
    window.navigation()->chooseCategory(QStringLiteral("B"));
    const int question = QString::fromLocal8Bit(argv[2]).toInt();
    window.learnPage()->setBrowserNumber(question - 2);
    runFor(3000);
    printMemory("memory at rest, no film near");
    if (options.contains(QStringLiteral("warm"))) {
        // The question before the film: the film is near, the player gets ready.
        QElapsedTimer warming;
        warming.start();
        window.learnPage()->setBrowserNumber(question - 1);
        std::printf("question before the film shown (film near), window held: %lld ms\n",
                    warming.elapsed());
        runFor(3000);
        printMemory("memory on the question before the film");
    } else if (process) {
        // A cold start: the first film starts the helper; how long until its first frame.
        QElapsedTimer cold;
        cold.start();
        window.learnPage()->setBrowserNumber(question);
        const qint64 held = cold.elapsed();
        FilmView* view = nullptr;
        for (QWidget* panel : window.findChildren<QWidget*>())
            if (FilmView* v = inItsProcess.videoFor(panel); v && v->isVisible())
                view = v;
        while (view && view->image().isNull() && cold.elapsed() < 10000)
            runFor(2);
        std::printf("cold start: window held %lld ms, first film frame on screen after %lld ms\n",
                    held, cold.elapsed());
        window.learnPage()->setBrowserNumber(question - 1);
        idleClock.advance(60000);
        runFor(1000);
    }
    // The GUI thread is held while the question with the film is shown.
    QElapsedTimer held;
    held.start();
    window.learnPage()->setBrowserNumber(question);
    std::printf("first film shown, window held: %lld ms\n", held.elapsed());
    runFor(3000);
    printMemory("memory while a film plays", player.isPlaying() ? " (playing)" : " (not playing)");
    // Back to a question without a film: what the player gives back.
    window.learnPage()->setBrowserNumber(question - 2);
    runFor(3000);
    printMemory("memory after the film");
    if (process) {
        // A minute without a film: the film helper ends.
        idleClock.advance(60000);
        runFor(1000);
        printMemory("memory after the film helper ended",
                    inItsProcess.processRunning() ? " (still running)" : "");
    } else {
        // What of it is freed heap the allocator keeps, and what stays mapped (libraries).
        malloc_trim(0);
        printMemory("memory after the film, heap trimmed");
    }
    std::fflush(stdout);
    return 0;
}
