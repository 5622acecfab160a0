// SPDX-License-Identifier: GPL-3.0-or-later

// From sheet rows to sound questions: columns found by their header text, and every row that
// cannot become a sound question reported with its reason.

#include "catalogue/catalogue.h"
#include "platform/error.h"
#include "sheetrows.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::catalogue;

namespace {

const QStringList header{"Lp.",          "Numer pytania", "Pytanie",
                         "Odpowiedź A",  "Odpowiedź B",   "Odpowiedź C",
                         "Poprawna odp", "Media",         "Zakres struktury",
                         "Kategorie",    "Liczba punktów"};

// A row in the official column order.
QStringList row(const QString& number, const QString& text, const QString& answer,
                const QStringList& options, const QString& media, const QString& part,
                const QString& categories, const QString& points = "2") {
    const auto opt = [&](int i) { return i < options.size() ? options[i] : QString(); };
    return {"1", number, text, opt(0), opt(1), opt(2), answer, media, part, categories, points};
}

const QStringList abc{"jedna", "druga", "trzecia"};

} // namespace

TEST(CatalogueRows, GoodRowsBecomeQuestions) {
    const Catalogue c = readCatalogue(
        sheetOf({header,
                 row("99.0", " Czy\nwolno\t tu?\r\n", "t", {}, "a.wmv", "PODSTAWOWY", "B, A ,b"),
                 row("1864", "Które?", "C", abc, "", "SPECJALISTYCZNY", "PT", "3"),
                 {}, // an empty row is no question row
                 row("7", "Czy \"tak\"?", "N", {}, "", "PODSTAWOWY", "T;D1", "1")}),
        "k.xlsx");
    EXPECT_TRUE(c.notes.isEmpty());
    EXPECT_TRUE(c.hasPoints);
    EXPECT_EQ(c.rows, 3);
    ASSERT_EQ(c.questions.size(), 3);
    const Question& q = c.questions[0];
    EXPECT_EQ(q.number, 99);
    EXPECT_EQ(q.part, Part::Basic);
    EXPECT_EQ(q.text, "Czy wolno tu?"); // one line, blanks collapsed
    EXPECT_EQ(q.answer, "T");
    EXPECT_EQ(q.media, "a.wmv");
    EXPECT_EQ(q.points, 2);
    EXPECT_EQ(q.categories, QStringList({"A", "B"})); // known order, once each
    EXPECT_EQ(q.row, 2);
    const Question& s = c.questions[1];
    EXPECT_EQ(s.part, Part::Specialist);
    EXPECT_EQ(QStringList({s.a, s.b, s.c}), abc);
    EXPECT_EQ(s.points, 3);
    EXPECT_EQ(c.questions[2].categories, QStringList({"D1", "T"}));
}

TEST(CatalogueRows, BadRowsAreLeftOutWithTheirReason) {
    struct Case {
        const char* name;
        QStringList row;
        Reason reason;
        const char* detail;
    } cases[] = {
        {"no number", row("", "Czy?", "T", {}, "", "PODSTAWOWY", "B"), Reason::BadNumber,
         "brak numeru"},
        {"number not whole", row("12.5", "Czy?", "T", {}, "", "PODSTAWOWY", "B"), Reason::BadNumber,
         "„12.5”"},
        {"number not positive", row("0", "Czy?", "T", {}, "", "PODSTAWOWY", "B"), Reason::BadNumber,
         "„0”"},
        {"duplicate number", row("5", "Inne?", "T", {}, "", "PODSTAWOWY", "B"),
         Reason::DuplicateNumber, "był już w wierszu 2"},
        {"empty text", row("20", " \n ", "T", {}, "", "PODSTAWOWY", "B"), Reason::EmptyText,
         "pusta treść"},
        {"unknown answer", row("21", "Czy?", "X", {}, "", "PODSTAWOWY", "B"), Reason::BadAnswer,
         "„X”"},
        {"A/B/C without options", row("22", "Które?", "A", {}, "", "PODSTAWOWY", "B"),
         Reason::ChoiceWithoutOptions, "odpowiedź A bez treści"},
        {"A/B/C with two options",
         row("23", "Które?", "B", {"x", "", "z"}, "", "SPECJALISTYCZNY", "B"),
         Reason::IncompleteOptions, "brak treści części"},
        {"T/N with options", row("24", "Czy?", "N", abc, "", "PODSTAWOWY", "B"),
         Reason::YesNoWithOptions, "odpowiedź N (TAK/NIE)"},
        {"no category", row("25", "Czy?", "T", {}, "", "PODSTAWOWY", " "), Reason::NoCategory,
         "brak kategorii"},
        {"only unknown categories", row("26", "Czy?", "T", {}, "", "PODSTAWOWY", "X2, BE"),
         Reason::UnknownCategory, "„X2,BE”"},
        {"points out of range", row("27", "Czy?", "T", {}, "", "PODSTAWOWY", "B", "4"),
         Reason::BadPoints, "„4”"},
        {"points empty", row("28", "Czy?", "T", {}, "", "PODSTAWOWY", "B", ""), Reason::BadPoints,
         "„”"},
        {"points not whole", row("29", "Czy?", "T", {}, "", "PODSTAWOWY", "B", "2.5"),
         Reason::BadPoints, "„2.5”"},
        {"media in a folder", row("30", "Czy?", "T", {}, "../x.jpg", "PODSTAWOWY", "B"),
         Reason::BadMediaName, "„../x.jpg”"},
        {"media absolute", row("31", "Czy?", "T", {}, "/etc/passwd", "PODSTAWOWY", "B"),
         Reason::BadMediaName, "/etc/passwd"},
        {"media with backslash", row("32", "Czy?", "T", {}, "a\\b.jpg", "PODSTAWOWY", "B"),
         Reason::BadMediaName, "a\\b.jpg"},
        {"media drive", row("33", "Czy?", "T", {}, "C:x.jpg", "PODSTAWOWY", "B"),
         Reason::BadMediaName, "C:x.jpg"},
        {"media dot-dot", row("34", "Czy?", "T", {}, "..", "PODSTAWOWY", "B"), Reason::BadMediaName,
         "„..”"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Catalogue cat = readCatalogue(
            sheetOf({header, row("5", "Pierwsze?", "T", {}, "", "PODSTAWOWY", "B"), c.row}),
            "k.xlsx");
        ASSERT_EQ(cat.questions.size(), 1); // only the good first row
        ASSERT_EQ(cat.notes.size(), 1);
        const RowNote& n = cat.notes.front();
        EXPECT_EQ(n.row, 3);
        EXPECT_EQ(n.reason, c.reason);
        EXPECT_TRUE(leavesOut(n.reason));
        EXPECT_TRUE(n.detail.contains(QString::fromUtf8(c.detail))) << n.detail.toStdString();
    }
}

// A code the program's category table does not know (a new category of a later edition, "BE")
// is passed over and named; the row stays for the categories the program knows. Before, such a
// row was dropped whole, and a catalogue with "B,BE" in a thousand rows lost them all.
TEST(CatalogueRows, AnUnknownCategoryIsPassedOverNotTheRow) {
    struct Case {
        const char* categories;
        QStringList kept;
        const char* named;
    } cases[] = {
        {"B,BE", {"B"}, "„BE”"},
        {"A, X9; T", {"A", "T"}, "„X9”"},
        {"be,b", {"B"}, "„be”"},
        {"PT,B,C,Q,R", {"B", "C", "PT"}, "„Q,R”"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.categories);
        const Catalogue cat = readCatalogue(
            sheetOf({header, row("7", "Czy?", "T", {}, "", "PODSTAWOWY", c.categories)}), "k.xlsx");
        ASSERT_EQ(cat.questions.size(), 1);
        EXPECT_EQ(cat.questions[0].categories, c.kept);
        ASSERT_EQ(cat.notes.size(), 1);
        EXPECT_EQ(cat.notes[0].reason, Reason::IgnoredCategory);
        EXPECT_FALSE(leavesOut(cat.notes[0].reason));
        EXPECT_TRUE(cat.notes[0].detail.contains(QString::fromUtf8(c.named)))
            << cat.notes[0].detail.toStdString();
    }
}

TEST(CatalogueRows, PartIsDecidedByWhatTheRowCarries) {
    const Catalogue c =
        readCatalogue(sheetOf({header, row("1", "Czy?", "T", {}, "", "SPECJALISTYCZNY", "B"),
                               row("2", "Które?", "A", abc, "", "PODSTAWOWY", "B"),
                               row("3", "Które?", "B", abc, "", "", "B"),
                               row("4", "Które?", "B", {}, "", "SPECJALISTYCZNY", "B")}),
                      "k.xlsx");
    ASSERT_EQ(c.questions.size(), 3);
    EXPECT_EQ(c.questions[0].part, Part::Basic);
    EXPECT_EQ(c.questions[1].part, Part::Specialist);
    EXPECT_EQ(c.questions[2].part, Part::Specialist);
    ASSERT_EQ(c.notes.size(), 4);
    EXPECT_EQ(c.notes[0].reason, Reason::CorrectedToBasic);
    EXPECT_EQ(c.notes[0].statedPart, "SPECJALISTYCZNY");
    EXPECT_EQ(c.notes[1].reason, Reason::CorrectedToSpecialist);
    EXPECT_EQ(c.notes[2].reason, Reason::CorrectedToSpecialist);
    EXPECT_FALSE(leavesOut(c.notes[0].reason));
    // Carrying neither soundly: left out.
    EXPECT_EQ(c.notes[3].reason, Reason::ChoiceWithoutOptions);
}

TEST(CatalogueRows, BadFirstRowLeavesTheNumberToALaterGoodOne) {
    const Catalogue c = readCatalogue(sheetOf({header, row("8", "", "T", {}, "", "PODSTAWOWY", "B"),
                                               row("8", "Czy?", "T", {}, "", "PODSTAWOWY", "B")}),
                                      "k.xlsx");
    ASSERT_EQ(c.questions.size(), 1);
    EXPECT_EQ(c.questions[0].row, 3);
    ASSERT_EQ(c.notes.size(), 1);
    EXPECT_EQ(c.notes[0].reason, Reason::EmptyText);
}

TEST(CatalogueRows, ColumnsAreFoundByHeaderText) {
    // Another order, extra columns, another spelling, a title row above, no points column.
    const QStringList h{"Podstawa prawna", "Kategorie",        "Media",
                        "Pytanie",         "Film w PJM",       "POPRAWNA ODP.",
                        "Odpowiedź C",     "Odpowiedź B",      "Odpowiedź A",
                        "Numer  pytania",  "Zakres struktury", "Pytanie ENG"};
    const Catalogue c =
        readCatalogue(sheetOf({{"Katalog pytań, wydanie 3"},
                               h,
                               {"art. 1", "B", "m.jpg", "Które?", "pjm.mp4", "c", "trzecia",
                                "druga", "jedna", "12", "SPECJALISTYCZNY", "Which?"}}),
                      "k.xlsx");
    EXPECT_FALSE(c.hasPoints);
    EXPECT_TRUE(c.hasEnglish);
    ASSERT_EQ(c.questions.size(), 1);
    const Question& q = c.questions[0];
    EXPECT_EQ(q.number, 12);
    EXPECT_EQ(q.answer, "C");
    EXPECT_EQ(QStringList({q.a, q.b, q.c}), abc);
    EXPECT_EQ(q.media, "m.jpg");
    EXPECT_EQ(q.points, 0);
    EXPECT_EQ(q.en, "Which?");
    EXPECT_EQ(q.enA, ""); // the edition has no English options
}

TEST(CatalogueRows, MissingRequiredColumnNamesFileAndColumn) {
    QStringList h = header;
    h.removeAll("Poprawna odp");
    h.removeAll("Kategorie");
    try {
        readCatalogue(sheetOf({h, row("1", "Czy?", "T", {}, "", "PODSTAWOWY", "B")}), "wyd.xlsx");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith("wyd.xlsx: ")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("„Poprawna odp”")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("„Kategorie”")) << e.message().toStdString();
        EXPECT_FALSE(e.message().contains("„Pytanie”")) << e.message().toStdString();
    }
    EXPECT_THROW(readCatalogue(Sheet{}, "pusty.xlsx"), Error);
}
