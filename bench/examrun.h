#pragma once

// What the benchmarks that run the real main window share: message boxes that answer Yes, and a
// whole exam answered right as soon as each question allows, then "Dalej".

#include "base/state.h"
#include "exam/testsheet.h"
#include "platform/dialogs.h"
#include "widgets/styledbutton.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace wirtal::bench {

// Every box is answered Yes; errors are printed (none is expected); choosers are cancelled.
class QuietDialogs final : public Dialogs {
public:
    Answer message(const QString& t, Buttons, Icon, bool) override {
        std::fprintf(stderr, "box: %s\n", qPrintable(t));
        return Answer::Yes;
    }
    QString saveFileName(const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QString folderName(const QString&) override { return {}; }
};

// One benchmark loop of whole exams on the manual clock; Setup has `window`, `clock` and
// `button(name)`.
template <class Setup> void answerEveryExamRight(Setup& s, benchmark::State& state) {
    ProgramState& st = s.window->state();
    const TestSheet& sheet = s.window->examPage()->sheet();
    StyledButton* dalej = s.button("NextTestButton");
    StyledButton* tak = s.button("Taktest");
    for (auto _ : state) {
        s.button("nowytest")->clickFromCode();
        while (st.testtrwa) {
            const int k = st.globalint;
            StyledButton* sign = isBasicSlot(k) ? tak : dalej;
            s.clock.advanceUntil([&] { return !st.testtrwa || sign->isEnabled(); }, 120000);
            if (!st.testtrwa)
                break;
            const QString& code = sheet.prawodp[k];
            const char* name = code == u"T"   ? "Taktest"
                               : code == u"N" ? "Nietest"
                               : code == u"A" ? "Atest"
                               : code == u"B" ? "Btest"
                                              : "Ctest";
            s.button(name)->click();
            dalej->click();
            s.clock.advanceUntil([&] { return !st.testtrwa || st.globalint != k; }, 120000);
        }
        if (sheet.punktow == 0)
            state.SkipWithError("no points scored");
    }
}

} // namespace wirtal::bench
