// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/revisionfile.h"

#include "bank/layout.h"
#include "base/bankdata.h"
#include "base/category.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "platform/error.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

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

StoredRevisionList StoredRevisionList::load(const QString& categoryCode) {
    StoredRevisionList list;
    const QString file = revisionFileFor(categoryCode);
    if (file.isEmpty())
        return list;
    const BankIdentity bank = BankIdentity::ofProgramFolder();
    const QStringList ids = loadRevisionFile(Paths::inUserData(bank.dataFile(file)));
    if (bank.kind == BankKind::Catalogue) {
        list.bank_ = layout::of(categoryCode);
        QSet<QString> kept;
        for (const QString& id : ids) {
            if (const int n = list.bank_->numberOfId(id.toInt()))
                list.numbers_ << QString::number(n);
            else if (!kept.contains(id)) {
                kept.insert(id);
                list.kept_ << id;
            }
        }
    } else {
        list.numbers_ = ids;
    }
    list.path_ = Paths::inUserData(bank.dataFile(file));
    return list;
}

void StoredRevisionList::save(const QStringList& numbers) const {
    if (path_.isEmpty())
        return;
    QStringList ids;
    if (!bank_) {
        ids = numbers;
    } else {
        for (const QString& n : numbers)
            if (const int id = bank_->idOf(n.toInt()))
                ids << QString::number(id);
    }
    // The kept entries are none of the bank's, so none of them is among the listed ones.
    ids += kept_;
    saveRevisionFile(path_, ids);
}

} // namespace wirtal
