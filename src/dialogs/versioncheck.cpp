#include "dialogs/versioncheck.h"

#include "app/inifile.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace wirtal::version {

QUrl pageUrl() {
    QUrl server(readini(QStringLiteral("wirtal.ini"), QStringLiteral("aktualizacje"),
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
} // namespace

QString htmlTitle(const QByteArray& html) {
    // Only ASCII matters for finding the element; the title's text is decoded by the page's
    // declared encoding, else UTF-8.
    const auto encoding = QStringConverter::encodingForHtml(html).value_or(QStringConverter::Utf8);
    QStringDecoder decode(encoding);
    const QString text = decode(html);
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QString plain = text;
    plain.remove(comment);
    static const QRegularExpression title(QStringLiteral("<title(\\s[^>]*)?>(.*?)</title\\s*>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const auto m = title.match(plain);
    if (!m.hasMatch())
        return {};
    // Blanks as HTML counts them (space, tab, line feed, form feed, carriage return).
    QString t = decodeEntities(m.captured(2));
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\n\\f\\r]+"));
    t.replace(blanks, QStringLiteral(" "));
    while (t.startsWith(u' '))
        t.remove(0, 1);
    while (t.endsWith(u' '))
        t.chop(1);
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
    return *v == wersja ? State::Current : State::NotCurrent;
}

} // namespace wirtal::version
