// SPDX-License-Identifier: GPL-3.0-or-later

#include "bank/topics.h"

#include "bank/bank.h"
#include "bank/layout.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "platform/error.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace wirtal {

namespace {

// The classic folder's basic questions by topic: where each topic starts (it runs to the next).
struct TopicStart {
    int first;
    const char16_t* name;
};
constexpr TopicStart classicTopics[] = {
    {1, u"Znaki ostrzegawcze"},
    {110, u"Znaki zakazu"},
    {219, u"Znaki nakazu i informacyjne"},
    {388, u"Sygnały świetlne"},
    {471, u"Pierwszeństwo przejazdu"},
    {536, u"Wyprzedzanie"},
    {600, u"Prędkość"},
    {634, u"Zatrzymanie i postój"},
    {670, u"Piesi i rowerzyści"},
    {708, u"Szczególna ostrożność"},
    {720, u"Tramwaje i przejazdy kolejowe"},
    {765, u"Znaki poziome"},
    {814, u"Polecenia i pojazdy uprzywilejowane"},
    {881, u"Światła pojazdu"},
    {951, u"Autostrady i drogi ekspresowe"},
    {1015, u"Manewry"},
    {1085, u"Warunki jazdy i tunele"},
    {1112, u"Obowiązki kierującego"},
    {1159, u"Pierwsza pomoc"},
    {1223, u"Kontrolki"},
    {1239, u"Przewóz osób i ładunku, holowanie"},
};

const QString legalFile = QStringLiteral("\\podstawy.txt");

} // namespace

TopicList topicsOf(const QString& categoryCode) {
    const auto bank = layout::of(categoryCode);
    TopicList out;
    const QString specialist = QStringLiteral("Pytania specjalistyczne");
    if (bank->catalogue) {
        out.topics.push_back({QStringLiteral("Pytania podstawowe"), 1, bank->basicCount});
        if (bank->last > bank->basicCount)
            out.topics.push_back({specialist, bank->basicCount + 1, bank->last});
        return out;
    }
    out.namedTopics = true;
    const int count = int(std::size(classicTopics));
    for (int i = 0; i < count; ++i) {
        const int last = i + 1 < count ? classicTopics[i + 1].first - 1 : bank->basicCount;
        out.topics.push_back(
            {QString::fromUtf16(classicTopics[i].name), classicTopics[i].first, last});
    }
    out.topics.push_back({specialist, bank->basicCount + 1, bank->last});
    return out;
}

QString legalBasisOf(const QString& categoryCode, int number) {
    // The basis belongs to the classic folder's numbering; a catalogue has none.
    try {
        if (layout::of(categoryCode)->catalogue)
            return {};
        const QString path = Paths::inProgramFolder(legalFile);
        if (!QFileInfo(path).isFile())
            return {};
        const QString key = QString::number(number) + u'\t';
        for (const QString& line : loadTextLines(path))
            if (line.startsWith(key))
                return line.mid(key.size()).trimmed().left(300);
    } catch (const Error&) {
        // No basis is shown rather than an error: it is an aid, not part of the question.
    }
    return {};
}

QString referencePageFor(const QString& legalBasis) {
    // A sign's group page by the letter of its code.
    struct SignGroup {
        char16_t letter;
        const char* page;
    };
    static constexpr SignGroup groups[] = {
        {u'A', "ostrzegawcze.htm"}, {u'B', "zakazu.htm"},   {u'C', "nakazu.htm"},
        {u'D', "informacyjne.htm"}, {u'E', "kierunku.htm"}, {u'F', "uzupelniajace.htm"},
        {u'G', "dodatkowe.htm"},    {u'P', "poziome.htm"},  {u'S', "swietlne.htm"},
        {u'T', "tabliczki.htm"},
    };
    const QString folder = QStringLiteral("/obrazki_prawko/");
    static const QRegularExpression sign(QStringLiteral("\\b([A-GPST])-\\d"));
    if (const QRegularExpressionMatch m = sign.match(legalBasis); m.hasMatch())
        for (const SignGroup& g : groups)
            if (m.captured(1).front() == QChar(g.letter))
                return folder + QLatin1String(g.page);
    for (const char* act : {"PoRD", "Prawo o ruchu drogowym", "sygnałów drogowych"})
        if (legalBasis.contains(QString::fromUtf8(act)))
            return folder + QStringLiteral("kodeks.html");
    return {};
}

} // namespace wirtal
