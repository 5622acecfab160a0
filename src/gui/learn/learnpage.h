// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bank/bank.h"
#include "widgets/cardpage.h"

#include <QWidget>

#include <functional>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace wirtal {

struct AppContext;
class AnswerCheck;
class AnswerPanels;
class LearningDisplay;
class LearnSpeech;
class MediaPlayer;
class MsgForm;
class NumberGroup;
class PracticeRunner;
class ProgressBar;
class RevisionPanel;
class Timer;

// The learning page "TabSheet2": the question browser with the learning display, the question
// panels with the answer check, the number group and the revision list. The page holds the
// question number of the browser and runs onBrowserNumberChanged whenever it changes.
class LearnPage : public CardPage {
    Q_OBJECT
public:
    explicit LearnPage(AppContext& ctx, QWidget* parent = nullptr);
    ~LearnPage() override;

    // The browser's question number (0..1479, clamped); a change shows that question. With
    // evenIfSame the question is shown also when the number did not change.
    void showQuestion(int n, bool evenIfSame);
    void setBrowserNumber(int n) { showQuestion(n, false); }
    int browserNumber() const { return browserNumber_; }

    // The number entry "numeredit".
    void setNumberEntry(int n);
    void setNumberEntryText(const QString& text);
    void setNumberEntryEnabled(bool enabled);
    // Previous and next ("AdvSmoothButton29", "AdvSmoothButton30").
    void setStepButtonsEnabled(bool enabled);
    // "TAK" and "NIE" without the "Prawidłowa" badge, in the normal colour.
    void resetBasicAnswerButtons();

    // What the category choice clears on the page; "Label1" reads labelText.
    void clearForCategory(const QString& labelText);
    // The current category's revision list: loaded on a category choice, saved on a
    // category change and whenever the main window closes.
    void loadRevisionList();
    void saveRevisionList();
    // Ends the revision run and the practice run quietly, and saves the list: the questions they
    // run on are about to be replaced (an import).
    void endRuns();
    // Back in learning mode: the learning film plays again from its start.
    void resumeFilm();
    // The caption: the category, the official number of the shown question, the practice run.
    void refreshCaption();
    // Opens a reference page (its path under the program folder) from the legal basis link.
    void setOpenReference(std::function<void(const QString&)> open) {
        openReference_ = std::move(open);
    }

    LearningDisplay* display() const { return display_; }
    AnswerPanels* panels() const { return panels_; }
    NumberGroup* numberGroup() const { return group_; }
    RevisionPanel* revision() const { return revision_; }
    AnswerCheck& answerCheck() const { return *check_; }
    MsgForm* msgform() const { return msgform_.get(); }
    ProgressBar* progressBar() const { return progress_; }
    PracticeRunner& practice() const { return *practice_; }
    QLabel* legalBasisLabel() const { return legal_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onBrowserNumberChanged(int n);
    void bindLearningKeys();
    // The keyboard focus on the first answer of the shown question.
    void focusAnswers(bool evenFromEntry);
    // The shown question's texts, in English where the learner chose it and the question has
    // them; the language switch is shown only for such questions.
    void showQuestionTexts();
    void switchLanguage(bool english);
    // After a check: the legal basis of the shown question with a link to its reference page,
    // and the practice run's tally.
    void afterCheck();
    void previousQuestion();
    void nextQuestion();
    void endStepWait();
    void numberEntered();
    // The last question number of the current category (its bank's, 1479 in a classic folder).
    int lastNumber() const;

    AppContext& ctx_;
    MediaPlayer& player_;
    int browserNumber_ = 0;
    std::optional<Record> shown_;     // the record of the question on screen
    QToolButton* language_ = nullptr; // "jezykbutton": EN / PL
    QLabel* categoryLabel_ = nullptr;
    QString labelText_; // the category label; the official number follows it when there is one
    QLabel* answerLabel_ = nullptr;
    QLabel* legal_ = nullptr; // "podstawalabel": the legal basis after a check
    QString officialSuffix_;  // "   •   pytanie 5, nr urzędowy 1234"
    std::function<void(const QString&)> openReference_;
    PracticeRunner* practice_ = nullptr;
    LearningDisplay* display_ = nullptr;
    AnswerPanels* panels_ = nullptr;
    NumberGroup* group_ = nullptr;
    RevisionPanel* revision_ = nullptr;
    ProgressBar* progress_ = nullptr;
    std::unique_ptr<MsgForm> msgform_;
    std::unique_ptr<AnswerCheck> check_;
    std::unique_ptr<LearnSpeech> speech_;
    std::unique_ptr<Timer> stepWait_;
    // Previous and next each take one click in 100 ms: a clicked one waits until Timer5 ends the
    // wait of both. The wait does not show (the buttons are not disabled for it), so nothing
    // repaints once the question is on screen.
    bool previousWaits_ = false;
    bool nextWaits_ = false;
};

} // namespace wirtal
