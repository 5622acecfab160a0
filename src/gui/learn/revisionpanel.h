// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "learn/revisionfile.h"

#include <QGroupBox>

#include <memory>

class QAction;
class QListWidget;
class QMenu;

namespace wirtal {

struct AppContext;
class LearnPage;
class SliderSwitch;
class StyledButton;
class Timer;

// The group " Do powtórki: ": the revision list "dopowtorkilistbox1" with its context menu
// "PopupMenu1", the remember-wrong-answers switch "AdvSmoothSlider1" and " Powtórka"
// ("AdvSmoothButton77"). It owns the list and its file, the revision step after every check and
// the revision run.
class RevisionPanel : public QGroupBox {
    Q_OBJECT
public:
    RevisionPanel(AppContext& ctx, LearnPage& page, QWidget* parent = nullptr);
    ~RevisionPanel() override;

    // The current category's list from its file (no entry selected); saveRevisionList writes it
    // back, and so does every change of the list at once. After a file that could not be read,
    // nothing is written until the next load.
    void loadRevisionList();
    void saveRevisionList();

    // The revision step after a check.
    void afterCorrect();
    void afterWrong();

    // Ends a revision run without asking (the program folder is about to change).
    void stopRun();

    // " Powtórka" (also "Włącz powtórkę"/"Wyłącz powtórkę"): starts or ends a revision run.
    void toggleRun();

    QListWidget* list() const { return list_; }
    QStringList entries() const;
    // The selected entry (ItemIndex), -1 when none.
    int itemIndex() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startRun();
    void endRun();
    void select(int index);
    void removeAt(int index);
    void setSlider(bool on);
    void listChanged();

    void entryClicked();
    void showChosenEntry();
    void removeSelected();
    void clearList();
    void explainList();
    void showMenu(const QPoint& pos);

    AppContext& ctx_;
    LearnPage& page_;
    QListWidget* list_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* toggleRun_ = nullptr;
    SliderSwitch* slider_ = nullptr;
    StyledButton* runButton_ = nullptr;
    std::unique_ptr<Timer> entryWait_;
    StoredRevisionList stored_; // the file and bank the list came from
    bool loaded_ = true;        // the list came from its file (or the file was missing)
};

} // namespace wirtal
