// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/mainwindow.h"

#include "app/leftmenu.h"
#include "app/navigation.h"
#include "app/startpage.h"
#include "art/windowart.h"
#include "bank/layout.h"
#include "base/layoutrule.h"
#include "base/paths.h"
#include "base/statsfile.h"
#include "dialogs/auxwindows.h"
#include "dialogs/catalogfetchwindow.h"
#include "dialogs/editionwatch.h"
#include "dialogs/importwindow.h"
#include "dialogs/morepage.h"
#include "exam/exampage.h"
#include "history/answerlog.h"
#include "learn/learnpage.h"
#include "library/librarypages.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/mediaplayer.h"
#include "platform/wallclock.h"
#include "progress/progresspage.h"
#include "results/report.h"
#include "results/statsview.h"
#include "widgets/styledbutton.h"
#include "widgets/windowmover.h"

#include <QCloseEvent>
#include <QDir>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcut>
#include <QStackedWidget>

namespace wirtal {

namespace {
constexpr int leftPanelWidth = 150;
const QString plainTitle = QStringLiteral("Wirtal 2013 - Norel - www.norel.pl");

// A page whose content comes with a later part of the program.
QWidget* plainPage(int number) {
    auto* w = new QWidget;
    w->setObjectName(QStringLiteral("TabSheet%1").arg(number));
    return w;
}
} // namespace

MainWindow::MainWindow(const Services& services, AnswerLog* history, QWidget* parent)
    : QWidget(parent) {
    ctx_.services = services;
    ctx_.history = history;
    if (history) // answers that wait are retried on the window's timers and said in its boxes
        history->useSeams(services.timers, services.dialogs);
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(plainTitle);
    // Ctrl+Q quits through the same path as the window's close button.
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    setAttribute(Qt::WA_OpaquePaintEvent);

    mainpanel_ = new QWidget(this);
    mainpanel_->setObjectName(QStringLiteral("mainpanel"));
    mainpanel_->resize(panelWidth, panelHeight);

    menu_ = new LeftMenu(mainpanel_);
    menu_->setGeometry(0, 0, leftPanelWidth, panelHeight);
    pages_ = new QStackedWidget(mainpanel_);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    buildPages();

    minimize_ = new StyledButton(QString(), this);
    minimize_->setObjectName(QStringLiteral("minimizebutton"));
    minimize_->setAccessibleName(QStringLiteral("Minimalizuj"));
    minimize_->setToolTip(QStringLiteral("Minimalizuj"));
    minimize_->setPicture(pictures::minimizeGlyph());
    minimize_->resize(windowButtonSize, windowButtonSize);
    minimize_->setHandler([this] { showMinimized(); });

    close_ = new StyledButton(QString(), this);
    close_->setObjectName(QStringLiteral("closebutton"));
    close_->setAccessibleName(QStringLiteral("Zamknij"));
    close_->setToolTip(QStringLiteral("Zamknij"));
    close_->setPicture(pictures::closeGlyph());
    close_->resize(windowButtonSize, windowButtonSize);
    close_->setHandler([this] { close(); });
    // Frameless: the band above the panel moves the window.
    new WindowMover(this, [this] { return mainpanel_->y(); });

    nav_ = std::make_unique<Navigation>(*this);
    // FormCreate, last step: the silent version check; then the auxiliary windows.
    aux_ = new AuxWindows(ctx_.services, this);
    more_->setHandlers([this] { stats_->showStatistics(); }, [this] { aux_->showUpdates(); },
                       [this] { aux_->showAbout(); });
    more_->setImportHandler([this] { importCatalogue(); });
    more_->setFetchHandler([this] { fetchCatalogue(); });
    more_->setProgressHandler([this] { nav_->showProgress(); });
    learn_->setOpenReference([this](const QString& page) {
        for (const library::Entry& e : library::entries())
            if (QString::fromLatin1(e.page) == page) {
                library_->open(e);
                menu_->highlight(e.menu == library::Menu::Signs ? LeftMenu::Signs
                                                                : LeftMenu::Rules);
                return;
            }
    });
    exam_->rulesButton()->setHandler([this] { aux_->showRules(); });
    wireReport();

    // FormCreate: start page shown, left menu hidden, "Nauka testów" highlighted.
    showPage(StartSheet);
    setLeftPanelVisible(false);
    ctx_.state = ProgramState{};
    menu_->button(LeftMenu::Learning)->setColor(tcolor::active);
    // "Zmień kategorię" leads back to the start page's choice when it offers more than one.
    menu_->button(LeftMenu::ChangeCategory)->setEnabled(start_->choosableCount() > 1);
    applyLayout(width(), height());

    // Whether the ministry offers a newer catalogue: read some time after the start, at most
    // once a day, said by a line on the start page.
    if (services.timers && services.clock && services.downloader) {
        editionWatch_ = std::make_unique<catalogfetch::EditionWatch>(
            *services.timers, *services.clock, *services.downloader,
            [this](const QString& text) { start_->setNotice(text); });
        editionWatch_->start();
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPages() {
    start_ = new StartPage;
    learn_ = new LearnPage(ctx_);
    exam_ = new ExamPage(ctx_);
    library_ =
        new ReferenceLibrary([this](int sheet) { showPage(static_cast<Page>(sheet)); }, this);
    stats_ = new StatsView(ctx_, [this] { showPage(StatsSheet); });
    more_ = new MorePage;
    progress_ = new ProgressPage(
        ctx_,
        [this](PracticeRun kind, std::vector<int> queue, const QString& title) {
            nav_->startPractice(kind, std::move(queue), title);
        },
        [this](int number) { nav_->openQuestion(number); });
    for (int n = 1; n <= ProgressSheet; ++n) {
        QWidget* w = nullptr;
        switch (n) {
        case StartSheet:
            w = start_;
            break;
        case LearnSheet:
            w = learn_;
            break;
        case ExamSheet:
            w = exam_;
            break;
        case StatsSheet:
            w = stats_;
            break;
        case MoreSheet:
            w = more_;
            break;
        case ProgressSheet:
            w = progress_;
            break;
        case RulesView:
        case RulesMenu:
        case SignsMenu:
        case SignsView:
        case VehiclesMenu:
        case VehiclesView:
            w = library_->page(n);
            break;
        default:
            w = plainPage(n);
            break;
        }
        pages_->addWidget(w);
    }
}

void MainWindow::wireReport() {
    if (!ctx_.services.report || !ctx_.services.dialogs)
        return;
    report_ = std::make_unique<Report>(*ctx_.services.dialogs, *ctx_.services.report, [this] {
        // The finished test as it stands at the moment of the click.
        const TestSheet& sheet = exam_->sheet();
        ReportInput in;
        in.categoryCode = ctx_.state.categoryCode;
        in.questionNumber = sheet.questionNumber;
        // A catalogue's questions are reported by their official numbers.
        for (int& n : in.questionNumber)
            if (n > 0)
                n = layout::storedIdOf(in.categoryCode, n);
        in.rightAnswer = sheet.rightAnswer;
        in.givenAnswer = sheet.givenAnswer;
        in.score = sheet.score;
        in.now = ctx_.services.clock ? ctx_.services.clock->now() : QDateTime::currentDateTime();
        return in;
    });
    exam_->printButton()->setHandler([this] { report_->printReport(); });
    exam_->saveButton()->setHandler([this] { report_->saveReport(); });
}

void MainWindow::showPage(Page p) {
    pages_->setCurrentIndex(p - 1);
}

MainWindow::Page MainWindow::currentPage() const {
    return static_cast<Page>(pages_->currentIndex() + 1);
}

QWidget* MainWindow::page(Page p) const {
    return pages_->widget(p - 1);
}

void MainWindow::setLeftPanelVisible(bool visible) {
    menu_->setVisible(visible);
    // The menu's width follows the window (narrower on a small screen, see applyLayout).
    const int menu = menu_->width();
    if (visible)
        pages_->setGeometry(menu, 0, mainpanel_->width() - menu, mainpanel_->height());
    else // the start page, laid out for the whole panel: centred when the panel is narrower
        pages_->setGeometry((mainpanel_->width() - panelWidth) / 2, 0, panelWidth,
                            mainpanel_->height());
}

void MainWindow::applyLayout(int w, int h) {
    const PanelLayout l = layoutWithin(w, h);
    mainpanel_->setGeometry(QRect(l.panel, l.panelSize));
    menu_->setGeometry(0, 0, l.menuWidth, l.panelSize.height());
    setLeftPanelVisible(menu_->isVisibleTo(mainpanel_));
    minimize_->move(l.minimizeButton);
    close_->move(l.closeButton);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyLayout(width(), height());
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRegion(event->region());
    pictures::paintMainBackground(p, size());
}

void MainWindow::saveRevisionList() {
    learn_->saveRevisionList();
}

void MainWindow::importCatalogue() {
    Dialogs* dialogs = ctx_.services.dialogs;
    if (!dialogs)
        return;
    // The import replaces the questions a test or a run is on: they end first, and the revision
    // list and the last question are saved for the bank they belong to.
    if (!nav_->confirmAbort(QStringLiteral("Przerwać test i zaimportować katalog pytań?")))
        return;
    learn_->endRuns();
    StatsFile::savePending();
    // The base is the folder in use now (its reference pages and fixed pictures are kept); the
    // catalogue goes to the user data folder, the one folder the program may always write.
    const QString target = Paths::importedCatalogueFolder();
    if (wirtal::importCatalogue(*dialogs, this, Paths::programFolder(), target))
        switchProgramFolder(target);
}

void MainWindow::fetchCatalogue() {
    Dialogs* dialogs = ctx_.services.dialogs;
    Downloader* downloader = ctx_.services.downloader;
    if (!dialogs || !downloader)
        return;
    if (ctx_.exam.running()) {
        dialogs->message(QStringLiteral("Zakończ test, zanim pobierzesz katalog pytań."),
                         Buttons::Ok, Icon::Information);
        return;
    }
    const QString target = Paths::importedCatalogueFolder();
    bool switched = false;
    CatalogFetchWindow window(
        *downloader, catalogfetch::configuredSource(), catalogfetch::downloadFolder(),
        [&](const catalogfetch::Fetched& files) {
            // The one place the downloaded files are handed to the import.
            switched = wirtal::importCatalogueFiles(*dialogs, this, Paths::programFolder(), target,
                                                    files.catalogue, files.media);
            return switched;
        },
        [this] { importCatalogue(); }, this);
    window.begin();
    window.exec();
    if (switched) {
        switchProgramFolder(target);
        start_->setNotice(QString());
    }
}

void MainWindow::switchProgramFolder(const QString& folder) {
    // What runs on the questions of the folder before ends; the list goes into the file of the
    // bank it came from, as that bank numbers its questions.
    learn_->endRuns();
    StatsFile::savePending();
    Paths::setProgramFolder(folder);
    QDir::setCurrent(folder);
    start_->refreshCategories();
    // As at start: the start page, the left menu hidden, no category chosen; nothing on the pages
    // names a question of the folder before.
    ctx_.state.categoryCode.clear();
    ctx_.learning.reset();
    learn_->loadRevisionList(); // no category: an empty list bound to no file
    if (auto* player = ctx_.services.player)
        player->close();
    exam_->resetExamPage();
    setWindowTitle(plainTitle);
    menu_->button(LeftMenu::ChangeCategory)->setEnabled(start_->choosableCount() > 1);
    showPage(StartSheet);
    setLeftPanelVisible(false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Every way of closing saves the revision list; closing is always allowed.
    if (!closing_) {
        closing_ = true;
        guarded([this] { saveRevisionList(); });
    }
    event->accept();
}

} // namespace wirtal
