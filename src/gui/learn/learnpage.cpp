// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/learnpage.h"

#include "bank/bank.h"
#include "bank/layout.h"
#include "bank/topics.h"
#include "base/context.h"
#include "base/statsfile.h"
#include "base/textfile.h"
#include "exam/testsheet.h"
#include "learn/answercheck.h"
#include "learn/answerpanels.h"
#include "learn/learningdisplay.h"
#include "learn/learnspeech.h"
#include "learn/msgform.h"
#include "learn/numbergroup.h"
#include "learn/practicerunner.h"
#include "learn/revisionpanel.h"
#include "platform/error.h"
#include "platform/mediaplayer.h"
#include "platform/timer.h"
#include "widgets/mediadisplay.h"
#include "widgets/pagekeys.h"
#include "widgets/progressbar.h"
#include "widgets/styledbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>

namespace wirtal {

namespace {
// Page area 939 x 650: the display on the left, the number and revision groups on the right, the
// question panels across the bottom.
constexpr int margin = 20;
constexpr int rightColumn = 560;

MediaPlayer& playerOf(AppContext& ctx) {
    return *ctx.services.player;
}
} // namespace

LearnPage::LearnPage(AppContext& ctx, QWidget* parent)
    : CardPage(parent), ctx_(ctx), player_(playerOf(ctx)) {
    setObjectName(QStringLiteral("TabSheet2"));

    categoryLabel_ = new QLabel(this);
    categoryLabel_->setObjectName(QStringLiteral("Label1"));
    categoryLabel_->setTextFormat(Qt::PlainText);
    categoryLabel_->setStyleSheet(
        QStringLiteral("font-size: 17px; font-weight: bold; color: #1d3b6a;"));
    categoryLabel_->setGeometry(margin, 6, 480, 30);

    display_ = new LearningDisplay(*ctx.services.timers, player_, this);
    display_->move(margin, 40);

    progress_ = new ProgressBar(this);
    progress_->setObjectName(QStringLiteral("AdvSmoothProgressBar1"));
    progress_->setAccessibleName(QStringLiteral("Postęp nauki"));
    progress_->setGeometry(margin, 410, 480, 10);
    progress_->setPosition(10);

    // English texts of an imported catalogue: shown only on questions that have them.
    language_ = new QToolButton(this);
    language_->setObjectName(QStringLiteral("jezykbutton"));
    language_->setCheckable(true);
    language_->setGeometry(rightColumn + 299, 6, 60, 26);
    language_->setStyleSheet(QStringLiteral(
        "QToolButton { font-weight: bold; color: #1d3b6a; background: #e8f0fa; border: 1px solid "
        "#1d3b6a; border-radius: 4px; } QToolButton:checked { background: #1d3b6a; color: white; "
        "}"));
    language_->hide();
    ctx.state.englishChosen = storedEnglishChoice();
    language_->setChecked(ctx.state.englishChosen);
    connect(language_, &QToolButton::toggled, this, [this](bool on) { switchLanguage(on); });

    group_ = new NumberGroup(this);
    group_->move(rightColumn, 34);

    revision_ = new RevisionPanel(ctx, *this, this);
    revision_->setGeometry(rightColumn, 200, 359, 200);

    answerLabel_ = new QLabel(this);
    answerLabel_->setObjectName(QStringLiteral("odplabel"));
    answerLabel_->setTextFormat(Qt::PlainText);
    answerLabel_->setGeometry(rightColumn, 404, 359, 20);

    // The legal basis, after a check, where the bank names one.
    legal_ = new QLabel(this);
    legal_->setObjectName(QStringLiteral("podstawalabel"));
    legal_->setGeometry(rightColumn, 403, 359, 22);
    legal_->setStyleSheet(QStringLiteral("font-size: 11px; color: #2b3f55;"));
    legal_->setTextFormat(Qt::RichText);
    legal_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    legal_->hide();
    connect(legal_, &QLabel::linkActivated, this, [this](const QString& page) {
        if (openReference_)
            guarded([this, page] { openReference_(page); });
    });

    practice_ = new PracticeRunner(ctx, *this, revision_);
    practice_->button()->setGeometry(130, 146, 216, 40);

    panels_ = new AnswerPanels(this);
    panels_->move(margin, 428);
    speech_ = std::make_unique<LearnSpeech>(*this, *panels_);

    msgform_ = std::make_unique<MsgForm>(*ctx.services.timers);
    check_ = std::make_unique<AnswerCheck>(ctx, *panels_, *group_->autoCheckBox(), *msgform_,
                                           *revision_);
    panels_->setChooseHandler([this](AnswerPanels::Answer a) { check_->choose(a); });
    group_->checkButton()->setHandler([this] { check_->checkAnswer(); });
    check_->setAfterCheck([this] { afterCheck(); });
    group_->previous()->setHandler([this] { previousQuestion(); });
    group_->next()->setHandler([this] { nextQuestion(); });
    group_->numberEntry()->installEventFilter(this);

    bindLearningKeys();

    stepWait_ = ctx.services.timers->create(QStringLiteral("Timer5"), 100, TimerKind::OneShot);
    stepWait_->setHandler([this] { endStepWait(); });
}

LearnPage::~LearnPage() = default;

int LearnPage::lastNumber() const {
    try {
        return layout::of(ctx_.state.categoryCode)->last;
    } catch (const Error&) {
        return lastQuestion;
    }
}

void LearnPage::showQuestion(int n, bool evenIfSame) {
    n = std::clamp(n, 0, lastNumber());
    if (n == browserNumber_ && !evenIfSame)
        return;
    browserNumber_ = n;
    onBrowserNumberChanged(n);
}

void LearnPage::onBrowserNumberChanged(int n) {
    ProgramState& s = ctx_.state;
    check_->newQuestion(n);
    panels_->resetAnswers();
    answerLabel_->clear();
    legal_->hide();
    group_->checkButton()->setEnabled(true);
    ctx_.learning.questionShown();

    player_.close();

    if (!ctx_.learning.revisionRunning())
        StatsFile(s.statsFile()).setLastQuestionSoon(layout::storedIdOf(s.categoryCode, n));

    officialSuffix_.clear();
    refreshCaption();
    shown_.reset();
    language_->hide();
    if (n == 0) {
        display_->showEmptyPicture();
        return;
    }
    const auto bank = layout::of(s.categoryCode);
    if (s.category() && s.category()->wholeBank())
        progress_->setPosition(double(n) / std::max(bank->basicCount, 1) * 100.0);
    const Location where = locate(s.categoryCode, n);
    if (where.official) {
        officialSuffix_ =
            QStringLiteral("   •   pytanie %1, nr urzędowy %2").arg(n).arg(where.official);
        refreshCaption();
    }
    const Record r = recordAt(loadTextLines(where.path), where, n); // read anew, as lookup does
    // The record's points as the exam counts them: a field that is no weight of 1 to 3 is the
    // record's error, said as the exam and the bank tool say it, not shown as a badge. An
    // edition without a points column leaves the field empty and the badge off.
    const bool noPoints = !bank->pointsInRecords && r.points().trimmed().isEmpty();
    const int points = noPoints ? 0 : pointsValue(r.points(), r.fileName, r.line);
    shown_ = r;
    showQuestionTexts();
    StyledButton* checkButton = group_->checkButton();
    checkButton->setBadge(QStringLiteral("%1 pkt.").arg(points), tcolor::badgeOrange);
    checkButton->setBadgeVisible(!noPoints);
    if (r.kind == QuestionKind::Basic)
        panels_->showBasicPanel();
    else
        panels_->showSpecialistPanel();
    check_->setRightAnswer(r.answer());
    display_->showMedia(r.media());
    // The next question's film: the player gets ready while this one is read.
    if (n < lastNumber()) {
        try {
            prepareFilm(lookup(s.categoryCode, n + 1), player_);
        } catch (const Error&) {
            // Said when that question is shown.
        }
    }
    focusAnswers(false);
    speech_->questionShown(n, bank->officialOf(n), r);
}

void LearnPage::showQuestionTexts() {
    if (!shown_)
        return;
    const bool english = ctx_.state.englishChosen && shown_->hasEnglish();
    const Record r = english ? shown_->inEnglish() : *shown_;
    language_->setVisible(shown_->hasEnglish());
    {
        const QSignalBlocker quiet(language_);
        language_->setChecked(english);
    }
    language_->setText(english ? QStringLiteral("PL") : QStringLiteral("EN"));
    language_->setToolTip(english ? QStringLiteral("Pokaż pytanie po polsku")
                                  : QStringLiteral("Pokaż pytanie po angielsku"));
    language_->setAccessibleName(language_->toolTip());
    if (r.kind == QuestionKind::Basic) {
        panels_->yesNoQuestion()->showText(r.text());
    } else {
        panels_->abcQuestion()->showText(r.text());
        for (int i = 0; i < 3; ++i)
            panels_->answerText(i)->showText(r.option(i));
    }
}

void LearnPage::switchLanguage(bool english) {
    // Only the texts change: the answer given so far, the film and the check stay as they are.
    ctx_.state.englishChosen = english;
    storeEnglishChoice(english);
    showQuestionTexts();
}

void LearnPage::refreshCaption() {
    QString text = labelText_ + officialSuffix_;
    if (practice_ && practice_->active())
        text += QStringLiteral("   •   ") + practice_->caption();
    categoryLabel_->setText(text);
}

void LearnPage::afterCheck() {
    speech_->checked(check_->chosenAnswer(), check_->rightAnswer(),
                     !ctx_.learning.revisionRunning());
    practice_->afterCheck(check_->checkCount() == 1, check_->firstCheckRight());
    const QString basis = legalBasisOf(ctx_.state.categoryCode, browserNumber_);
    if (basis.isEmpty()) {
        legal_->hide();
        return;
    }
    const QString page = referencePageFor(basis);
    // The line shows the basis in short (the tooltip and the screen reader get it whole).
    QString brief = basis;
    brief.replace(QStringLiteral("rozp. w sprawie znaków i sygnałów drogowych"),
                  QStringLiteral("rozp. o znakach i sygnałach"));
    brief.replace(QStringLiteral("ustawa Prawo o ruchu drogowym"), QStringLiteral("PoRD"));
    legal_->ensurePolished();
    const QFontMetrics fm = legal_->fontMetrics();
    const QString link = QStringLiteral(" · przepisy");
    const int room = legal_->width() - fm.horizontalAdvance(QStringLiteral("§ ")) -
                     (page.isEmpty() ? 0 : fm.horizontalAdvance(link)) - 6;
    QString html =
        QStringLiteral("§ ") + fm.elidedText(brief, Qt::ElideRight, room).toHtmlEscaped();
    if (!page.isEmpty())
        html += QStringLiteral(" · <a href=\"%1\">przepisy</a>").arg(page.toHtmlEscaped());
    legal_->setText(html);
    // Qt takes a tooltip that looks like markup for rich text: the bank's words are escaped then.
    const QString tip = QStringLiteral("Podstawa prawna: ") + basis;
    legal_->setToolTip(Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip) : tip);
    legal_->setAccessibleName(QStringLiteral("Podstawa prawna: ") + basis);
    legal_->show();
}

void LearnPage::previousQuestion() {
    if (previousWaits_)
        return;
    previousWaits_ = true;
    stepWait_->start();
    if (practice_->active()) {
        practice_->previous();
        return;
    }
    if (browserNumber_ <= 1)
        return;
    LearningSession& learning = ctx_.learning;
    learning.setQuestion(learning.question() - 1);
    setNumberEntry(learning.question());
    setBrowserNumber(learning.question());
}

void LearnPage::nextQuestion() {
    if (nextWaits_)
        return;
    nextWaits_ = true;
    stepWait_->start();
    if (practice_->active()) {
        practice_->next();
        return;
    }
    if (browserNumber_ >= lastNumber())
        return;
    LearningSession& learning = ctx_.learning;
    learning.setQuestion(learning.question() + 1);
    setNumberEntry(learning.question());
    setBrowserNumber(learning.question());
}

void LearnPage::endStepWait() {
    stepWait_->stop();
    previousWaits_ = false;
    nextWaits_ = false;
}

void LearnPage::numberEntered() {
    ProgramState& s = ctx_.state;
    if (!s.category() || !s.category()->wholeBank())
        return;
    QLineEdit* edit = group_->numberEntry();
    const int last = lastNumber();
    // "u1234" is always an official number; a plain number is ours, or, past our last number,
    // an official one when the folder has official numbers.
    QString text = edit->text().trimmed();
    const bool officialAsked = text.startsWith(u'u', Qt::CaseInsensitive);
    if (officialAsked)
        text.remove(0, 1);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && (officialAsked || value > last)) {
        int ours = 0;
        try {
            ours = layout::of(s.categoryCode)->numberOfOfficial(value);
        } catch (const Error&) {
        }
        if (ours > 0) {
            edit->setText(QString::number(ours));
            setBrowserNumber(ours);
            ctx_.learning.moveTo(browserNumber_);
            return;
        }
        if (officialAsked)
            return; // no such official number: the question shown stays
    }
    const int orZero = ok ? value : 0;
    const int orLast = ok ? value : last;
    if (orZero > 0 && orLast < last + 1) {
        setBrowserNumber(orZero);
        ctx_.learning.moveTo(browserNumber_);
    }
    if (orLast > last) {
        edit->setText(QString::number(last));
        setBrowserNumber(last);
        ctx_.learning.moveTo(last);
    }
}

void LearnPage::bindLearningKeys() {
    // T, N, A, B, C answer; Enter checks ("SPRAWDŹ"), or goes to the typed number when the
    // number entry has the focus, or presses another focused button; Left / Page Up and Right /
    // Page Down step to the previous and next question. Each only while its button can be
    // clicked.
    const std::pair<QChar, AnswerPanels::Answer> answerKeys[] = {{u'T', AnswerPanels::Yes},
                                                                 {u'N', AnswerPanels::No},
                                                                 {u'A', AnswerPanels::A},
                                                                 {u'B', AnswerPanels::B},
                                                                 {u'C', AnswerPanels::C}};
    for (const auto& [key, answer] : answerKeys) {
        StyledButton* b = panels_->button(answer);
        bindKeys(this, {QKeySequence(QString(key))}, [this, b] { answerByKey(this, b); });
        tellKey(b, QString(key));
    }
    bindKeys(this, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, [this] {
        QWidget* focused = QApplication::focusWidget();
        if (focused == group_->numberEntry()) {
            numberEntered();
            focusAnswers(true); // the typed question is answered next
            return;
        }
        auto* button = qobject_cast<StyledButton*>(focused);
        bool answer = false;
        for (int a = 0; a < AnswerPanels::Count; ++a)
            answer = answer || button == panels_->button(AnswerPanels::Answer(a));
        if (button && isAncestorOf(button) && !answer && pressIfReady(this, button))
            return;
        // In a practice run, Enter on a checked question goes on to the next one.
        if (practice_->active() && check_->checkCount() > 0) {
            pressIfReady(this, group_->next());
            return;
        }
        pressIfReady(this, group_->checkButton());
    });
    tellKey(group_->checkButton(), QStringLiteral("Enter"));
    bindKeys(this, {QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp)},
             [this] { pressIfReady(this, group_->previous()); });
    bindKeys(this, {QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown)},
             [this] { pressIfReady(this, group_->next()); });
    tellKey(group_->previous(), QStringLiteral("strzałka w lewo lub Page Up"));
    tellKey(group_->next(), QStringLiteral("strzałka w prawo lub Page Down"));
}

void LearnPage::focusAnswers(bool evenFromEntry) {
    // The first answer of the shown panel takes the focus, unless the learner is typing a
    // number or the page is not on screen.
    if (!isVisible() || (!evenFromEntry && QApplication::focusWidget() == group_->numberEntry()))
        return;
    const bool basic = panels_->yesNoPanel()->isVisibleTo(this);
    panels_->button(basic ? AnswerPanels::Yes : AnswerPanels::A)->setFocus(Qt::OtherFocusReason);
}

bool LearnPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == group_->numberEntry()) {
        if (event->type() == QEvent::MouseButtonPress) {
            // The hint is shown only until the entry is first clicked.
            group_->numberEntry()->setToolTip(QString());
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                guarded([this] { numberEntered(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LearnPage::setNumberEntry(int n) {
    setNumberEntryText(QString::number(n));
}
void LearnPage::setNumberEntryText(const QString& text) {
    group_->numberEntry()->setText(text);
}
void LearnPage::setNumberEntryEnabled(bool enabled) {
    group_->numberEntry()->setEnabled(enabled);
}

void LearnPage::setStepButtonsEnabled(bool enabled) {
    group_->previous()->setEnabled(enabled);
    group_->next()->setEnabled(enabled);
}

void LearnPage::resetBasicAnswerButtons() {
    panels_->hideCorrectBadges();
    panels_->button(AnswerPanels::Yes)->setColor(tcolor::normal);
    panels_->button(AnswerPanels::No)->setColor(tcolor::normal);
}

void LearnPage::clearForCategory(const QString& labelText) {
    practice_->end();
    panels_->clearTexts();
    panels_->normalColours();
    answerLabel_->clear();
    labelText_ = labelText;
    officialSuffix_.clear();
    group_->acceptOfficialNumbers(layout::isCatalogueFolder());
    group_->setLastNumber(lastNumber());
    categoryLabel_->setText(labelText);
    categoryLabel_->show();
    display_->showPicture();
}

void LearnPage::loadRevisionList() {
    revision_->loadRevisionList();
}
void LearnPage::saveRevisionList() {
    revision_->saveRevisionList();
}
void LearnPage::endRuns() {
    practice_->end();
    revision_->stopRun();
    revision_->saveRevisionList();
}
void LearnPage::resumeFilm() {
    display_->resumeFilm();
}

} // namespace wirtal
