// SPDX-License-Identifier: GPL-3.0-or-later

// wirtal-bank: the command-line bank tool for people who prepare bank files, and for scripts.
//
//   wirtal-bank show  [--folder DIR] [--category X] NUMBER
//   wirtal-bank check [--folder DIR] [--category X]
//   wirtal-bank check --cues [--strict] [--folder DIR] [--category X]   answer cues (cues.h)
//   wirtal-bank build [--folder DIR] SOURCES   bank files from the demo bank's JSON sources
//   wirtal-bank import [--base DIR] [--without-media] CATALOGUE.xlsx MEDIA [MEDIA...]
//                      PROGRAM-FOLDER
//
// Records are read with the program's own lookup code (loadTextLines, recordAt, Split).
// Subcommands are rows of one table; a new one (build) is one more function and one more row.
// Exit codes: 0 done (check: no problems), 1 lookup error or problems found, 2 bad arguments.

#include "bank/bank.h"
#include "bank/layout.h"
#include "bank/media.h"
#include "bankbuild.h"
#include "base/category.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "cues.h"
#include "import.h"
#include "platform/error.h"
#include "platform/filereader.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <map>
#include <span>

using namespace wirtal;

namespace {

constexpr int exitOk = 0, exitFailed = 1, exitUsage = 2;

void out(const QString& text) {
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), stdout);
}
void err(const QString& text) {
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), stderr);
}

struct Options {
    QString folder;         // program folder (bank files, media folder)
    QString category = "B"; // one the folder offers
    bool categoryGiven = false;
    QStringList operands; // what is left after the options
    bool cues = false;    // check: the answer cues of the wording instead of the records
    bool strict = false;  // check --cues: fail when a cue figure is over its bound
};

struct Command {
    const char* name;
    const char* usage;  // arguments after the command name
    qsizetype operands; // number of operands it takes
    int (*run)(const Options&);
};

QString kindName(QuestionKind k) {
    return k == QuestionKind::Basic ? QStringLiteral("basic") : QStringLiteral("specialist");
}

// ---- show ------------------------------------------------------------------------------------

int runShow(const Options& o) {
    bool ok = false;
    const int number = o.operands.front().toInt(&ok);
    int last = lastQuestion;
    try {
        last = layout::of(o.category)->last;
    } catch (const Error& e) {
        err(e.message() + u'\n');
        return exitFailed;
    }
    if (!ok || number < 1 || number > last) {
        err(QStringLiteral("wirtal-bank: numer pytania musi być liczbą od 1 do %1, nie „%2”.\n")
                .arg(last)
                .arg(o.operands.front()));
        return exitUsage;
    }
    try {
        const Record r = lookup(o.category, number);
        // Keys in the documented order (a QJsonObject would sort them).
        const auto json = [](const QJsonValue& v) {
            return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact))
                .chopped(1)
                .mid(1);
        };
        const int official = layout::of(o.category)->officialOf(number);
        const QString officialField =
            official ? QStringLiteral(",\"official\":%1").arg(official) : QString();
        out(QStringLiteral("{\"number\":%1%6,\"kind\":%2,\"file\":%3,\"line\":%4,\"fields\":%5}\n")
                .arg(r.number)
                .arg(json(kindName(r.kind)), json(bankDisplayName(r.fileName)))
                .arg(r.line)
                .arg(QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(r.fields))
                                           .toJson(QJsonDocument::Compact)),
                     officialField));
        return exitOk;
    } catch (const Error& e) {
        err(e.message() + u'\n');
        return exitFailed;
    }
}

// ---- check -----------------------------------------------------------------------------------

struct KindRules {
    int fields;          // fields the kind needs
    QStringList answers; // valid correct-answer codes
};

KindRules rulesFor(QuestionKind k) {
    if (k == QuestionKind::Basic)
        return {4, {QStringLiteral("T"), QStringLiteral("N")}};
    return {7, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}};
}

// The problems of one record (empty when it is fine). Without points in the records (a catalogue
// edition without a points column) the points field is empty and not checked.
QStringList recordProblems(const Record& r, bool pointsInRecords, bool mediaOptional) {
    const KindRules rules = rulesFor(r.kind);
    if (r.fields.size() < rules.fields)
        return {QStringLiteral("%1, wiersz %2: za mało pól (%3, potrzeba %4)")
                    .arg(bankDisplayName(r.fileName))
                    .arg(r.line)
                    .arg(r.fields.size())
                    .arg(rules.fields)};
    QStringList problems;
    if (!rules.answers.contains(r.answer()))
        problems << QStringLiteral("zła poprawna odpowiedź „%1” (dozwolone: %2)")
                        .arg(r.answer(), rules.answers.join(QStringLiteral(", ")));
    static const QStringList points{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    if (pointsInRecords && !points.contains(r.points()))
        problems << QStringLiteral("zła liczba punktów „%1” (dozwolone: 1, 2, 3)").arg(r.points());
    const QString& m = r.media();
    const QString suffix = m.mid(m.lastIndexOf(u'.') + 1);
    if (m.isEmpty()) {
        if (!mediaOptional)
            problems << QStringLiteral("brak nazwy pliku multimediów");
    } else if (!m.contains(u'.') || (suffix != u"jpg" && suffix != u"wmv" && suffix != u"mp4"))
        problems << QStringLiteral("plik multimediów „%1” nie ma rozszerzenia .jpg, .wmv ani .mp4")
                        .arg(m);
    else {
        try {
            const FileRead f = checkRegularFile(mediaPath(m));
            if (f.problem == FileProblem::Missing)
                problems << QStringLiteral("brak pliku multimediów „%1”").arg(m);
            else if (f.problem != FileProblem::None)
                problems << f.message;
        } catch (const Error& e) {
            problems << e.message();
        }
    }
    return problems;
}

// Checks every question of one category (in a catalogue folder a question may have no media, as
// in the official catalogue); prints its problems and returns their number.
int checkCategory(const QString& category, bool named) {
    // Each bank file is read once; the lines are taken from that one reading, as the test draw
    // does. A file that cannot be read is one problem, reported once for its range of questions.
    std::map<QString, QStringList> loaded;
    int problems = 0;
    const QString prefix = named ? category + QStringLiteral(": ") : QString();
    auto problem = [&](const QString& where, const QString& text) {
        out(QStringLiteral("%1%2: %3\n").arg(prefix, where, text));
        ++problems;
    };
    std::shared_ptr<const CategoryBank> bank;
    try {
        bank = layout::of(category);
    } catch (const Error& e) {
        problem(QStringLiteral("katalog.ini"), e.message());
        out(QStringLiteral("%1%2 questions, %3 problems\n").arg(prefix).arg(0).arg(problems));
        return problems;
    }
    for (int n = 1; n <= bank->last; ++n) {
        try {
            const Location where = bank->locate(n);
            if (!loaded.contains(where.path)) {
                try {
                    loaded[where.path] = loadTextLines(where.path);
                } catch (const Error& e) {
                    const int last =
                        where.kind == QuestionKind::Basic ? bank->basicCount : bank->last;
                    problem(QStringLiteral("%1–%2").arg(n).arg(last), e.message());
                    n = last; // the file's other questions have the same problem
                    continue;
                }
            }
            for (const QString& p : recordProblems(recordAt(loaded[where.path], where, n),
                                                   bank->pointsInRecords, bank->catalogue))
                problem(QString::number(n), p);
        } catch (const Error& e) {
            problem(QString::number(n), e.message());
        }
    }
    out(QStringLiteral("%1%2 questions, %3 problems\n").arg(prefix).arg(bank->last).arg(problems));
    return problems;
}

// One category, or in a folder made by the catalogue import without --category every category it
// offers, each with its own summary line ("B: 2167 questions, 0 problems").
int runCheck(const Options& o) {
    if (o.cues)
        return cues::run(o.folder, o.category, o.strict);
    if (o.categoryGiven || !layout::isCatalogueFolder())
        return checkCategory(o.category, false) == 0 ? exitOk : exitFailed;
    int problems = 0;
    for (const Category* c : Category::offered())
        problems += checkCategory(c->code, true);
    return problems == 0 ? exitOk : exitFailed;
}

// ---- command table and arguments -------------------------------------------------------------

const Command commands[] = {
    {"show", "[--folder DIR] [--category X] NUMBER", 1, runShow},
    {"check", "[--folder DIR] [--category X] [--cues [--strict]]", 0, runCheck},
    {"build", "[--folder DIR] SOURCES", 1,
     [](const Options& o) { return demo::buildBank(o.operands.front(), o.folder); }},
};

int usage() {
    QString text = QStringLiteral("Użycie:\n");
    for (const Command& c : commands)
        text += QStringLiteral("  wirtal-bank %1 %2\n")
                    .arg(QString::fromLatin1(c.name), QString::fromLatin1(c.usage));
    text += QStringLiteral("  wirtal-bank %1\n").arg(tool::importUsage());
    text += QStringLiteral("DIR: folder programu z plikami banku (domyślnie bieżący); "
                           "X: kategoria, którą folder zawiera (domyślnie B; w folderze z "
                           "importu check bez --category sprawdza każdą).\n"
                           "--cues: wskazówki odpowiedzi w treści pytań (DIR: źródła *.json "
                           "albo folder programu); --strict: błąd, gdy reguła zgadywania "
                           "przekracza granicę.\n");
    err(text);
    return exitUsage;
}

// Parses the options after the command name; false on a bad argument.
bool parseOptions(std::span<const QString> args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](const QString& name, QString& into) {
            if (a == name) {
                if (i + 1 >= args.size())
                    return false;
                into = args[++i];
                return true;
            }
            into = a.mid(name.size() + 1); // --name=value
            return true;
        };
        if (a == u"--folder" || a.startsWith(u"--folder=")) {
            if (!value(QStringLiteral("--folder"), o.folder) || o.folder.isEmpty())
                return false;
        } else if (a == u"--category" || a.startsWith(u"--category=")) {
            if (!value(QStringLiteral("--category"), o.category))
                return false;
            o.category = o.category.toUpper();
            o.categoryGiven = true;
            if (!Category::find(o.category))
                return false;
        } else if (a == u"--cues" || a == u"--strict") {
            (a == u"--cues" ? o.cues : o.strict) = true;
        } else if (a == u"--") {
            for (++i; i < args.size(); ++i)
                o.operands << args[i];
        } else if (a.startsWith(u"--")) {
            return false;
        } else {
            o.operands << a;
        }
    }
    return o.cues || !o.strict;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return usage();
    if (args[1] == u"--help" || args[1] == u"-h" || args[1] == u"help") {
        usage();
        return exitOk;
    }
    if (args[1] == u"import") // its own options (--base, --without-media)
        return tool::runImport(args.mid(2));
    for (const Command& c : commands) {
        if (args[1] != QLatin1String(c.name))
            continue;
        Options o;
        o.folder = QDir::currentPath();
        const std::span<const QString> rest(args.constData() + 2, std::size_t(args.size() - 2));
        if (!parseOptions(rest, o) || o.operands.size() != c.operands ||
            (o.cues && c.run != runCheck))
            return usage();
        Paths::setProgramFolder(QDir(o.folder).absolutePath());
        // A category the program folder holds no questions for is a bad argument.
        const Category* chosen = Category::find(o.category);
        const auto offered = Category::offered();
        // (The cue check also reads folders of JSON sources, which offer nothing.)
        if (o.categoryGiven && !o.cues &&
            std::find(offered.begin(), offered.end(), chosen) == offered.end())
            return usage();
        return c.run(o);
    }
    return usage();
}
