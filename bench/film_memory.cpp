// Resident memory while a film plays: the program's main window with the real player, timers and
// message boxes (no splash, no version check), category B, the learning page on a question with
// a film. Prints VmRSS at rest on the question before it, and after the film has played for
// a few seconds. Run it under a display (scripts/measure-startup.sh does, with the demo bank).
//
//   film_memory <program folder> <question with a film>

#include "app/mainwindow.h"
#include "app/navigation.h"
#include "base/paths.h"
#include "learn/learnpage.h"
#include "platform/error.h"
#include "platform/qtdialogs.h"
#include "platform/qtmediaplayer.h"
#include "platform/random.h"
#include "platform/timer.h"
#include "platform/wallclock.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace wirtal;

namespace {

double residentMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "film_memory <program folder> <question with a film>\n");
        return 2;
    }
    QTemporaryDir user;
    Paths::setProgramFolder(QString::fromLocal8Bit(argv[1]));
    Paths::setUserDataFolder(user.path());
    setErrorSink([](const QString& t) { std::fprintf(stderr, "error: %s\n", qPrintable(t)); });

    QtDialogs dialogs;
    QtTimerService timers;
    SeededRandom random;
    SystemWallClock clock;
    QtMediaPlayer player;
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
    window.learnPage()->setBrowserNumber(QString::fromLocal8Bit(argv[2]).toInt());
    runFor(3000);
    std::printf("resident memory while a film plays: %.1f MB (playing: %s)\n", residentMb(),
                player.isPlaying() ? "yes" : "no");
    std::fflush(stdout);
    return 0;
}
