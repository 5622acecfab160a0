// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/inifile.h"
#include "dialogs/auxwindows.h"
#include "dialogs/updateform.h"
#include "localhttpserver.h"
#include "platform/qtwebloader.h"
#include "platform/timer.h"
#include "support/appfixture.h"
#include "widgets/announcer.h"
#include "widgets/htmlview.h"

#include <QBuffer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

using namespace wirtal;
using namespace wirtal::test;

namespace {

const QString waiting = QStringLiteral("Sprawdzam dostępne aktualizacje, proszę czekać...");
const QString notCurrent = QStringLiteral("Twoje wersja NIE jest aktualna.");
const QString noConnection =
    QStringLiteral("Brak połączenia z serwerem, proszę spróbować później.");
const QString label2Text = QStringLiteral(
    "Dostępna jest aktualizacja, pobierz ją i zainstaluj, aby program był aktualny:");

QByteArray versionPage(const QString& title) {
    return QStringLiteral("<html><head><title>%1</title></head><body><p>Nowa wersja: "
                          "<b>www.norel.pl</b></p><table><tr><td>Wirtal</td></tr></table>"
                          "</body></html>")
        .arg(title)
        .toUtf8();
}

// The real loader, counting finished loads so that a test can wait for both.
class CountingLoader final : public WebPageLoader {
public:
    void get(const QUrl& url, QObject* context, std::function<void(const WebPage&)> done) override {
        real.get(url, context, [this, done](const WebPage& p) {
            ++finished;
            done(p);
        });
    }
    QtWebLoader real;
    int finished = 0;
};

class UpdateTest : public AppFixture {
protected:
    // The fixture's seams with another version-page loader, for a second window in one test.
    Services with(WebPageLoader* loader) {
        Services s;
        s.timers = &clock;
        s.dialogs = &dialogs;
        s.random = &random;
        s.clock = &wallclock;
        s.player = &player;
        s.web = loader;
        return s;
    }
    UpdateForm* form() { return window().auxWindows()->updateForm(); }
    QString label1() { return form()->findChild<QLabel*>(QStringLiteral("Label1"))->text(); }
    QLabel* label2() { return form()->findChild<QLabel*>(QStringLiteral("Label2")); }
    QWidget* panel() { return form()->findChild<QWidget*>(QStringLiteral("updatepanel")); }
    // The state of the window as the user sees it: its line, the second line, the page, shown.
    void expectWindow(const QString& line, bool second, bool page, const char* what) {
        EXPECT_EQ(label1(), line) << what;
        EXPECT_EQ(label2()->isVisibleTo(form()), second) << what;
        EXPECT_EQ(panel()->isVisibleTo(form()), page) << what;
    }
};

TEST_F(UpdateTest, BothViewsLoadTheVersionPageOnceAtStartAndTheWindowWaits) {
    window();
    ASSERT_EQ(web.requests.size(), 2u);
    for (const auto& r : web.requests)
        EXPECT_EQ(r.url, QUrl(QStringLiteral("http://www.norel.pl/updates/twersja10.html")));
    EXPECT_FALSE(form()->isVisible());
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Aktualizacje"));
    expectWindow(waiting, false, true, "before any load");
    EXPECT_EQ(label2()->text(), label2Text);
    click(QStringLiteral("AdvSmoothButton79"));
    click(QStringLiteral("AdvSmoothButton74"));
    EXPECT_TRUE(form()->isVisible());
    EXPECT_EQ(web.requests.size(), 2u); // "Aktualizacje" loads nothing anew
}

TEST_F(UpdateTest, EachTitleLeadsToItsStateAndOnlyAnotherVersionOpensTheWindowAtStart) {
    struct Case {
        const char* title; // nullptr: the load failed
        QString line;
        bool second, page, opensAtStart;
    };
    const Case cases[] = {
        {"11", notCurrent, true, true, true},
        {"09", notCurrent, true, true, true},
        {"10", QStringLiteral("Twoje wersja jest aktualna: (10)."), false, true, false},
        {"2013", noConnection, false, false, false},
        {"1.1", noConnection, false, false, false},
        {"", noConnection, false, false, false},
        {nullptr, noConnection, false, false, false},
    };
    for (const Case& c : cases) {
        FakeWebLoader loader;
        MainWindow w(with(&loader));
        auto* form = w.auxWindows()->updateForm();
        ASSERT_EQ(loader.requests.size(), 2u);
        const WebPage page = c.title ? FakeWebLoader::pageTitled(QString::fromUtf8(c.title))
                                     : FakeWebLoader::failed();
        loader.answer(0, page); // the silent check
        EXPECT_EQ(form->isVisible(), c.opensAtStart) << c.title;
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("Label1"))->text(), waiting) << c.title;
        loader.answer(1, page); // the window's own view
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("Label1"))->text(), c.line) << c.title;
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("Label2"))->isVisibleTo(form), c.second)
            << c.title;
        EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("updatepanel"))->isVisibleTo(form),
                  c.page)
            << c.title;
        if (c.page) {
            EXPECT_TRUE(
                form->view()->toPlainText().contains(QStringLiteral("Nowa wersja programu")));
        }
    }
}

TEST_F(UpdateTest, ACurrentVersionClosesTheWindowEveryTwoSecondsOnceChecked) {
    window();
    web.answerAll(FakeWebLoader::pageTitled(QStringLiteral("10")));
    Timer* t = form()->timer();
    EXPECT_EQ(t->name(), QStringLiteral("Timer1"));
    EXPECT_EQ(t->interval(), 2000);
    EXPECT_TRUE(t->isEnabled());
    clock.advance(2000); // fires while the window is closed: nothing to see
    click(QStringLiteral("AdvSmoothButton79"));
    click(QStringLiteral("AdvSmoothButton74"));
    EXPECT_TRUE(form()->isVisible());
    clock.advance(1999);
    EXPECT_TRUE(form()->isVisible());
    clock.advance(1);
    EXPECT_FALSE(form()->isVisible());
    click(QStringLiteral("AdvSmoothButton74")); // each time it is opened again
    EXPECT_TRUE(form()->isVisible());
    clock.advance(2000);
    EXPECT_FALSE(form()->isVisible());
}

TEST_F(UpdateTest, NotCurrentAndNoConnectionNeverCloseByThemselves) {
    for (const char* title : {"11", "2013"}) {
        FakeWebLoader loader;
        MainWindow w(with(&loader));
        loader.answerAll(FakeWebLoader::pageTitled(QString::fromUtf8(title)));
        auto* form = w.auxWindows()->updateForm();
        form->showWindow();
        EXPECT_FALSE(form->timer()->isEnabled()) << title;
        clock.advance(10000);
        EXPECT_TRUE(form->isVisible()) << title;
    }
}

TEST_F(UpdateTest, TheWindowOpenedByTheSilentCheckWaitsForItsOwnView) {
    window();
    web.answer(0, FakeWebLoader::pageTitled(QStringLiteral("11")));
    EXPECT_TRUE(form()->isVisible());
    expectWindow(waiting, false, true, "own view still loading");
    web.answer(1, FakeWebLoader::pageTitled(QStringLiteral("11")));
    expectWindow(notCurrent, true, true, "own view loaded");
}

// The real loader against a real server on the loopback.
class UpdateOverHttpTest : public UpdateTest {
protected:
    void pointAt(const QString& server) {
        writeIni(QStringLiteral("wirtal.ini"), QStringLiteral("aktualizacje"),
                 QStringLiteral("serwer"), server);
        webLoader = &loader;
    }
    void startAndWait() {
        window();
        ASSERT_TRUE(QTest::qWaitFor([&] { return loader.finished == 2; }, 20000));
    }
    CountingLoader loader;
};

TEST_F(UpdateOverHttpTest, TitlesFromARealServer) {
    struct Case {
        const char* title;
        QString line;
        bool opensAtStart;
    };
    const Case cases[] = {
        {"10", QStringLiteral("Twoje wersja jest aktualna: (10)."), false},
        {"11", notCurrent, true},
        {"09", notCurrent, true},
        {"2013", noConnection, false},
    };
    for (const Case& c : cases) {
        LocalHttpServer server;
        ASSERT_TRUE(server.listening());
        server.setAnswer(200, versionPage(QString::fromUtf8(c.title)));
        writeIni(QStringLiteral("wirtal.ini"), QStringLiteral("aktualizacje"),
                 QStringLiteral("serwer"), server.address());
        CountingLoader real;
        MainWindow w(with(&real));
        ASSERT_TRUE(QTest::qWaitFor([&] { return real.finished == 2; }, 20000)) << c.title;
        EXPECT_EQ(server.paths(), QStringList({QStringLiteral("/updates/twersja10.html"),
                                               QStringLiteral("/updates/twersja10.html")}));
        auto* form = w.auxWindows()->updateForm();
        EXPECT_EQ(form->isVisible(), c.opensAtStart) << c.title;
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("Label1"))->text(), c.line) << c.title;
        if (c.opensAtStart) {
            EXPECT_TRUE(form->view()->toPlainText().contains(QStringLiteral("www.norel.pl")));
        }
    }
}

TEST_F(UpdateOverHttpTest, NoServerAtAllMeansNoConnectionAndNothingOpens) {
    pointAt(QStringLiteral("http://127.0.0.1:%1").arg(LocalHttpServer::closedPort()));
    startAndWait();
    EXPECT_FALSE(form()->isVisible());
    click(QStringLiteral("AdvSmoothButton79"));
    click(QStringLiteral("AdvSmoothButton74"));
    expectWindow(noConnection, false, false, "no server");
}

TEST_F(UpdateOverHttpTest, AnErrorAnswerIsNoVersionPageWhateverItsTitle) {
    LocalHttpServer server;
    server.setAnswer(404, versionPage(QStringLiteral("11")));
    pointAt(server.address());
    startAndWait();
    EXPECT_FALSE(form()->isVisible());
    expectWindow(noConnection, false, false, "404");
}

TEST_F(UpdateOverHttpTest, ThePagesPicturesComeFromItsServerAndNothingElseIsAsked) {
    LocalHttpServer server;
    server.setAnswer(200, "<html><head><title>11</title></head><body><img src=\"logo.png\">"
                          "<img src=\"http://obcy.example/x.png\"><img src=\"file:///etc/y.png\">"
                          "</body></html>");
    QImage logo(16, 12, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    logo.save(&buf, "PNG");
    server.setAnswer(QStringLiteral("/updates/logo.png"), 200, png, "image/png");
    pointAt(server.address());
    startAndWait();
    const QUrl url(server.address() + QStringLiteral("/updates/logo.png"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return form()->view()->loadResource(QTextDocument::ImageResource, url).isValid(); },
        20000));
    EXPECT_EQ(server.paths(), QStringList({QStringLiteral("/updates/twersja10.html"),
                                           QStringLiteral("/updates/twersja10.html"),
                                           QStringLiteral("/updates/logo.png")}));
}

// A hostile version page: local files in every form, other servers, and a table nesting that
// used to crash the layout. Its own picture is the only thing asked for besides the page.
QByteArray hostilePage() {
    QByteArray body =
        "<html><head><title>11</title><link rel=stylesheet href=\"file:///etc/a.css\">"
        "<style>@import url(http://obcy.example/a.css); p { background-image: "
        "url(file:///dev/zero) }</style></head><body background=\"file:///dev/tty\">"
        "<p>Nowa wersja programu</p><img src=\"logo.png\">"
        "<img src=\"http://obcy.example/x.png\"><img src=\"//obcy.example/y.png\">"
        "<img src=\"file:///dev/zero\"><img src=\"data:image/png;base64,AAAA\">"
        "<object data=\"http://obcy.example/o\"></object>"
        "<iframe src=\"http://obcy.example/f.htm\"></iframe>";
    for (int i = 0; i < 3000; ++i)
        body += "<table><tr><td>";
    return body + "x</body></html>";
}

TEST_F(UpdateTest, AHostilePageMakesTheWindowAskOnlyForThePagesOwnPictures) {
    window();
    ASSERT_EQ(web.requests.size(), 2u);
    WebPage page;
    page.ok = true;
    page.url = web.requests[1].url;
    page.body = hostilePage();
    web.answerAll(page);
    expectWindow(notCurrent, true, true, "hostile page");
    EXPECT_TRUE(form()->view()->toPlainText().contains(QStringLiteral("Nowa wersja programu")));
    std::vector<QUrl> asked;
    for (const auto& r : web.requests)
        asked.push_back(r.url);
    EXPECT_EQ(asked, (std::vector<QUrl>{
                         QUrl(QStringLiteral("http://www.norel.pl/updates/twersja10.html")),
                         QUrl(QStringLiteral("http://www.norel.pl/updates/twersja10.html"))}))
        << "the page's text alone is shown, so no picture is asked for";
}

TEST_F(UpdateOverHttpTest, AHostilePageFromARealServerAsksForNothingElseAndTheWindowSurvives) {
    // Without the crash nesting the page keeps its pictures; with it, its text alone.
    for (const bool nested : {false, true}) {
        LocalHttpServer server;
        QByteArray body = hostilePage();
        if (!nested)
            body = body.left(body.indexOf("<table>")) + "</body></html>";
        server.setAnswer(200, body);
        QImage logo(16, 12, QImage::Format_RGB32);
        logo.fill(Qt::blue);
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        logo.save(&buf, "PNG");
        server.setAnswer(QStringLiteral("/updates/logo.png"), 200, png, "image/png");
        writeIni(QStringLiteral("wirtal.ini"), QStringLiteral("aktualizacje"),
                 QStringLiteral("serwer"), server.address());
        CountingLoader real;
        MainWindow w(with(&real));
        const int expected = nested ? 2 : 3;
        ASSERT_TRUE(QTest::qWaitFor([&] { return real.finished == expected; }, 20000)) << nested;
        auto* form = w.auxWindows()->updateForm();
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("Label1"))->text(), notCurrent);
        QStringList paths = {QStringLiteral("/updates/twersja10.html"),
                             QStringLiteral("/updates/twersja10.html")};
        if (!nested)
            paths << QStringLiteral("/updates/logo.png");
        EXPECT_EQ(server.paths(), paths) << nested;
        form->view()->grab(); // lays out and paints the page
    }
}

TEST_F(UpdateOverHttpTest, AnAnswerLongerThanTheBoundIsNoVersionPage) {
    LocalHttpServer server;
    server.setAnswer(200,
                     versionPage(QStringLiteral("11")) + QByteArray(QtWebLoader::maxBytes, ' '));
    pointAt(server.address());
    startAndWait();
    EXPECT_FALSE(form()->isVisible());
    expectWindow(noConnection, false, false, "too long");
}

} // namespace

// A screen reader hears the outcome of the check, not only the window's first line.
TEST_F(UpdateTest, TheOutcomeIsReadOut) {
    const struct {
        const char* title;
        QString said;
    } cases[] = {
        {"11", notCurrent + u' ' + label2Text},
        {"2013", noConnection},
    };
    for (const auto& c : cases) {
        FakeWebLoader loader;
        MainWindow w(with(&loader));
        auto* form = w.auxWindows()->updateForm();
        form->showWindow();
        loader.answerAll(FakeWebLoader::pageTitled(QString::fromUtf8(c.title)));
        QCoreApplication::processEvents();
        const QStringList said = Announcer::of(form)->said();
        ASSERT_FALSE(said.isEmpty()) << c.title;
        EXPECT_EQ(said.last(), c.said) << c.title;
    }
}
