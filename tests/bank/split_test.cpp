// SPDX-License-Identifier: GPL-3.0-or-later

// Split: every splitting rule and the consequences the bank files rely on.

#include "bank/split.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace wirtal;

namespace {

struct SplitCase {
    const char* what;
    QString input;
    QStringList fields;
};

const QString q = QStringLiteral("\"");

std::vector<SplitCase> splitCases() {
    return {
        {"empty line", "", {}},
        {"only blanks", "   \t ", {}},
        {"one field", "a", {"a"}},
        {"two fields", "a,b", {"a", "b"}},
        {"basic record, all quoted",
         R"("Czy wolno?","T","x.jpg","3")",
         {"Czy wolno?", "T", "x.jpg", "3"}},
        {"quoted text with blanks, unquoted T, quoted name with blank, unquoted 3",
         R"("Czy w tej sytuacji wolno?",T,"moj plik.jpg",3)",
         {"Czy w tej sytuacji wolno?", "T", "moj plik.jpg", "3"}},
        {"unquoted question text: one more field per blank",
         R"(Czy wolno skręcić?,T,"a.jpg",3)",
         {"Czy", "wolno", "skręcić?", "T", "a.jpg", "3"}},
        {"comma as last character gives an empty last field", "a,b,", {"a", "b", ""}},
        {"quoted field then final comma", R"("a",)", {"a", ""}},
        {"a lone comma", ",", {"", ""}},
        {"two commas in a row give an empty field", "a,,b", {"a", "", "b"}},
        {"leading comma gives an empty first field", ",a", {"", "a"}},
        {"three commas at the end", "a,,,", {"a", "", "", ""}},
        {"comma followed by blanks at the end: no extra field", "a, ", {"a"}},
        {"comma followed by a tab at the end: no extra field", "a,\t", {"a"}},
        {"quoted empty field", R"("")", {""}},
        {"quoted empty fields", R"("","",)", {"", "", ""}},
        {"doubled quote inside quotes", R"("a""b")", {"a\"b"}},
        {"only a doubled quote inside quotes", R"("""")", {"\""}},
        {"doubled quotes at both ends", R"("""a""")", {"\"a\""}},
        {"comma inside quotes", R"("a,b",c)", {"a,b", "c"}},
        {"blanks inside quotes kept", R"("  a  ")", {"  a  "}},
        {"unclosed quote runs to the end", R"("abc,def ghi)", {"abc,def ghi"}},
        {"unclosed quote after a doubled quote", R"("ab"")", {"ab\""}},
        {"lone opening quote", R"(")", {""}},
        {"unclosed quote as second field", R"(a,"b c)", {"a", "b c"}},
        {"text right after a closing quote is a field of its own",
         R"("ab"cd,e)",
         {"ab", "cd", "e"}},
        {"text after closing quote, then end", R"("ab"cd)", {"ab", "cd"}},
        {"blank between closing quote and text", R"("ab" cd,e)", {"ab", "cd", "e"}},
        {"quote after closing quote opens a new field", R"("ab""cd"x)", {"ab\"cd", "x"}},
        {"closing quote then quoted field", R"("a" "b")", {"a", "b"}},
        {"quote in the middle of an unquoted field is a character", R"(a"b",c)", {"a\"b\"", "c"}},
        {"blank separates unquoted fields", "a b", {"a", "b"}},
        {"many blanks separate once", "a    b", {"a", "b"}},
        {"blanks before the first field dropped", "   a,b", {"a", "b"}},
        {"blanks around commas dropped", "a  ,  b  ,  c  ", {"a", "b", "c"}},
        {"blanks around quoted fields dropped", R"(  "a"  ,  "b"  )", {"a", "b"}},
        {"blank then comma at the end", "a ,", {"a", ""}},
        {"tab is a blank", "a\tb", {"a", "b"}},
        {"CR and LF are blanks", "a\r\nb", {"a", "b"}},
        {"code 1 is a blank", QString::fromUtf16(u"a\u0001b"), {"a", "b"}},
        {"code 31 is a blank", QString::fromUtf16(u"\u001fa\u001f,\u001fb"), {"a", "b"}},
        {"NUL is not a blank",
         QString(QChar(0)) + QLatin1String("a"),
         {QString(QChar(0)) + QLatin1String("a")}},
        {"DEL is not a blank", QString::fromUtf16(u"a\u007fb"), {QString::fromUtf16(u"a\u007fb")}},
        {"no-break space is not a blank",
         QString::fromUtf16(u"a\u00a0b"),
         {QString::fromUtf16(u"a\u00a0b")}},
        {"Polish letters", QStringLiteral("\"Żółć\",ąę,\"ŁŚ\""), {"Żółć", "ąę", "ŁŚ"}},
        {"specialist record",
         R"("Pytanie?","Odp A","Odp B","Odp C","B","1.jpg","2")",
         {"Pytanie?", "Odp A", "Odp B", "Odp C", "B", "1.jpg", "2"}},
        {"further fields are kept",
         R"("a","T","b.jpg","1","extra")",
         {"a", "T", "b.jpg", "1", "extra"}},
        {"empty media field between quotes", R"("a","T","","1")", {"a", "T", "", "1"}},
    };
}

} // namespace

TEST(Split, Table) {
    for (const SplitCase& c : splitCases()) {
        SCOPED_TRACE(c.what);
        SCOPED_TRACE(c.input.toStdString());
        EXPECT_EQ(splitRecord(c.input), c.fields);
        QStringList out;
        Split(c.input, out);
        EXPECT_EQ(out, c.fields);
    }
}

TEST(Split, EmptiesTheListFirst) {
    QStringList out{"old", "values", "here"};
    Split(QStringLiteral("x,y"), out);
    EXPECT_EQ(out, (QStringList{"x", "y"}));
    Split(QString(), out);
    EXPECT_TRUE(out.isEmpty());
}

TEST(Split, LongLineWithManyFields) {
    QStringList fields;
    QString line;
    for (int i = 0; i < 500; ++i) {
        fields << QString(i % 7, u'x') + QString::number(i);
        line += (i ? "," : "") + q + fields.back() + q;
    }
    EXPECT_EQ(splitRecord(line), fields);
}
