// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/catalogtext.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace wirtal::catalogfetch {

QString folded(const QString& text) {
    QString out;
    const QString d = text.toLower().normalized(QString::NormalizationForm_D);
    bool blank = false;
    for (QChar c : d) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c == u'ł')
            c = u'l';
        const bool keep =
            c.isLetterOrNumber() || c == u'.' || c == u',' || c == u'-' || c == u'/' || c == u'_';
        if (!keep) {
            blank = true;
            continue;
        }
        if (blank && !out.isEmpty())
            out += u' ';
        blank = false;
        out += c;
    }
    return out;
}

QDate editionOf(const QString& text, QString* label) {
    static const char* const months[] = {"stycz", "lut",   "mar",  "kwie",  "maj",    "czerw",
                                         "lip",   "sierp", "wrze", "pazdz", "listop", "grud"};
    static const char* const monthNames[] = {"styczeń",  "luty",        "marzec",   "kwiecień",
                                             "maj",      "czerwiec",    "lipiec",   "sierpień",
                                             "wrzesień", "październik", "listopad", "grudzień"};
    const QString t = folded(text);
    const auto valid = [](int y, int m, int d) { return QDate(y, m, d).isValid(); };
    const auto put = [&](const QString& s) {
        if (label)
            *label = s;
    };
    static const QRegularExpression dmy(
        QStringLiteral("(?<![0-9])([0-3]?[0-9])[.\\-/_]([01]?[0-9])[.\\-/_](20[0-9]{2})(?![0-9])"));
    static const QRegularExpression ymd(
        QStringLiteral("(?<![0-9])(20[0-9]{2})[.\\-/_]?([01][0-9])[.\\-/_]?([0-3][0-9])(?![0-9])"));
    static const QRegularExpression named(
        QStringLiteral("(?<![0-9])(?:([0-3]?[0-9]) )?([a-z]{3,12}) (20[0-9]{2})(?![0-9])"));
    static const QRegularExpression my(
        QStringLiteral("(?<![0-9.])([01]?[0-9])[.\\-/_](20[0-9]{2})(?![0-9])"));
    static const QRegularExpression year(QStringLiteral("(?<![0-9])(20[0-9]{2})(?![0-9])"));
    if (const auto m = dmy.match(t); m.hasMatch()) {
        const int d = m.captured(1).toInt(), mo = m.captured(2).toInt(), y = m.captured(3).toInt();
        if (valid(y, mo, d)) {
            put(QDate(y, mo, d).toString(QStringLiteral("dd.MM.yyyy")));
            return QDate(y, mo, d);
        }
    }
    if (const auto m = ymd.match(t); m.hasMatch()) {
        const int y = m.captured(1).toInt(), mo = m.captured(2).toInt(), d = m.captured(3).toInt();
        if (valid(y, mo, d)) {
            put(QDate(y, mo, d).toString(QStringLiteral("dd.MM.yyyy")));
            return QDate(y, mo, d);
        }
    }
    for (auto it = named.globalMatch(t); it.hasNext();) {
        const auto m = it.next();
        const QString word = m.captured(2);
        for (int i = 0; i < 12; ++i) {
            if (!word.startsWith(QLatin1String(months[i])))
                continue;
            const int y = m.captured(3).toInt();
            const int d = m.captured(1).isEmpty() ? 1 : m.captured(1).toInt();
            if (!valid(y, i + 1, d))
                continue;
            if (m.captured(1).isEmpty())
                put(QString::fromUtf8(monthNames[i]) + u' ' + QString::number(y));
            else
                put(QDate(y, i + 1, d).toString(QStringLiteral("dd.MM.yyyy")));
            return QDate(y, i + 1, d);
        }
    }
    if (const auto m = my.match(t); m.hasMatch()) {
        const int mo = m.captured(1).toInt(), y = m.captured(2).toInt();
        if (valid(y, mo, 1)) {
            put(QString::fromUtf8(monthNames[mo - 1]) + u' ' + QString::number(y));
            return QDate(y, mo, 1);
        }
    }
    if (const auto m = year.match(t); m.hasMatch()) {
        put(m.captured(1));
        return QDate(m.captured(1).toInt(), 1, 1);
    }
    put(QString());
    return {};
}

qint64 sizeOf(const QString& text) {
    static const QRegularExpression size(
        QStringLiteral("(?<![0-9.,])([0-9]{1,6})(?:[.,]([0-9]{1,3}))? ?(kb|mb|gb|b)(?![a-z])"));
    const auto m = size.match(folded(text));
    if (!m.hasMatch())
        return -1;
    const QString unit = m.captured(3);
    const qint64 scale = unit == QStringLiteral("gb")   ? qint64(1) << 30
                         : unit == QStringLiteral("mb") ? qint64(1) << 20
                         : unit == QStringLiteral("kb") ? qint64(1) << 10
                                                        : 1;
    const QString fraction = m.captured(2);
    double value = m.captured(1).toDouble();
    if (!fraction.isEmpty())
        value += fraction.toDouble() / std::pow(10.0, fraction.size());
    return qint64(value * double(scale));
}

QString sizeText(qint64 bytes) {
    if (bytes < 0)
        return QStringLiteral("nieznany");
    const auto with = [](double v, const char* unit) {
        return QLocale(QLocale::Polish).toString(v, 'f', v < 10 ? 1 : 0) + u' ' +
               QLatin1String(unit);
    };
    if (bytes >= qint64(1) << 30)
        return with(double(bytes) / double(qint64(1) << 30), "GB");
    if (bytes >= qint64(1) << 20)
        return with(double(bytes) / double(qint64(1) << 20), "MB");
    if (bytes >= qint64(1) << 10)
        return with(double(bytes) / double(qint64(1) << 10), "kB");
    return QString::number(bytes) + QStringLiteral(" B");
}

} // namespace wirtal::catalogfetch
