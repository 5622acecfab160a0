// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/revisionfile.h"

#include "base/category.h"
#include "base/textfile.h"
#include "platform/error.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>

namespace wirtal {

QString revisionFileFor(const QString& categoryCode) {
    const Category* c = Category::find(categoryCode);
    return c ? c->revisionFile() : QString();
}

namespace {
// A question number as the list holds it, or an empty string for a line that is none.
QString entryOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.size() > 9)
        return {};
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return {};
    return QString::number(t.toInt());
}
} // namespace

QStringList revisionEntries(const QStringList& lines) {
    QStringList entries;
    for (const QString& line : lines) {
        const QString e = entryOf(line);
        if (!e.isEmpty())
            entries << e;
    }
    return entries;
}

QStringList loadRevisionFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {};
    return revisionEntries(loadTextLines(path));
}

QByteArray revisionFileBytes(const QStringList& entries) {
    QByteArray bytes;
    for (const QString& e : entries)
        bytes += e.toLatin1() + "\r\n";
    return bytes;
}

void saveRevisionFile(const QString& path, const QStringList& entries) {
    if (!saveWhole(path, revisionFileBytes(entries)))
        throw Error(QStringLiteral("Nie można zapisać listy pytań do powtórki w pliku „%1”.")
                        .arg(QDir::toNativeSeparators(path)));
}

} // namespace wirtal
