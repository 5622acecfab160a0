// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/paths.h"
#include "support/appfixture.h"
#include "widgets/htmlview.h"
#include "widgets/styledbutton.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>

using namespace wirtal;
using namespace wirtal::test;

namespace {

// Every reference button: the left-menu entry that opens its menu, the page, and where it shows.
struct Ref {
    int button;
    const char* caption;
    const char* menuEntry; // left-menu button
    int menuSheet;
    const char* file;
    const char* view;
    int viewSheet;
};
// clang-format off
const Ref refs[] = {
    {1, "Ostrzegawcze", "AdvSmoothButton40", 7, "ostrzegawcze.htm", "WebBrowser1", 8},
    {2, "Zakazu", "AdvSmoothButton40", 7, "zakazu.htm", "WebBrowser1", 8},
    {3, "Nakazu", "AdvSmoothButton40", 7, "nakazu.htm", "WebBrowser1", 8},
    {4, "Informacyjne", "AdvSmoothButton40", 7, "informacyjne.htm", "WebBrowser1", 8},
    {5, "Kierunku", "AdvSmoothButton40", 7, "kierunku.htm", "WebBrowser1", 8},
    {6, "Uzupełniające", "AdvSmoothButton40", 7, "uzupelniajace.htm", "WebBrowser1", 8},
    {7, "Tabliczki", "AdvSmoothButton40", 7, "tabliczki.htm", "WebBrowser1", 8},
    {8, "Dodatkowe", "AdvSmoothButton40", 7, "dodatkowe.htm", "WebBrowser1", 8},
    {9, "Poziome", "AdvSmoothButton40", 7, "poziome.htm", "WebBrowser1", 8},
    {10, "Świetlne", "AdvSmoothButton40", 7, "swietlne.htm", "WebBrowser1", 8},
    {11, "Toyota Yaris", "AdvSmoothButton39", 9, "yaris.htm", "WebBrowser2", 10},
    {12, "Renault Clio", "AdvSmoothButton39", 9, "clio.htm", "WebBrowser2", 10},
    {13, "Fiat Punto", "AdvSmoothButton39", 9, "grandepunto.htm", "WebBrowser2", 10},
    {14, "Nissan Micra", "AdvSmoothButton39", 9, "micra.htm", "WebBrowser2", 10},
    {15, "Skoda Fabia", "AdvSmoothButton39", 9, "fabia.htm", "WebBrowser2", 10},
    {16, "Kontrolki samochodowe", "AdvSmoothButton39", 9, "kontrolki.htm", "WebBrowser2", 10},
    {17, "Kodeks drogowy", "AdvSmoothButton38", 4, "kodeks.html", "WebBrowser3", 3},
    {18, "Kierowanie ruchem", "AdvSmoothButton38", 4, "kierowanie-ruchem.htm", "WebBrowser3", 3},
    {19, "Dozwolone prędkości", "AdvSmoothButton38", 4, "predkosci.htm", "WebBrowser1", 8},
    {20, "Taryfikator mandatów", "AdvSmoothButton38", 4, "taryfmand.htm", "WebBrowser3", 3},
    {21, "Punkty karne", "AdvSmoothButton38", 4, "taryfpkt.htm", "WebBrowser3", 3},
};
// clang-format on

QString buttonName(int n) {
    return QStringLiteral("AdvSmoothButton%1").arg(n);
}

class LibraryTest : public AppFixture {
protected:
    void SetUp() override { bank.write(folders); }
    void writePages() {
        for (const Ref& r : refs)
            folders.writeProgramFile(
                QStringLiteral("obrazki_prawko/") + QLatin1String(r.file),
                QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body>"
                               "<h1>%1</h1><table><tr><td>a</td><td>b</td></tr></table>"
                               "</body></html>")
                    .arg(QLatin1String(r.file))
                    .toUtf8());
    }
    HtmlView* view(const char* name) { return find<HtmlView>(QLatin1String(name)); }
    void open(const Ref& r) {
        click(QLatin1String(r.menuEntry));
        ASSERT_EQ(window().currentPage(), r.menuSheet) << r.caption;
        click(buttonName(r.button));
    }
    void hover(QWidget* w, bool enter) {
        if (enter) {
            QEnterEvent e(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
            QCoreApplication::sendEvent(w, &e);
        } else {
            QEvent e(QEvent::Leave);
            QCoreApplication::sendEvent(w, &e);
        }
    }
};

TEST_F(LibraryTest, EveryMenuButtonOpensItsPageInItsViewAndLeavesTheOthersAlone) {
    writePages();
    chooseB();
    for (const Ref& r : refs) {
        auto* b = find<StyledButton>(buttonName(r.button));
        EXPECT_EQ(b->text(), QString::fromUtf8(r.caption));
        EXPECT_EQ(b->accessibleName(), QString::fromUtf8(r.caption));
        QMap<QString, QString> before;
        for (const char* v : {"WebBrowser1", "WebBrowser2", "WebBrowser3"})
            before[QLatin1String(v)] = view(v)->location();

        open(r);
        EXPECT_EQ(window().currentPage(), r.viewSheet) << r.caption;
        HtmlView* shown = view(r.view);
        EXPECT_EQ(shown->location(), Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\") +
                                                            QLatin1String(r.file)));
        EXPECT_TRUE(shown->pageFound()) << r.file;
        EXPECT_EQ(shown->title(), QLatin1String(r.file));
        EXPECT_TRUE(shown->toPlainText().contains(QLatin1String(r.file)));
        for (const char* v : {"WebBrowser1", "WebBrowser2", "WebBrowser3"}) {
            if (QLatin1String(v) != QLatin1String(r.view)) {
                EXPECT_EQ(view(v)->location(), before[QLatin1String(v)]) << r.caption << " " << v;
            }
        }
    }
}

TEST_F(LibraryTest, SpeedLimitsShareTheRoadSignViewWhichKeepsItsPageAcrossPageChanges) {
    writePages();
    chooseB();
    open(refs[1]);  // "Zakazu"
    open(refs[18]); // "Dozwolone prędkości"
    EXPECT_EQ(window().currentPage(), 8);
    EXPECT_EQ(view("WebBrowser1")->title(), QStringLiteral("predkosci.htm"));
    click(QStringLiteral("AdvSmoothButton31")); // away to learning and back
    open(refs[16]);                             // "Kodeks drogowy" goes to the rules view
    EXPECT_EQ(view("WebBrowser1")->title(), QStringLiteral("predkosci.htm"));
    open(refs[0]); // a road-sign button replaces it again
    EXPECT_EQ(view("WebBrowser1")->title(), QStringLiteral("ostrzegawcze.htm"));
    EXPECT_EQ(view("WebBrowser3")->title(), QStringLiteral("kodeks.html"));
}

TEST_F(LibraryTest, AMissingPageShowsANoticeInsteadOfTheFormerPage) {
    writePages();
    QFile::remove(folders.program() + QStringLiteral("obrazki_prawko/zakazu.htm"));
    chooseB();
    open(refs[0]);
    open(refs[1]);
    HtmlView* v = view("WebBrowser1");
    EXPECT_FALSE(v->pageFound());
    EXPECT_EQ(v->toPlainText().trimmed(), QStringLiteral("Strona „zakazu.htm” nie jest dostępna."));
    open(refs[0]); // the same page as before the missing one loads again
    EXPECT_EQ(v->title(), QStringLiteral("ostrzegawcze.htm"));
}

TEST_F(LibraryTest, PointingAtAButtonNamesItInTheMenuCaption) {
    chooseB();
    struct Hover {
        int button;
        const char* label;
        const char* text;
        const char* resting;
    };
    const Hover cases[] = {
        {13, "AdvSmoothLabel2", "Fiat Grande Punto", "Wybierz pojazd egzaminacyjny"},
        {16, "AdvSmoothLabel2", "Kontrolki samochodowe", "Wybierz pojazd egzaminacyjny"},
        {7, "AdvSmoothLabel1", "Tabliczki do znaków", "Wybierz grupę znaków..."},
        {10, "AdvSmoothLabel1", "Sygnały świetlne", "Wybierz grupę znaków..."},
    };
    for (const Hover& h : cases) {
        auto* label = find<QLabel>(QLatin1String(h.label));
        EXPECT_EQ(label->text(), QString::fromUtf8(h.resting));
        hover(find<QWidget>(buttonName(h.button)), true);
        EXPECT_EQ(label->text(), QString::fromUtf8(h.text));
        hover(find<QWidget>(buttonName(h.button)), false);
        EXPECT_EQ(label->text(), QString::fromUtf8(h.resting));
    }
    EXPECT_FALSE(window().findChild<QLabel*>(QStringLiteral("AdvSmoothLabel3")));
}

} // namespace
