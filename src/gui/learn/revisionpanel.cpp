// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/revisionpanel.h"

#include "art/tcolor.h"
#include "base/context.h"
#include "base/paths.h"
#include "learn/learnpage.h"
#include "learn/practicerunner.h"
#include "learn/revisionfile.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/timer.h"
#include "widgets/sliderswitch.h"
#include "widgets/styledbutton.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>

namespace wirtal {

namespace {
constexpr int red = 0x0000FF;
const QString runOnCaption = QStringLiteral("Włącz powtórkę");
const QString runOffCaption = QStringLiteral("Wyłącz powtórkę");

QAction* menuItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}
} // namespace

RevisionPanel::RevisionPanel(AppContext& ctx, LearnPage& page, QWidget* parent)
    : QGroupBox(QStringLiteral(" Do powtórki: "), parent), ctx_(ctx), page_(page) {
    setObjectName(QStringLiteral("GroupBox2"));
    resize(359, 200);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("dopowtorkilistbox1"));
    list_->setAccessibleName(QStringLiteral("Pytania do powtórki"));
    list_->setToolTip(QStringLiteral("Kliknij na numer pytania, aby do niego przejść."));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setGeometry(12, 28, 104, 160); // inside the frame of the 200 px high box
    connect(list_, &QListWidget::itemClicked, this,
            [this] { guarded([this] { entryClicked(); }); });
    connect(list_, &QListWidget::itemActivated, this,
            [this] { guarded([this] { entryClicked(); }); });
    connect(list_, &QWidget::customContextMenuRequested, this, &RevisionPanel::showMenu);
    list_->installEventFilter(this);

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("PopupMenu1"));
    connect(menuItem(menu_, "usun", QStringLiteral("Usuń zaznaczony numer")), &QAction::triggered,
            this, [this] { guarded([this] { removeSelected(); }); });
    connect(menuItem(menu_, "N1", QStringLiteral("Usuń wszystkie pytania")), &QAction::triggered,
            this, [this] { guarded([this] { clearList(); }); });
    connect(menuItem(menu_, "Informacjaooknie1", QStringLiteral("Informacja o oknie")),
            &QAction::triggered, this, [this] { guarded([this] { explainList(); }); });
    menu_->addSeparator();
    toggleRun_ = menuItem(menu_, "WczWyczpowtrk1", runOnCaption);
    connect(toggleRun_, &QAction::triggered, this, [this] { runButton_->clickFromCode(); });

    slider_ = new SliderSwitch(QStringLiteral("Zapamiętuje błędy"),
                               QStringLiteral("Nie zapamiętuje"), this);
    slider_->setObjectName(QStringLiteral("AdvSmoothSlider1"));
    slider_->setToolTip(QStringLiteral("Włącz lub wyłącz zapamiętywanie błędnych odpowiedzi."));
    slider_->setGeometry(130, 36, 216, 34);
    connect(slider_, &SliderSwitch::userChanged, this,
            [this](bool on) { ctx_.state.rememberWrong = on; });

    runButton_ = new StyledButton(QStringLiteral(" Powtórka"), this);
    runButton_->setObjectName(QStringLiteral("AdvSmoothButton77"));
    runButton_->setToolTip(
        QStringLiteral("Uruchom funkcję powtórki pytań, na które udzielono błędnych odpowiedzi."));
    runButton_->setColor(tcolor::active);
    runButton_->setBadge(QStringLiteral("!"), red);
    runButton_->setCaptionPointSize(12);
    runButton_->setGeometry(130, 86, 216, 52);
    runButton_->setHandler([this] { toggleRun(); });

    entryWait_ = ctx_.services.timers->create(QStringLiteral("Timer7"), 200, TimerKind::OneShot);
    entryWait_->setHandler([this] { showChosenEntry(); });
}

RevisionPanel::~RevisionPanel() = default;

QStringList RevisionPanel::entries() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        out << list_->item(i)->text();
    return out;
}

int RevisionPanel::itemIndex() const {
    const QList<QListWidgetItem*> sel = list_->selectedItems();
    return sel.isEmpty() ? -1 : list_->row(sel.front());
}

void RevisionPanel::select(int index) {
    list_->setCurrentRow(index);
    if (index >= 0)
        list_->item(index)->setSelected(true);
}

void RevisionPanel::removeAt(int index) {
    delete list_->takeItem(index);
    // Nothing is selected after a removal.
    list_->clearSelection();
    list_->setCurrentRow(-1);
}

void RevisionPanel::setSlider(bool on) {
    slider_->setOn(on);
    ctx_.state.rememberWrong = on;
}

void RevisionPanel::loadRevisionList() {
    list_->clear();
    loaded_ = false;
    stored_ = StoredRevisionList{};
    try {
        stored_ = StoredRevisionList::load(ctx_.state.categoryCode);
    } catch (const Error& e) {
        throw Error(e.message() + QStringLiteral(" Lista pytań do powtórki nie zostanie zapisana, "
                                                 "aby nie zastąpić tego pliku."));
    }
    list_->addItems(stored_.numbers());
    list_->setCurrentRow(-1);
    loaded_ = true;
}

void RevisionPanel::saveRevisionList() {
    // A file that could not be read is never replaced by the (empty) list shown instead. The
    // list goes into the file it came from, named as its bank names questions, even when the
    // program folder has changed since (a re-import).
    if (!loaded_)
        return;
    // A missing file is created, so that the list is kept from the very first run.
    stored_.save(entries());
}

void RevisionPanel::listChanged() {
    // The list is on disk the moment it changes, so that no way of ending the program (a
    // signal, a lost display, a crash) loses it. A failed save is reported and the step that
    // changed the list goes on.
    guarded([this] { saveRevisionList(); });
}

void RevisionPanel::afterCorrect() {
    LearningSession& learning = ctx_.learning;
    const int index = itemIndex();
    if (index < 0 || list_->item(index)->text().toInt() != learning.question())
        return;
    removeAt(index);
    learning.revisionListDone();
    listChanged();
    if (!learning.revisionRunning())
        return;
    if (list_->count() > 0) {
        const QModelIndex top = list_->indexAt(QPoint(1, 1));
        select(top.isValid() ? top.row() : 0);
        entryWait_->start();
        return;
    }
    ctx_.services.dialogs->message(
        QStringLiteral("Gratulacje!!!\nPrzerobiono wszystkie pytania powtórkowe.\nFunkcja "
                       "powtórkowa zostanie wyłączona."),
        Buttons::Ok, Icon::None);
    endRun();
}

void RevisionPanel::afterWrong() {
    LearningSession& learning = ctx_.learning;
    if (learning.mayAddToRevision() && ctx_.state.rememberWrong && !learning.revisionRunning()) {
        list_->addItem(QString::number(page_.browserNumber()));
        learning.revisionListDone();
        listChanged();
        return;
    }
    if (learning.revisionRunning() && list_->count() == 0) {
        ctx_.services.dialogs->message(
            QStringLiteral("Przerobiono wszystkie pytania powtórkowe. Tryb powtórkowy zostanie "
                           "wyłączony."),
            Buttons::Ok, Icon::None);
        endRun();
    }
}

void RevisionPanel::entryClicked() {
    entryWait_->start();
}

bool RevisionPanel::eventFilter(QObject* watched, QEvent* event) {
    // Moving the selection with the keyboard counts as a click on the entry.
    if (watched == list_ && event->type() == QEvent::KeyRelease) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            guarded([this] { entryClicked(); });
            break;
        default:
            break;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void RevisionPanel::showChosenEntry() {
    entryWait_->stop();
    const int index = itemIndex();
    if (index < 0)
        return;
    // During a run the question is shown afresh even when it is the one on screen, so that its
    // answer starts hidden.
    page_.showQuestion(list_->item(index)->text().toInt(), ctx_.learning.revisionRunning());
    ctx_.learning.setQuestion(page_.browserNumber());
    page_.setNumberEntry(ctx_.learning.question());
}

void RevisionPanel::startRun() {
    Dialogs& boxes = *ctx_.services.dialogs;
    const Answer a = boxes.message(
        QStringLiteral(
            "Zostanie uruchomiona funkcja powtórki.\nProgram będzie wyświetlał tylko te pytania, "
            "w których popełniono wcześniej błąd.\nW przypadku poprawnej odpowiedzi program "
            "przejdzie automatycznie do nastepnego pytania z listy poprawkowych.\nW przypadku "
            "błędnej odpowiedzi, aby przejść dalej musisz ponownie wybrać prawidłową odpowiedź!"),
        Buttons::OkCancel, Icon::Information, /*centred=*/true);
    if (a != Answer::Ok)
        return;
    page_.practice().end(); // one run at a time
    if (list_->count() == 0) {
        boxes.message(
            QStringLiteral("Na liście nie ma pytań do powtórki.\nTryb nie zostanie włączony."),
            Buttons::Ok, Icon::None);
        return;
    }
    runButton_->setBadgeVisible(true);
    page_.setNumberEntryEnabled(false);
    ctx_.learning.startRevision();
    page_.setStepButtonsEnabled(false);
    select(0);
    entryWait_->start();
    setSlider(false);
    toggleRun_->setText(runOffCaption);
}

void RevisionPanel::toggleRun() {
    if (!ctx_.learning.revisionRunning()) {
        startRun();
        return;
    }
    if (ctx_.services.dialogs->message(
            QStringLiteral(
                "Funkcja powtórki jest już włączona.\nCzy chcesz wyłączyć funkcję powtórki?"),
            Buttons::YesNo, Icon::Information, /*centred=*/true) == Answer::Yes)
        endRun();
}

void RevisionPanel::stopRun() {
    if (ctx_.learning.revisionRunning())
        endRun();
}

void RevisionPanel::endRun() {
    LearningSession& learning = ctx_.learning;
    learning.endRevision();
    page_.setStepButtonsEnabled(true);
    setSlider(true);
    page_.resetBasicAnswerButtons();
    page_.setBrowserNumber(1);
    page_.setNumberEntryEnabled(true);
    page_.setNumberEntryText(QStringLiteral("1"));
    learning.setQuestion(1);
    runButton_->setBadgeVisible(false);
    toggleRun_->setText(runOnCaption);
}

void RevisionPanel::removeSelected() {
    const int index = itemIndex();
    if (index >= 0) {
        removeAt(index);
        listChanged();
    }
}

void RevisionPanel::clearList() {
    if (ctx_.services.dialogs->message(
            QStringLiteral("Usunąć wszystkie numery pytań do powtórki dla bieżącej kategorii?"),
            Buttons::YesNo, Icon::None) == Answer::Yes) {
        list_->clear();
        stored_.forgetKept();
        listChanged();
    }
}

void RevisionPanel::explainList() {
    ctx_.services.dialogs->message(
        QStringLiteral("Pytania na które udzielono błędnej odpowiedzi trafiają na listę pytań do "
                       "powtórki.\nKliknij na numer pytania, aby do niego przejść.\nUdzielenie "
                       "poprawnej odpowiedzi usuwa numer pytania z listy, o ile było ono "
                       "wcześniej zaznaczone."),
        Buttons::Ok, Icon::Information);
}

void RevisionPanel::showMenu(const QPoint& pos) {
    menu_->popup(list_->viewport()->mapToGlobal(pos));
}

} // namespace wirtal
