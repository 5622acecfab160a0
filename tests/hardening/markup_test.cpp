// SPDX-License-Identifier: GPL-3.0-or-later

// Text from outside the program (bank records, the legal-basis list, a server's page, a user's
// report template, a message quoting any of them) is shown as text: never styled as markup and
// never made to open a file as a picture or a style sheet. Every row names bait files in a
// watched folder and checks that nothing opened them.

#include "learn/learnfixture.h"
#include "results/reportoutput.h"
#include "startup/qtdialogs.h"
#include "support/openwatch.h"
#include "widgets/htmlview.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

using namespace wirtal;
using namespace wirtal::test;

namespace {

// A folder of bait files, watched for opens.
class Bait {
public:
    Bait() {
        for (const char* name : {"bait.png", "bait.css", "bait.htm"}) {
            QFile f(dir_.filePath(QString::fromLatin1(name)));
            f.open(QIODevice::WriteOnly);
            f.write(QByteArrayLiteral("\x89PNG\r\n\x1a\n"));
        }
        watch_ = std::make_unique<OpenWatch>(dir_.path());
    }
    QString path(const char* name = "bait.png") const {
        return dir_.filePath(QString::fromLatin1(name));
    }
    QString folder() const { return dir_.path(); }
    QStringList opened() { return watch_->opened(); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<OpenWatch> watch_;
};

// Markup a crafted file could carry: a red heading of the program's own voice and a picture
// that names a file.
QString hostile(const QString& picture) {
    return QStringLiteral("<h1 style=\"color:red\">Twój program jest zablokowany, zapłać</h1>"
                          "<img src=\"%1\"> koniec")
        .arg(picture);
}

// The names a page or a text can give a file by.
QStringList baitNames(const Bait& bait) {
    return {bait.path(), QUrl::fromLocalFile(bait.path()).toString(),
            QStringLiteral("../") + QFileInfo(bait.folder()).fileName() +
                QStringLiteral("/bait.png"),
            QStringLiteral("bait.png")};
}

TEST(OutsideMarkup, MessageBoxesShowTheirTextLiterally) {
    if (!OpenWatch::supported())
        GTEST_SKIP() << "no way to trace file opens here";
    Bait bait;
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(bait.folder()); // relative names resolve among the bait
    QtDialogs dialogs;
    for (const QString& name : baitNames(bait)) {
        const QString text =
            QStringLiteral("Błąd w pliku „katalog.xlsx”, komórka C2: ") + hostile(name);
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        std::function<void()> look = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                QTimer::singleShot(1, look);
                return;
            }
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                shown = label->text();
                format = label->textFormat();
            }
            box->grab(); // painted, as on screen
            box->accept();
        };
        QTimer::singleShot(0, look);
        dialogs.message(text, Buttons::Ok, Icon::Error, false);
        EXPECT_EQ(shown, text) << name.toStdString();
        EXPECT_EQ(format, Qt::PlainText) << name.toStdString();
        EXPECT_EQ(bait.opened(), QStringList()) << name.toStdString();
    }
    QDir::setCurrent(oldCurrent);
}

class OutsideMarkupWindow : public LearnFixture {};

// A bank whose texts, answers and legal basis carry markup: every label of the window shows
// text as text (the legal-basis line is the one rich label: it escapes what it quotes), the
// tooltip too, and nothing of the bait is opened.
TEST_F(OutsideMarkupWindow, BankTextsAndTheLegalBasisAreShownAsText) {
    if (!OpenWatch::supported())
        GTEST_SKIP() << "no way to trace file opens here";
    Bait bait;
    const QString text = hostile(bait.path());
    bank.set(1, {text, QStringLiteral("T"), QStringLiteral("p1.jpg"), QStringLiteral("2")});
    bank.set(1298, {hostile(bait.path()), hostile(QUrl::fromLocalFile(bait.path()).toString()),
                    QStringLiteral("<b>B</b>"), QStringLiteral("<i>C</i>"), QStringLiteral("A"),
                    QStringLiteral("s1298.wmv"), QStringLiteral("3")});
    folders.writeProgramFile(
        QStringLiteral("podstawy.txt"),
        cp1250(QStringLiteral("1\tart. 1 ") + hostile(bait.path()) + QStringLiteral("\r\n")));
    bank.write(folders);
    chooseB();
    answer(QStringLiteral("TAK")); // the check shows the legal basis
    QLabel* basis = find<QLabel>(QStringLiteral("podstawalabel"));
    ASSERT_TRUE(basis->isVisibleTo(page()));
    window().grab();
    go(1298);
    window().grab();

    for (QLabel* label : window().findChildren<QLabel*>()) {
        const std::string name = label->objectName().toStdString();
        if (label == basis) {
            EXPECT_EQ(label->textFormat(), Qt::RichText);
            EXPECT_FALSE(label->text().contains(QStringLiteral("<img")))
                << label->text().toStdString();
        } else {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
        }
    }
    const QString tip = basis->toolTip();
    EXPECT_FALSE(tip.contains(QStringLiteral("<img"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("&lt;img"))) << tip.toStdString();
    const QString shownTexts = [&] {
        QString all;
        for (QLabel* label : window().findChildren<QLabel*>())
            all += label->text() + u'\n';
        return all;
    }();
    EXPECT_TRUE(shownTexts.contains(QStringLiteral("<b>B</b>"))); // the option, literally
    EXPECT_EQ(bait.opened(), QStringList());
}

// The learning page counts a record's points as the exam and the bank tool do: a field that is
// no weight of 1 to 3 is refused with the record's place, not shown as "xyz pkt.".
TEST_F(OutsideMarkupWindow, ARecordWithInvalidPointsIsRefusedNotShown) {
    const char* bad[] = {"xyz", "0", "4", "<b>3</b>", ""};
    int number = 2;
    for (const char* points : bad) {
        bank.set(number, {QStringLiteral("Pytanie"), QStringLiteral("N"), QStringLiteral("p2.jpg"),
                          QString::fromLatin1(points)});
        number += 2;
    }
    bank.write(folders);
    chooseB();
    number = 2;
    for (const char* points : bad) {
        dialogs.expect(QStringLiteral("liczba punktów „%1”").arg(QString::fromLatin1(points)),
                       Answer::Ok);
        go(number);
        EXPECT_TRUE(dialogs.allAnswered()) << points;
        EXPECT_FALSE(button("sprawdzbutton")
                         ->badgeText()
                         .contains(QString::fromLatin1(points) + QStringLiteral(" pkt.")) &&
                     *points)
            << points;
        number += 2;
    }
    go(3); // a sound record shows its points
    EXPECT_EQ(button("sprawdzbutton")->badgeText(), QStringLiteral("1 pkt."));
    EXPECT_TRUE(button("sprawdzbutton")->badgeVisible());
}

// The version page is a server's; the report template a user's file. Neither document reads a
// file for anything it names, by any path.
TEST(OutsideMarkup, TheVersionPageAndTheReportTemplateOpenNoFile) {
    if (!OpenWatch::supported())
        GTEST_SKIP() << "no way to trace file opens here";
    Bait bait;
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(bait.folder());
    QString page = QStringLiteral("<html><head><title>&lt;img src=%1&gt;</title>"
                                  "<link rel=\"stylesheet\" href=\"%2\"></head>"
                                  "<body background=\"%1\"><table background=\"%1\"><tr><td>x"
                                  "</td></tr></table>")
                       .arg(bait.path(), bait.path("bait.css"));
    for (const QString& name : baitNames(bait))
        page +=
            QStringLiteral("<img src=\"%1\"><p style=\"background-image:url(%1)\">y</p>").arg(name);
    page += QStringLiteral("</body></html>");

    HtmlView view;
    view.resize(400, 300);
    view.showRemotePage(page.toUtf8(), QUrl(QStringLiteral("http://127.0.0.1:9/updates/x.html")));
    view.grab();
    EXPECT_EQ(bait.opened(), QStringList()) << "version page";

    QTemporaryDir out;
    QtReportOutput report;
    report.savePdf(page, out.filePath(QStringLiteral("raport.pdf")));
    EXPECT_EQ(bait.opened(), QStringList()) << "report";
    QDir::setCurrent(oldCurrent);
}

// A reference page is read from the program folder; what it names as a picture is read only
// when it is a regular file of bounded size.
TEST(OutsideMarkup, AReferencePageReadsNoDeviceNorHugeFile) {
    if (!OpenWatch::supported())
        GTEST_SKIP() << "no way to trace file reads here";
    QTemporaryDir dir;
    const QString huge = dir.filePath(QStringLiteral("ogromny.png"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(65) << 20)); // sparse: no disk used
    }
    HtmlView view;
    view.resize(400, 300);
    const QString pagePath = dir.filePath(QStringLiteral("strona.htm"));
    QFile f(pagePath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html><body><p>x</p><img src=\"ogromny.png\"></body></html>");
    f.close();
    // The page as shown: the view's own reader refuses the file by its size before reading
    // any of it, and nothing reads it behind the view's back either (Qt's picture handler
    // loads by name whatever the document does not give it).
    OpenWatch reads(dir.path(), OpenWatch::Trace::Reads);
    view.navigate(pagePath);
    view.grab();
    EXPECT_EQ(reads.opened(), QStringList({QStringLiteral("strona.htm")}));
    EXPECT_FALSE(
        view.loadResource(QTextDocument::ImageResource, QUrl::fromLocalFile(huge)).isValid());
    EXPECT_FALSE(
        view.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("file:///dev/zero")))
            .isValid());
}

} // namespace
