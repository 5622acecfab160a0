// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/navigation.h"
#include "bank/layout.h"

#include "app/leftmenu.h"
#include "app/mainwindow.h"
#include "app/startpage.h"
#include "exam/exampage.h"
#include "learn/learnpage.h"
#include "learn/practicerunner.h"
#include "platform/dialogs.h"
#include "platform/mediaplayer.h"
#include "progress/progresspage.h"
#include "widgets/styledbutton.h"

namespace wirtal {

Navigation::Navigation(MainWindow& window) : w_(window) {
    LeftMenu* m = w_.menu();
    m->setHandler(LeftMenu::Learning, [this] { backToLearning(); });
    m->setHandler(LeftMenu::ChangeCategory, [this] { changeCategory(); });
    struct PlainEntry {
        LeftMenu::Entry entry;
        MainWindow::Page page;
    };
    // The other entries only switch pages; a running test goes on behind them.
    static constexpr PlainEntry plain[] = {
        {LeftMenu::Exam, MainWindow::ExamSheet},        {LeftMenu::Rules, MainWindow::RulesMenu},
        {LeftMenu::Vehicles, MainWindow::VehiclesMenu}, {LeftMenu::Signs, MainWindow::SignsMenu},
        {LeftMenu::More, MainWindow::MoreSheet},
    };
    for (const auto& e : plain) {
        m->setHandler(e.entry, [this, e] {
            w_.showPage(e.page);
            w_.menu()->highlight(e.entry);
            if (e.entry == LeftMenu::More)
                w_.setLeftPanelVisible(true);
        });
    }
    w_.startPage()->setChooseHandler([this](const QString& letter) { chooseCategory(letter); });
}

bool Navigation::confirmAbort(const QString& question) {
    const ExamSession& exam = w_.context().exam;
    if (!exam.running())
        return true;
    if (w_.context().services.dialogs->message(question, Buttons::YesNo, Icon::None) != Answer::Yes)
        return false;
    // The test may have ended by itself while the box was open: it is recorded only once.
    if (exam.running())
        w_.examPage()->abortTest();
    w_.examPage()->hideNewTestBadge();
    return true;
}

namespace {
// The question last shown in learning mode, as our number: the statistics file stores its id
// (the official number in a catalogue folder); one the folder no longer holds starts at 1.
int lastShownNumber(const QString& categoryCode) {
    const int id = storedLastQuestion(categoryCode);
    const int n = layout::numberOfStoredId(categoryCode, id);
    return n > 0 || id == 0 ? n : 1;
}
} // namespace

void Navigation::chooseCategory(const QString& letter) {
    ProgramState& s = w_.state();
    LearnPage* learn = w_.learnPage();
    s.categoryCode = letter;
    w_.showPage(MainWindow::LearnSheet);
    w_.startPage()->markChosen(letter);
    w_.examPage()->clearPointsLabel();
    const Category* c = s.category();
    w_.setWindowTitle(QStringLiteral("Wirtal 2013 - Norel - ") + c->buttonCaption());
    w_.setLeftPanelVisible(true);
    learn->loadRevisionList();
    LearningSession& learning = w_.context().learning;
    learning.setQuestion(lastShownNumber(letter));
    learn->setNumberEntry(learning.question());
    learn->clearForCategory(c->label());
    learning.revisionListDone();
    w_.menu()->highlight(LeftMenu::Learning);
    learn->showQuestion(learning.question(), /*evenIfSame=*/true);
    w_.examPage()->showStars();
    w_.examPage()->refreshLanguageChoice();
}

void Navigation::changeCategory() {
    if (!confirmAbort(QStringLiteral("Przerwać test i przejść do wyboru kategorii?")))
        return;
    w_.showPage(MainWindow::StartSheet);
    w_.setLeftPanelVisible(false);
    w_.menu()->highlight(LeftMenu::ChangeCategory);
    w_.saveRevisionList();
    if (auto* player = w_.context().services.player)
        player->close();
    w_.examPage()->resetExamPage();
}

void Navigation::backToLearning() {
    if (!confirmAbort(QStringLiteral("Przerwać test i przejść do trybu nauki?")))
        return;
    ProgramState& s = w_.state();
    LearnPage* learn = w_.learnPage();
    w_.showPage(MainWindow::LearnSheet);
    w_.menu()->highlight(LeftMenu::Learning);
    // A practice run goes on where it was; otherwise the last question shown.
    if (!learn->practice().active()) {
        LearningSession& learning = w_.context().learning;
        learning.setQuestion(lastShownNumber(s.categoryCode));
        learn->setNumberEntry(learning.question());
        learn->showQuestion(learning.question(), /*evenIfSame=*/false);
    }
    learn->resumeFilm();
    w_.examPage()->stopReadingTimer();
}

void Navigation::showProgress() {
    w_.progressPage()->refresh();
    w_.showPage(MainWindow::ProgressSheet);
    w_.menu()->highlight(LeftMenu::More);
}

void Navigation::startPractice(PracticeRun kind, std::vector<int> queue, const QString& title) {
    if (!confirmAbort(QStringLiteral("Przerwać test i przejść do ćwiczenia?")))
        return;
    backToLearning();
    w_.learnPage()->practice().start(kind, std::move(queue), title);
}

void Navigation::openQuestion(int number) {
    if (!confirmAbort(QStringLiteral("Przerwać test i przejść do trybu nauki?")))
        return;
    LearnPage* learn = w_.learnPage();
    learn->practice().end();
    backToLearning();
    w_.context().learning.setQuestion(number);
    learn->setNumberEntry(number);
    learn->showQuestion(number, /*evenIfSame=*/true);
}

} // namespace wirtal
