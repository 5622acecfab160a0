// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/catalogpage.h"

#include "base/htmltokens.h"
#include "base/inifile.h"
#include "dialogs/catalogtext.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace wirtal::catalogfetch {

Source configuredSource() {
    const QString ini = QStringLiteral("wirtal.ini");
    const QString section = QStringLiteral("katalog");
    QUrl page(readIni(ini, section, QStringLiteral("strona"), QString()).trimmed(),
              QUrl::StrictMode);
    if (!page.isValid() || page.host().isEmpty() || page.scheme() != QStringLiteral("https") ||
        !page.userInfo().isEmpty())
        page = QUrl(QString::fromLatin1(defaultPage));
    Source source;
    source.page = page;
    source.hosts << page.host().toLower();
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    const QStringList listed = readIni(ini, section, QStringLiteral("hosty"), QString())
                                   .split(separators, Qt::SkipEmptyParts);
    for (const QString& h : listed) {
        const QString host = h.toLower();
        if (host.size() <= 253 && !source.hosts.contains(host))
            source.hosts << host;
    }
    return source;
}

namespace {

using safehtml::detail::Token;
using safehtml::detail::Tokenizer;

// Entities a link's text or address carries; anything else stays as written.
QString decoded(QStringView text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len =
            text[i] == u'&' ? safehtml::detail::entityLength(text.mid(i)) : qsizetype(0);
        if (len == 0) {
            out += text[i];
            continue;
        }
        const QStringView name = text.mid(i + 1, len - 2);
        char32_t code = 0;
        bool ok = true;
        if (name.startsWith(u'#')) {
            const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
            code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        } else {
            static const QList<std::pair<QLatin1String, char32_t>> named = {
                {QLatin1String("amp"), '&'},     {QLatin1String("lt"), '<'},
                {QLatin1String("gt"), '>'},      {QLatin1String("quot"), '"'},
                {QLatin1String("apos"), '\''},   {QLatin1String("nbsp"), ' '},
                {QLatin1String("oacute"), 0xF3}, {QLatin1String("Oacute"), 0xD3},
                {QLatin1String("ndash"), 0x2013}};
            const auto it = std::find_if(named.begin(), named.end(),
                                         [&](const auto& n) { return name == n.first; });
            ok = it != named.end();
            if (ok)
                code = it->second;
        }
        if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
            out += QString::fromUcs4(&code, 1);
            i += len - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

QString lastPart(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace

QList<PageLink> pageLinks(const QByteArray& html, const QUrl& page) {
    const QString text = QStringDecoder(QStringDecoder::Utf8).decode(html.left(maxPageBytes));
    QList<PageLink> links;
    Tokenizer tokens(text);
    std::optional<PageLink> open;
    QString openText;
    const auto close = [&] {
        if (!open)
            return;
        open->text = safehtml::detail::collapsed(decoded(openText), maxLinkText);
        if (open->url.isValid() && links.size() < maxLinks)
            links << *open;
        open.reset();
        openText.clear();
    };
    for (Token t = tokens.next(); t.kind != Token::Done && links.size() < maxLinks;
         t = tokens.next()) {
        if (t.kind == Token::Start && t.name == QStringLiteral("a")) {
            close();
            PageLink link;
            QString title;
            for (const auto& a : t.attributes) {
                if (a.name == QStringLiteral("href"))
                    link.url = page.resolved(QUrl(decoded(a.value).trimmed()));
                else if (a.name == QStringLiteral("download"))
                    link.fileName = lastPart(decoded(a.value).trimmed());
                else if (a.name == QStringLiteral("title") ||
                         a.name == QStringLiteral("aria-label"))
                    title += u' ' + a.value;
            }
            if (link.fileName.isEmpty())
                link.fileName = lastPart(link.url.path());
            open = link;
            openText = title;
        } else if (t.kind == Token::End && t.name == QStringLiteral("a")) {
            close();
        } else if (t.kind == Token::Text && open && openText.size() < maxLinkText * 4) {
            openText += u' ';
            openText += t.text.left(maxLinkText * 4);
        }
    }
    close();
    return links;
}

namespace {

// The rules that say what a link offers. A rule fits when the link names its extension (the
// address, the download name or a word of the text) and its folded text and file name hold one
// of anyOf and none of noneOf ("|" between them; a word is matched at its start, so "pytan"
// finds "pytania", and "_" or "-" in a file name count as blanks).
struct LinkRule {
    FileKind kind;
    const char* extension;
    const char* anyOf;
    const char* noneOf;
};

const LinkRule linkRules[] = {
    // The sign-language films: "PJM", "Polski Język Migowy", "tłumaczenie na język migowy".
    {FileKind::SignLanguage, "zip", "pjm|migow", ""},
    // The pictures and films: "Multimedia", "baza pytań ... zip", "filmy i zdjęcia".
    {FileKind::Media, "zip", "multimedia|media|film|zdjec|obraz|baza pytan|katalog", "pjm|migow"},
    // The questions: "Katalog pytań egzaminacyjnych ... 2026", "baza pytań", "pytania
    // egzaminacyjne".
    {FileKind::Spreadsheet, "xlsx",
     "katalog|baza pytan|pytania egzaminacyjne|pytan egzaminacyjnych", "pjm|migow"},
};

bool hasWord(const QString& foldedText, const QString& word) {
    for (qsizetype at = foldedText.indexOf(word); at >= 0; at = foldedText.indexOf(word, at + 1)) {
        if (at == 0 || !foldedText[at - 1].isLetterOrNumber())
            return true;
    }
    return false;
}

bool namesExtension(const PageLink& link, const QString& foldedText, const QString& ext) {
    const QString dotted = u'.' + ext;
    if (link.fileName.endsWith(dotted, Qt::CaseInsensitive) ||
        link.url.path().endsWith(dotted, Qt::CaseInsensitive))
        return true;
    const QString t = u' ' + foldedText + u' ';
    return t.contains(u' ' + ext + u' ') || t.contains(dotted + u' ') ||
           t.contains(u' ' + ext + u',');
}

} // namespace

std::optional<FileKind> classify(const PageLink& link) {
    const QString text = folded(link.text + u' ' + link.fileName);
    QString words = text;
    words.replace(u'_', u' ').replace(u'-', u' ');
    for (const LinkRule& rule : linkRules) {
        if (!namesExtension(link, text, QString::fromLatin1(rule.extension)))
            continue;
        const QStringList any = QString::fromLatin1(rule.anyOf).split(u'|', Qt::SkipEmptyParts);
        const QStringList none = QString::fromLatin1(rule.noneOf).split(u'|', Qt::SkipEmptyParts);
        const auto in = [&](const QString& w) { return hasWord(words, w); };
        if (std::any_of(any.begin(), any.end(), in) && std::none_of(none.begin(), none.end(), in))
            return rule.kind;
    }
    return std::nullopt;
}

qint64 Offer::knownSize() const {
    qint64 sum = 0;
    for (const OfferedFile& f : files)
        sum += std::max<qint64>(f.size, 0);
    return sum;
}

PageResult readCataloguePage(const QByteArray& html, const QUrl& page, const QStringList& hosts) {
    PageResult result;
    struct Found {
        OfferedFile file;
        QDate edition;
        QString label;
    };
    QList<Found> found;
    for (const PageLink& link : pageLinks(html, page)) {
        // Only what lies on the page's own scheme and host or on a listed host (https).
        const QUrl& u = link.url;
        const QString host = u.host().toLower();
        const bool sameScheme = u.scheme() == page.scheme();
        const bool listed = u.scheme() == QStringLiteral("https") && hosts.contains(host);
        if (!u.userInfo().isEmpty() || (!(sameScheme && host == page.host().toLower()) && !listed))
            continue;
        const auto kind = classify(link);
        if (!kind)
            continue;
        if (std::any_of(found.begin(), found.end(),
                        [&](const Found& f) { return f.file.url == u; }))
            continue;
        Found f;
        f.file.kind = *kind;
        f.file.url = u;
        f.file.text = link.text.isEmpty() ? link.fileName : link.text;
        f.file.size = sizeOf(link.text);
        // The text says the edition as the ministry names it; the file name only when it does not.
        f.edition = editionOf(link.text, &f.label);
        if (!f.edition.isValid())
            f.edition = editionOf(link.fileName, &f.label);
        found << f;
    }
    // The newest spreadsheet (one the page dates wins over one it does not).
    const Found* sheet = nullptr;
    for (const Found& f : found)
        if (f.file.kind == FileKind::Spreadsheet &&
            (!sheet ||
             (f.edition.isValid() && (!sheet->edition.isValid() || f.edition > sheet->edition))))
            sheet = &f;
    if (!sheet) {
        result.problem = QStringLiteral("Na stronie nie ma odnośnika do katalogu pytań (pliku "
                                        "xlsx) — strona mogła zostać przeniesiona lub zmieniona.");
        return result;
    }
    Offer offer;
    offer.edition = sheet->edition;
    offer.editionText = sheet->label.isEmpty() ? QStringLiteral("nieoznaczone") : sheet->label;
    OfferedFile xlsx = sheet->file;
    // The edition in the name: the import keeps the file's name, by which the edition of the
    // program folder is known later (importedEdition).
    xlsx.localName =
        offer.edition.isValid()
            ? QStringLiteral("katalog-pytan-%1.xlsx").arg(offer.edition.toString(Qt::ISODate))
            : QStringLiteral("katalog-pytan.xlsx");
    offer.files << xlsx;
    // Of each kind of archive, those of the newest edition the page dates them with (or those it
    // does not date, when it dates none).
    for (const FileKind kind : {FileKind::Media, FileKind::SignLanguage}) {
        QDate newest;
        for (const Found& f : found)
            if (f.file.kind == kind && f.edition.isValid() &&
                (!newest.isValid() || f.edition > newest))
                newest = f.edition;
        int n = 0;
        for (const Found& f : found) {
            if (f.file.kind != kind || f.edition != newest)
                continue;
            OfferedFile file = f.file;
            file.localName = QStringLiteral("%1-%2.zip")
                                 .arg(kind == FileKind::Media ? QStringLiteral("multimedia")
                                                              : QStringLiteral("pjm"))
                                 .arg(++n);
            offer.files << file;
        }
    }
    result.offer = offer;
    return result;
}

} // namespace wirtal::catalogfetch
