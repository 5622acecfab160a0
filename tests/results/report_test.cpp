#include "dialogs/pagesanitizer.h"
#include "results/report.h"
#include "results/reportoutput.h"
#include "support/fakes.h"
#include "support/tempdirs.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::test;

namespace {
// A finished test: every slot answered right except slot 5 (unanswered) and slot 21 (wrong).
ReportInput finishedTest(int punktow) {
    ReportInput in;
    in.kategoria = QStringLiteral("B");
    for (int i = 1; i <= 32; ++i) {
        in.pnr[i] = i <= 20 ? i * 50 : 1297 + (i - 20) * 14;
        in.prawodp[i] = i <= 20 ? QStringLiteral("T") : QStringLiteral("B");
        in.odp[i] = in.prawodp[i];
    }
    in.odp[5].clear();
    in.odp[21] = QStringLiteral("C");
    in.punktow = punktow;
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
        EXPECT_EQ(procentText(points), QString::fromLatin1(text)) << points;
    EXPECT_EQ(punktowText(68), QStringLiteral("68 na 74 (91,9 %)"));
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
    report.drukuj();
    report.zapisz(); // no save dialog either: an unexpected box fails the test
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

    report.drukuj();
    EXPECT_EQ(output.printed, QStringList{QStringLiteral("<p>POZYTYWNY</p>")});
    dialogs.expectSave(QString()); // cancelled: nothing written
    report.zapisz();
    EXPECT_TRUE(output.saved.isEmpty());
    dialogs.expectSave(folders.userData() + QStringLiteral("raport"));
    report.zapisz();
    EXPECT_EQ(output.saved,
              QStringList{folders.userData() + QStringLiteral("raport.pdf|<p>POZYTYWNY</p>")});
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
        report.drukuj();
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
    report.drukuj();
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
    pdf.zapisz();
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
