// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/pagesanitizer.h"
#include "base/paths.h"
#include "results/report.h"
#include "results/reportoutput.h"
#include "support/fakes.h"
#include "support/tempdirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::test;

namespace {
// A finished test: every slot answered right except slot 5 (unanswered) and slot 21 (wrong).
ReportInput finishedTest(int score) {
    ReportInput in;
    in.categoryCode = QStringLiteral("B");
    for (int i = 1; i <= 32; ++i) {
        in.questionNumber[i] = i <= 20 ? i * 50 : 1297 + (i - 20) * 14;
        in.rightAnswer[i] = i <= 20 ? QStringLiteral("T") : QStringLiteral("B");
        in.givenAnswer[i] = in.rightAnswer[i];
    }
    in.givenAnswer[5].clear();
    in.givenAnswer[21] = QStringLiteral("C");
    in.score = score;
    in.now = QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9));
    return in;
}

QString value(const ReportParameters& p, const QString& name) {
    for (const auto& [k, v] : p)
        if (k == name)
            return v;
    ADD_FAILURE() << "no parameter " << name.toStdString();
    return {};
}

} // namespace

TEST(ReportParameters, PercentageIsShortestFormWithDecimalComma) {
    const std::pair<int, const char*> cases[] = {{0, "0"},     {37, "50"},   {67, "90,5"},
                                                 {68, "91,9"}, {73, "98,6"}, {74, "100"}};
    for (const auto& [points, text] : cases)
        EXPECT_EQ(percentText(points), QString::fromLatin1(text)) << points;
    EXPECT_EQ(scoreText(68), QStringLiteral("68 na 74 (91,9 %)"));
}

TEST(ReportParameters, HundredValuesInOrderForPassAndFail) {
    for (const auto& [points, verdict, line] : {std::tuple{68, "POZYTYWNY", "68 na 74 (91,9 %)"},
                                                std::tuple{67, "NEGATYWNY", "67 na 74 (90,5 %)"}}) {
        const ReportParameters p = reportParameters(finishedTest(points));
        ASSERT_EQ(p.size(), 100);
        EXPECT_EQ(p[0].first, QStringLiteral("pnr1"));
        EXPECT_EQ(p[32].first, QStringLiteral("prawodp1"));
        EXPECT_EQ(p[64].first, QStringLiteral("odp1"));
        EXPECT_EQ(p[96].first, QStringLiteral("kategoria"));
        EXPECT_EQ(p[99].first, QStringLiteral("wynik"));
        EXPECT_EQ(value(p, QStringLiteral("wynik")), QString::fromLatin1(verdict));
        EXPECT_EQ(value(p, QStringLiteral("punktow")), QString::fromLatin1(line));
        EXPECT_EQ(value(p, QStringLiteral("pnr21")), QStringLiteral("1311"));
        EXPECT_EQ(value(p, QStringLiteral("odp5")), QString());
        EXPECT_EQ(value(p, QStringLiteral("prawodp5")), QStringLiteral("T"));
        EXPECT_EQ(value(p, QStringLiteral("odp21")), QStringLiteral("C"));
        // Short date, then the long time (which ends with the time zone of the machine).
        EXPECT_TRUE(
            value(p, QStringLiteral("czas")).startsWith(QStringLiteral("10.12.2026, 14:05:09")))
            << value(p, QStringLiteral("czas")).toStdString();
    }
}

TEST(ReportParameters, TemplateValuesAreEscapedAndUnknownNamesStay) {
    const ReportParameters p{{QStringLiteral("kategoria"), QStringLiteral("<B&>")}};
    EXPECT_EQ(fillTemplate(QStringLiteral("<p>{{kategoria}} {{ kategoria }} {{nieznany}}</p>"), p),
              QStringLiteral("<p>&lt;B&amp;&gt; &lt;B&amp;&gt; {{nieznany}}</p>"));
}

class ReportTest : public ::testing::Test {
protected:
    TempFolders folders;
    FakeDialogs dialogs;
    FakeReportOutput output;
    Report report{dialogs, output, [] { return finishedTest(68); }};
};

TEST_F(ReportTest, WithoutATemplateNothingIsProducedAndNothingSaid) {
    report.printReport();
    report.saveReport(); // no save dialog either: an unexpected box fails the test
    EXPECT_TRUE(output.printed.isEmpty());
    EXPECT_TRUE(output.saved.isEmpty());
}

TEST_F(ReportTest, TheShippedTemplateIsInstalledOnceAndAUsersOwnIsKept) {
    Report::installDefaultTemplate();
    const QByteArray shipped = folders.readUserFile(QStringLiteral("testy.rav"));
    EXPECT_TRUE(shipped.contains("{{punktow}}"));
    folders.writeUserFile(QStringLiteral("testy.rav"), "<p>{{wynik}}</p>");
    Report::installDefaultTemplate();
    EXPECT_EQ(folders.readUserFile(QStringLiteral("testy.rav")), QByteArray("<p>{{wynik}}</p>"));

    report.printReport();
    EXPECT_EQ(output.printed, QStringList{QStringLiteral("<p>POZYTYWNY</p>")});
    dialogs.expectSave(QString()); // cancelled: nothing written
    report.saveReport();
    EXPECT_TRUE(output.saved.isEmpty());
    dialogs.expectSave(folders.userData() + QStringLiteral("raport"));
    report.saveReport();
    EXPECT_EQ(output.saved,
              QStringList{folders.userData() + QStringLiteral("raport.pdf|<p>POZYTYWNY</p>")});
    // The dialog opened in the documents folder on a dated name, never in the program folder
    // (read-only for an installed copy).
    ASSERT_EQ(dialogs.suggestedSaves().size(), 2);
    const QFileInfo suggested(dialogs.suggestedSaves().last());
    EXPECT_EQ(suggested.fileName(), QStringLiteral("raport-testu-2026-12-10.pdf"));
    EXPECT_FALSE(suggested.absolutePath().startsWith(QDir(Paths::programFolder()).absolutePath()));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_TRUE(suggested.absolutePath() == QDir(documents).absolutePath() ||
                suggested.absolutePath() == QDir::homePath()) // no documents folder: home
        << suggested.absolutePath().toStdString();
}

// Templates the layout would take minutes over are printed as their text alone; the shipped
// template and ordinary ones are printed as they are.
TEST_F(ReportTest, ATemplateBeyondTheLayoutsLimitsIsPrintedAsItsTextAlone) {
    const QByteArray table = "<table><tr><td>";
    safehtml::Limits limits; // as a template may have them: more text, long words
    limits.maxText = 256 * 1024;
    limits.maxWord = 2000;
    const struct {
        const char* what;
        QByteArray html;
        bool asItIs;
    } cases[] = {
        {"3000 nested tables", table.repeated(3000) + "{{wynik}}", false},
        {"a padding of 2 000 000 000",
         "<table cellpadding=\"2000000000\"><tr><td>{{wynik}}</td></tr></table>", false},
        {"a style padding of 2 000 000 000",
         "<style>td { padding: 2000000000px }</style><table><tr><td>{{wynik}}</td></tr></table>",
         false},
        {"a 900 KB word", "<p>{{wynik}} " + QByteArray(900 * 1024, 'W') + "</p>", false},
        {"three nested tables", table.repeated(3) + "{{wynik}}", true},
        {"a long address", "<p>{{wynik}} " + QByteArray(300, 'w') + "</p>", true},
    };
    for (const auto& c : cases) {
        folders.writeUserFile(QStringLiteral("testy.rav"), c.html);
        output.printed.clear();
        report.printReport();
        ASSERT_EQ(output.printed.size(), 1) << c.what;
        const QString& printed = output.printed.front();
        EXPECT_TRUE(printed.contains(QStringLiteral("POZYTYWNY"))) << c.what;
        EXPECT_TRUE(safehtml::withinLimits(safehtml::measure(printed), limits)) << c.what;
        // (The text alone is a document of its own; none of these templates starts like it.)
        EXPECT_EQ(!printed.startsWith(QStringLiteral("<html><head><title>")), c.asItIs) << c.what;
    }
    // The shipped template is within the limits: printed as it is.
    QFile::remove(Report::templatePath());
    Report::installDefaultTemplate();
    output.printed.clear();
    report.printReport();
    ASSERT_EQ(output.printed.size(), 1);
    EXPECT_TRUE(output.printed.front().contains(QStringLiteral("<style>")));
}

TEST_F(ReportTest, ARealPdfHasTheScoreEmbeddedFontsAndTheAuthor) {
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        GTEST_SKIP() << "poppler-utils (pdfinfo, pdffonts, pdftotext) is not installed";
    Report::installDefaultTemplate();
    QtReportOutput real;
    Report pdf(dialogs, real, [] { return finishedTest(68); });
    const QString file = folders.userData() + QStringLiteral("raport.pdf");
    dialogs.expectSave(file);
    pdf.saveReport();
    ASSERT_TRUE(QFile::exists(file));

    const auto run = [&](const QString& tool, QStringList args) {
        QProcess p;
        p.start(QStandardPaths::findExecutable(tool), args << file);
        p.waitForFinished(30000);
        EXPECT_EQ(p.exitCode(), 0) << tool.toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    EXPECT_TRUE(
        run(QStringLiteral("pdfinfo"), {}).contains(QStringLiteral("Author:          Norel")));
    const QString fonts = run(QStringLiteral("pdffonts"), {});
    const QStringList fontLines = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fontLines.isEmpty());
    for (const QString& line : fontLines) // columns: name type encoding emb sub uni ...
        EXPECT_TRUE(line.contains(QStringLiteral(" yes "))) << line.toStdString();
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
            {file, QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString body = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(body.contains(QStringLiteral("68 na 74 (91,9 %)"))) << body.toStdString();
    EXPECT_TRUE(body.contains(QStringLiteral("POZYTYWNY")));
}

namespace {

QString runTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(tool), args);
    p.waitForFinished(30000);
    EXPECT_EQ(p.exitCode(), 0) << tool.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Word {
    QString text;
    QRectF box; // in points, from the page's top left corner
};

// The words of the first page with their boxes, as pdftotext -bbox gives them.
std::vector<Word> wordsOf(const QString& pdf) {
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<Word> out;
    auto it = word.globalMatch(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"),
                                              QStringLiteral("1"), pdf, QStringLiteral("-")}));
    while (it.hasNext()) {
        const auto m = it.next();
        out.push_back(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return out;
}

// The box, in points, of everything drawn on the first page (rendered at 72 dpi).
QRect inkOf(const QString& pdf, const QString& png) {
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
             QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"), pdf, png});
    const QImage img(png + QStringLiteral(".png"));
    EXPECT_FALSE(img.isNull());
    QRect ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 235)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

bool havePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

} // namespace

TEST_F(ReportTest, ThePdfFillsTheA4PageWidthWithReadableTextAndPrintingLaysItOutAlike) {
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm, pdfinfo) is not installed";
    Report::installDefaultTemplate();
    QtReportOutput real;
    Report pdf(dialogs, real, [] { return finishedTest(68); });
    const QString saved = folders.userData() + QStringLiteral("raport.pdf");
    dialogs.expectSave(saved);
    pdf.saveReport();

    // A4 is 595 x 842 pt; the margins are 15 mm (42.5 pt): the table runs from one to the other.
    const QRect ink = inkOf(saved, folders.userData() + QStringLiteral("raport"));
    EXPECT_NEAR(ink.left(), 42.5, 3);
    EXPECT_NEAR(ink.right(), 595 - 42.5, 3);
    EXPECT_GT(ink.bottom(), 842 / 2) << "the table reaches down the page";

    // Table text is 10 to 12 pt: a DejaVu Sans word box is 1.16 em high.
    const std::vector<Word> words = wordsOf(saved);
    int cells = 0;
    for (const Word& w : words) {
        if (w.text != QStringLiteral("podstawowe") && w.text != QStringLiteral("specjalistyczne"))
            continue;
        ++cells;
        const double pointSize = w.box.height() / 1.164;
        EXPECT_GE(pointSize, 10 - 0.3) << w.text.toStdString();
        EXPECT_LE(pointSize, 12 + 0.3) << w.text.toStdString();
    }
    EXPECT_EQ(cells, 32);
    EXPECT_TRUE(runTool(QStringLiteral("pdfinfo"), {saved})
                    .contains(QRegularExpression(QStringLiteral("Pages: +1\n"))));

    // The printer gets the same pages: the same words in the same places.
    const QString printed = folders.userData() + QStringLiteral("wydruk.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        report.printReport(); // the filled-in template, as the printer would get it
        ASSERT_EQ(output.printed.size(), 1);
        QtReportOutput::printOn(output.printed[0], printer);
    }
    const std::vector<Word> printedWords = wordsOf(printed);
    ASSERT_EQ(printedWords.size(), words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(printedWords[i].text, words[i].text);
        EXPECT_NEAR(printedWords[i].box.left(), words[i].box.left(), 0.5) << i;
        EXPECT_NEAR(printedWords[i].box.top(), words[i].box.top(), 0.5) << i;
        EXPECT_NEAR(printedWords[i].box.height(), words[i].box.height(), 0.2) << i;
    }
}

TEST_F(ReportTest, ThePdfKeepsItsCreationDateAndProducerBesideTheAuthor) {
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm, pdfinfo) is not installed";
    Report::installDefaultTemplate();
    QtReportOutput real;
    const QString file = folders.userData() + QStringLiteral("raport.pdf");
    real.savePdf(QStringLiteral("<p>Raport</p>"), file);
    const QString info = runTool(QStringLiteral("pdfinfo"), {file});
    for (const char* line :
         {"Author:          Norel", "Title:           Raport z testu",
          "Creator:         Wirtal 2013", "Producer:        Qt ", "CreationDate:    "})
        EXPECT_TRUE(info.contains(QString::fromUtf8(line))) << line << "\n" << info.toStdString();
}

TEST(ReportPdfAuthor, EveryEntryOfTheOldInformationIsKeptAndAnOldAuthorReplaced) {
    // A small PDF whose information dictionary holds strings with brackets and escapes, a name,
    // a reference, an array and an author of its own.
    const QByteArray head = "%PDF-1.4\n";
    const QByteArray info = "1 0 obj\n<<\n/Title (a \\) (b) <<c>>)\n/Author (Old)\n"
                            "/Producer <FEFF0051>\n/Trapped /False\n/Ref 2 0 R\n"
                            "/List [1 (x) [2]]\n/CreationDate (D:20261210120000Z)\n>>\nendobj\n";
    const QByteArray catalog = "2 0 obj\n<< /Type /Catalog >>\nendobj\n";
    QByteArray pdf = head + info + catalog;
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 3\n0000000000 65535 f \n" +
           QByteArray::number(head.size()).rightJustified(10, '0') + " 00000 n \n" +
           QByteArray::number(head.size() + info.size()).rightJustified(10, '0') +
           " 00000 n \ntrailer\n<<\n/Size 3\n/Info 1 0 R\n/Root 2 0 R\n>>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    const QByteArray before = pdf;
    ASSERT_TRUE(setPdfAuthor(pdf, QStringLiteral("Norel")));
    EXPECT_TRUE(pdf.startsWith(before)) << "an incremental update only appends";
    const QByteArray added = pdf.mid(before.size());
    for (const char* entry :
         {"/Title (a \\) (b) <<c>>)", "/Producer <FEFF0051>", "/Trapped /False", "/Ref 2 0 R",
          "/List [1 (x) [2]]", "/CreationDate (D:20261210120000Z)", "/Author (Norel)"})
        EXPECT_TRUE(added.contains(entry)) << entry << "\n" << added.toStdString();
    EXPECT_FALSE(added.contains("(Old)"));
    EXPECT_TRUE(added.contains("/Info 3 0 R"));
    EXPECT_TRUE(added.contains("/Prev " + QByteArray::number(xref)));

    QByteArray noTrailer = "%PDF-1.4\n";
    EXPECT_FALSE(setPdfAuthor(noTrailer, QStringLiteral("Norel")));
    EXPECT_EQ(noTrailer, QByteArray("%PDF-1.4\n"));
}

TEST_F(ReportTest, AnUntouchedEarlierDefaultTemplateIsReplacedAndAnEditedOneKept) {
    QFile earlier(QStringLiteral(WIRTAL_FIXTURES "/testy-earlier.rav"));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    const QByteArray old = earlier.readAll();
    folders.writeUserFile(QStringLiteral("testy.rav"), old);
    Report::installDefaultTemplate();
    const QByteArray now = folders.readUserFile(QStringLiteral("testy.rav"));
    EXPECT_NE(now, old);
    EXPECT_TRUE(now.contains("width=\"100%\""));

    QByteArray edited = old;
    edited.replace("raport z testu", "raport z testu (moja szkoła)");
    folders.writeUserFile(QStringLiteral("testy.rav"), edited);
    Report::installDefaultTemplate();
    EXPECT_EQ(folders.readUserFile(QStringLiteral("testy.rav")), edited);
}
