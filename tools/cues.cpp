// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues.h"

#include "bank/bank.h"
#include "bankbuild.h"
#include "base/textfile.h"
#include "platform/error.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>
#include <set>

namespace wirtal::cues {

namespace {

// The phrase types of basic questions, tried in this order; a question takes the first that
// matches its text. The last one catches the rest.
struct PhraseType {
    const char* name;
    const char* pattern;
};
const PhraseType phraseTypes[] = {
    {"„możesz”", R"(\bmożesz\b)"},
    {"„wolno”", R"(\bwolno\b)"},
    {"„obowiązek”", R"(\bobowiąz)"},
    {"„musisz”, „należy”, „trzeba”", R"(\b(musisz|należy|trzeba|powinien|powinieneś)\b)"},
    {"„zabronione”, „zakaz”", R"(\b(zabronion|zabrania|zakaz))"},
    {"„pierwszeństwo”", R"(\bpierwszeństw)"},
    {"„znak”", R"(\bznak)"},
    {"inne", ""},
};

const QRegularExpression& nonWord() {
    static const QRegularExpression re(QStringLiteral(R"([^\p{L}\p{N}]+)"));
    return re;
}

QStringList wordsOf(const QString& text) {
    return text.toLower().split(nonWord(), Qt::SkipEmptyParts);
}

QString percent(double share) {
    return QString::number(share * 100, 'f', 1).replace(u'.', u',') + QStringLiteral(" %");
}

// The share of a specialist question a rule earns when it picks one of `picks` (option
// indexes) at random: the chance that the pick is the right option.
double expectedShare(const std::vector<int>& picks, int right) {
    if (picks.empty())
        return 0;
    const auto hits = std::count(picks.begin(), picks.end(), right);
    return double(hits) / double(picks.size());
}

int answerIndex(const QString& answer) {
    return answer.size() == 1 ? answer.front().unicode() - u'A' : -1;
}

bool hasAbsolute(const QString& option) {
    const QStringList words = wordsOf(option);
    return std::any_of(words.begin(), words.end(), isAbsolute);
}

void analyseBasic(const std::vector<Item>& items, Report& r) {
    r.basicCount = int(items.size());
    if (items.empty())
        return;
    const double total = double(items.size());
    int t = 0;
    for (const Item& q : items)
        t += q.answer == u"T";
    const int n = int(items.size()) - t;
    r.basicRules.push_back({t >= n ? QStringLiteral("zawsze T") : QStringLiteral("zawsze N"),
                            std::max(t, n) / total, r.basicCount});

    // Phrase types and the rule "each type gets its commoner answer".
    std::vector<Rule> types;
    std::vector<QRegularExpression> patterns;
    for (const PhraseType& p : phraseTypes) {
        types.push_back({QString::fromUtf8(p.name)});
        patterns.emplace_back(QString::fromUtf8(p.pattern),
                              QRegularExpression::CaseInsensitiveOption |
                                  QRegularExpression::UseUnicodePropertiesOption);
    }
    for (const Item& q : items) {
        for (std::size_t i = 0; i < types.size(); ++i) {
            if (patterns[i].pattern().isEmpty() || patterns[i].match(q.text).hasMatch()) {
                (q.answer == u"T" ? types[i].t : types[i].n)++;
                break;
            }
        }
    }
    int typeHits = 0;
    for (Rule& type : types) {
        type.over = type.t + type.n;
        type.accuracy = type.over ? double(std::max(type.t, type.n)) / type.over : 0;
        typeHits += std::max(type.t, type.n);
        if (type.over)
            r.phraseTypes.push_back(type);
    }
    r.basicRules.push_back({QStringLiteral("typ wyrażenia → jego częstsza odpowiedź"),
                            typeHits / total, r.basicCount});

    // Keyword rules "the text holds K → X, otherwise → Y", for every word and pair of adjacent
    // words of the texts: the best few are listed.
    std::map<QString, std::pair<int, int>> counts; // keyword -> (T, N)
    for (const Item& q : items) {
        const QStringList words = wordsOf(q.text);
        std::set<QString> keys(words.begin(), words.end());
        for (qsizetype i = 0; i + 1 < words.size(); ++i)
            keys.insert(words[i] + u' ' + words[i + 1]);
        for (const QString& k : keys)
            (q.answer == u"T" ? counts[k].first : counts[k].second)++;
    }
    std::vector<Rule> keywordRules;
    for (const auto& [key, tn] : counts) {
        const auto [kt, kn] = tn;
        const int ifN = kn + (t - kt), ifT = kt + (n - kn); // "K → N, else T" and the reverse
        if (std::max(ifN, ifT) <= std::max(t, n))
            continue; // no better than one answer for all
        Rule rule{ifN >= ifT ? QStringLiteral("„%1” → N, inaczej T").arg(key)
                             : QStringLiteral("„%1” → T, inaczej N").arg(key),
                  std::max(ifN, ifT) / total, r.basicCount, kt, kn};
        keywordRules.push_back(rule);
    }
    std::stable_sort(keywordRules.begin(), keywordRules.end(),
                     [](const Rule& a, const Rule& b) { return a.accuracy > b.accuracy; });
    if (keywordRules.size() > 3)
        keywordRules.resize(3);
    r.basicRules.insert(r.basicRules.end(), keywordRules.begin(), keywordRules.end());
}

// The options that can stand in the middle when the options are ordered by length: those of the
// middle length (ties share the credit, so three of one length are each a third).
std::vector<int> middleOf(const QStringList& options) {
    std::vector<qsizetype> lengths;
    for (const QString& o : options)
        lengths.push_back(o.trimmed().size());
    std::vector<qsizetype> sorted = lengths;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> picks;
    if (sorted.empty())
        return picks;
    const qsizetype mid = sorted[sorted.size() / 2];
    for (int i = 0; i < int(lengths.size()); ++i)
        if (lengths[std::size_t(i)] == mid)
            picks.push_back(i);
    return picks;
}

// The texts used repeatMin times or more, in the order of their first use.
std::vector<RepeatedText> repeatedTexts(const std::vector<Item>& basic,
                                        const std::vector<Item>& specialist) {
    std::map<QString, RepeatedText> byText;
    QStringList order;
    for (const auto* items : {&basic, &specialist})
        for (const Item& q : *items) {
            const QString key = q.text.simplified().toLower();
            if (!byText.contains(key)) {
                order << key;
                byText[key].text = q.text.simplified();
            }
            ++byText[key].answers[q.answer];
        }
    std::vector<RepeatedText> out;
    for (const QString& key : order)
        if (byText[key].count() >= repeatMin)
            out.push_back(byText[key]);
    return out;
}

void analyseSpecialist(const std::vector<Item>& items, Report& r) {
    r.specialistCount = int(items.size());
    if (items.empty())
        return;
    double longest = 0, shortest = 0, middle = 0, notLongest = 0, notShortest = 0;
    double avoidAbsolute = 0, longestPlain = 0, pickAbsolute = 0;
    std::map<int, int> letters;
    double rightChars = 0, wrongChars = 0;
    int wrongOptions = 0;
    for (const Item& q : items) {
        const int right = answerIndex(q.answer);
        ++letters[right];
        std::vector<int> all, plain, absolute;
        for (int i = 0; i < int(q.options.size()); ++i) {
            all.push_back(i);
            const bool abs = hasAbsolute(q.options[i]);
            (abs ? absolute : plain).push_back(i);
            r.absoluteOptions += abs;
            r.absoluteRight += abs && i == right;
            const double length = double(q.options[i].trimmed().size());
            if (i == right) {
                rightChars += length;
            } else {
                wrongChars += length;
                ++wrongOptions;
            }
        }
        // The options of the greatest or least length among `from` (ties share the credit).
        const auto extreme = [&](const std::vector<int>& from, bool greatest) {
            std::vector<int> best;
            qsizetype bestLength = greatest ? -1 : std::numeric_limits<qsizetype>::max();
            for (int i : from) {
                const qsizetype length = q.options[i].trimmed().size();
                if (greatest ? length > bestLength : length < bestLength) {
                    best.clear();
                    bestLength = length;
                }
                if (length == bestLength)
                    best.push_back(i);
            }
            return best;
        };
        // A rule can also steer away from an extreme: "never the longest" pays as well as
        // "the longest" does when the longest is hardly ever right.
        const auto others = [&](const std::vector<int>& avoid) {
            std::vector<int> rest;
            for (int i : all)
                if (std::find(avoid.begin(), avoid.end(), i) == avoid.end())
                    rest.push_back(i);
            return rest.empty() ? all : rest;
        };
        longest += expectedShare(extreme(all, true), right);
        shortest += expectedShare(extreme(all, false), right);
        middle += expectedShare(middleOf(q.options), right);
        notLongest += expectedShare(others(extreme(all, true)), right);
        notShortest += expectedShare(others(extreme(all, false)), right);
        const std::vector<int>& unmarked = plain.empty() ? all : plain;
        avoidAbsolute += expectedShare(unmarked, right);
        longestPlain += expectedShare(extreme(unmarked, true), right);
        pickAbsolute += expectedShare(absolute.empty() ? all : absolute, right);
    }
    const double total = double(items.size());
    r.rightLength = rightChars / total;
    r.wrongLength = wrongOptions ? wrongChars / wrongOptions : 0;
    const auto common = std::max_element(letters.begin(), letters.end(),
                                         [](auto a, auto b) { return a.second < b.second; });
    r.specialistRules = {
        {QStringLiteral("zawsze %1").arg(QChar(u'A' + common->first)), common->second / total,
         r.specialistCount},
        {QStringLiteral("najdłuższa odpowiedź"), longest / total, r.specialistCount},
        {QStringLiteral("najkrótsza odpowiedź"), shortest / total, r.specialistCount},
        {QStringLiteral("środkowa długością odpowiedź"), middle / total, r.specialistCount},
        {QStringLiteral("losowo spośród odpowiedzi innych niż najdłuższa"), notLongest / total,
         r.specialistCount},
        {QStringLiteral("losowo spośród odpowiedzi innych niż najkrótsza"), notShortest / total,
         r.specialistCount},
        {QStringLiteral("losowo spośród odpowiedzi bez słów bezwzględnych"), avoidAbsolute / total,
         r.specialistCount},
        {QStringLiteral("najdłuższa spośród odpowiedzi bez słów bezwzględnych"),
         longestPlain / total, r.specialistCount},
        {QStringLiteral("losowo spośród odpowiedzi ze słowem bezwzględnym"), pickAbsolute / total,
         r.specialistCount},
    };
}

double best(const std::vector<Rule>& rules) {
    double b = 0;
    for (const Rule& rule : rules)
        b = std::max(b, rule.accuracy);
    return b;
}

void out(const QString& text) {
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), stdout);
}

} // namespace

int RepeatedText::count() const {
    int c = 0;
    for (const auto& [answer, times] : answers)
        c += times;
    return c;
}

double RepeatedText::lean() const {
    int most = 0;
    for (const auto& [answer, times] : answers)
        most = std::max(most, times);
    return count() ? double(most) / count() : 0;
}

double Report::maxLean() const {
    double m = 0;
    for (const RepeatedText& t : repeated)
        m = std::max(m, t.lean());
    return m;
}

double Report::bestBasic() const {
    return best(basicRules);
}

double Report::bestSpecialist() const {
    return best(specialistRules);
}

bool isAbsolute(const QString& word) {
    static const QRegularExpression re(
        QStringLiteral(
            "^(zawsze|nigdy|nigdzie|wyłącznie|jedynie|tylko|każd\\w*|wszyst\\w*|żadn\\w*|"
            "całkowicie|bezwzględnie)$"),
        QRegularExpression::UseUnicodePropertiesOption);
    return re.match(word.toLower()).hasMatch();
}

Report analyse(const std::vector<Item>& basic, const std::vector<Item>& specialist) {
    Report r;
    analyseBasic(basic, r);
    analyseSpecialist(specialist, r);
    r.repeated = repeatedTexts(basic, specialist);
    return r;
}

bool withinBounds(const Report& r) {
    return r.bestBasic() < basicBound && r.bestSpecialist() < specialistBound &&
           r.rightLength <= r.wrongLength && r.maxLean() <= repeatBound;
}

QString format(const Report& r) {
    QString s;
    const auto row = [&](const QString& name, const QString& value) {
        s += QStringLiteral("  %1 %2\n").arg(name, -58).arg(value, 8);
    };
    s += QStringLiteral("Pytania podstawowe: %1\n").arg(r.basicCount);
    s += QStringLiteral("  %1 %2 %3 %4\n")
             .arg(QStringLiteral("typ wyrażenia"), -40)
             .arg(QStringLiteral("T"), 5)
             .arg(QStringLiteral("N"), 5)
             .arg(QStringLiteral("częstsza"), 10);
    for (const Rule& type : r.phraseTypes)
        s += QStringLiteral("  %1 %2 %3 %4\n")
                 .arg(type.name, -40)
                 .arg(type.t, 5)
                 .arg(type.n, 5)
                 .arg(percent(type.accuracy), 10);
    s += QStringLiteral("  %1 %2\n")
             .arg(QStringLiteral("reguła zgadywania"), -58)
             .arg(QStringLiteral("trafność"), 8);
    for (const Rule& rule : r.basicRules)
        row(rule.name, percent(rule.accuracy));
    s += QStringLiteral("Pytania specjalistyczne: %1\n").arg(r.specialistCount);
    s += QStringLiteral("  %1 %2\n")
             .arg(QStringLiteral("reguła zgadywania"), -58)
             .arg(QStringLiteral("trafność"), 8);
    for (const Rule& rule : r.specialistRules)
        row(rule.name, percent(rule.accuracy));
    s += QStringLiteral("  odpowiedzi ze słowem bezwzględnym: %1, w tym poprawnych: %2\n")
             .arg(r.absoluteOptions)
             .arg(r.absoluteRight);
    s += QStringLiteral("  średnia długość odpowiedzi: poprawnej %1, błędnej %2 znaków\n")
             .arg(QString::number(r.rightLength, 'f', 1).replace(u'.', u','),
                  QString::number(r.wrongLength, 'f', 1).replace(u'.', u','));
    s += QStringLiteral("Treści użyte co najmniej %1 razy: %2\n")
             .arg(repeatMin)
             .arg(r.repeated.size());
    for (const RepeatedText& t : r.repeated) {
        QStringList answers;
        for (const auto& [answer, times] : t.answers)
            answers << QStringLiteral("%1 %2").arg(answer).arg(times);
        s += QStringLiteral("  %1 %2 %3\n")
                 .arg(t.text.left(58), -58)
                 .arg(answers.join(QStringLiteral(", ")), 12)
                 .arg(percent(t.lean()), 8);
    }
    s += QStringLiteral("Najlepsza reguła: podstawowe %1 (granica %2), specjalistyczne %3 "
                        "(granica %4); poprawne odpowiedzi nie dłuższe od błędnych: %5; "
                        "powtórzona treść najwyżej %6 jednej odpowiedzi (granica %7). %8\n")
             .arg(percent(r.bestBasic()), percent(basicBound), percent(r.bestSpecialist()),
                  percent(specialistBound),
                  r.rightLength <= r.wrongLength ? QStringLiteral("tak") : QStringLiteral("nie"),
                  percent(r.maxLean()), percent(repeatBound),
                  withinBounds(r) ? QStringLiteral("W granicach.")
                                  : QStringLiteral("Ponad granicą."));
    return s;
}

void readFolder(const QString& folder, std::vector<Item>* basic, std::vector<Item>* specialist,
                QStringList* problems, const QString& category) {
    if (!QDir(folder).entryList({QStringLiteral("*.json")}, QDir::Files).isEmpty()) {
        for (const auto& [n, q] : demo::loadQuestions(folder, problems)) {
            if (kindOf(n) == QuestionKind::Basic)
                basic->push_back({n, q.text, {}, q.answer});
            else
                specialist->push_back({n, q.text, {q.a, q.b, q.c}, q.answer});
        }
        return;
    }
    // The bank files of the category, each read once (the program folder is the current one).
    std::map<QString, QStringList> loaded;
    for (int n = 1; n <= lastQuestion; ++n) {
        try {
            const Location where = locate(category, n);
            if (!loaded.contains(where.path))
                loaded[where.path] = loadTextLines(where.path);
            const Record r = recordAt(loaded[where.path], where, n);
            if (r.kind == QuestionKind::Basic && r.fields.size() >= 2)
                basic->push_back({n, r.fields[0], {}, r.fields[1]});
            else if (r.kind != QuestionKind::Basic && r.fields.size() >= 5)
                specialist->push_back(
                    {n, r.fields[0], {r.fields[1], r.fields[2], r.fields[3]}, r.fields[4]});
            else
                problems->append(QStringLiteral("%1: za mało pól").arg(n));
        } catch (const Error& e) {
            problems->append(QStringLiteral("%1: %2").arg(n).arg(e.message()));
        }
    }
}

int run(const QString& folder, const QString& category, bool strict) {
    std::vector<Item> basic, specialist;
    QStringList problems;
    readFolder(folder, &basic, &specialist, &problems, category);
    if (!problems.isEmpty()) {
        const QByteArray b = (problems.join(u'\n') + u'\n').toUtf8();
        std::fwrite(b.constData(), 1, std::size_t(b.size()), stderr);
        return 1;
    }
    const Report r = analyse(basic, specialist);
    out(format(r));
    return strict && !withinBounds(r) ? 1 : 0;
}

} // namespace wirtal::cues
