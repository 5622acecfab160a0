// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/versioncheck.h"

#include "base/inifile.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace wirtal::version {

QUrl pageUrl() {
    QUrl server(readIni(QStringLiteral("wirtal.ini"), QStringLiteral("aktualizacje"),
                        QStringLiteral("serwer"), QString()),
                QUrl::StrictMode);
    const bool usable =
        server.isValid() && !server.host().isEmpty() &&
        (server.scheme() == QStringLiteral("http") || server.scheme() == QStringLiteral("https"));
    if (!usable)
        server = QUrl(QString::fromLatin1(defaultServer));
    QUrl url;
    url.setScheme(server.scheme());
    url.setHost(server.host());
    url.setPort(server.port());
    url.setPath(QString::fromLatin1(pagePath));
    return url;
}

namespace {
QString decodeEntities(const QString& text) {
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|"
                                                          "[a-zA-Z]{2,8});"));
    QString out;
    qsizetype from = 0;
    auto it = entity.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(from, m.capturedStart() - from);
        const QString name = m.captured(1);
        char32_t code = 0;
        bool ok = true;
        if (name.startsWith(QStringLiteral("#x")) || name.startsWith(QStringLiteral("#X")))
            code = name.mid(2).toUInt(&ok, 16);
        else if (name.startsWith(u'#'))
            code = name.mid(1).toUInt(&ok, 10);
        else if (name == QStringLiteral("amp"))
            code = '&';
        else if (name == QStringLiteral("lt"))
            code = '<';
        else if (name == QStringLiteral("gt"))
            code = '>';
        else if (name == QStringLiteral("quot"))
            code = '"';
        else if (name == QStringLiteral("apos"))
            code = '\'';
        else if (name == QStringLiteral("nbsp"))
            code = 0xA0;
        else
            ok = false;
        if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF))
            out += QString::fromUcs4(&code, 1);
        else
            out += m.captured(0);
        from = m.capturedEnd();
    }
    out += text.mid(from);
    return out;
}

bool isAsciiSpace(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r';
}

// The text with its comments ("<!--" to the next "-->") taken out; an unclosed comment stays.
QString withoutComments(const QString& text) {
    QString out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = text.indexOf(QLatin1String("<!--"), from);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(QLatin1String("-->"), open + 4);
        if (close < 0)
            break; // no later comment can close either
        out += QStringView(text).mid(from, open - from);
        from = close + 3;
    }
    out += QStringView(text).mid(from);
    return out;
}

} // namespace

// The raw text of the first title element: "<title" followed by ">" or a blank and attributes up
// to ">", then everything up to the next "</title" with optional blanks and ">". One pass over the
// page; a page without a complete element gives nothing.
std::optional<QString> titleElementText(const QString& page) {
    const QString text = withoutComments(page);
    const auto tag = QLatin1String("<title");
    const auto end = QLatin1String("</title");
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = text.indexOf(tag, from, Qt::CaseInsensitive);
        if (open < 0)
            return std::nullopt;
        qsizetype i = open + tag.size();
        if (i < text.size() && (text[i] == u'>' || isAsciiSpace(text[i]))) {
            const qsizetype gt = text.indexOf(u'>', i);
            if (gt < 0)
                return std::nullopt; // no later tag can end either
            const qsizetype content = gt + 1;
            for (qsizetype at = content;;) {
                const qsizetype close = text.indexOf(end, at, Qt::CaseInsensitive);
                if (close < 0)
                    return std::nullopt; // no later element can end either
                qsizetype j = close + end.size();
                while (j < text.size() && isAsciiSpace(text[j]))
                    ++j;
                if (j < text.size() && text[j] == u'>')
                    return text.mid(content, close - content);
                at = close + 1;
            }
        }
        from = open + 1;
    }
}

QString htmlTitle(const QByteArray& html) {
    // Only ASCII matters for finding the element; the title's text is decoded by the page's
    // declared encoding, else UTF-8.
    const auto encoding = QStringConverter::encodingForHtml(html).value_or(QStringConverter::Utf8);
    QStringDecoder decode(encoding);
    const QString text = decode(html);
    // Found by plain scanning, not by a backtracking pattern: a hostile page (a megabyte of
    // "<title>") must not keep the GUI thread busy for minutes.
    const auto raw = titleElementText(text);
    if (!raw)
        return {};
    // Runs of blanks as HTML counts them (space, tab, line feed, form feed, carriage return)
    // become one space, none at the ends. (A loop, not a pattern: patterns find nothing at all in
    // text with a lone surrogate.)
    const QString decoded = decodeEntities(*raw);
    QString t;
    bool blank = false;
    for (QChar c : decoded) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n' || u == u'\f' || u == u'\r') {
            blank = true;
            continue;
        }
        if (blank && !t.isEmpty())
            t += u' ';
        blank = false;
        t += c;
    }
    return t;
}

std::optional<int> fromTitle(const QString& title) {
    if (title.size() != 2)
        return std::nullopt;
    for (QChar c : title)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return (title[0].unicode() - u'0') * 10 + (title[1].unicode() - u'0');
}

State evaluate(const QString& title) {
    const auto v = fromTitle(title);
    if (!v)
        return State::NoConnection;
    return *v == releaseNumber ? State::Current : State::NotCurrent;
}

} // namespace wirtal::version
