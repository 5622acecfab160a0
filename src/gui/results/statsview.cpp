// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/statsview.h"

#include "art/tcolor.h"
#include "base/context.h"
#include "base/statsfile.h"
#include "platform/dialogs.h"
#include "platform/timer.h"
#include "widgets/styledbutton.h"

#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLocale>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>

#include <algorithm>

namespace wirtal {

namespace {
constexpr int sliceGreen = 8454016; // $80FF80
constexpr int sliceRed = 255;       // $0000FF

// A chart view that outlines the pie's circle while its series adds up to nothing, so that a new
// user's or a cleared chart shows an empty circle rather than no pie at all.
class PieView final : public QChartView {
public:
    PieView(QChart* chart, QPieSeries* series, QWidget* parent)
        : QChartView(chart, parent), series_(series) {}

protected:
    void drawForeground(QPainter* painter, const QRectF& rect) override {
        QChartView::drawForeground(painter, rect);
        if (series_->sum() > 0)
            return;
        // Where the pie would be: its size is a share of the plot area's shorter side.
        const QRectF plot = chart()->plotArea();
        const double r = series_->pieSize() * std::min(plot.width(), plot.height()) / 2.0;
        const QPointF c(plot.left() + plot.width() * series_->horizontalPosition(),
                        plot.top() + plot.height() * series_->verticalPosition());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(QColor(0x7f, 0x9c, 0xc0), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(c, r, r);
        painter->restore();
    }

private:
    QPieSeries* series_;
};

QChartView* makeChart(QWidget* parent, const QString& name, const QString& title,
                      QPieSeries* series) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont tf = chart->titleFont();
    tf.setPixelSize(18);
    tf.setBold(true);
    chart->setTitleFont(tf);
    chart->addSeries(series);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setBackgroundRoundness(12);
    chart->setAnimationOptions(QChart::NoAnimation);
    series->setPieSize(0.8);
    auto* view = new PieView(chart, series, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setAccessibleName(title);
    // Focusable (the page opens on the first chart, whose figures a screen reader reads), with
    // the focus drawn as a frame.
    view->setFocusPolicy(Qt::StrongFocus);
    view->setStyleSheet(QStringLiteral("QGraphicsView { background: transparent; border: 2px solid "
                                       "transparent; } QGraphicsView:focus { border-color: "
                                       "#1d3b6a; }"));
    return view;
}

// One slice: value, label and colour; the legend shows the label with its value.
void addSlice(QPieSeries* series, double value, const QString& label, int color) {
    QPieSlice* slice = series->append(label, value);
    slice->setColor(toQColor(color));
    // Edged in its own colour: a slice that fills the whole circle shows no seam. A slice of
    // nothing has no edge at all, which would otherwise draw as a line from the centre.
    if (value > 0)
        slice->setBorderColor(toQColor(color));
    else
        slice->setPen(Qt::NoPen);
    const auto markers =
        series->chart() ? series->chart()->legend()->markers(series) : QList<QLegendMarker*>();
    for (QLegendMarker* m : markers)
        if (m->label() == label)
            m->setLabel(label + QStringLiteral(": ") + QLocale().toString(value, 'g', 12));
}
} // namespace

StatsView::StatsView(AppContext& ctx, std::function<void()> showPage, QWidget* parent)
    : QWidget(parent), ctx_(ctx), showPage_(std::move(showPage)) {
    setObjectName(QStringLiteral("TabSheet6"));
    series1_ = new QPieSeries(this);
    series1_->setObjectName(QStringLiteral("Series1"));
    series2_ = new QPieSeries(this);
    series2_->setObjectName(QStringLiteral("Series2"));
    chart1_ = makeChart(this, QStringLiteral("Chart1"), QStringLiteral("Pytania w trybie nauki:"),
                        series1_);
    chart2_ = makeChart(this, QStringLiteral("Chart2"),
                        QStringLiteral("Rozwiązane wylosowane testy:"), series2_);
    chart1_->installEventFilter(this);
    chart2_->installEventFilter(this);

    // The category label and the button are children of the page, drawn over the charts: inside
    // a chart view they would be missing from the accessibility tree.
    categoryLabel_ = new QLabel(this);
    categoryLabel_->setObjectName(QStringLiteral("Label3"));
    categoryLabel_->setTextFormat(Qt::PlainText);
    categoryLabel_->setStyleSheet(
        QStringLiteral("font-size: 15px; font-weight: bold; color: #1d3b6a;"));
    categoryLabel_->setGeometry(14, 10, 160, 24);

    clear_ = new StyledButton(QStringLiteral("Wyczyść statystyki"), this);
    clear_->setObjectName(QStringLiteral("AdvSmoothButton22"));
    clear_->resize(150, 32);
    clear_->setHandler([this] { clearStatistics(); });

    if (TimerService* timers = ctx_.services.timers) {
        chart1Rotation_ = timers->create(QStringLiteral("Timer11"), 50, TimerKind::Repeating);
        chart1Rotation_->setHandler([this] { turn(1); });
        chart2Rotation_ = timers->create(QStringLiteral("Timer12"), 50, TimerKind::Repeating);
        chart2Rotation_->setHandler([this] { turn(2); });
    }
    placeCharts();
}

StatsView::~StatsView() = default;

Timer* StatsView::rotationTimer(int chart) const {
    return chart == 1 ? chart1Rotation_.get() : chart2Rotation_.get();
}

void StatsView::placeCharts() {
    const int gap = 16;
    const int w = (width() - 3 * gap) / 2;
    const int h = height() - 2 * gap;
    chart1_->setGeometry(gap, gap, w, h);
    chart2_->setGeometry(2 * gap + w, gap, w, h);
    clear_->move(chart2_->x() + chart2_->width() - clear_->width() - 14,
                 chart2_->y() + chart2_->height() - clear_->height() - 14);
    // The category in the lower corner of the first chart, level with the button of the second.
    categoryLabel_->move(chart1_->x() + 20,
                         chart1_->y() + chart1_->height() - categoryLabel_->height() - 18);
    clear_->raise();
    categoryLabel_->raise();
}

void StatsView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeCharts();
}

void StatsView::showStatistics() {
    // Each counter is read as its slice is added: a bad one stops the building there.
    using C = StatsFile::Counter;
    const StatsFile stats(ctx_.state.statsFile());
    series1_->clear();
    addSlice(series1_, stats.count(C::Poprawne), QStringLiteral("Poprawne"), sliceGreen);
    addSlice(series1_, stats.count(C::Niepoprawne), QStringLiteral("Niepoprawne"), sliceRed);
    series2_->clear();
    addSlice(series2_, stats.count(C::Zdane), QStringLiteral("Zdane"), sliceGreen);
    addSlice(series2_, stats.count(C::Niezdane), QStringLiteral("Niezdane"), sliceRed);
    const Category* c = ctx_.state.category();
    categoryLabel_->setText(c ? c->buttonCaption() : QStringLiteral("Kategoria "));
    // The charts' figures as text, for a screen reader.
    chart1_->setAccessibleDescription(QStringLiteral("Poprawne: %1, Niepoprawne: %2")
                                          .arg(stats.count(C::Poprawne))
                                          .arg(stats.count(C::Niepoprawne)));
    chart2_->setAccessibleDescription(QStringLiteral("Zdane: %1, Niezdane: %2")
                                          .arg(stats.count(C::Zdane))
                                          .arg(stats.count(C::Niezdane)));
    if (showPage_)
        showPage_();
    // Not on "Wyczyść statystyki": an Enter or a space on arrival must not offer to clear.
    if (isVisible())
        chart1_->setFocus(Qt::OtherFocusReason);
}

void StatsView::clearStatistics() {
    if (ctx_.services.dialogs->message(
            QStringLiteral("Wyczyścić statystyki dla bieżącej kategorii?"), Buttons::YesNo,
            Icon::None) != Answer::Yes)
        return;
    StatsFile(ctx_.state.statsFile()).clearCounters();
    showStatistics();
}

void StatsView::turn(int chart) {
    int& angle = chart == 1 ? angle1_ : angle2_;
    angle = (angle + 1) % 360;
    QPieSeries* s = series(chart);
    s->setPieStartAngle(angle);
    s->setPieEndAngle(angle + 360);
}

bool StatsView::eventFilter(QObject* watched, QEvent* event) {
    const int chart = watched == chart1_ ? 1 : watched == chart2_ ? 2 : 0;
    if (chart && (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        if (Timer* t = rotationTimer(chart))
            t->setEnabled(event->type() == QEvent::Enter);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace wirtal
