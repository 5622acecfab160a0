// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The tokens and the text of HTML as the page sanitizer reads and writes them (an internal part
// of pagesanitizer.cpp and pageshape.cpp).

#include "base/pagesanitizer.h"

#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <optional>
#include <vector>

namespace wirtal::safehtml::detail {

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

inline constexpr int maxAttributes = 32;
inline constexpr int maxAttributeValue = 4096;

// A list of names written as one string, separated by blanks.
inline QStringList words(const char* names) {
    return QString::fromLatin1(names).split(u' ');
}

inline bool isSpace(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r' || u == u'\f';
}

inline bool isAsciiLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// Elements whose content is not markup: it is taken whole up to the element's end tag. Those
// that draw something the safe subset does not have (scripts, frames, objects, drawings) are
// treated the same way, so that nothing of them reaches the output.
inline bool isRawText(const QString& name) {
    static const QStringList names =
        words("script style title textarea xmp iframe noembed noframes noscript object applet svg "
              "math template select plaintext");
    return names.contains(name);
}

inline bool isVoid(const QString& name) {
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
inline qsizetype entityLength(QStringView s) {
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

inline bool isBlock(const QString& name) {
    static const QStringList names = words(
        "p div br tr li table h1 h2 h3 h4 h5 h6 ul ol dt dd pre blockquote hr center caption body");
    return names.contains(name);
}

inline QString collapsed(QStringView text, int max) {
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

} // namespace wirtal::safehtml::detail
