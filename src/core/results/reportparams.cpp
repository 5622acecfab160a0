// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/reportparams.h"

#include "base/examrules.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace wirtal {

QString percentText(int score) {
    const double tenths = std::round(score * 1000.0 / maxPoints);
    QString s = QString::number(tenths / 10.0, 'f', 1);
    if (s.endsWith(QStringLiteral(".0")))
        s.chop(2);
    return s.replace(u'.', u',');
}

QString scoreText(int score) {
    return QStringLiteral("%1 na %2 (%3 %)").arg(score).arg(maxPoints).arg(percentText(score));
}

ReportParameters reportParameters(const ReportInput& in) {
    ReportParameters p;
    p.reserve(100);
    for (int i = 1; i <= 32; ++i)
        p.append({QStringLiteral("pnr%1").arg(i), QString::number(in.questionNumber[i])});
    for (int i = 1; i <= 32; ++i)
        p.append({QStringLiteral("prawodp%1").arg(i), in.rightAnswer[i]});
    for (int i = 1; i <= 32; ++i)
        p.append({QStringLiteral("odp%1").arg(i), in.givenAnswer[i]});
    const QLocale locale(QLocale::Polish, QLocale::Poland);
    p.append({QStringLiteral("kategoria"), in.categoryCode});
    p.append({QStringLiteral("czas"), locale.toString(in.now.date(), QLocale::ShortFormat) +
                                          QStringLiteral(", ") +
                                          locale.toString(in.now.time(), QLocale::LongFormat)});
    p.append({QStringLiteral("punktow"), scoreText(in.score)});
    p.append({QStringLiteral("wynik"),
              in.score < passMark ? QStringLiteral("NEGATYWNY") : QStringLiteral("POZYTYWNY")});
    return p;
}

QString fillTemplate(const QString& html, const ReportParameters& params) {
    static const QRegularExpression placeholder(
        QStringLiteral("\\{\\{\\s*([A-Za-z0-9_]+)\\s*\\}\\}"));
    QString out;
    out.reserve(html.size() + 1024);
    qsizetype last = 0;
    auto it = placeholder.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        out += QStringView(html).mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        bool found = false;
        for (const auto& [key, value] : params) {
            if (key == name) {
                out += value.toHtmlEscaped();
                found = true;
                break;
            }
        }
        if (!found)
            out += m.captured(0);
        last = m.capturedEnd();
    }
    out += QStringView(html).mid(last);
    return out;
}

namespace {
// A PDF text string: ASCII as a literal with escapes, anything else as UTF-16BE hex with a BOM.
QByteArray pdfString(const QString& s) {
    bool ascii = true;
    for (QChar c : s)
        ascii = ascii && c.unicode() >= 32 && c.unicode() < 127;
    if (ascii) {
        QByteArray b = s.toLatin1();
        b.replace('\\', "\\\\").replace('(', "\\(").replace(')', "\\)");
        return '(' + b + ')';
    }
    QByteArray hex = "<FEFF";
    for (QChar c : s)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

QByteArray trailerValue(const QByteArray& trailer, const QByteArray& key) {
    const int at = trailer.indexOf(key);
    if (at < 0)
        return {};
    QByteArray rest = trailer.mid(at + key.size()).trimmed();
    // "12 0 R" or a plain number
    const QList<QByteArray> parts = rest.simplified().split(' ');
    if (parts.size() >= 3 && parts[2].startsWith('R'))
        return parts[0] + ' ' + parts[1] + " R";
    QByteArray num;
    for (char c : rest) {
        if (c < '0' || c > '9')
            break;
        num += c;
    }
    return num;
}

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}
bool isDelimiter(char c) {
    return isSpace(c) || c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' ||
           c == '{' || c == '}' || c == '/' || c == '%';
}

qsizetype skipSpace(const QByteArray& b, qsizetype i) {
    while (i < b.size() && isSpace(b[i]))
        ++i;
    return i;
}

qsizetype skipToken(const QByteArray& b, qsizetype i) {
    while (i < b.size() && !isDelimiter(b[i]))
        ++i;
    return i;
}

bool isInteger(const QByteArray& b, qsizetype from, qsizetype to) {
    if (from >= to)
        return false;
    for (qsizetype i = from; i < to; ++i)
        if (b[i] < '0' || b[i] > '9')
            return false;
    return true;
}

// The end of the PDF object that starts at i (a string, name, number, reference, array or
// dictionary), or -1 when it does not end in the data or nests deeper than a document
// information dictionary ever does.
qsizetype skipObject(const QByteArray& b, qsizetype i, int depth = 0) {
    if (i >= b.size() || depth > 16)
        return -1;
    const char c = b[i];
    if (c == '(') {
        int level = 0;
        for (; i < b.size(); ++i) {
            if (b[i] == '\\') {
                ++i;
            } else if (b[i] == '(') {
                ++level;
            } else if (b[i] == ')' && --level == 0) {
                return i + 1;
            }
        }
        return -1;
    }
    if (c == '<' && i + 1 < b.size() && b[i + 1] == '<') {
        for (i += 2;;) {
            i = skipSpace(b, i);
            if (i + 1 < b.size() && b[i] == '>' && b[i + 1] == '>')
                return i + 2;
            i = skipObject(b, i, depth + 1);
            if (i < 0)
                return -1;
        }
    }
    if (c == '<') {
        const qsizetype close = b.indexOf('>', i);
        return close < 0 ? -1 : close + 1;
    }
    if (c == '[') {
        for (++i;;) {
            i = skipSpace(b, i);
            if (i < b.size() && b[i] == ']')
                return i + 1;
            i = skipObject(b, i, depth + 1);
            if (i < 0)
                return -1;
        }
    }
    if (c == '/')
        return skipToken(b, i + 1);
    const qsizetype end = skipToken(b, i);
    if (end == i)
        return -1;
    // "12 0 R" is one object.
    if (isInteger(b, i, end)) {
        const qsizetype g = skipSpace(b, end);
        const qsizetype gEnd = skipToken(b, g);
        const qsizetype r = skipSpace(b, gEnd);
        if (isInteger(b, g, gEnd) && r < b.size() && b[r] == 'R' &&
            (r + 1 == b.size() || isDelimiter(b[r + 1])))
            return r + 1;
    }
    return end;
}

// The byte offset of object number n from the cross-reference section at xref, or -1.
qsizetype objectOffset(const QByteArray& pdf, qsizetype xref, int n) {
    if (xref < 0 || !pdf.mid(xref, 4).startsWith("xref"))
        return -1;
    qsizetype i = xref + 4;
    for (;;) { // subsections: "first count", then count entries "offset generation n|f"
        i = skipSpace(pdf, i);
        const qsizetype firstEnd = skipToken(pdf, i);
        if (!isInteger(pdf, i, firstEnd))
            return -1;
        const int first = pdf.mid(i, firstEnd - i).toInt();
        const qsizetype countAt = skipSpace(pdf, firstEnd);
        const qsizetype countEnd = skipToken(pdf, countAt);
        if (!isInteger(pdf, countAt, countEnd))
            return -1;
        const int count = pdf.mid(countAt, countEnd - countAt).toInt();
        i = countEnd;
        for (int k = 0; k < count; ++k) {
            QByteArray fields[3];
            for (QByteArray& f : fields) {
                i = skipSpace(pdf, i);
                const qsizetype e = skipToken(pdf, i);
                if (e == i)
                    return -1;
                f = pdf.mid(i, e - i);
                i = e;
            }
            if (first + k == n)
                return fields[2] == "n" ? fields[0].toLongLong() : -1;
        }
    }
}

// The entries of the document information dictionary that the trailer names, as written, without
// any entry whose key is in `without`; empty when there is none or it cannot be read.
QByteArray infoEntries(const QByteArray& pdf, const QByteArray& trailer, qsizetype xref,
                       const QList<QByteArray>& without) {
    const QList<QByteArray> ref = trailerValue(trailer, "/Info").split(' ');
    bool ok = false;
    const int n = ref.value(0).toInt(&ok);
    if (!ok)
        return {};
    const qsizetype at = objectOffset(pdf, xref, n);
    if (at < 0 || at >= pdf.size())
        return {};
    const qsizetype open = pdf.indexOf("<<", at);
    const qsizetype objEnd = pdf.indexOf("endobj", at);
    if (open < 0 || (objEnd >= 0 && open > objEnd))
        return {};
    QByteArray out;
    qsizetype i = open + 2;
    for (;;) {
        i = skipSpace(pdf, i);
        if (i + 1 < pdf.size() && pdf[i] == '>' && pdf[i + 1] == '>')
            return out;
        if (i >= pdf.size() || pdf[i] != '/')
            return {};
        const qsizetype keyEnd = skipToken(pdf, i + 1);
        const qsizetype valueAt = skipSpace(pdf, keyEnd);
        const qsizetype valueEnd = skipObject(pdf, valueAt);
        if (valueEnd < 0)
            return {};
        if (!without.contains(pdf.mid(i, keyEnd - i)))
            out += pdf.mid(i, valueEnd - i) + '\n';
        i = valueEnd;
    }
}
} // namespace

bool setPdfAuthor(QByteArray& pdf, const QString& author) {
    const int sx = pdf.lastIndexOf("startxref");
    const int tr = pdf.lastIndexOf("trailer");
    if (sx < 0 || tr < 0 || tr > sx)
        return false;
    bool ok = false;
    const qint64 prevXref =
        pdf.mid(sx + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok)
        return false;
    const QByteArray trailer = pdf.mid(tr, sx - tr);
    const QByteArray root = trailerValue(trailer, "/Root");
    const int size = trailerValue(trailer, "/Size").toInt(&ok);
    if (root.isEmpty() || !ok || size <= 0)
        return false;
    // The new information dictionary keeps what the old one held (title, creator, producer,
    // creation date) and adds the author.
    const QByteArray kept = infoEntries(pdf, trailer, prevXref, {QByteArrayLiteral("/Author")});

    if (!pdf.endsWith('\n'))
        pdf += '\n';
    const qint64 objOffset = pdf.size();
    pdf += QByteArray::number(size) + " 0 obj\n<<\n" + kept + "/Author " + pdfString(author) +
           "\n>>\nendobj\n";
    const qint64 xrefOffset = pdf.size();
    pdf += "xref\n" + QByteArray::number(size) + " 1\n" +
           QByteArray::number(objOffset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<<\n/Size " + QByteArray::number(size + 1) + "\n/Root " + root + "\n/Info " +
           QByteArray::number(size) + " 0 R\n/Prev " + QByteArray::number(prevXref) +
           "\n>>\nstartxref\n" + QByteArray::number(xrefOffset) + "\n%%EOF\n";
    return true;
}

} // namespace wirtal
