// SPDX-License-Identifier: GPL-3.0-or-later

// Resident memory while a film plays: the program's main window with the real player, timers and
// message boxes (no splash, no version check), category B, the learning page on a question with
// a film. Prints VmRSS at rest on the question before it, and after the film has played for
// a few seconds. Run it under a display (scripts/measure-startup.sh does, with the demo bank).
//
// With "process", films play in a film process of their own (platform/filmprocess.h) as in the
// program, and the process ends after the film (its idle end run by hand).
// With "warm", the player's back end is warmed up (warmUp) on the question before,
// with the time it holds the window and the memory it takes. Also prints how long showing the
// film's question holds the window, and the memory back on the question before after the film.
//
//   film_memory <program folder> <question with a film> [warm]

#include "app/mainwindow.h"
#include "app/navigation.h"
#include "base/paths.h"
#include "learn/learnpage.h"
#include "platform/error.h"
#include "platform/filmprocess.h"
#include "platform/manualclock.h"
#include "platform/qtdialogs.h"
#include "platform/qtmediaplayer.h"
#include "platform/random.h"
#include "platform/timer.h"
#include "platform/wallclock.h"
#include "processfigures.h"

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

using wirtal::bench::residentMb;
using wirtal::bench::runFor;

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], filmProcessOption) == 0) {
        QGuiApplication app(argc, argv);
        return runFilmProcess();
    }
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
    FilmProcessPlayer inItsProcess(QCoreApplication::applicationFilePath(),
                                   {QString::fromLatin1(filmProcessOption)}, &idleClock, 10000,
                                   60000);
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
    runFor(3000);
    std::printf("resident memory at rest on a question: %.1f MB\n", residentMb());
    if (options.contains(QStringLiteral("warm"))) {
        QElapsedTimer warming;
        warming.start();
        if (process)
            inItsProcess.warmUp(QStringLiteral("obrazki_prawko/filmy/film_animals.wmv"));
        else
            inProcess.warmUp();
        std::printf("back end warmed up, window held: %lld ms\n", warming.elapsed());
        runFor(3000);
        std::printf("resident memory after the warm-up: %.1f MB\n", residentMb());
    }
    // The GUI thread is held while the question with the film is shown (the first film starts
    // the media back end).
    QElapsedTimer held;
    held.start();
    window.learnPage()->setBrowserNumber(QString::fromLocal8Bit(argv[2]).toInt());
    std::printf("first film shown, window held: %lld ms\n", held.elapsed());
    runFor(3000);
    std::printf("resident memory while a film plays: %.1f MB (playing: %s)\n", residentMb(),
                player.isPlaying() ? "yes" : "no");
    // Back to a question without a film: what the player gives back.
    window.learnPage()->setBrowserNumber(QString::fromLocal8Bit(argv[2]).toInt() - 1);
    runFor(3000);
    std::printf("resident memory after the film: %.1f MB\n", residentMb());
    if (process) {
        // A minute without a film: the film process ends.
        idleClock.advance(60000);
        runFor(1000);
        std::printf("resident memory after the film process ended: %.1f MB (ended: %s)\n",
                    residentMb(), inItsProcess.processRunning() ? "no" : "yes");
    } else {
        // What of it is freed heap the allocator keeps, and what stays mapped (libraries).
        malloc_trim(0);
        std::printf("resident memory after the film, heap trimmed: %.1f MB\n", residentMb());
    }
    std::fflush(stdout);
    return 0;
}
