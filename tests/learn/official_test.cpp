// SPDX-License-Identifier: GPL-3.0-or-later

// The learning page on a folder made by the catalogue import: the official number beside ours,
// the number entry taking an official number, and the last question stored by official number.

#include "learnfixture.h"

#include <QLabel>

using namespace wirtal;
using namespace wirtal::test;

namespace {

QByteArray utf8Bom(const QStringList& lines) {
    return QByteArray("\xEF\xBB\xBF") +
           (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace

class OfficialNumberTest : public LearnFixture {
protected:
    // Category C: basic officials 700, 30, 4000 (our 1..3), specialist 15, 9000 (our 4..5).
    void writeFolder() {
        QStringList basic{quotedLine({"h", "T/N", "media", "pkt", "numer", "ENG"})};
        for (int official : {700, 30, 4000})
            basic << quotedLine({QStringLiteral("Pytanie %1").arg(official), "T", "", "2",
                                 QString::number(official), ""});
        QStringList special{
            quotedLine({"h", "A", "B", "C", "odp", "media", "pkt", "numer", "", "", "", ""})};
        for (int official : {15, 9000})
            special << quotedLine({QStringLiteral("Pytanie %1").arg(official), "a", "b", "c", "A",
                                   "", "3", QString::number(official), "", "", "", ""});
        folders.writeProgramFile(QStringLiteral("pytania-c-podst.txt"), utf8Bom(basic));
        folders.writeProgramFile(QStringLiteral("pytania-c-spec.txt"), utf8Bom(special));
        // Questions without media show the empty picture.
        folders.writeProgramFile(QStringLiteral("obrazki_prawko/empty.jpg"),
                                 pictureBytes(QStringLiteral("empty.jpg")));
        folders.writeProgramFile(QStringLiteral("katalog.ini"),
                                 utf8Bom({"[katalog]", "wersja=1", "kategorie=C", "punkty=1", "[C]",
                                          "podstawowe=3", "specjalistyczne=2"}));
    }
    QString label() { return find<QLabel>(QStringLiteral("Label1"))->text(); }
};

TEST_F(OfficialNumberTest, EntryTakesOfficialNumbersAndTheLastQuestionIsStoredByIt) {
    writeFolder();
    folders.writeUserFile(QStringLiteral("katalog-statsc.ini"), "[last]\r\npytanie=9000\r\n");
    window().navigation()->chooseCategory(QStringLiteral("C"));
    EXPECT_EQ(page()->browserNumber(), 5); // official 9000 is our 5
    EXPECT_TRUE(label().contains(QStringLiteral("nr urzędowy 9000"))) << label().toStdString();

    struct Case {
        const char* typed;
        int shown;
        const char* official; // stored in katalog-statsc.ini
    } cases[] = {
        {"2", 2, "30"},                          // ours
        {"u4000", 3, "4000"},                    // official, marked
        {"U15", 4, "15"},     {"700", 1, "700"}, // past our last number: an official one
        {"u12", 1, "700"},                       // no such official number: nothing changes
        {"9", 5, "9000"}, // past the last, no official: the last, as in a classic folder
    };
    for (const Case& c : cases) {
        typeNumber(QString::fromLatin1(c.typed));
        EXPECT_EQ(page()->browserNumber(), c.shown) << c.typed;
        EXPECT_EQ(lastStored("katalog-statsc.ini"), QString::fromLatin1(c.official)) << c.typed;
    }
    EXPECT_TRUE(label().contains(QStringLiteral("pytanie 5, nr urzędowy 9000")))
        << label().toStdString();
}
