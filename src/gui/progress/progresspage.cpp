// SPDX-License-Identifier: GPL-3.0-or-later

#include "progress/progresspage.h"

#include "art/tcolor.h"
#include "base/context.h"
#include "base/examrules.h"
#include "history/recorder.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "widgets/styledbutton.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QScatterSeries>
#include <QTableWidget>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace wirtal {

namespace {

constexpr int margin = 20;
constexpr int rightColumn = 590;
constexpr int rightWidth = 329;
const QString navy = QStringLiteral("#1d3b6a");

QLabel* makeLabel(QWidget* parent, const char* name, const QString& style) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setStyleSheet(style);
    l->setWordWrap(true);
    return l;
}

QString percent(double p) {
    return QString::number(std::lround(p * 100));
}

} // namespace

ProgressPage::ProgressPage(AppContext& ctx, StartRun startRun,
                           std::function<void(int)> openQuestion, QWidget* parent)
    : CardPage(parent), ctx_(ctx), startRun_(std::move(startRun)),
      openQuestion_(std::move(openQuestion)) {
    setObjectName(QStringLiteral("postepy"));

    title_ = makeLabel(this, "postepytytul",
                       QStringLiteral("font-size: 17px; font-weight: bold; color: %1;").arg(navy));
    title_->setGeometry(margin, 6, 900, 30);

    chance_ = makeLabel(this, "szansalabel",
                        QStringLiteral("font-size: 17px; font-weight: bold; color: %1;").arg(navy));
    chance_->setWordWrap(false);
    chance_->setGeometry(margin, 42, 560, 30);
    basis_ = makeLabel(this, "szansaopis", QStringLiteral("font-size: 12px; color: #2b3f55;"));
    basis_->setGeometry(margin, 76, 550, 62);

    smart_ = new StyledButton(QStringLiteral("Powtórka inteligentna"), this);
    smart_->setObjectName(QStringLiteral("powtorkainteligentna"));
    smart_->setCaptionPointSize(12);
    smart_->setGeometry(rightColumn, 40, rightWidth, 44);
    smart_->setToolTip(QStringLiteral(
        "Pytania z błędną ostatnią odpowiedzią i te, których powtórka przypada na dziś."));
    smart_->setHandler([this] { startSmartReview(); });

    fresh_ = new StyledButton(QStringLiteral("Nowe pytania"), this);
    fresh_->setObjectName(QStringLiteral("nowepytania"));
    fresh_->setCaptionPointSize(12);
    fresh_->setGeometry(rightColumn, 92, rightWidth, 44);
    fresh_->setToolTip(QStringLiteral("Pytania, na które jeszcze nie odpowiadałeś."));
    fresh_->setHandler([this] { startNewQuestions(); });

    topics_ = new QTableWidget(this);
    topics_->setObjectName(QStringLiteral("tematy"));
    topics_->setAccessibleName(QStringLiteral("Postęp według tematów"));
    topics_->setColumnCount(5);
    topics_->setHorizontalHeaderLabels({QStringLiteral("Temat"), QStringLiteral("Nowe"),
                                        QStringLiteral("Widziane"), QStringLiteral("Słabe"),
                                        QStringLiteral("Opanowane")});
    topics_->verticalHeader()->hide();
    topics_->verticalHeader()->setDefaultSectionSize(24);
    topics_->setWordWrap(false);
    topics_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    topics_->setSelectionBehavior(QAbstractItemView::SelectRows);
    topics_->setSelectionMode(QAbstractItemView::SingleSelection);
    topics_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 5; ++c)
        topics_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    topics_->setGeometry(margin, 146, 550, 420);
    // Tab leaves the table (the arrows move within it), and the focus is drawn as a frame.
    topics_->setTabKeyNavigation(false);
    topics_->setStyleSheet(QStringLiteral("QTableWidget:focus { border: 2px solid #1d3b6a; }"));
    topics_->setToolTip(QStringLiteral("Kliknij dwukrotnie temat, aby ćwiczyć jego pytania."));
    connect(topics_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { guarded([this, row] { startTopic(row); }); });

    topic_ = new StyledButton(QStringLiteral("Ćwicz zaznaczony temat"), this);
    topic_->setObjectName(QStringLiteral("cwicztemat"));
    topic_->setCaptionPointSize(11);
    topic_->setGeometry(margin, 576, 270, 44);
    topic_->setHandler([this] { startTopic(topics_->currentRow()); });

    auto* legend = makeLabel(this, "legenda", QStringLiteral("font-size: 11px; color: #2b3f55;"));
    legend->setText(QStringLiteral("Słabe: ostatnia odpowiedź była błędna. Opanowane: trzy "
                                   "powtórki z rzędu poprawne, w odstępach co najmniej dnia "
                                   "i sześciu dni."));
    legend->setGeometry(margin + 280, 572, 270, 52);

    // The chart's series and axes are made once; a refresh only gives them new points, so the
    // scene keeps its items instead of making them all anew.
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Wyniki testów (punkty; próg %1)").arg(passMark));
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setAnimationOptions(QChart::NoAnimation);
    mark_ = new QLineSeries;
    scores_ = new QLineSeries;
    points_ = new QScatterSeries;
    points_->setMarkerSize(7);
    mark_->setPen(QPen(QColor(60, 150, 90), 2, Qt::DashLine));
    scores_->setPen(QPen(QColor(29, 59, 106), 2));
    points_->setColor(QColor(214, 120, 40));
    points_->setBorderColor(QColor(214, 120, 40));
    chart->addSeries(mark_);
    chart->addSeries(scores_);
    chart->addSeries(points_);
    testAxis_ = new QValueAxis;
    testAxis_->setLabelFormat(QStringLiteral("%d"));
    testAxis_->setTitleText(QStringLiteral("kolejne testy"));
    auto* y = new QValueAxis;
    y->setRange(0, maxPoints);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(testAxis_, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(testAxis_);
        series->attachAxis(y);
    }
    chart_ = new QChartView(chart, this);
    chart_->setObjectName(QStringLiteral("wynikitestow"));
    chart_->setAccessibleName(QStringLiteral("Wyniki testów"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setGeometry(rightColumn, 144, rightWidth, 250);

    auto* wrongTitle =
        makeLabel(this, "mylonetytul",
                  QStringLiteral("font-size: 13px; font-weight: bold; color: %1;").arg(navy));
    wrongTitle->setText(QStringLiteral("Najczęściej mylone"));
    wrongTitle->setGeometry(rightColumn, 400, rightWidth, 22);
    wrong_ = new QListWidget(this);
    wrong_->setObjectName(QStringLiteral("mylone"));
    wrong_->setAccessibleName(QStringLiteral("Najczęściej mylone pytania"));
    wrong_->setWordWrap(true);
    wrong_->setToolTip(QStringLiteral("Kliknij dwukrotnie pytanie, aby je otworzyć w nauce."));
    wrong_->setGeometry(rightColumn, 424, rightWidth, 196);
    wrong_->setStyleSheet(QStringLiteral("QListWidget:focus { border: 2px solid #1d3b6a; }"));
    connect(wrong_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int n = item->data(Qt::UserRole).toInt();
        if (n > 0 && openQuestion_)
            guarded([this, n] { openQuestion_(n); });
    });
}

void ProgressPage::refresh() {
    const QString& code = ctx_.state.categoryCode;
    const Category* c = ctx_.state.category();
    title_->setText(QStringLiteral("Postępy – ") + (c ? c->label() : QString()));
    summary_ = summarize(code, ctx_.history, historyNow(ctx_));
    const Readiness& r = summary_.readiness;

    chance_->setText(readinessSentence(r));
    QString basis = QStringLiteral("Zakres: %1–%2 %. Pytań w teście do wylosowania: %3, z nich "
                                   "odpowiadałeś na %4; pozostałe liczą się tak, jak zwykle "
                                   "odpowiadasz na pytanie widziane pierwszy raz.")
                        .arg(percent(r.low), percent(r.high))
                        .arg(r.questions)
                        .arg(r.seen);
    if (!summary_.hasHistory)
        basis = QStringLiteral("Historia odpowiedzi nie jest dostępna: ocena nie ma na czym się "
                               "oprzeć.");
    else if (r.answers < 100)
        basis += QStringLiteral(" To jeszcze mało odpowiedzi: ocena jest zgrubna.");
    basis_->setText(basis);
    chance_->setAccessibleName(chance_->text());
    basis_->setAccessibleName(basis);

    smart_->setText(QStringLiteral("Powtórka inteligentna (%1)").arg(summary_.dueNow));
    fresh_->setText(QStringLiteral("Nowe pytania (%1)").arg(summary_.total.count[0]));
    fillTopics();
    fillChart();
    fillWrong();
}

void ProgressPage::fillTopics() {
    const auto& list = summary_.topics;
    topics_->setRowCount(int(list.size()) + 1);
    auto put = [this](int row, const TopicProgress& t, bool bold) {
        auto* name = new QTableWidgetItem(t.name);
        QFont f = name->font();
        f.setBold(bold);
        name->setFont(f);
        topics_->setItem(row, 0, name);
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(QString::number(t.count[std::size_t(c)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setFont(f);
            topics_->setItem(row, c + 1, item);
        }
    };
    for (int i = 0; i < int(list.size()); ++i)
        put(i, list[std::size_t(i)], false);
    put(int(list.size()), summary_.total, true);
}

void ProgressPage::fillChart() {
    // The last chartTests tests, numbered as the learner took them: more would not be told
    // apart in the chart's width.
    const auto& exams = summary_.exams;
    const int count = int(exams.size());
    const int first = std::max(0, count - chartTests);
    QList<QPointF> scores;
    scores.reserve(count - first);
    for (int i = first; i < count; ++i)
        scores.append(QPointF(i + 1, exams[std::size_t(i)].score));
    const double from = first + 0.5, to = std::max(count, first + 1) + 0.5;
    scores_->replace(scores);
    points_->replace(scores);
    mark_->replace({QPointF(from, passMark), QPointF(to, passMark)});
    testAxis_->setRange(from, to);
    testAxis_->setTickCount(std::clamp(count - first, 1, 8) + 1);
    chart_->chart()->setTitle(first == 0
                                  ? QStringLiteral("Wyniki testów (punkty; próg %1)").arg(passMark)
                                  : QStringLiteral("Wyniki ostatnich %1 testów (punkty; próg %2)")
                                        .arg(chartTests)
                                        .arg(passMark));
    int passed = 0;
    for (const ExamRecord& e : exams)
        passed += e.passed ? 1 : 0;
    chart_->setAccessibleDescription(
        exams.empty() ? QStringLiteral("Nie rozwiązano jeszcze żadnego testu.")
                      : QStringLiteral("Testów: %1, zdanych: %2, ostatni wynik: %3 punktów.")
                            .arg(exams.size())
                            .arg(passed)
                            .arg(exams.back().score));
}

void ProgressPage::fillWrong() {
    wrong_->clear();
    for (const WrongQuestion& w : summary_.mostWrong) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 (źle %2 z %3): %4")
                                             .arg(w.number)
                                             .arg(w.wrong)
                                             .arg(w.seen)
                                             .arg(w.text));
        item->setData(Qt::UserRole, w.number);
        wrong_->addItem(item);
    }
    if (summary_.mostWrong.empty())
        wrong_->addItem(QStringLiteral("Nie ma jeszcze błędnych odpowiedzi."));
}

void ProgressPage::startSmartReview() {
    std::vector<int> queue =
        smartReviewQueue(ctx_.state.categoryCode, ctx_.history, historyNow(ctx_));
    if (queue.empty()) {
        ctx_.services.dialogs->message(
            QStringLiteral("Na dziś nie ma pytań do powtórki.\nOdpowiadaj na nowe pytania albo "
                           "wróć jutro."),
            Buttons::Ok, Icon::Information);
        return;
    }
    startRun_(PracticeRun::SmartReview, std::move(queue), QStringLiteral("Powtórka inteligentna"));
}

void ProgressPage::startNewQuestions() {
    std::vector<int> queue = newQuestionsQueue(ctx_.state.categoryCode, ctx_.history);
    if (queue.empty()) {
        ctx_.services.dialogs->message(
            QStringLiteral("Odpowiadałeś już na wszystkie pytania tej kategorii."), Buttons::Ok,
            Icon::Information);
        return;
    }
    startRun_(PracticeRun::NewQuestions, std::move(queue), QStringLiteral("Nowe pytania"));
}

void ProgressPage::startTopic(int row) {
    if (row < 0 || row >= int(summary_.topics.size())) {
        ctx_.services.dialogs->message(QStringLiteral("Zaznacz temat w tabeli."), Buttons::Ok,
                                       Icon::Information);
        return;
    }
    const TopicProgress& t = summary_.topics[std::size_t(row)];
    startRun_(PracticeRun::Topic,
              topicQueue(ctx_.state.categoryCode, ctx_.history, t.first, t.last), t.name);
}

} // namespace wirtal
