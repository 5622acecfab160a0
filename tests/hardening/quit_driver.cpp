// SPDX-License-Identifier: GPL-3.0-or-later

// Helper of quit_test: the real main window with inert seams on the folders given as arguments
// (program folder, user data folder), ended the way the program is ended. It chooses category
// B, answers question 1 wrongly ("NIE" where "TAK" is right), goes on to question 2 (whose
// number stays to be saved), prints "answered" and waits in
// the event loop for the test's signal. "close-event" is printed when the window's close path
// runs, "quit" when the event loop has ended normally.

#include "app/mainwindow.h"
#include "app/systemquit.h"
#include "base/paths.h"
#include "base/statsfile.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/manualclock.h"
#include "platform/mediaplayer.h"
#include "platform/random.h"
#include "platform/wallclock.h"
#include "widgets/styledbutton.h"

#include <QApplication>
#include <QEvent>

#include <cstdio>

using namespace wirtal;

namespace {

// Every box is answered at once with its first button and its text printed.
class AnswerFirst final : public Dialogs {
public:
    Answer message(const QString& text, Buttons buttons, Icon, bool) override {
        std::fprintf(stderr, "box: %s\n", qPrintable(text));
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QStringList openFileNames(const QString&, const QString&) override { return {}; }
    QString folderName(const QString&) override { return {}; }
};

class CloseWatch final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            std::printf("close-event\n");
            std::fflush(stdout);
        }
        return false;
    }
};

void say(const char* what) {
    std::printf("%s\n", what);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    Paths::setProgramFolder(QString::fromLocal8Bit(argv[1]));
    Paths::setUserDataFolder(QString::fromLocal8Bit(argv[2]));
    setErrorSink(
        [](const QString& text) { std::fprintf(stderr, "error: %s\n", qPrintable(text)); });

    ManualClock timers;
    AnswerFirst dialogs;
    SeededRandom random(1);
    FixedWallClock clock(QDateTime(QDate(2026, 12, 10), QTime(10, 30)));
    InertPlayer player;
    Services services;
    services.timers = &timers;
    services.dialogs = &dialogs;
    services.random = &random;
    services.clock = &clock;
    services.player = &player;

    MainWindow window(services);
    CloseWatch watch;
    window.installEventFilter(&watch);
    // The same paths as the program's main.
    SystemQuit systemQuit([&window] { window.saveRevisionList(); },
                          [&window] {
                              window.close();
                              QCoreApplication::quit();
                          });
    window.show();

    const auto button = [&window](const char* name) {
        return window.findChild<StyledButton*>(QString::fromLatin1(name));
    };
    StatsFile::setSaveFromEventLoopForTest(false);
    button("AdvSmoothButton25")->click(); // "Kategoria B": question 1
    button("AdvSmoothButton33")->click(); // "NIE"
    button("sprawdzbutton")->click();
    // The next question: its number is saved after the paint, here left pending until the
    // program ends (the event loop never gets the save).
    button("AdvSmoothButton30")->click();
    say("answered");
    const int rc = app.exec();
    say("quit");
    return rc;
}
