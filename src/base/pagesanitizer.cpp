#include "base/pagesanitizer.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace wirtal::safehtml {

namespace {

// ---------------------------------------------------------------------------------------------
// Tokens: one pass over the text, no backtracking. Enough of HTML's syntax to find elements,
// attributes and text the way a browser does for ordinary pages; whatever is not understood is
// text or is skipped, never an error.

struct Attribute {
    QString name; // lower case
    QString value;
};

struct Token {
    enum Kind { Text, Start, End, Raw, Done } kind = Done;
    QStringView text; // Text: the raw text; Raw: the content of a raw-text element
    QString name;     // Start, End, Raw: the element, lower case
    std::vector<Attribute> attributes;
};

constexpr int maxAttributes = 32;
constexpr int maxAttributeValue = 4096;

// A list of names written as one string, separated by blanks.
QStringList words(const char* names) {
    return QString::fromLatin1(names).split(u' ');
}

bool isSpace(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r' || u == u'\f';
}

bool isAsciiLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// Elements whose content is not markup: it is taken whole up to the element's end tag. Those
// that draw something the safe subset does not have (scripts, frames, objects, drawings) are
// treated the same way, so that nothing of them reaches the output.
bool isRawText(const QString& name) {
    static const QStringList names =
        words("script style title textarea xmp iframe noembed noframes noscript object applet svg "
              "math template select plaintext");
    return names.contains(name);
}

bool isVoid(const QString& name) {
    static const QStringList names = words("br hr img input meta link area base col embed param "
                                           "source track wbr basefont frame image keygen");
    return names.contains(name);
}

class Tokenizer {
public:
    explicit Tokenizer(QStringView s) : s_(s) {}

    Token next() {
        Token t;
        if (rawEnd_ >= 0) { // the content of a raw-text element, then its end
            t.kind = Token::Raw;
            t.name = rawName_;
            t.text = s_.mid(at_, rawEnd_ - at_);
            at_ = rawEnd_;
            rawEnd_ = -1;
            skipTag();
            return t;
        }
        while (at_ < s_.size()) {
            if (s_[at_] != u'<') {
                qsizetype lt = s_.indexOf(u'<', at_);
                if (lt < 0)
                    lt = s_.size();
                t.kind = Token::Text;
                t.text = s_.mid(at_, lt - at_);
                at_ = lt;
                return t;
            }
            const QChar c = at_ + 1 < s_.size() ? s_[at_ + 1] : QChar();
            if (s_.mid(at_, 4) == QLatin1String("<!--")) {
                const qsizetype end = s_.indexOf(QLatin1String("-->"), at_ + 4);
                at_ = end < 0 ? s_.size() : end + 3;
                continue;
            }
            if (c == u'!' || c == u'?') { // declarations and processing instructions
                skipTag();
                continue;
            }
            if (c == u'/' && at_ + 2 < s_.size() && isAsciiLetter(s_[at_ + 2])) {
                at_ += 2;
                t.kind = Token::End;
                t.name = readName();
                skipTag();
                return t;
            }
            if (isAsciiLetter(c)) {
                ++at_;
                t.kind = Token::Start;
                t.name = readName();
                readAttributes(t);
                if (isRawText(t.name) && t.name != QStringLiteral("plaintext")) {
                    rawName_ = t.name;
                    rawEnd_ = findEnd(t.name);
                } else if (t.name == QStringLiteral("plaintext")) {
                    rawName_ = t.name;
                    rawEnd_ = s_.size();
                }
                return t;
            }
            // A "<" that starts no tag is text.
            t.kind = Token::Text;
            t.text = s_.mid(at_, 1);
            ++at_;
            return t;
        }
        return t;
    }

private:
    QString readName() {
        const qsizetype from = at_;
        while (at_ < s_.size() && !isSpace(s_[at_]) && s_[at_] != u'/' && s_[at_] != u'>')
            ++at_;
        return s_.mid(from, std::min<qsizetype>(at_ - from, 32)).toString().toLower();
    }

    void readAttributes(Token& t) {
        for (;;) {
            while (at_ < s_.size() && (isSpace(s_[at_]) || s_[at_] == u'/'))
                ++at_;
            if (at_ >= s_.size())
                return;
            if (s_[at_] == u'>') {
                ++at_;
                return;
            }
            const qsizetype from = at_;
            while (at_ < s_.size() && !isSpace(s_[at_]) && s_[at_] != u'/' && s_[at_] != u'>' &&
                   (s_[at_] != u'=' || at_ == from))
                ++at_;
            Attribute a;
            a.name = s_.mid(from, std::min<qsizetype>(at_ - from, 32)).toString().toLower();
            qsizetype j = at_;
            while (j < s_.size() && isSpace(s_[j]))
                ++j;
            bool tooLong = false;
            if (j < s_.size() && s_[j] == u'=') {
                ++j;
                while (j < s_.size() && isSpace(s_[j]))
                    ++j;
                qsizetype vFrom = j, vEnd = j;
                if (j < s_.size() && (s_[j] == u'"' || s_[j] == u'\'')) {
                    const qsizetype close = s_.indexOf(s_[j], j + 1);
                    vFrom = j + 1;
                    vEnd = close < 0 ? s_.size() : close;
                    j = close < 0 ? s_.size() : close + 1;
                } else {
                    while (j < s_.size() && !isSpace(s_[j]) && s_[j] != u'>')
                        ++j;
                    vEnd = j;
                }
                tooLong = vEnd - vFrom > maxAttributeValue;
                if (!tooLong)
                    a.value = s_.mid(vFrom, vEnd - vFrom).toString();
            }
            at_ = j;
            if (!tooLong && t.attributes.size() < maxAttributes &&
                std::none_of(t.attributes.begin(), t.attributes.end(),
                             [&](const Attribute& b) { return b.name == a.name; }))
                t.attributes.push_back(std::move(a));
        }
    }

    // Past the next ">".
    void skipTag() {
        const qsizetype gt = s_.indexOf(u'>', at_);
        at_ = gt < 0 ? s_.size() : gt + 1;
    }

    // Where "</name" starts (followed by a blank, "/" or ">"), or the end of the text.
    qsizetype findEnd(const QString& name) const {
        qsizetype from = at_;
        for (;;) {
            const qsizetype lt = s_.indexOf(QLatin1String("</"), from);
            if (lt < 0)
                return s_.size();
            const qsizetype after = lt + 2 + name.size();
            if (s_.mid(lt + 2, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
                (after >= s_.size() || isSpace(s_[after]) || s_[after] == u'>' ||
                 s_[after] == u'/'))
                return lt;
            from = lt + 2;
        }
    }

    QStringView s_;
    qsizetype at_ = 0;
    qsizetype rawEnd_ = -1;
    QString rawName_;
};

// "&name;" with a name of letters, or "&#digits;", "&#xhex;": its length, else 0.
qsizetype entityLength(QStringView s) {
    qsizetype i = 1;
    const bool numeric = i < s.size() && s[i] == u'#';
    if (numeric)
        ++i;
    const qsizetype from = i;
    while (i < s.size() && i - from <= 10 &&
           (isAsciiLetter(s[i]) || (s[i] >= u'0' && s[i] <= u'9')))
        ++i;
    if (i == from || i - from > 10 || i >= s.size() || s[i] != u';')
        return 0;
    if (!numeric && !std::all_of(s.begin() + from, s.begin() + i, isAsciiLetter))
        return 0;
    return i + 1;
}

// ---------------------------------------------------------------------------------------------
// Text: escaped again for the output, entities checked, a break opportunity (zero-width space)
// after every maxWord characters without one, at most maxText characters.

class TextWriter {
public:
    TextWriter(QString& out, const Limits& limits) : out_(out), limits_(limits) {}

    // Returns false once the text limit is reached.
    bool write(QStringView text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (count_ >= limits_.maxText - 1) {
                if (!cut_)
                    out_ += QChar(0x2026); // the last character the limit allows
                cut_ = true;
                return false;
            }
            const QChar c = text[i];
            if (c == u'&') {
                const qsizetype len = entityLength(text.mid(i));
                if (len > 0) {
                    const QStringView entity = text.mid(i, len);
                    const auto code = numericEntity(entity);
                    if (code) {
                        if (*code != 0)
                            put(QString::fromUcs4(&*code, 1));
                    } else {
                        out_ += entity;
                        word(false);
                    }
                    i += len - 1;
                    continue;
                }
            }
            put(QString(c));
        }
        return true;
    }

    void lineBreak() { run_ = 0; }
    bool cut() const { return cut_; }

private:
    void put(const QString& s) {
        for (QChar c : s) {
            switch (c.unicode()) {
            case u'<':
                out_ += QLatin1String("&lt;");
                break;
            case u'>':
                out_ += QLatin1String("&gt;");
                break;
            case u'&':
                out_ += QLatin1String("&amp;");
                break;
            case u'"':
                out_ += QLatin1String("&quot;");
                break;
            default:
                out_ += c;
            }
            word(isSpace(c));
        }
    }

    void word(bool blank) {
        ++count_;
        if (blank) {
            run_ = 0;
            return;
        }
        if (++run_ >= limits_.maxWord) {
            out_ += QChar(0x200B);
            ++count_;
            run_ = 0;
        }
    }

    // The character of a numeric entity (0 for one that names no character), or nothing for a
    // named entity.
    static std::optional<char32_t> numericEntity(QStringView e) {
        if (e.size() < 2 || e[1] != u'#')
            return std::nullopt;
        QStringView digits = e.mid(2, e.size() - 3);
        int base = 10;
        if (!digits.isEmpty() && (digits[0] == u'x' || digits[0] == u'X')) {
            base = 16;
            digits = digits.mid(1);
        }
        bool ok = false;
        const uint code = digits.toUInt(&ok, base);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return char32_t(0);
        return char32_t(code);
    }

    QString& out_;
    const Limits& limits_;
    qsizetype count_ = 0;
    int run_ = 0;
    bool cut_ = false;
};

bool isBlock(const QString& name) {
    static const QStringList names = words(
        "p div br tr li table h1 h2 h3 h4 h5 h6 ul ol dt dd pre blockquote hr center caption body");
    return names.contains(name);
}

QString collapsed(QStringView text, int max);

// A title's text with its blanks made one, as HTML (entities kept, markup characters escaped).
QString titleText(QStringView raw, const Limits& limits) {
    Limits title = limits;
    title.maxText = limits.maxTitle;
    title.maxWord = INT_MAX;
    QString out;
    TextWriter(out, title).write(collapsed(raw, limits.maxTitle));
    return out;
}

QString collapsed(QStringView text, int max) {
    QString t;
    bool blank = false;
    for (QChar c : text) {
        if (isSpace(c)) {
            blank = true;
            continue;
        }
        if (blank && !t.isEmpty())
            t += u' ';
        blank = false;
        t += c;
        if (t.size() >= max)
            break;
    }
    return t;
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

int largestNumber(QStringView s) {
    int largest = 0;
    qsizetype i = 0;
    while (i < s.size()) {
        if (s[i] == u'#') { // a colour, not a number
            ++i;
            while (i < s.size() && s[i].isLetterOrNumber())
                ++i;
            continue;
        }
        if (s[i] >= u'0' && s[i] <= u'9') {
            qint64 v = 0;
            while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
                v = std::min<qint64>(v * 10 + (s[i].unicode() - u'0'), INT_MAX);
                ++i;
            }
            largest = std::max(largest, int(v));
            continue;
        }
        ++i;
    }
    return largest;
}

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

Shape measure(const QString& html) {
    static const QStringList layoutAttributes = words(
        "width height border cellpadding cellspacing colspan rowspan size hspace vspace style");
    Shape shape;
    std::vector<QString> stack;
    int tables = 0;
    int run = 0;
    const auto pop = [&] {
        if (stack.back() == QStringLiteral("table"))
            --tables;
        stack.pop_back();
    };
    const auto popTo = [&](const QString& name, const QString& boundary) {
        // Only the innermost elements are looked at: end tags of a deeper document than that
        // are far beyond any limit anyway.
        const qsizetype lookAt = std::min<qsizetype>(qsizetype(stack.size()), 256);
        for (qsizetype k = 1; k <= lookAt; ++k) {
            const QString& e = stack[stack.size() - k];
            if (e == name) {
                while (k-- > 0)
                    pop();
                return;
            }
            if (e == boundary)
                return;
        }
    };
    Tokenizer tokens(html);
    for (Token t = tokens.next(); t.kind != Token::Done; t = tokens.next()) {
        switch (t.kind) {
        case Token::Text:
            for (qsizetype i = 0; i < t.text.size(); ++i) {
                const QChar c = t.text[i];
                if (c == u'&') // an entity is one character
                    i += std::max<qsizetype>(entityLength(t.text.mid(i)) - 1, 0);
                ++shape.text;
                run = isSpace(c) || c == QChar(0x200B) ? 0 : run + 1;
                shape.longestWord = std::max(shape.longestWord, run);
            }
            break;
        case Token::Raw:
            if (t.name == QStringLiteral("style"))
                shape.largestNumber = std::max(shape.largestNumber, largestNumber(t.text));
            break;
        case Token::Start: {
            for (const Attribute& a : t.attributes)
                if (layoutAttributes.contains(a.name))
                    shape.largestNumber = std::max(shape.largestNumber, largestNumber(a.value));
            ++shape.elements;
            const QString table = QStringLiteral("table");
            if (t.name == QStringLiteral("td") || t.name == QStringLiteral("th")) {
                ++shape.cells;
                popTo(QStringLiteral("td"), table);
                popTo(QStringLiteral("th"), table);
            } else if (t.name == QStringLiteral("tr")) {
                popTo(QStringLiteral("tr"), table);
            } else if ((t.name == QStringLiteral("li") || t.name == QStringLiteral("p")) &&
                       !stack.empty() && stack.back() == t.name) {
                pop();
            }
            if (isVoid(t.name) || isRawText(t.name)) {
                run = 0;
                break;
            }
            stack.push_back(t.name);
            if (t.name == table)
                shape.tableDepth = std::max(shape.tableDepth, ++tables);
            shape.depth = std::max(shape.depth, int(stack.size()));
            if (isBlock(t.name))
                run = 0;
            break;
        }
        case Token::End:
            popTo(t.name, QString());
            if (isBlock(t.name))
                run = 0;
            break;
        case Token::Done:
            break;
        }
    }
    return shape;
}

bool withinLimits(const Shape& shape, const Limits& limits) {
    return shape.depth <= limits.maxDepth && shape.tableDepth <= limits.maxTableDepth &&
           shape.elements <= limits.maxElements && shape.cells <= limits.maxCells &&
           shape.text <= limits.maxText && shape.longestWord <= limits.maxWord &&
           shape.largestNumber <= limits.maxLength;
}

} // namespace wirtal::safehtml
