#include "results/reportparams.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace wirtal {

QString procentText(int punktow) {
    const double tenths = std::round(punktow * 1000.0 / 74.0);
    QString s = QString::number(tenths / 10.0, 'f', 1);
    if (s.endsWith(QStringLiteral(".0")))
        s.chop(2);
    return s.replace(u'.', u',');
}

QString punktowText(int punktow) {
    return QStringLiteral("%1 na 74 (%2 %)").arg(punktow).arg(procentText(punktow));
}

ReportParameters reportParameters(const ReportInput& in) {
    ReportParameters p;
    p.reserve(100);
    for (int i = 1; i <= 32; ++i)
        p.append({QStringLiteral("pnr%1").arg(i), QString::number(in.pnr[i])});
    for (int i = 1; i <= 32; ++i)
        p.append({QStringLiteral("prawodp%1").arg(i), in.prawodp[i]});
    for (int i = 1; i <= 32; ++i)
        p.append({QStringLiteral("odp%1").arg(i), in.odp[i]});
    const QLocale locale(QLocale::Polish, QLocale::Poland);
    p.append({QStringLiteral("kategoria"), in.kategoria});
    p.append({QStringLiteral("czas"), locale.toString(in.now.date(), QLocale::ShortFormat) +
                                          QStringLiteral(", ") +
                                          locale.toString(in.now.time(), QLocale::LongFormat)});
    p.append({QStringLiteral("punktow"), punktowText(in.punktow)});
    p.append({QStringLiteral("wynik"),
              in.punktow < 68 ? QStringLiteral("NEGATYWNY") : QStringLiteral("POZYTYWNY")});
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
    static const QRegularExpression ws(QStringLiteral("\\s+"));
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
} // namespace

bool setPdfAuthor(QByteArray& pdf, const QString& author, const QString& title) {
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

    if (!pdf.endsWith('\n'))
        pdf += '\n';
    const qint64 objOffset = pdf.size();
    pdf += QByteArray::number(size) + " 0 obj\n<<\n/Author " + pdfString(author) + "\n/Title " +
           pdfString(title) + "\n/Creator (Wirtal 2013)\n>>\nendobj\n";
    const qint64 xrefOffset = pdf.size();
    pdf += "xref\n" + QByteArray::number(size) + " 1\n" +
           QByteArray::number(objOffset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<<\n/Size " + QByteArray::number(size + 1) + "\n/Root " + root + "\n/Info " +
           QByteArray::number(size) + " 0 R\n/Prev " + QByteArray::number(prevXref) +
           "\n>>\nstartxref\n" + QByteArray::number(xrefOffset) + "\n%%EOF\n";
    return true;
}

} // namespace wirtal
