// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/context.h"

#include <QWidget>

#include <memory>

class QStackedWidget;

namespace wirtal {

class LeftMenu;
class StartPage;
class LearnPage;
class ExamPage;
class StyledButton;
class Navigation;
class Report;
class ReferenceLibrary;
class StatsView;
class MorePage;
class AuxWindows;
class AnswerLog;
class ProgressPage;
namespace catalogfetch {
class EditionWatch;
}

// The main window "Form1": borderless and maximised, a background over the whole window, the
// centred panel with the left menu and the pages, and the window's own minimise and close
// buttons. It holds the shared state; the pages own their controls and handlers.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The pages, numbered as their objectNames "TabSheet1" .. "TabSheet11".
    enum Page {
        StartSheet = 1,
        LearnSheet = 2,
        RulesView = 3,
        RulesMenu = 4,
        ExamSheet = 5,
        StatsSheet = 6,
        SignsMenu = 7,
        SignsView = 8,
        VehiclesMenu = 9,
        VehiclesView = 10,
        MoreSheet = 11,
        ProgressSheet = 12, // "postepy"
    };

    // The history may be null: the program works without it.
    explicit MainWindow(const Services& services, AnswerLog* history = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    AppContext& context() { return ctx_; }
    ProgramState& state() { return ctx_.state; }

    void showPage(Page page);
    Page currentPage() const;
    QWidget* page(Page page) const;

    LeftMenu* menu() const { return menu_; }
    StartPage* startPage() const { return start_; }
    LearnPage* learnPage() const { return learn_; }
    ExamPage* examPage() const { return exam_; }
    Navigation* navigation() const { return nav_.get(); }
    ReferenceLibrary* library() const { return library_; }
    StatsView* statsView() const { return stats_; }
    ProgressPage* progressPage() const { return progress_; }
    // The update, about and rules windows.
    AuxWindows* auxWindows() const { return aux_; }

    void setLeftPanelVisible(bool visible);
    // The layout rule for a window of w x h.
    void applyLayout(int w, int h);
    // Saves the revision list (on every way the window closes).
    void saveRevisionList();
    // "Importuj katalog pytań" of the more page: imports the official catalogue into the user data
    // folder and, when it succeeded, switches to it.
    void importCatalogue();
    // "Pobierz aktualny katalog" of the more page: downloads the newest edition from the
    // ministry's page and imports it as importCatalogue does.
    void fetchCatalogue();
    // Makes `folder` the program folder at once: the start page offers its categories and a
    // category is to be chosen again.
    void switchProgramFolder(const QString& folder);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    // "Drukuj" and "Zapisz" of the exam page.
    void wireReport();

    AppContext ctx_;
    QWidget* mainpanel_ = nullptr;
    LeftMenu* menu_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    StyledButton* minimize_ = nullptr;
    StyledButton* close_ = nullptr;
    StartPage* start_ = nullptr;
    LearnPage* learn_ = nullptr;
    ExamPage* exam_ = nullptr;
    ReferenceLibrary* library_ = nullptr;
    StatsView* stats_ = nullptr;
    MorePage* more_ = nullptr;
    ProgressPage* progress_ = nullptr;
    AuxWindows* aux_ = nullptr;
    std::unique_ptr<Navigation> nav_;
    std::unique_ptr<catalogfetch::EditionWatch> editionWatch_;
    std::unique_ptr<Report> report_;
    bool closing_ = false;
};

} // namespace wirtal
