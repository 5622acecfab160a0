// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader gets from the exam page, the learning page and the statistics page:
// names, roles, values and states through Qt's accessibility interfaces, the same tree the
// desktop's accessibility bus (AT-SPI) serves.

#include "dialogs/aboutform.h"
#include "dialogs/helpform.h"
#include "examfixture.h"
#include "learn/answercheck.h"
#include "learn/answerpanels.h"
#include "learn/learnpage.h"
#include "learn/revisionpanel.h"
#include "progress/progresspage.h"
#include "results/stars.h"
#include "results/statsview.h"
#include "startup/startup.h"
#include "widgets/accessiblevalues.h"
#include "widgets/announcer.h"
#include "widgets/mediadisplay.h"
#include "widgets/progressbar.h"
#include "widgets/sliderswitch.h"
#include "widgets/wrappedtext.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>

using namespace wirtal;
using namespace wirtal::test;

namespace {

QAccessibleInterface* iface(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

// Every accessible object under root, depth first.
void collect(QAccessibleInterface* root, QList<QAccessibleInterface*>& out, int depth = 0) {
    if (!root || depth > 40)
        return;
    out << root;
    for (int i = 0; i < root->childCount(); ++i)
        collect(root->child(i), out, depth + 1);
}

// The notifications an announcer shows, each with its accessible role and name as it is shown
// (a widget shown sends the accessibility bridge the "showing" a screen reader reads it on).
class ShownNotifications : public QObject {
public:
    explicit ShownNotifications(QWidget* announcer) {
        for (QWidget* line : announcer->findChildren<QWidget*>())
            line->installEventFilter(this);
    }
    QStringList texts;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
            EXPECT_EQ(i->role(), QAccessible::Notification);
            texts << i->text(QAccessible::Name);
        }
        return false;
    }
};

} // namespace

class AccessibilityTest : public ExamFixture {
protected:
    AccessibilityTest() {
        installAccessibleValues();
        QAccessible::setActive(true);
    }
    ~AccessibilityTest() override { QAccessible::setActive(false); }

    void startWindow() {
        window().show();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }
    // What the window's announcer has read out: the end of the turn runs first.
    QStringList said() {
        QCoreApplication::processEvents();
        return Announcer::of(&window())->said();
    }
    QString lastSaid() {
        const QStringList s = said();
        return s.isEmpty() ? QString() : s.last();
    }
    void press(Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : &window(), key);
    }
};

TEST_F(AccessibilityTest, TheExamClockPointsAndGaugeSayTheirValues) {
    openExam();
    draw();
    ASSERT_TRUE(waitForAnswering());

    QAccessibleInterface* minutes = iface(ui().minutesLabel);
    QAccessibleInterface* seconds = iface(ui().secondsLabel);
    EXPECT_EQ(minutes->text(QAccessible::Name), ui().minutesLabel->text()); // the digits
    EXPECT_EQ(seconds->text(QAccessible::Name), ui().secondsLabel->text());
    EXPECT_NE(minutes->text(QAccessible::Description), seconds->text(QAccessible::Description));

    QAccessibleInterface* points = iface(ui().pointsLabel);
    EXPECT_EQ(points->text(QAccessible::Name), sheet().slotPoints[1] + QStringLiteral(" pkt"));

    QAccessibleInterface* gauge = iface(ui().gauge);
    ASSERT_NE(gauge->valueInterface(), nullptr);
    EXPECT_EQ(gauge->role(), QAccessible::ProgressBar);
    EXPECT_EQ(gauge->valueInterface()->currentValue().toDouble(), ui().gauge->value());
    EXPECT_EQ(gauge->valueInterface()->maximumValue().toDouble(), 15.0);
    clock.advance(3000);
    EXPECT_EQ(gauge->valueInterface()->currentValue().toDouble(), ui().gauge->value());
    EXPECT_LT(ui().gauge->value(), 15.0);
    click(QStringLiteral("koniec"));
}

TEST_F(AccessibilityTest, LearningProgressSwitchAndTheWindowItself) {
    bank.write(folders);
    chooseB();
    LearnPage* learn = window().learnPage();
    learn->showQuestion(500, false);

    QAccessibleInterface* progress = iface(learn->progressBar());
    ASSERT_NE(progress->valueInterface(), nullptr);
    EXPECT_NEAR(progress->valueInterface()->currentValue().toDouble(),
                learn->progressBar()->position(), 1e-9);
    EXPECT_EQ(progress->text(QAccessible::Name), QStringLiteral("Postęp nauki"));

    SliderSwitch* remember = learn->revision()->findChild<SliderSwitch*>();
    ASSERT_NE(remember, nullptr);
    QAccessibleInterface* toggle = iface(remember);
    EXPECT_TRUE(toggle->state().checkable);
    EXPECT_TRUE(toggle->state().checked);
    const QString name = toggle->text(QAccessible::Name);
    remember->click();
    EXPECT_FALSE(toggle->state().checked);
    EXPECT_EQ(toggle->text(QAccessible::Name), name); // the name stays, the state changes

    EXPECT_EQ(iface(&window())->role(), QAccessible::Window);
    setApplicationIdentity(QStringLiteral("test"));
    EXPECT_EQ(iface(qApp)->text(QAccessible::Name), QStringLiteral("Wirtal 2013"));
}

TEST_F(AccessibilityTest, TheStatisticsFiguresAndTheClearButtonAreInTheTree) {
    bank.write(folders);
    chooseB();
    window().show();
    click(QStringLiteral("AdvSmoothButton79")); // "Więcej"
    window().statsView()->showStatistics();

    QList<QAccessibleInterface*> all;
    collect(iface(&window()), all);
    bool clearButton = false, learningFigures = false, examFigures = false;
    for (QAccessibleInterface* a : all) {
        clearButton = clearButton || (a->role() == QAccessible::Button &&
                                      a->text(QAccessible::Name) == u"Wyczyść statystyki");
        learningFigures = learningFigures ||
                          a->text(QAccessible::Description).contains(QStringLiteral("Poprawne: 0"));
        examFigures =
            examFigures || a->text(QAccessible::Description).contains(QStringLiteral("Zdane: 0"));
    }
    EXPECT_TRUE(clearButton);
    EXPECT_TRUE(learningFigures);
    EXPECT_TRUE(examFigures);
}

TEST_F(AccessibilityTest, TheAnnouncerShowsEachTextAsANotificationAfterTheTurn) {
    QWidget top;
    top.show();
    Announcer* a = Announcer::of(&top);
    EXPECT_EQ(Announcer::of(&top), a); // one per window
    EXPECT_EQ(iface(a)->role(), QAccessible::StatusBar);
    ShownNotifications shown(a);

    // Texts of one turn are read together, once the turn is over (after a move of the focus).
    a->say(QStringLiteral("Pytanie 1."));
    a->say(QStringLiteral("  Czas na odpowiedź:\n 15 sekund "));
    a->say(QString());
    EXPECT_TRUE(shown.texts.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.texts, QStringList{QStringLiteral("Pytanie 1. Czas na odpowiedź: 15 sekund")});

    // The same text again is shown again (read again), on another notification, so a reader
    // that comes late to the first still finds the first text on it.
    for (int i = 0; i < 3; ++i) {
        a->say(QStringLiteral("Dobrze"));
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(shown.texts.size(), 4);
    EXPECT_EQ(shown.texts.last(), QStringLiteral("Dobrze"));
    QSet<QString> names;
    for (int i = 0; i < iface(a)->childCount(); ++i) {
        QAccessibleInterface* line = iface(a)->child(i);
        if (!line->state().invisible)
            names << line->text(QAccessible::Name);
    }
    EXPECT_EQ(names, (QSet<QString>{QStringLiteral("Pytanie 1. Czas na odpowiedź: 15 sekund"),
                                    QStringLiteral("Dobrze")}));
    EXPECT_EQ(a->said().last(), QStringLiteral("Dobrze"));
}

TEST_F(AccessibilityTest, LearningReadsTheQuestionTheAnswersTheirStateAndTheCheck) {
    bank.write(folders);
    chooseB();
    startWindow();
    LearnPage* learn = window().learnPage();
    AnswerPanels* panels = learn->panels();
    learn->showQuestion(6, false);
    EXPECT_EQ(lastSaid(), QStringLiteral("Pytanie 6. Pytanie 6"));

    StyledButton* tak = panels->button(AnswerPanels::Yes);
    StyledButton* nie = panels->button(AnswerPanels::No);
    EXPECT_EQ(iface(nie)->role(), QAccessible::RadioButton);
    EXPECT_TRUE(iface(nie)->state().checkable);
    EXPECT_FALSE(iface(nie)->state().checked);

    // N answers NIE and takes the focus there; autosprawdzanie checks at once (6 is "N").
    press(Qt::Key_N);
    EXPECT_EQ(QApplication::focusWidget(), nie);
    EXPECT_TRUE(iface(nie)->state().checked);
    EXPECT_FALSE(iface(tak)->state().checked);
    EXPECT_EQ(lastSaid(), QStringLiteral("Dobrze"));
    press(Qt::Key_T);
    EXPECT_EQ(QApplication::focusWidget(), tak);
    EXPECT_TRUE(iface(tak)->state().checked);
    EXPECT_FALSE(iface(nie)->state().checked);
    EXPECT_EQ(lastSaid(), QStringLiteral("Źle, prawidłowa odpowiedź: NIE"));
    // A press through the screen reader's action chooses too.
    iface(nie)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(iface(nie)->state().checked);
    EXPECT_EQ(lastSaid(), QStringLiteral("Dobrze"));

    // The next question: nothing chosen.
    press(Qt::Key_Right);
    const int next = learn->browserNumber();
    EXPECT_EQ(lastSaid(), QStringLiteral("Pytanie %1. Pytanie %1").arg(next));
    EXPECT_FALSE(iface(nie)->state().checked);

    // A specialist question: "A", "B", "C" are named with their texts, tied to the labels.
    learn->showQuestion(1300, false);
    EXPECT_EQ(lastSaid(), QStringLiteral("Pytanie 1300. Pytanie 1300"));
    StyledButton* b = panels->button(AnswerPanels::B);
    EXPECT_EQ(iface(b)->text(QAccessible::Name), QStringLiteral("B: Odpowiedź B 1300"));
    const auto labelled = iface(b)->relations(QAccessible::Label);
    ASSERT_EQ(labelled.size(), 1);
    EXPECT_EQ(labelled.first().first->object(), panels->answerText(1));
    press(Qt::Key_A);
    EXPECT_EQ(QApplication::focusWidget(), panels->button(AnswerPanels::A));
    const QString right = learn->answerCheck().rightAnswer();
    const int r = right == u"A" ? 0 : right == u"B" ? 1 : 2;
    EXPECT_EQ(lastSaid(), right == u"A" ? QStringLiteral("Dobrze")
                                        : QStringLiteral("Źle, prawidłowa odpowiedź: ") + right);
    // Right and wrong are marked by a sign and a word too, not by the colour alone.
    const QString option[] = {QStringLiteral("Odpowiedź A 1300"),
                              QStringLiteral("Odpowiedź B 1300"),
                              QStringLiteral("Odpowiedź C 1300")};
    for (int i = 0; i < 3; ++i) {
        const QString shown = panels->answerText(i)->text();
        const QString mark = i == r   ? QStringLiteral("✔ Prawidłowa: ")
                             : i == 0 ? QStringLiteral("✘ Błędna: ")
                                      : QString();
        EXPECT_EQ(withPolishNoBreaks(shown), withPolishNoBreaks(mark + option[i])) << i;
    }
    // Marks are not kept for the next question, nor added twice by a second check.
    click(QStringLiteral("sprawdzbutton"));
    EXPECT_EQ(panels->answerText(r)->text().count(QStringLiteral("Prawidłowa")), 1);
    learn->showQuestion(1301, false);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(panels->answerText(i)->text().contains(QStringLiteral(":"))) << i;
}

TEST_F(AccessibilityTest, AnExamIsReadFromTheFirstQuestionToTheReview) {
    openExam();
    startWindow();
    draw();
    clock.advance(200); // the question loader
    const int points = sheet().slotPoints[1].toInt();
    const QString pointsWord =
        points == 1 ? QStringLiteral("1 punkt") : QStringLiteral("%1 punkty").arg(points);
    EXPECT_EQ(lastSaid(), QStringLiteral("Pytanie 1 z 32, %1. Pytanie %2 Czas na zapoznanie się "
                                         "z pytaniem: 20 sekund")
                              .arg(pointsWord)
                              .arg(sheet().questionNumber[1]));
    ASSERT_TRUE(waitForAnswering());
    EXPECT_EQ(lastSaid(), QStringLiteral("Czas na odpowiedź: 15 sekund"));
    EXPECT_EQ(QApplication::focusWidget(), ui().yesButton);

    // Z says the time left, and the answering time while it runs.
    clock.advance(3000);
    press(Qt::Key_Z);
    EXPECT_TRUE(lastSaid().startsWith(QStringLiteral("Do końca testu: 24 minuty ")));
    EXPECT_TRUE(lastSaid().endsWith(QStringLiteral(". Na odpowiedź: 12 sekund")))
        << lastSaid().toStdString();
    EXPECT_TRUE(ui().minutesLabel->toolTip().contains(QStringLiteral("klawisz Z")));

    // N highlights NIE, checks it and takes the focus.
    press(Qt::Key_N);
    EXPECT_EQ(QApplication::focusWidget(), ui().noButton);
    EXPECT_TRUE(iface(ui().noButton)->state().checked);
    EXPECT_FALSE(iface(ui().yesButton)->state().checked);

    // The clock's marks: 10 minutes left is said once.
    clock.advance((24 * 60 + 59 - 10 * 60 - 3) * 1000LL + 500);
    // (Each tick is a turn of its own in the program; here the clock's run is one turn.)
    const QString run = said().last();
    EXPECT_EQ(run.count(QStringLiteral("Do końca testu zostało: ")), 1) << run.toStdString();
    EXPECT_EQ(run.count(QStringLiteral("Do końca testu zostało: 10 minut")), 1);

    click(QStringLiteral("koniec"));
    EXPECT_TRUE(lastSaid().startsWith(QStringLiteral("Koniec testu. Wynik ")));
    EXPECT_TRUE(lastSaid().contains(QStringLiteral("na 74"))) << lastSaid().toStdString();
    for (int k = 1; k <= 32; ++k) {
        const QString expected = sheet().givenAnswer[k].isEmpty() ? QStringLiteral("bez odpowiedzi")
                                 : sheet().correct(k)             ? QStringLiteral("dobrze")
                                                                  : QStringLiteral("źle");
        EXPECT_EQ(iface(ui().numbers[k])->text(QAccessible::Description), expected) << k;
    }
    // The review of a specialist slot marks its right answer by a sign and a word.
    click(QStringLiteral("AdvSmoothButton62")); // slot 21
    clock.advance(200);
    const QString right = sheet().rightAnswer[21];
    const auto memos = ui().answerTexts();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(memos[i]->text().startsWith(QStringLiteral("✔ Prawidłowa: ")),
                  right == QString(QChar(u'A' + i)))
            << i;
    // A new test: the slots say only their numbers again.
    draw();
    EXPECT_EQ(iface(ui().numbers[1])->text(QAccessible::Description), QString());
    click(QStringLiteral("koniec"));
}

TEST_F(AccessibilityTest, StarsWindowsAndPicturesSayWhatTheyShow) {
    StarsPanel stars;
    stars.showResult(1, u'1');
    stars.showResult(2, u'0');
    stars.showEmpty(3);
    const auto starName = [&](int i) {
        return iface(stars.findChild<QLabel*>(QStringLiteral("starimage%1").arg(i)))
            ->text(QAccessible::Name);
    };
    EXPECT_EQ(starName(1), QStringLiteral("Wynik ostatniego testu: zdany"));
    EXPECT_EQ(starName(2), QStringLiteral("Wynik przedostatniego testu: niezdany"));
    EXPECT_EQ(starName(3), QStringLiteral("Wynik trzeciego testu wstecz: brak testu"));

    HelpForm help;
    AboutForm about;
    EXPECT_EQ(iface(&help)->role(), QAccessible::Dialog);
    EXPECT_EQ(iface(&about)->role(), QAccessible::Dialog);
    EXPECT_EQ(iface(&about)->text(QAccessible::Name), QStringLiteral("O programie"));

    const struct {
        const char* field;
        const char* description;
    } pictures[] = {
        {"sign_A-12a.jpg", "Znak A-12a"},
        {"filmy\\sign_B-33-50.jpg", "Znak B-33"},
        {"scene_mirror.jpg", ""},
        {"R_101org.jpg", ""},
        {"", ""},
    };
    for (const auto& p : pictures)
        EXPECT_EQ(mediaDescription(QString::fromLatin1(p.field)), QString::fromUtf8(p.description))
            << p.field;
}

TEST_F(AccessibilityTest, TabLeavesTheProgressTablesAndTheirFocusIsDrawn) {
    bank.write(folders);
    chooseB();
    startWindow();
    click(QStringLiteral("AdvSmoothButton79")); // "Więcej"
    click(QStringLiteral("postepybutton"));
    ProgressPage* progress = window().progressPage();
    ASSERT_TRUE(progress->isVisible());
    QList<QAbstractItemView*> views{progress->topicTable(), progress->findChild<QListWidget*>()};
    for (QAbstractItemView* view : views) {
        ASSERT_NE(view, nullptr);
        const QImage unfocused = view->grab().toImage();
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            view->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(view->hasFocus());
            press(key);
            EXPECT_FALSE(view->isAncestorOf(QApplication::focusWidget()) ||
                         QApplication::focusWidget() == view)
                << view->objectName().toStdString() << " keeps the focus on " << int(key);
        }
        // The focus shows: the view's frame is drawn otherwise while it has it.
        view->setFocus(Qt::TabFocusReason);
        const QImage focused = view->grab().toImage();
        const int y = view->height() / 2;
        EXPECT_NE(focused.pixel(0, y), unfocused.pixel(0, y)) << view->objectName().toStdString();
    }
}

TEST_F(AccessibilityTest, TheStatisticsOpenOnTheFiguresNotOnTheClearButton) {
    bank.write(folders);
    chooseB();
    startWindow();
    click(QStringLiteral("AdvSmoothButton79")); // "Więcej"
    // As a keyboard user opens it: the focus on "Statystyki", Space.
    auto* stats = find<QAbstractButton>(QStringLiteral("statystykibutton"));
    stats->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    ASSERT_TRUE(window().statsView()->isVisible());
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_NE(focus->objectName(), QStringLiteral("AdvSmoothButton22"))
        << focus->metaObject()->className() << " " << focus->objectName().toStdString();
    EXPECT_TRUE(window().statsView()->isAncestorOf(focus)) << focus->objectName().toStdString();
    EXPECT_TRUE(iface(focus)->text(QAccessible::Description).contains(QStringLiteral("Poprawne:")));
}
