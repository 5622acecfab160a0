// SPDX-License-Identifier: GPL-3.0-or-later

#include "import.h"

#include "catalogue/importer.h"
#include "catalogue/importreport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace wirtal::tool {

namespace {

void print(std::FILE* to, const QString& text) {
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), to);
}

} // namespace

QString importUsage() {
    return QStringLiteral(
        "import [--base DIR] [--without-media] KATALOG.xlsx MULTIMEDIA [MULTIMEDIA...] "
        "FOLDER-PROGRAMU");
}

int runImport(const QStringList& args) {
    using namespace catalogue;
    ImportOptions o;
    QStringList operands;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--without-media") {
            o.withoutMedia = true;
        } else if (a == u"--base" && i + 1 < args.size()) {
            o.base = args[++i];
        } else if (a.startsWith(u"--base=")) {
            o.base = a.mid(7);
        } else if (a == u"--") {
            operands += args.mid(i + 1);
            break;
        } else if (a.startsWith(u"--")) {
            operands.clear();
            break;
        } else {
            operands << a;
        }
    }
    // The catalogue, the media (folders or zip archives, one or more; none with
    // --without-media) and the program folder.
    const qsizetype needed = o.withoutMedia ? 2 : 3;
    if (operands.size() < needed || (args.contains(QStringLiteral("--base")) && o.base.isEmpty())) {
        print(stderr, QStringLiteral("Użycie: wirtal-bank %1\n").arg(importUsage()));
        return 2;
    }
    o.catalogue = operands.takeFirst();
    o.target = operands.takeLast();
    o.media = operands;
    if (o.base.isEmpty()) {
        o.base = defaultBaseFolder(QDir::currentPath(), QCoreApplication::applicationDirPath());
        if (o.base.isEmpty()) {
            print(stderr, QStringLiteral("wirtal-bank import: nie znaleziono folderu programu z "
                                         "0wx.dll (ani bieżącego, ani zainstalowanego); podaj go "
                                         "opcją --base DIR\n"));
            return 1;
        }
    }

    const ImportResult r = Importer(o).run();
    if (!r.ok) {
        print(stderr, QStringLiteral("wirtal-bank import: %1\n").arg(r.error));
        return 1;
    }
    QString text = QStringLiteral("Zaimportowano pytania (podstawowe / specjalistyczne):\n");
    for (const CategoryCount& c : r.counts)
        text += QStringLiteral("  %1: %2 / %3\n").arg(c.code).arg(c.basic).arg(c.specialist);
    text += QStringLiteral("Pominięte wiersze: %1\n").arg(r.leftOut());
    const auto byReason = r.leftOutByReason();
    for (auto it = byReason.cbegin(); it != byReason.cend(); ++it)
        text += QStringLiteral("  %1: %2\n").arg(reasonTitle(it.key())).arg(it.value());
    text += QStringLiteral("Poprawione wiersze: %1\n").arg(r.corrected());
    text += o.withoutMedia
                ? QStringLiteral("Multimedia: nie dołączone (--without-media)\n")
                : QStringLiteral("Multimedia: %1 połączonych, %2 skopiowanych, %3 rozpakowanych "
                                 "z archiwum, %4 brakujących, %5 pod nazwą w innej postaci\n")
                      .arg(r.linked)
                      .arg(r.copied)
                      .arg(r.unpacked)
                      .arg(r.missingMedia.size())
                      .arg(r.looseMatches.size());
    for (const OtherSheet& sheet : r.otherSheets)
        if (sheet.questions >= 0)
            text += QStringLiteral("Arkusz „%1”: %2 pytań, nie zaimportowane\n")
                        .arg(sheet.name)
                        .arg(sheet.questions);
    for (const FilmCodec& c : r.filmCodecs)
        text += QStringLiteral("Kodek filmów %1 (%2): %3 filmów, %4\n")
                    .arg(c.support.codec, c.support.description)
                    .arg(c.films)
                    .arg(filmDecoderText(c.support));
    if (!r.unusedColumns.isEmpty())
        text += QStringLiteral("Kolumny nieużywane: %1\n")
                    .arg(r.unusedColumns.join(QStringLiteral(", ")));
    text += QStringLiteral("Raport: %1\n").arg(QDir::toNativeSeparators(r.reportPath));
    print(stdout, text);
    if (!r.warning.isEmpty())
        print(stderr, QStringLiteral("wirtal-bank import: %1\n").arg(r.warning));
    return 0;
}

} // namespace wirtal::tool
