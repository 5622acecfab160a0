// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/wrappedtext.h"

#include <QFont>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace wirtal;

namespace {

// The text as shown: no-break spaces as spaces, word joiners gone.
QString plain(QString s) {
    return s.replace(QChar(0x00A0), u' ').remove(QChar(0x2060));
}

// The lines a text wraps into at a width, in plain form.
QStringList wrapped(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << plain(text.mid(line.textStart(), line.textLength())).trimmed();
    }
    layout.endLayout();
    return lines;
}

TEST(PolishNoBreaks, NumbersUnitsOneLetterWordsAndDashesStayTogetherAtEveryWidth) {
    struct Case {
        const char* text;
        std::vector<const char*> together;
    };
    const Case cases[] = {
        {"Czy w tym miejscu wolno Ci jechać z prędkością 90 km/h?",
         {"90 km/h", "z prędkością", "w tym"}},
        {"Wynik NEGATYWNY. Punktów 54 na 74 (73 %)", {"(73 %)", "54 na", "74 (73"}},
        {"ustawiasz trójkąt 100 m za pojazdem, a potem – i w razie potrzeby – dzwonisz",
         {"100 m", "a potem", "potem –", "i w razie", "potrzeby –"}},
        {"Odległość 50 m/s i więcej", {"50 m/s", "i więcej"}},
        {"W lewo albo u wylotu (w prawo)", {"W lewo", "u wylotu", "(w prawo)"}},
    };
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(12);
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QString shown = withPolishNoBreaks(text);
        EXPECT_EQ(plain(shown), text) << "only spaces and joiners change";
        for (int width = 30; width <= 520; width += 2) {
            const QString lines = wrapped(shown, font, width).join(u'\n');
            for (const char* t : c.together)
                EXPECT_TRUE(lines.contains(QString::fromUtf8(t)))
                    << "\"" << t << "\" broken at " << width << " px:\n"
                    << lines.toStdString();
        }
    }
}

TEST(PolishNoBreaks, OrdinarySpacesStayBreakable) {
    const QString text = QStringLiteral("Zatrzymam się przed znakiem, bo ten wymaga tego.");
    EXPECT_EQ(withPolishNoBreaks(text), text);
    // A slash between numbers is no unit and is left as it is.
    EXPECT_EQ(withPolishNoBreaks(QStringLiteral("1/2")), QStringLiteral("1/2"));
}

} // namespace
