// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/inifile.h"

#include "base/paths.h"
#include "base/textfile.h"
#include "platform/error.h"
#include "platform/filereader.h"
#include "platform/savefile.h"

#include <initializer_list>
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

// Where the text of a file ends: the offset of its first NUL character (a damaged disk, a bad
// copy), or its size. The reader sees nothing after it; a write keeps those bytes as they are.
qsizetype textEnd(const QByteArray& bytes) {
    const auto starts = [&bytes](std::initializer_list<unsigned char> mark) {
        if (bytes.size() < qsizetype(mark.size()))
            return false;
        qsizetype i = 0;
        for (unsigned char c : mark)
            if (static_cast<unsigned char>(bytes[i++]) != c)
                return false;
        return true;
    };
    if (starts({0xFF, 0xFE}) || starts({0xFE, 0xFF})) {
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
            if (bytes[i] == '\0' && bytes[i + 1] == '\0')
                return i;
        return bytes.size();
    }
    const qsizetype nul = bytes.indexOf('\0', starts({0xEF, 0xBB, 0xBF}) ? 3 : 0);
    return nul < 0 ? bytes.size() : nul;
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
    const QByteArray& raw = in.bytes;
    // The text the reader sees is edited; whatever follows a NUL is kept byte for byte, so that
    // a damaged file loses nothing it held.
    const qsizetype end = textEnd(raw);
    bool ok = true;
    const QByteArray bytes =
        encodeCp1250(writeText(decodeText(raw.left(end)), section, key, value), &ok) + raw.mid(end);
    if (!ok)
        throw Error(QStringLiteral("Nie można zapisać pliku „%1”: znaki spoza strony kodowej "
                                   "Windows-1250.")
                        .arg(path));
    if (!saveWhole(path, bytes))
        throw fail();
}

} // namespace ini

QString readIni(const QString& inifilename, const QString& section, const QString& key,
                const QString& Default) {
    return ini::read(Paths::inUserData(inifilename), section, key, Default);
}

void writeIni(const QString& inifilename, const QString& section, const QString& key,
              const QString& Value) {
    ini::write(Paths::inUserData(inifilename), section, key, Value);
}

int counterValue(const QString& value, const QString& inifilename, const QString& key) {
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
                        .arg(value, key, inifilename));
    return int(n);
}

void incrementCounter(const QString& inifilename, const QString& section, const QString& key) {
    const int n =
        counterValue(readIni(inifilename, section, key, QStringLiteral("0")), inifilename, key);
    if (n == std::numeric_limits<int>::max())
        throw Error(QStringLiteral("Wartość klucza %1 w pliku %2 jest za duża, by ją zwiększyć.")
                        .arg(key, inifilename));
    writeIni(inifilename, section, key, QString::number(n + 1));
}

} // namespace wirtal
