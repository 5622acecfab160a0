#include "base/inifile.h"
#include "platform/timer.h"
#include "results/statsview.h"
#include "support/appfixture.h"
#include "widgets/styledbutton.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>

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
        return readini(QStringLiteral("statsb.ini"), section, key, QStringLiteral("?"));
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

} // namespace
