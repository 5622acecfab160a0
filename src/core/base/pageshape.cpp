// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/htmltokens.h"
#include "base/pagesanitizer.h"

#include <climits>

namespace wirtal::safehtml {

using namespace detail;

namespace {

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
