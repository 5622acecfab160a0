// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/bankfiles.h"

#include "bank/split.h"

#include <map>

namespace wirtal::catalogue {

QString basicBankFile(const QString& code) {
    return QStringLiteral("pytania-%1-podst.txt").arg(code.toLower());
}
QString specialistBankFile(const QString& code) {
    return QStringLiteral("pytania-%1-spec.txt").arg(code.toLower());
}

QByteArray utf8WithBom(const QStringList& lines) {
    return QByteArray("\xEF\xBB\xBF") +
           (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

FolderFiles folderFiles(const Catalogue& cat, const QList<const Question*>& kept,
                        const QString& fileName, const QDateTime& when) {
    std::map<int, std::pair<QList<const Question*>, QList<const Question*>>> byCategory;
    for (const Question* q : kept)
        for (const QString& code : q->categories) {
            auto& lists = byCategory[int(categoryCodes().indexOf(code))];
            (q->part == Part::Basic ? lists.first : lists.second) << q;
        }

    FolderFiles out;
    QStringList codes, sections;
    for (const auto& [index, lists] : byCategory) {
        const QString code = categoryCodes()[index];
        codes << code;
        QStringList basic{quotedRecord({QStringLiteral("Wirtal: pytania podstawowe %1").arg(code),
                                        "T/N", "media", "pkt", "numer", "ENG", "DE", "UA", "PJM"})};
        for (const Question* q : lists.first)
            basic << quotedRecord({q->text, q->answer, q->media,
                                   q->points ? QString::number(q->points) : QString(),
                                   QString::number(q->number), q->en, q->de, q->ua, q->signText});
        QStringList special{
            quotedRecord({QStringLiteral("Wirtal: pytania specjalistyczne %1").arg(code),
                          "A",
                          "B",
                          "C",
                          "odp",
                          "media",
                          "pkt",
                          "numer",
                          "ENG",
                          "A ENG",
                          "B ENG",
                          "C ENG",
                          "DE",
                          "A DE",
                          "B DE",
                          "C DE",
                          "UA",
                          "A UA",
                          "B UA",
                          "C UA",
                          "PJM",
                          "A PJM",
                          "B PJM",
                          "C PJM"})};
        for (const Question* q : lists.second)
            special << quotedRecord({q->text,
                                     q->a,
                                     q->b,
                                     q->c,
                                     q->answer,
                                     q->media,
                                     q->points ? QString::number(q->points) : QString(),
                                     QString::number(q->number),
                                     q->en,
                                     q->enA,
                                     q->enB,
                                     q->enC,
                                     q->de,
                                     q->deA,
                                     q->deB,
                                     q->deC,
                                     q->ua,
                                     q->uaA,
                                     q->uaB,
                                     q->uaC,
                                     q->signText,
                                     q->signA,
                                     q->signB,
                                     q->signC});
        out.files.append({basicBankFile(code), utf8WithBom(basic)});
        out.files.append({specialistBankFile(code), utf8WithBom(special)});
        out.counts << CategoryCount{code, int(lists.first.size()), int(lists.second.size())};
        sections << QString() << QStringLiteral("[%1]").arg(code)
                 << QStringLiteral("podstawowe=%1").arg(lists.first.size())
                 << QStringLiteral("specjalistyczne=%1").arg(lists.second.size());
    }

    QStringList languages;
    if (cat.hasEnglish)
        languages << QStringLiteral("en");
    if (cat.hasGerman)
        languages << QStringLiteral("de");
    if (cat.hasUkrainian)
        languages << QStringLiteral("ua");
    const QStringList ini =
        QStringList{QStringLiteral("[katalog]"),
                    QStringLiteral("wersja=1"),
                    QStringLiteral("kategorie=") + codes.join(u','),
                    QStringLiteral("punkty=") + (cat.hasPoints ? u'1' : u'0'),
                    QStringLiteral("jezyki=") + languages.join(u','),
                    QStringLiteral("pjm=") + (cat.hasSignLanguage ? u'1' : u'0'),
                    QStringLiteral("zrodlo=") + fileName,
                    QStringLiteral("zaimportowano=") + when.toString(Qt::ISODate)} +
        sections;
    out.files.append({QStringLiteral("katalog.ini"),
                      (ini.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8()});

    if (!cat.extraColumns.isEmpty()) {
        QStringList lines{quotedRecord(QStringList{QStringLiteral("numer")} + cat.extraColumns)};
        for (const Question* q : kept)
            lines << quotedRecord(QStringList{QString::number(q->number)} + q->extra);
        out.files.append({QString::fromLatin1(extraColumnsFile), utf8WithBom(lines)});
    }
    return out;
}

} // namespace wirtal::catalogue
