// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/header.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace wirtal::catalogue {

namespace {

// The columns a sheet must have, as error messages name them.
struct Required {
    Column column;
    const char* display;
};
const Required requiredColumns[] = {
    {Number, "Numer pytania"}, {Text, "Pytanie"},
    {OptionA, "Odpowiedź A"},  {OptionB, "Odpowiedź B"},
    {OptionC, "Odpowiedź C"},  {Answer, "Poprawna odp"},
    {Media, "Media"},          {PartColumn, "Zakres struktury"},
    {Categories, "Kategorie"},
};

// Header text as compared: lower case, dots and colons as blanks, blanks collapsed.
QString normalizedHeader(const QString& h) {
    QString s = h.toLower();
    for (QChar& c : s)
        if (c == u'.' || c == u':' || c == u'_')
            c = u' ';
    return s.simplified();
}

} // namespace

std::optional<Column> columnOf(const QString& header) {
    static const QRegularExpression answerLetter(
        QStringLiteral("(?:^|\\s)(?:odp|odpowied[źz]|odpowiedzi)\\s?([abc])$"));
    const QString h = normalizedHeader(header);
    if (h.isEmpty())
        return std::nullopt;
    // The sign-language films first: their headers name the media as well.
    if (h.contains(u"migow") || h.contains(u"pjm")) {
        if (const QRegularExpressionMatch m = answerLetter.match(h); m.hasMatch())
            return Column(SignA + (m.capturedView(1).at(0).unicode() - u'a'));
        if (h.endsWith(u"pyt") || h.endsWith(u"pytania") || h.endsWith(u"pytanie"))
            return SignText;
        return std::nullopt;
    }
    // A language: "[EN]", "(EN)" or a last word "ENG"; one letter only in brackets ("[D]").
    static const QRegularExpression bracketed(
        QStringLiteral("^(.*?)\\s*[\\[(](en|eng|ang|d|de|niem|ua|ukr)[\\])]$"));
    static const QRegularExpression lastWord(QStringLiteral("^(.*\\S)\\s+(en|eng|de|ua|ukr)$"));
    QString base = h, language;
    if (QRegularExpressionMatch m = bracketed.match(h); m.hasMatch()) {
        base = m.captured(1);
        language = m.captured(2);
    } else if (m = lastWord.match(h); m.hasMatch()) {
        base = m.captured(1);
        language = m.captured(2);
    }
    int offset = 0; // of the language's text column from Text
    if (language.startsWith(u'e') || language == u"ang")
        offset = TextEn - Text;
    else if (language.startsWith(u'd') || language == u"niem")
        offset = TextDe - Text;
    else if (language.startsWith(u'u'))
        offset = TextUa - Text;
    if (base == u"pytanie" || base == u"treść pytania")
        return Column(Text + offset);
    if (const QRegularExpressionMatch m = answerLetter.match(base);
        m.hasMatch() && m.capturedStart() == 0)
        return Column(OptionA + offset + (m.capturedView(1).at(0).unicode() - u'a'));
    if (!language.isEmpty())
        return std::nullopt;
    static const QHash<QString, Column> plain{
        {QStringLiteral("numer pytania"), Number},
        {QStringLiteral("nr pytania"), Number},
        {QStringLiteral("poprawna odp"), Answer},
        {QStringLiteral("poprawna odpowiedź"), Answer},
        {QStringLiteral("media"), Media},
        {QStringLiteral("nazwa media"), Media},
        {QStringLiteral("zakres struktury"), PartColumn},
        {QStringLiteral("kategorie"), Categories},
        {QStringLiteral("kategoria"), Categories},
        {QStringLiteral("liczba punktów"), Points},
        {QStringLiteral("punkty"), Points},
    };
    if (const auto it = plain.constFind(base); it != plain.constEnd())
        return it.value();
    return std::nullopt;
}

QString cleanText(const QString& s) {
    QString out = s;
    for (QChar& c : out)
        if (c.unicode() < 32 || c.unicode() == 0x7F)
            c = u' ';
    return out.simplified();
}

Header headerOf(const Sheet& sheet, qsizetype row, int* found, QStringList* absent) {
    Header h;
    h.row = row;
    std::fill(std::begin(h.columns), std::end(h.columns), -1);
    for (const PlacedCell& c : sheet.cells(row)) {
        const QString written = cleanText(c.cell.text);
        if (written.isEmpty())
            continue;
        const std::optional<Column> column = columnOf(written);
        if (column && h.columns[*column] < 0) {
            h.columns[*column] = c.column;
        } else if (h.extra.size() < maxExtraColumns) {
            h.extra << c.column;
            h.extraHeaders << written.left(200);
        }
    }
    *found = 0;
    for (const Required& r : requiredColumns) {
        if (h.columns[r.column] >= 0)
            ++*found;
        else
            *absent << QStringLiteral("„%1”").arg(QString::fromUtf8(r.display));
    }
    return h;
}

std::optional<Header> findHeader(const Sheet& sheet, QStringList* missing) {
    const qsizetype scan = std::min<qsizetype>(sheet.rowCount(), headerRows);
    int bestFound = -1;
    for (qsizetype i = 0; i < scan; ++i) {
        int found = 0;
        QStringList absent;
        const Header h = headerOf(sheet, i, &found, &absent);
        if (absent.isEmpty())
            return h;
        if (found > bestFound) {
            bestFound = found;
            *missing = absent;
        }
    }
    if (bestFound < 0)
        for (const Required& r : requiredColumns)
            *missing << QStringLiteral("„%1”").arg(QString::fromUtf8(r.display));
    return std::nullopt;
}

} // namespace wirtal::catalogue
