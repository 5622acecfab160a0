// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/pagesanitizer.h"

#include "base/htmltokens.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace wirtal::safehtml {

namespace {

using namespace detail;

// A title's text with its blanks made one, as HTML (entities kept, markup characters escaped).
QString titleText(QStringView raw, const Limits& limits) {
    Limits title = limits;
    title.maxText = limits.maxTitle;
    title.maxWord = INT_MAX;
    QString out;
    TextWriter(out, title).write(collapsed(raw, limits.maxTitle));
    return out;
}

// "<head><title>…</title></head>" for the first title element, if any.
QString titleHead(const QString& title) {
    return QStringLiteral("<html><head><title>") + title + QStringLiteral("</title></head><body>");
}

QString textAloneBody(QStringView html, const Limits& limits, QString* title) {
    QString out;
    TextWriter text(out, limits);
    Tokenizer tokens(html.left(limits.maxSource));
    bool atLineStart = true;
    int lines = 0;
    for (Token t = tokens.next(); t.kind != Token::Done; t = tokens.next()) {
        if (t.kind == Token::Raw && t.name == QStringLiteral("title") && title && title->isNull())
            *title = titleText(t.text, limits);
        if ((t.kind == Token::Start || t.kind == Token::End) && isBlock(t.name) && !atLineStart) {
            // Lines up to the element limit; after that blocks are only set apart by a blank.
            if (++lines < limits.maxElements)
                out += QLatin1String("<br>");
            else if (!text.write(u" "))
                break;
            text.lineBreak();
            atLineStart = true;
        }
        if (t.kind == Token::Text) {
            if (!text.write(t.text))
                break;
            if (!t.text.trimmed().isEmpty())
                atLineStart = false;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Attribute values of the safe subset.

// A whole number from min to max (larger ones become max).
std::optional<QString> number(const QString& v, int min, int max) {
    static const QRegularExpression digits(QStringLiteral("^\\s*\\+?(\\d{1,18})"));
    const auto m = digits.match(v);
    if (!m.hasMatch())
        return std::nullopt;
    return QString::number(std::clamp(m.captured(1).toLongLong(), qint64(min), qint64(max)));
}

// A width or height: pixels, or a percentage.
std::optional<QString> length(const QString& v, int max) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,18})(?:\\.\\d*)?\\s*(%|px)?\\s*$"));
    const auto m = re.match(v);
    if (!m.hasMatch())
        return std::nullopt;
    const bool percent = m.captured(2) == QStringLiteral("%");
    return QString::number(std::min(m.captured(1).toLongLong(), qint64(percent ? 100 : max))) +
           (percent ? QStringLiteral("%") : QString());
}

std::optional<QString> color(const QString& v) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(#[0-9a-fA-F]{3}|#[0-9a-fA-F]{6}|[a-zA-Z]{3,20})\\s*$"));
    const auto m = re.match(v);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1);
}

std::optional<QString> oneOf(const QString& v, const QStringList& allowed) {
    const QString t = v.trimmed().toLower();
    if (!allowed.contains(t))
        return std::nullopt;
    return t;
}

// A style attribute: only properties that change colours, fonts, alignment and small spaces,
// with plain values (no functions, no addresses, no escapes), lengths bounded.
std::optional<QString> style(const QString& v, const Limits& limits) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9 #%.,'\"-]{1,100}$"));
    static const QRegularExpression lengthValue(
        QStringLiteral("^(\\d{1,18})(?:\\.\\d{1,3})?(px|pt|em|%)?$"));
    static const QStringList colours = words("color background-color");
    static const QStringList keywords =
        words("font-weight font-style text-align text-decoration vertical-align font-family");
    static const QStringList lengths =
        words("font-size margin margin-top margin-bottom margin-left margin-right padding "
              "padding-top padding-bottom padding-left padding-right text-indent width height");
    QStringList kept;
    for (const QString& declaration : v.split(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon < 0)
            continue;
        const QString property = declaration.left(colon).trimmed().toLower();
        const QString value = declaration.mid(colon + 1).trimmed();
        if (!plain.match(value).hasMatch())
            continue;
        if (colours.contains(property)) {
            if (const auto c = color(value))
                kept << property + u':' + *c;
        } else if (keywords.contains(property)) {
            kept << property + u':' + value;
        } else if (lengths.contains(property)) {
            const int max = property == QStringLiteral("font-size") ? 72 : 50;
            const int maxBox =
                property == QStringLiteral("width") || property == QStringLiteral("height")
                    ? limits.maxLength
                    : max;
            QStringList parts;
            bool ok = true;
            for (const QString& part : value.split(u' ', Qt::SkipEmptyParts)) {
                const auto m = lengthValue.match(part);
                if (!m.hasMatch() || parts.size() == 4) {
                    ok = false;
                    break;
                }
                const QString unit = m.captured(2);
                const int bound = unit == QStringLiteral("%")    ? 100
                                  : unit == QStringLiteral("em") ? 10
                                                                 : maxBox;
                parts << QString::number(std::min(m.captured(1).toLongLong(), qint64(bound))) +
                             unit;
            }
            if (ok && !parts.isEmpty())
                kept << property + u':' + parts.join(u' ');
        }
    }
    if (kept.isEmpty())
        return std::nullopt;
    return kept.join(u';');
}

// ---------------------------------------------------------------------------------------------
// The safe subset.

enum class Kind { Inline, Block, Table, Part, Row, Cell, Void };

std::optional<Kind> kindOf(const QString& name) {
    static const QStringList inlines =
        words("b strong i em u s strike small big sub sup span font code tt");
    static const QStringList blocks =
        words("p div center blockquote pre h1 h2 h3 h4 h5 h6 ul ol li dl dt dd caption");
    if (inlines.contains(name))
        return Kind::Inline;
    if (blocks.contains(name))
        return Kind::Block;
    if (name == QStringLiteral("table"))
        return Kind::Table;
    if (name == QStringLiteral("thead") || name == QStringLiteral("tbody") ||
        name == QStringLiteral("tfoot"))
        return Kind::Part;
    if (name == QStringLiteral("tr"))
        return Kind::Row;
    if (name == QStringLiteral("td") || name == QStringLiteral("th"))
        return Kind::Cell;
    if (name == QStringLiteral("br") || name == QStringLiteral("hr") ||
        name == QStringLiteral("img"))
        return Kind::Void;
    return std::nullopt;
}

struct Overflow {};

class Sanitizer {
public:
    Sanitizer(const QUrl& base, const Limits& limits)
        : base_(base), limits_(limits), text_(body_, limits) {}

    Page run(QStringView html) {
        Tokenizer tokens(html.left(limits_.maxSource));
        for (Token t = tokens.next(); t.kind != Token::Done; t = tokens.next()) {
            switch (t.kind) {
            case Token::Text:
                if (!text_.write(t.text))
                    return finish();
                break;
            case Token::Raw:
                if (t.name == QStringLiteral("title") && title_.isNull())
                    title_ = titleText(t.text, limits_);
                break;
            case Token::Start:
                start(t);
                break;
            case Token::End:
                end(t.name);
                break;
            case Token::Done:
                break;
            }
        }
        return finish();
    }

private:
    Page finish() {
        while (!stack_.empty())
            pop();
        Page page;
        page.html = titleHead(title_) + body_ + QStringLiteral("</body></html>");
        page.pictures = pictures_;
        return page;
    }

    bool inStack(const QString& name, const QString& boundary = QString()) const {
        for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
            if (*it == name)
                return true;
            if (*it == boundary)
                return false;
        }
        return false;
    }

    void popTo(const QString& name) {
        while (!stack_.empty()) {
            const bool last = stack_.back() == name;
            pop();
            if (last)
                return;
        }
    }

    void pop() {
        const QString& name = stack_.back();
        body_ += QStringLiteral("</") + name + u'>';
        if (name == QStringLiteral("table"))
            --tables_;
        stack_.pop_back();
        text_.lineBreak();
    }

    const QString& top() const {
        static const QString none;
        return stack_.empty() ? none : stack_.back();
    }

    void start(const Token& t) {
        const auto kind = kindOf(t.name);
        if (!kind)
            return; // not in the subset: the element goes, its text stays
        const QString table = QStringLiteral("table");
        // End tags that HTML lets a page leave out.
        const auto closeWithinTable = [&](const QString& name) {
            if (inStack(name, table))
                popTo(name);
        };
        switch (*kind) {
        case Kind::Cell:
            closeWithinTable(QStringLiteral("td"));
            closeWithinTable(QStringLiteral("th"));
            break;
        case Kind::Row:
        case Kind::Part:
            closeWithinTable(QStringLiteral("tr"));
            if (*kind == Kind::Part)
                for (const QString& part : words("thead tbody tfoot"))
                    closeWithinTable(part);
            break;
        default:
            if (t.name == QStringLiteral("li") && top() == QStringLiteral("li"))
                pop();
            if (t.name == QStringLiteral("p") && top() == QStringLiteral("p"))
                pop();
            break;
        }
        // Table parts only where a table has them.
        const QString& parent = top();
        if (*kind == Kind::Cell && parent != QStringLiteral("tr"))
            return;
        if (*kind == Kind::Row && parent != table && kindOf(parent) != Kind::Part)
            return;
        if ((*kind == Kind::Part || t.name == QStringLiteral("caption")) && parent != table)
            return;

        QString attributes;
        if (t.name == QStringLiteral("img")) {
            const auto src = picture(t);
            if (!src)
                return;
            attributes += QStringLiteral(" src=\"") +
                          src->toString(QUrl::FullyEncoded).toHtmlEscaped() + u'"';
        }
        for (const Attribute& a : t.attributes)
            if (const auto v = attribute(t.name, a))
                attributes += u' ' + a.name + QStringLiteral("=\"") + v->toHtmlEscaped() + u'"';

        if (++elements_ > limits_.maxElements)
            throw Overflow{};
        if (*kind == Kind::Cell && ++cells_ > limits_.maxCells)
            throw Overflow{};
        body_ += u'<' + t.name + attributes + u'>';
        if (*kind == Kind::Void) {
            text_.lineBreak();
            return;
        }
        if (int(stack_.size()) + 1 > limits_.maxDepth)
            throw Overflow{};
        if (*kind == Kind::Table && ++tables_ > limits_.maxTableDepth)
            throw Overflow{};
        stack_.push_back(t.name);
        if (*kind != Kind::Inline)
            text_.lineBreak();
    }

    void end(const QString& name) {
        if (!kindOf(name) || !inStack(name))
            return;
        // An end tag inside a table closes nothing outside of it.
        if (name != QStringLiteral("table") && inStack(QStringLiteral("table")) &&
            !inStack(name, QStringLiteral("table")))
            return;
        popTo(name);
    }

    std::optional<QUrl> picture(const Token& t) {
        for (const Attribute& a : t.attributes) {
            if (a.name != QStringLiteral("src"))
                continue;
            QString src = a.value.trimmed();
            src.replace(QLatin1String("&amp;"), QLatin1String("&"));
            const QUrl url = base_.resolved(QUrl(src));
            if (!sameServer(url))
                return std::nullopt;
            if (!pictures_.contains(url)) {
                if (pictures_.size() >= limits_.maxPictures)
                    return std::nullopt;
                pictures_ << url;
            }
            return url;
        }
        return std::nullopt;
    }

    bool sameServer(const QUrl& url) const {
        const QString scheme = base_.scheme();
        return url.isValid() && !base_.host().isEmpty() &&
               (scheme == QStringLiteral("http") || scheme == QStringLiteral("https")) &&
               url.scheme() == scheme && url.host() == base_.host() &&
               url.port(80) == base_.port(80) && url.userInfo().isEmpty();
    }

    std::optional<QString> attribute(const QString& element, const Attribute& a) const {
        const QString& n = a.name;
        const int max = limits_.maxLength;
        static const QStringList aligns = words("left right center justify");
        static const QStringList valigns = words("top middle bottom baseline");
        const bool table = element == QStringLiteral("table");
        const bool cell = element == QStringLiteral("td") || element == QStringLiteral("th");
        const bool img = element == QStringLiteral("img");
        if (n == QStringLiteral("style"))
            return style(a.value, limits_);
        if (n == QStringLiteral("align"))
            return oneOf(a.value, aligns);
        if (n == QStringLiteral("valign"))
            return oneOf(a.value, valigns);
        if (n == QStringLiteral("bgcolor") && (table || cell || element == QStringLiteral("tr")))
            return color(a.value);
        if ((n == QStringLiteral("width") &&
             (table || cell || img || element == QStringLiteral("hr"))) ||
            (n == QStringLiteral("height") && (cell || img)))
            return length(a.value, img ? 1000 : max);
        if (table && n == QStringLiteral("border"))
            return number(a.value, 0, 10);
        if (table && (n == QStringLiteral("cellpadding") || n == QStringLiteral("cellspacing")))
            return number(a.value, 0, 30);
        if (cell && (n == QStringLiteral("colspan") || n == QStringLiteral("rowspan")))
            return number(a.value, 1, 20);
        if (cell && n == QStringLiteral("nowrap"))
            return QString();
        if (img && n == QStringLiteral("alt"))
            return collapsed(a.value, limits_.maxTitle);
        if (element == QStringLiteral("font")) {
            if (n == QStringLiteral("color"))
                return color(a.value);
            if (n == QStringLiteral("size")) {
                static const QRegularExpression re(QStringLiteral("^\\s*([+-]?[1-7])\\s*$"));
                const auto m = re.match(a.value);
                return m.hasMatch() ? std::optional<QString>(m.captured(1)) : std::nullopt;
            }
            if (n == QStringLiteral("face")) {
                static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9 ,-]{1,64}$"));
                return re.match(a.value).hasMatch() ? std::optional<QString>(a.value)
                                                    : std::nullopt;
            }
        }
        if (element == QStringLiteral("ol") && n == QStringLiteral("type"))
            return oneOf(a.value, {QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("i")});
        if (element == QStringLiteral("hr") && n == QStringLiteral("size"))
            return number(a.value, 1, 20);
        return std::nullopt;
    }

    QUrl base_;
    const Limits& limits_;
    QString body_;
    TextWriter text_;
    QString title_;
    std::vector<QString> stack_;
    QList<QUrl> pictures_;
    int tables_ = 0;
    int elements_ = 0;
    int cells_ = 0;
};

} // namespace

Page sanitize(const QString& page, const QUrl& base, const Limits& limits) {
    try {
        return Sanitizer(base, limits).run(page);
    } catch (const Overflow&) {
        QString title;
        const QString body = textAloneBody(page, limits, &title);
        Page p;
        p.html = titleHead(title) + body + QStringLiteral("</body></html>");
        p.textOnly = true;
        return p;
    }
}

QString textAlone(const QString& html, const Limits& limits) {
    QString title;
    const QString body = textAloneBody(html, limits, &title);
    return titleHead(title) + body + QStringLiteral("</body></html>");
}

} // namespace wirtal::safehtml
