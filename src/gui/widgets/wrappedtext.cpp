// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/wrappedtext.h"

#include <QFontMetrics>
#include <QRegularExpression>

#include <algorithm>

namespace wirtal {

QString withPolishNoBreaks(const QString& text) {
    static const QChar nbsp(0x00A0);
    static const QChar wordJoiner(0x2060);
    // Spaces that must not break a line: after a number, and before a dash or a per cent sign.
    static const QRegularExpression bound(QStringLiteral("(?<=\\d) (?=\\S)|(?<=\\S) (?=[–—%])"));
    // After a one-letter word: the letter standing alone, at the start or after a non-letter.
    static const QRegularExpression single(
        QStringLiteral("(^|[^\\p{L}\\p{N}])([aiouwzAIOUWZ]) (?=\\S)"));
    // A slash between letters, as in "km/h" or "m/s".
    static const QRegularExpression slash(QStringLiteral("(?<=\\p{L})/(?=\\p{L})"));
    QString out = text;
    out.replace(bound, QString(nbsp));
    // Twice, as one match takes the character before the next ("w z ...").
    for (int pass = 0; pass < 2; ++pass)
        out.replace(single, QStringLiteral("\\1\\2") + nbsp);
    out.replace(slash, QStringLiteral("/") + wordJoiner);
    return out;
}

WrappedText::WrappedText(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

void WrappedText::setPointSizes(double nominal, double minimum) {
    nominal_ = nominal;
    minimum_ = std::min(minimum, nominal);
    fit();
}

void WrappedText::showText(const QString& text) {
    setText(withPolishNoBreaks(text));
    fit();
}

bool WrappedText::textFits() const {
    if (text().isEmpty())
        return true;
    const int m = margin();
    const QRect box = contentsRect().adjusted(m, m, -m, -m);
    // Both the label's own layout and a plain wrap of the text in the box must fit: the label
    // lays out selectable text as a document and plain text as drawn text, which differ slightly.
    const QRect drawn =
        QFontMetrics(font()).boundingRect(box, int(alignment()) | Qt::TextWordWrap, text());
    return drawn.width() <= box.width() && drawn.height() <= box.height() &&
           heightForWidth(width()) <= height();
}

void WrappedText::fit() {
    QFont f = font();
    for (double size = nominal_;; size -= 0.5) {
        f.setPointSizeF(size);
        setFont(f);
        if (size - 0.5 < minimum_ || textFits())
            return;
    }
}

void WrappedText::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

} // namespace wirtal
