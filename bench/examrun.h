// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the benchmarks that run the real main window share: message boxes that answer Yes, and a
// whole exam answered right as soon as each question allows, then "Dalej".

#include "app/mainwindow.h"
#include "app/navigation.h"
#include "base/paths.h"
#include "base/state.h"
#include "exam/exampage.h"
#include "exam/testsheet.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/manualclock.h"
#include "platform/mediaplayer.h"
#include "platform/random.h"
#include "platform/wallclock.h"
#include "widgets/styledbutton.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace wirtal::bench {

// Every box is answered Yes; errors are printed (none is expected); choosers are cancelled.
class QuietDialogs final : public Dialogs {
public:
    Answer message(const QString& t, Buttons, Icon, bool) override {
        std::fprintf(stderr, "box: %s\n", qPrintable(t));
        return Answer::Yes;
    }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QStringList openFileNames(const QString&, const QString&) override { return {}; }
    QString folderName(const QString&) override { return {}; }
};

// The real main window on the test seams over a temporary program and user data folder. A
// benchmark's setup writes its bank files into `program`, then calls open(), which makes the
// window and chooses category B.
struct WindowBench {
    QTemporaryDir program, user;
    ManualClock clock;
    QuietDialogs dialogs;
    InertPlayer player;
    SeededRandom random{2026};
    FixedWallClock wall{QDateTime(QDate(2026, 12, 10), QTime(12, 0))};
    std::unique_ptr<MainWindow> window;

    WindowBench() {
        Paths::setProgramFolder(program.path());
        Paths::setUserDataFolder(user.path());
    }
    void open() {
        setErrorSink([](const QString& t) { std::fprintf(stderr, "error: %s\n", qPrintable(t)); });
        Services s;
        s.timers = &clock;
        s.dialogs = &dialogs;
        s.random = &random;
        s.clock = &wall;
        s.player = &player;
        window = std::make_unique<MainWindow>(s);
        window->navigation()->chooseCategory(QStringLiteral("B"));
    }
    StyledButton* button(const char* name) {
        return window->findChild<StyledButton*>(QString::fromLatin1(name));
    }
};

// One benchmark loop of whole exams on the manual clock; Setup has `window`, `clock` and
// `button(name)`.
template <class Setup> void answerEveryExamRight(Setup& s, benchmark::State& state) {
    const ExamSession& st = s.window->context().exam;
    const TestSheet& sheet = s.window->examPage()->sheet();
    StyledButton* dalej = s.button("NextTestButton");
    StyledButton* tak = s.button("Taktest");
    for (auto _ : state) {
        s.button("nowytest")->clickFromCode();
        while (st.running()) {
            const int k = st.currentSlot();
            StyledButton* sign = isBasicSlot(k) ? tak : dalej;
            s.clock.advanceUntil([&] { return !st.running() || sign->isEnabled(); }, 120000);
            if (!st.running())
                break;
            const QString& code = sheet.rightAnswer[k];
            const char* name = code == u"T"   ? "Taktest"
                               : code == u"N" ? "Nietest"
                               : code == u"A" ? "Atest"
                               : code == u"B" ? "Btest"
                                              : "Ctest";
            s.button(name)->click();
            dalej->click();
            s.clock.advanceUntil([&] { return !st.running() || st.currentSlot() != k; }, 120000);
        }
        if (sheet.score == 0)
            state.SkipWithError("no points scored");
    }
}

} // namespace wirtal::bench
