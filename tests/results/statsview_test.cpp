// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/inifile.h"
#include "platform/timer.h"
#include "results/statsview.h"
#include "support/appfixture.h"
#include "widgets/styledbutton.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>

#include <cmath>

using namespace wirtal;
using namespace wirtal::test;

namespace {

struct Slice {
    QString label;
    double value;
    QColor color;
    QString legend;
};

std::vector<Slice> slicesOf(QPieSeries* s) {
    std::vector<Slice> out;
    const auto markers = s->chart()->legend()->markers(s);
    for (int i = 0; i < s->count(); ++i) {
        QPieSlice* sl = s->slices().at(i);
        out.push_back({sl->label(), sl->value(), sl->color(),
                       i < markers.size() ? markers.at(i)->label() : QString()});
    }
    return out;
}

const QColor green(128, 255, 128);
const QColor red(255, 0, 0);

class StatsViewTest : public AppFixture {
protected:
    void SetUp() override {
        bank.write(folders);
        folders.writeUserFile(QStringLiteral("statsb.ini"),
                              "[last]\r\npytanie=12\r\n[nauka]\r\npoprawne=7\r\nniepoprawne=3\r\n"
                              "[egzamin]\r\nzdane=2\r\nniezdane=5\r\n[stats]\r\nwyniki=10210\r\n");
        folders.writeUserFile(QStringLiteral("statsa.ini"),
                              "[nauka]\r\npoprawne=40\r\nniepoprawne=1\r\n");
        chooseB();
        click(QStringLiteral("AdvSmoothButton79")); // "Więcej"
    }
    StatsView* view() { return window().statsView(); }
    QString stat(const QString& section, const QString& key) {
        return readIni(QStringLiteral("statsb.ini"), section, key, QStringLiteral("?"));
    }
    void send(QWidget* w, QEvent::Type type) {
        if (type == QEvent::Enter) {
            QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QCoreApplication::sendEvent(w, &e);
        } else {
            QEvent e(type);
            QCoreApplication::sendEvent(w, &e);
        }
    }
};

TEST_F(StatsViewTest, ShowsTheCategoryCountersAsTwoLabelledPies) {
    click(QStringLiteral("statystykibutton"));
    EXPECT_EQ(window().currentPage(), MainWindow::StatsSheet);
    const std::vector<Slice> learn = slicesOf(view()->series(1));
    ASSERT_EQ(learn.size(), 2u);
    EXPECT_EQ(learn[0].label, QStringLiteral("Poprawne"));
    EXPECT_EQ(learn[0].value, 7);
    EXPECT_EQ(learn[0].color, green);
    EXPECT_EQ(learn[0].legend, QStringLiteral("Poprawne: 7"));
    EXPECT_EQ(learn[1].label, QStringLiteral("Niepoprawne"));
    EXPECT_EQ(learn[1].value, 3);
    EXPECT_EQ(learn[1].color, red);
    EXPECT_EQ(learn[1].legend, QStringLiteral("Niepoprawne: 3"));
    const std::vector<Slice> tests = slicesOf(view()->series(2));
    ASSERT_EQ(tests.size(), 2u);
    EXPECT_EQ(tests[0].label, QStringLiteral("Zdane"));
    EXPECT_EQ(tests[0].value, 2);
    EXPECT_EQ(tests[0].color, green);
    EXPECT_EQ(tests[1].label, QStringLiteral("Niezdane"));
    EXPECT_EQ(tests[1].value, 5);
    EXPECT_EQ(tests[1].color, red);
    EXPECT_EQ(tests[1].legend, QStringLiteral("Niezdane: 5"));

    EXPECT_EQ(find<QChartView>(QStringLiteral("Chart1"))->chart()->title(),
              QStringLiteral("Pytania w trybie nauki:"));
    EXPECT_EQ(find<QChartView>(QStringLiteral("Chart2"))->chart()->title(),
              QStringLiteral("Rozwiązane wylosowane testy:"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("Kategoria B"));

    // Opening it again builds it anew rather than adding slices.
    click(QStringLiteral("statystykibutton"));
    EXPECT_EQ(view()->series(1)->count(), 2);
    EXPECT_EQ(view()->series(2)->count(), 2);
}

TEST_F(StatsViewTest, ClearingWithYesZeroesTheFourCountersOnly) {
    click(QStringLiteral("statystykibutton"));
    const QByteArray otherCategory = folders.readUserFile(QStringLiteral("statsa.ini"));
    dialogs.expect(QStringLiteral("Wyczyścić statystyki dla bieżącej kategorii?"), Answer::Yes);
    click(QStringLiteral("AdvSmoothButton22"));
    for (const auto& [section, key] : {std::pair{"egzamin", "zdane"},
                                       {"egzamin", "niezdane"},
                                       {"nauka", "poprawne"},
                                       {"nauka", "niepoprawne"}})
        EXPECT_EQ(stat(QLatin1String(section), QLatin1String(key)), QStringLiteral("0")) << key;
    EXPECT_EQ(stat(QStringLiteral("stats"), QStringLiteral("wyniki")), QStringLiteral("10210"));
    EXPECT_EQ(stat(QStringLiteral("last"), QStringLiteral("pytanie")), QStringLiteral("12"));
    EXPECT_EQ(folders.readUserFile(QStringLiteral("statsa.ini")), otherCategory);
    for (int chart : {1, 2}) {
        ASSERT_EQ(view()->series(chart)->count(), 2);
        for (QPieSlice* s : view()->series(chart)->slices())
            EXPECT_EQ(s->value(), 0) << s->label().toStdString();
    }
    EXPECT_EQ(window().currentPage(), MainWindow::StatsSheet);
}

TEST_F(StatsViewTest, AnsweringNoLeavesFileAndViewAsTheyWere) {
    click(QStringLiteral("statystykibutton"));
    const QByteArray before = folders.readUserFile(QStringLiteral("statsb.ini"));
    dialogs.expect(QStringLiteral("Wyczyścić statystyki"), Answer::No);
    click(QStringLiteral("AdvSmoothButton22"));
    EXPECT_EQ(folders.readUserFile(QStringLiteral("statsb.ini")), before);
    EXPECT_EQ(view()->series(1)->slices().at(0)->value(), 7);
    EXPECT_EQ(view()->series(2)->slices().at(1)->value(), 5);
}

TEST_F(StatsViewTest, MissingCountersReadAsZeroAndDecimalsAreAccepted) {
    folders.writeUserFile(QStringLiteral("statsb.ini"), "[nauka]\r\npoprawne=2.5\r\n");
    click(QStringLiteral("statystykibutton"));
    EXPECT_EQ(view()->series(1)->slices().at(0)->value(), 2.5);
    for (int i : {1})
        EXPECT_EQ(view()->series(1)->slices().at(i)->value(), 0);
    for (QPieSlice* s : view()->series(2)->slices())
        EXPECT_EQ(s->value(), 0);
}

TEST_F(StatsViewTest, ACounterThatIsNoNumberStopsTheBuildingWithAMessage) {
    for (const char* bad : {"abc", "-4"}) {
        folders.writeUserFile(QStringLiteral("statsb.ini"),
                              QByteArray("[nauka]\r\npoprawne=6\r\nniepoprawne=") + bad + "\r\n");
        dialogs.expect(QString::fromLatin1(bad), Answer::Ok);
        click(QStringLiteral("statystykibutton"));
        EXPECT_TRUE(dialogs.allAnswered());
        EXPECT_EQ(window().currentPage(), MainWindow::MoreSheet) << bad;
        ASSERT_EQ(view()->series(1)->count(), 1) << bad; // the slice before it stays
        EXPECT_EQ(view()->series(1)->slices().at(0)->value(), 6);
    }
}

TEST_F(StatsViewTest, APieTurnsOneDegreePer50msOnlyWhileThePointerIsOverIt) {
    click(QStringLiteral("statystykibutton"));
    auto* chart1 = find<QChartView>(QStringLiteral("Chart1"));
    auto* chart2 = find<QChartView>(QStringLiteral("Chart2"));
    Timer* t11 = view()->rotationTimer(1);
    Timer* t12 = view()->rotationTimer(2);
    EXPECT_EQ(t11->name(), QStringLiteral("Timer11"));
    EXPECT_EQ(t12->name(), QStringLiteral("Timer12"));
    EXPECT_EQ(t11->interval(), 50);
    EXPECT_FALSE(t11->isEnabled());

    send(chart1, QEvent::Enter);
    EXPECT_TRUE(t11->isEnabled());
    EXPECT_FALSE(t12->isEnabled());
    clock.advance(49);
    EXPECT_EQ(view()->angle(1), 0);
    clock.advance(1);
    EXPECT_EQ(view()->angle(1), 1);
    clock.advance(50 * 9);
    EXPECT_EQ(view()->angle(1), 10);
    EXPECT_EQ(view()->series(1)->pieStartAngle(), 10);
    EXPECT_EQ(view()->series(1)->pieEndAngle(), 370);
    EXPECT_EQ(view()->angle(2), 0);

    send(chart1, QEvent::Leave);
    clock.advance(5000);
    EXPECT_EQ(view()->angle(1), 10); // stopped where it was

    send(chart2, QEvent::Enter);
    clock.advance(50 * 3);
    EXPECT_EQ(view()->angle(2), 3);
    EXPECT_EQ(view()->angle(1), 10);
    send(chart2, QEvent::Leave);

    send(chart1, QEvent::Enter);
    clock.advance(50 * 360); // a full turn, 18 seconds
    EXPECT_EQ(view()->angle(1), 10);
    clock.advance(50 * 350);
    EXPECT_EQ(view()->angle(1), 0); // wraps at 360
    send(chart1, QEvent::Leave);
}

// What a chart draws inside its pie's square: how many red pixels, and how many of the points on
// the pie's rim are drawn in something darker than the chart's background.
struct PieDrawing {
    int redPixels = 0;
    int rimPoints = 0;
    int rimDrawn = 0;
};

PieDrawing drawnPie(QChartView* view, QPieSeries* series) {
    view->resize(420, 380);
    view->chart()->resize(view->size());
    QCoreApplication::processEvents();
    const QImage img = view->grab().toImage();
    const QRectF plot = view->mapFromScene(view->chart()->plotArea()).boundingRect();
    const double r = series->pieSize() * std::min(plot.width(), plot.height()) / 2.0;
    const QPointF c = plot.center();
    PieDrawing d;
    const QRect square = QRectF(c.x() - r - 3, c.y() - r - 3, 2 * r + 6, 2 * r + 6).toRect();
    for (int y = square.top(); y <= square.bottom(); ++y)
        for (int x = square.left(); x <= square.right(); ++x) {
            const QColor px = img.pixelColor(x, y);
            if (px.red() > 180 && px.green() < 110 && px.blue() < 110)
                ++d.redPixels;
        }
    const QColor background = img.pixelColor(c.toPoint());
    for (int deg = 0; deg < 360; deg += 5) {
        const double a = deg * M_PI / 180.0;
        bool drawn = false;
        // The rim may sit a pixel or two either side of the computed radius.
        for (double rr = r - 2; rr <= r + 2; rr += 1) {
            const QColor px = img.pixelColor(
                QPointF(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a)).toPoint());
            drawn = drawn || px.lightness() < background.lightness() - 40;
        }
        ++d.rimPoints;
        d.rimDrawn += drawn ? 1 : 0;
    }
    return d;
}

TEST_F(StatsViewTest, AnEmptyPieIsAnEmptyCircleAndAZeroSliceDrawsNoLine) {
    struct Case {
        const char* file;
        bool empty;       // both counters 0: an empty circle
        bool redExpected; // the red slice has a value
    };
    const Case cases[] = {
        {"[nauka]\r\npoprawne=0\r\nniepoprawne=0\r\n", true, false},
        {"", true, false}, // a new user: no file at all
        {"[nauka]\r\npoprawne=7\r\nniepoprawne=0\r\n", false, false},
        {"[nauka]\r\npoprawne=0\r\nniepoprawne=3\r\n", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        if (*c.file)
            folders.writeUserFile(QStringLiteral("statsb.ini"), c.file);
        else
            QFile::remove(folders.userData() + QStringLiteral("statsb.ini"));
        click(QStringLiteral("statystykibutton"));
        const PieDrawing d = drawnPie(view()->chart(1), view()->series(1));
        if (c.redExpected) {
            EXPECT_GT(d.redPixels, 1000);
        } else {
            EXPECT_EQ(d.redPixels, 0);
        }
        if (c.empty) { // the whole rim is drawn: a circle, not a stray line
            EXPECT_EQ(d.rimDrawn, d.rimPoints);
        }
    }
}

} // namespace
