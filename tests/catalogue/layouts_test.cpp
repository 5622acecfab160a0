// SPDX-License-Identifier: GPL-3.0-or-later

// The layouts of the editions: the same columns under the headers each edition gives them (the
// current one with [EN], [D], [UA] and the sign-language films; older ones with ENG, DE, [ENG]),
// the columns the program does not use kept as they are, a misspelt part, and media names taken
// exactly as written.

#include "catalogue/catalogue.h"
#include "sheetrows.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::catalogue;

namespace {

// The columns every edition has, then the edition's own ones.
const QStringList common{"Numer pytania", "Pytanie",          "Odpowiedź A",
                         "Odpowiedź B",   "Odpowiedź C",      "Poprawna odp",
                         "Media",         "Zakres struktury", "Kategorie"};
QStringList commonRow(const QString& number, const QString& media = {}) {
    return {number, "Które?", "jedna", "druga", "trzecia", "B", media, "SPECJALISTYCZNY", "B"};
}

} // namespace

// Each edition's spelling of the translations and of the sign-language films reaches the same
// fields of the question.
TEST(CatalogueLayouts, TranslationsAndSignFilmsFoundByMeaning) {
    struct Case {
        const char* edition;
        QStringList headers; // question, A, B, C in English, German, Ukrainian; films
    };
    const QString pjm = "Nazwa media tłumaczenie migowe (PJM) treść ";
    const Case cases[] = {
        {"2026",
         {"Pytanie [EN]", "Odpowiedź A [EN]", "Odpowiedź B [EN]", "Odpowiedź C [EN]", "Pytanie [D]",
          "Odpowiedź A [D]", "Odpowiedź B [D]", "Odpowiedź C [D]", "Pytanie [UA]",
          "Odpowiedź A [UA]", "Odpowiedź B [UA]", "Odpowiedź C [UA]", pjm + "pyt", pjm + "odp A",
          pjm + "odp B", pjm + "odp C"}},
        {"older, plain words",
         {"Pytanie ENG", "Odpowiedź A ENG", "Odpowiedź B ENG", "Odpowiedź C ENG", "Pytanie DE",
          "Odpowiedź A DE", "Odpowiedź B DE", "Odpowiedź C DE", "Pytanie UA", "Odpowiedź A UA",
          "Odpowiedź B UA", "Odpowiedź C UA", "Nazwa media tłumaczenie migowe treść pyt.",
          "Nazwa media tłumaczenie migowe treść odp. A",
          "Nazwa media tłumaczenie migowe treść odp. B",
          "Nazwa media tłumaczenie migowe treść odp. C"}},
        {"older, brackets",
         {"Pytanie [ENG]", "Odpowiedź A [ENG]", "Odpowiedź B [ENG]", "Odpowiedź C [ENG]",
          "Pytanie [DE]", "Odpowiedź A [DE]", "Odpowiedź B [DE]", "Odpowiedź C [DE]",
          "pytanie [ua]", "ODPOWIEDŹ A [UA]", "Odpowiedź B [UA]", "Odpowiedź C [UA]", "PJM pyt",
          "PJM odp A", "PJM odp B", "PJM odp C"}},
    };
    const QStringList values{"Which?", "one",    "two",    "three", "Welche?", "eins",
                             "zwei",   "drei",   "Яка?",   "одна",  "дві",     "три",
                             "p1.wmv", "pa.wmv", "pb.wmv", "pc.wmv"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edition);
        // The edition's columns first: their order is the edition's own.
        const Catalogue cat =
            readCatalogue(sheetOf({c.headers + common, values + commonRow("1864")}), "k.xlsx");
        ASSERT_EQ(cat.questions.size(), 1);
        const Question& q = cat.questions[0];
        EXPECT_EQ(QStringList({q.en, q.enA, q.enB, q.enC}), values.mid(0, 4));
        EXPECT_EQ(QStringList({q.de, q.deA, q.deB, q.deC}), values.mid(4, 4));
        EXPECT_EQ(QStringList({q.ua, q.uaA, q.uaB, q.uaC}), values.mid(8, 4));
        EXPECT_EQ(QStringList({q.signText, q.signA, q.signB, q.signC}), values.mid(12, 4));
        EXPECT_EQ(q.text, "Które?"); // a translation never takes the Polish column's place
        EXPECT_EQ(q.a, "jedna");
        EXPECT_TRUE(cat.hasEnglish && cat.hasGerman && cat.hasUkrainian && cat.hasSignLanguage);
        EXPECT_TRUE(cat.extraColumns.isEmpty()) << cat.extraColumns.join(", ").toStdString();
    }
}

// The row number, the explanations of the 2022 edition and anything unknown are kept with each
// question, under their headers as written, and named as the columns not used.
TEST(CatalogueLayouts, ColumnsNotUsedAreKeptAsWritten) {
    const QStringList headers = QStringList{"Lp", "Źródło pytania", "O co chcemy zapytać",
                                            "Jaki ma związek z bezpieczeństwem", "Nowa kolumna"} +
                                common;
    const Catalogue cat = readCatalogue(
        sheetOf({headers, QStringList{"7", "Art. 25 ust. 1", "O pierwszeństwo", "Duży", "x"} +
                              commonRow("1864")}),
        "k.xlsx");
    ASSERT_EQ(cat.questions.size(), 1);
    EXPECT_EQ(cat.extraColumns, headers.mid(0, 5));
    EXPECT_EQ(cat.questions[0].extra,
              QStringList({"7", "Art. 25 ust. 1", "O pierwszeństwo", "Duży", "x"}));
}

// The part as an edition misspells it is read by its meaning: no row is "corrected" for it.
TEST(CatalogueLayouts, MisspeltPartIsNoCorrection) {
    QStringList specialist = commonRow("1864"), basic = commonRow("99");
    specialist[7] = "Specajlistyczny";
    basic[2] = basic[3] = basic[4] = QString();
    basic[5] = "T";
    basic[7] = "Podstawowy";
    const Catalogue cat = readCatalogue(sheetOf({common, specialist, basic}), "k.xlsx");
    ASSERT_EQ(cat.questions.size(), 2);
    EXPECT_TRUE(cat.notes.isEmpty()) << cat.notes.first().detail.toStdString();
    EXPECT_EQ(cat.questions[0].part, Part::Specialist);
}

// A media name is taken as written: two spaces inside belong to the name (two official files are
// named so), while a text's blanks are still collapsed.
TEST(CatalogueLayouts, MediaNamesKeepTheirSpaces) {
    QStringList r = commonRow("10698", "W11 korytarz  z 001.jpg");
    r[1] = "Czy  tu?";
    const Catalogue cat = readCatalogue(sheetOf({common, r, commonRow("10700", "   ")}), "k.xlsx");
    ASSERT_EQ(cat.questions.size(), 2);
    EXPECT_EQ(cat.questions[0].media, "W11 korytarz  z 001.jpg");
    EXPECT_EQ(cat.questions[0].text, "Czy tu?");
    EXPECT_EQ(cat.questions[1].media, ""); // blanks alone are no name
}

// A sheet that names hundreds of columns keeps only the first few the import does not read, so
// such a sheet cannot make the import keep all its cells.
TEST(CatalogueLayouts, ColumnsNotUsedAreBounded) {
    QStringList headers, cells;
    for (int i = 0; i < 100; ++i) {
        headers << QString("Kolumna %1").arg(i);
        cells << QString::number(i);
    }
    const Catalogue cat =
        readCatalogue(sheetOf({headers + common, cells + commonRow("1864")}), "k.xlsx");
    ASSERT_EQ(cat.questions.size(), 1);
    EXPECT_EQ(cat.extraColumns, headers.mid(0, 32));
    EXPECT_EQ(cat.questions[0].extra, cells.mid(0, 32));
    EXPECT_EQ(cat.questions[0].text, "Które?");
}
