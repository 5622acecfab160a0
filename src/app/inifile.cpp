#include "app/inifile.h"

#include "app/paths.h"
#include "bank/textfile.h"
#include "platform/error.h"
#include "platform/filereader.h"
#include "platform/savefile.h"

#include <limits>

namespace wirtal {

namespace ini {

namespace {

constexpr qsizetype maxValueLength = 2047;

// One line of an INI text as the private-profile routines see it.
struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    QString name;  // section or key name, trimmed
    QString value; // raw text after "=" (Key only)
};

Line parseLine(const QString& raw) {
    Line l;
    const QString t = raw.trimmed();
    if (t.startsWith(u'[')) {
        const qsizetype close = t.lastIndexOf(u']');
        if (close > 0) {
            l.kind = Line::Section;
            l.name = t.mid(1, close - 1).trimmed();
        }
        return l;
    }
    if (t.isEmpty() || t.startsWith(u';'))
        return l;
    const qsizetype eq = t.indexOf(u'=');
    if (eq < 0)
        return l;
    l.kind = Line::Key;
    l.name = t.left(eq).trimmed();
    l.value = t.mid(eq + 1);
    return l;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString cleanValue(const QString& raw) {
    QString v = raw.trimmed();
    if (v.size() >= 2 &&
        ((v.front() == u'"' && v.back() == u'"') || (v.front() == u'\'' && v.back() == u'\'')))
        v = v.mid(1, v.size() - 2);
    if (v.size() > maxValueLength)
        v.truncate(maxValueLength);
    return v;
}

// Where a section and a key lie in a list of lines (-1 when missing). The first section of the
// name counts, as with the private-profile routines.
struct Found {
    qsizetype section = -1; // line of "[section]"
    qsizetype key = -1;     // line of "key=value" within it
    qsizetype lastKey = -1; // last key line of the section
};

Found find(const QStringList& lines, const QString& section, const QString& key) {
    Found f;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line l = parseLine(lines[i]);
        if (f.section < 0) {
            if (l.kind == Line::Section && sameName(l.name, section))
                f.section = i;
            continue;
        }
        if (l.kind == Line::Section)
            break; // end of our section
        if (l.kind == Line::Key) {
            f.lastKey = i;
            if (f.key < 0 && sameName(l.name, key))
                f.key = i;
        }
    }
    return f;
}

bool oneLine(const QString& s) {
    for (QChar c : s)
        if (c == u'\r' || c == u'\n' || c == u'\0')
            return false;
    return true;
}

} // namespace

bool writable(const QString& section, const QString& key, const QString& value) {
    if (!oneLine(section) || !oneLine(key) || !oneLine(value))
        return false;
    if (section.trimmed() != section || key.trimmed() != key)
        return false;
    return !key.contains(u'=') && !key.startsWith(u'[') && !key.startsWith(u';');
}

QString readText(const QString& text, const QString& section, const QString& key,
                 const QString& defaultValue) {
    const QStringList lines = splitLines(text);
    const Found f = find(lines, section, key);
    if (f.key < 0)
        return defaultValue;
    return cleanValue(parseLine(lines[f.key]).value);
}

QString writeText(const QString& text, const QString& section, const QString& key,
                  const QString& value) {
    QStringList lines = splitLines(text);
    const Found f = find(lines, section, key);
    if (f.key >= 0) {
        lines[f.key] = parseLine(lines[f.key]).name + u'=' + value;
    } else if (f.section >= 0) {
        const qsizetype after = f.lastKey >= 0 ? f.lastKey : f.section;
        lines.insert(after + 1, key + u'=' + value);
    } else {
        lines.append(u'[' + section + u']');
        lines.append(key + u'=' + value);
    }
    const QString crlf = QStringLiteral("\r\n");
    return lines.join(crlf) + crlf;
}

QString read(const QString& path, const QString& section, const QString& key,
             const QString& defaultValue) {
    // A file that cannot be read (missing, a folder, a FIFO, over the size limit) reads as the
    // default, as a read never fails (reads run at start-up too); a write to it is refused.
    const FileRead f = tryReadRegularFile(path);
    if (f.problem != FileProblem::None)
        return defaultValue;
    return readText(decodeText(f.bytes), section, key, defaultValue);
}

void write(const QString& path, const QString& section, const QString& key, const QString& value) {
    const auto fail = [&] {
        return Error(QStringLiteral("Nie można zapisać pliku „%1”.").arg(path));
    };
    if (!writable(section, key, value))
        throw Error(QStringLiteral("Nie można zapisać pliku „%1”: klucza „%2” z wartością "
                                   "„%3” w sekcji „%4” nie da się zapisać w pliku INI.")
                        .arg(path, key, value.left(80), section));
    // Rewriting a file we cannot read (or that is no regular file) would lose what it holds.
    const FileRead in = tryReadRegularFile(path);
    if (in.problem != FileProblem::None && in.problem != FileProblem::Missing)
        throw Error(fail().message() + u' ' + in.message);
    const QString old = decodeText(in.bytes);
    bool ok = true;
    const QByteArray bytes = encodeCp1250(writeText(old, section, key, value), &ok);
    if (!ok)
        throw Error(QStringLiteral("Nie można zapisać pliku „%1”: znaki spoza strony kodowej "
                                   "Windows-1250.")
                        .arg(path));
    if (!saveWhole(path, bytes))
        throw fail();
}

} // namespace ini

QString readini(const QString& inifilename, const QString& Sekcja, const QString& Ident,
                const QString& Default) {
    return ini::read(Paths::inUserData(inifilename), Sekcja, Ident, Default);
}

void writeini(const QString& inifilename, const QString& Sekcja, const QString& Ident,
              const QString& Value) {
    ini::write(Paths::inUserData(inifilename), Sekcja, Ident, Value);
}

int counterValue(const QString& value, const QString& inifilename, const QString& Ident) {
    bool good = !value.isEmpty();
    qint64 n = 0;
    for (QChar c : value) {
        if (c < u'0' || c > u'9') {
            good = false;
            break;
        }
        n = n * 10 + (c.unicode() - u'0');
        if (n > std::numeric_limits<int>::max()) {
            good = false;
            break;
        }
    }
    if (!good)
        throw Error(QStringLiteral("Wartość „%1” klucza %2 w pliku %3 nie jest liczbą całkowitą.")
                        .arg(value, Ident, inifilename));
    return int(n);
}

void incrementCounter(const QString& inifilename, const QString& Sekcja, const QString& Ident) {
    const int n =
        counterValue(readini(inifilename, Sekcja, Ident, QStringLiteral("0")), inifilename, Ident);
    if (n == std::numeric_limits<int>::max())
        throw Error(QStringLiteral("Wartość klucza %1 w pliku %2 jest za duża, by ją zwiększyć.")
                        .arg(Ident, inifilename));
    writeini(inifilename, Sekcja, Ident, QString::number(n + 1));
}

} // namespace wirtal
