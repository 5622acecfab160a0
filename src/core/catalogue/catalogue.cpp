// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/catalogue.h"

#include "base/category.h"
#include "catalogue/header.h"
#include "platform/error.h"

#include <QHash>
#include <QRegularExpression>

#include <optional>

namespace wirtal::catalogue {

namespace {

// The part a row states, read by meaning: editions misspell it ("Specajlistyczny").
std::optional<Part> statedPart(const QString& upper) {
    if (upper.startsWith(u"POD"))
        return Part::Basic;
    if (upper.startsWith(u"SPE"))
        return Part::Specialist;
    return std::nullopt;
}

// A file name cell as written: only a cell of nothing but blanks is no name. Spaces inside
// (two in a row in some official names) belong to the name.
QString fileNameCell(const QString& s) {
    return s.trimmed().isEmpty() ? QString() : s;
}

} // namespace

const QStringList& categoryCodes() {
    // The program's category table is the one list: a catalogue category the table does not
    // know is no category of the program's.
    static const QStringList codes = [] {
        QStringList out;
        for (const Category& c : Category::all())
            out << c.code;
        return out;
    }();
    return codes;
}

KeptColumns catalogueColumns() {
    KeptColumns kept;
    kept.wholeRows = int(headerRows);
    // Asked row by row from the top, so the first row that is a whole header answers, as
    // findHeader would pick it.
    kept.choose = [](const Sheet& sheet, qsizetype row) -> std::optional<QList<int>> {
        int found = 0;
        QStringList absent;
        const Header h = headerOf(sheet, row, &found, &absent);
        if (!absent.isEmpty())
            return std::nullopt;
        QList<int> columns = h.extra;
        for (const int c : h.columns)
            if (c >= 0)
                columns << c;
        return columns;
    };
    return kept;
}

bool leavesOut(Reason r) {
    return r != Reason::CorrectedToBasic && r != Reason::CorrectedToSpecialist &&
           r != Reason::IgnoredCategory;
}

QString reasonTitle(Reason r) {
    switch (r) {
    case Reason::BadNumber:
        return QStringLiteral("brak lub zły numer pytania");
    case Reason::DuplicateNumber:
        return QStringLiteral("powtórzony numer pytania");
    case Reason::EmptyText:
        return QStringLiteral("pusta treść pytania");
    case Reason::BadAnswer:
        return QStringLiteral("zła poprawna odpowiedź");
    case Reason::ChoiceWithoutOptions:
        return QStringLiteral("odpowiedź A/B/C bez treści odpowiedzi");
    case Reason::IncompleteOptions:
        return QStringLiteral("niepełne odpowiedzi A, B, C");
    case Reason::YesNoWithOptions:
        return QStringLiteral("odpowiedź T/N przy odpowiedziach A, B, C");
    case Reason::NoCategory:
        return QStringLiteral("brak kategorii");
    case Reason::UnknownCategory:
        return QStringLiteral("nieznana kategoria");
    case Reason::BadPoints:
        return QStringLiteral("zła liczba punktów");
    case Reason::BadMediaName:
        return QStringLiteral("niedozwolona nazwa pliku multimediów");
    case Reason::MissingMedia:
        return QStringLiteral("brak pliku multimediów");
    case Reason::CorrectedToBasic:
        return QStringLiteral("zakres poprawiony na podstawowy");
    case Reason::CorrectedToSpecialist:
        return QStringLiteral("zakres poprawiony na specjalistyczny");
    case Reason::IgnoredCategory:
        return QStringLiteral("nieznana kategoria pominięta");
    }
    return {};
}

bool plainFileName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u".." || name.size() > 255)
        return false;
    for (const QChar c : name)
        if (c.unicode() < 32 || c == u'/' || c == u'\\' || c == u':' || c.unicode() == 0x7F)
            return false;
    return true;
}

Catalogue readCatalogue(const Sheet& sheet, const QString& fileName, const ReadProgress& progress) {
    QStringList missing;
    const std::optional<Header> header = findHeader(sheet, &missing);
    if (!header)
        throw Error(QStringLiteral("%1: brak kolumn %2 w wierszu nagłówka arkusza")
                        .arg(fileName, missing.join(QStringLiteral(", "))));
    const int* col = header->columns;
    Catalogue out;
    out.hasPoints = col[Points] >= 0;
    out.hasEnglish = col[TextEn] >= 0;
    out.hasGerman = col[TextDe] >= 0;
    out.hasUkrainian = col[TextUa] >= 0;
    out.hasSignLanguage = col[SignText] >= 0 || col[SignA] >= 0;
    out.extraColumns = header->extraHeaders;

    QHash<qint64, qint64> firstRowOf; // official number -> sheet row of the question kept
    for (qsizetype i = header->row + 1; i < sheet.rowCount(); ++i) {
        if (progress && i % 1024 == 0)
            progress(QStringLiteral("Sprawdzanie pytań"), i, sheet.rowCount());
        if (sheet.cellCount(i) == 0)
            continue; // an empty (formatted) row
        auto cell = [&](Column c) { return cleanText(sheet.cell(i, col[c]).text); };
        const QString number = cell(Number), text = cell(Text), answer = cell(Answer).toUpper();
        const QString a = cell(OptionA), b = cell(OptionB), c = cell(OptionC);
        auto name = [&](Column c) { return fileNameCell(sheet.cell(i, col[c]).text); };
        const QString media = name(Media), part = cell(PartColumn).toUpper();
        const QString categories = cell(Categories), points = cell(Points);
        if (number.isEmpty() && text.isEmpty() && answer.isEmpty() && a.isEmpty() && b.isEmpty() &&
            c.isEmpty() && media.isEmpty() && categories.isEmpty())
            continue; // an empty (formatted) row
        ++out.rows;

        RowNote note;
        note.row = sheet.rowNumber(i);
        note.number = number;
        note.statedPart = part;
        QStringList cats, unknown;
        for (const QString& piece :
             categories.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts)) {
            const QString code = piece.toUpper();
            if (!categoryCodes().contains(code))
                unknown << piece;
            else if (!cats.contains(code))
                cats << code;
        }
        // Kept in the order of categoryCodes().
        QStringList ordered;
        for (const QString& code : categoryCodes())
            if (cats.contains(code))
                ordered << code;
        note.categories = ordered;
        auto report = [&](Reason r, const QString& detail) {
            note.reason = r;
            note.detail = detail;
            out.notes << note;
        };

        qint64 n = 0;
        if (!wholeNumber(number, &n) || n < 1) {
            report(Reason::BadNumber,
                   number.isEmpty()
                       ? QStringLiteral("brak numeru pytania")
                       : QStringLiteral("numer pytania „%1” nie jest liczbą całkowitą dodatnią")
                             .arg(number.left(40)));
            continue;
        }
        note.number = QString::number(n);
        if (text.isEmpty()) {
            report(Reason::EmptyText, QStringLiteral("pusta treść pytania"));
            continue;
        }
        const bool yesNo = answer == u"T" || answer == u"N";
        const bool choice = answer == u"A" || answer == u"B" || answer == u"C";
        if (!yesNo && !choice) {
            report(Reason::BadAnswer,
                   QStringLiteral("poprawna odpowiedź „%1” (dozwolone: T, N, A, B, C)")
                       .arg(answer.left(40)));
            continue;
        }
        const int options = int(!a.isEmpty()) + int(!b.isEmpty()) + int(!c.isEmpty());
        if (yesNo && options > 0) {
            report(Reason::YesNoWithOptions,
                   QStringLiteral("odpowiedź %1 (TAK/NIE), a wiersz ma odpowiedzi A, B, C")
                       .arg(answer));
            continue;
        }
        if (choice && options == 0) {
            report(Reason::ChoiceWithoutOptions,
                   QStringLiteral("odpowiedź %1 bez treści odpowiedzi A, B, C").arg(answer));
            continue;
        }
        if (choice && options < 3) {
            report(Reason::IncompleteOptions,
                   QStringLiteral("odpowiedź %1, a brak treści części odpowiedzi A, B, C")
                       .arg(answer));
            continue;
        }
        // A code the program does not know is passed over; the row stays for the categories it
        // names that the program knows, and is left out only when there are none.
        const QString unknownCodes = unknown.join(u',').left(40);
        if (ordered.isEmpty()) {
            if (!unknown.isEmpty())
                report(Reason::UnknownCategory,
                       QStringLiteral("nieznana kategoria „%1”").arg(unknownCodes));
            else
                report(Reason::NoCategory, QStringLiteral("brak kategorii"));
            continue;
        }
        int pts = 0;
        if (out.hasPoints) {
            qint64 p = 0;
            if (!wholeNumber(points, &p) || p < 1 || p > 3) {
                report(Reason::BadPoints, QStringLiteral("liczba punktów „%1” (dozwolone: 1, 2, 3)")
                                              .arg(points.left(40)));
                continue;
            }
            pts = int(p);
        }
        if (!media.isEmpty() && !plainFileName(media)) {
            report(Reason::BadMediaName,
                   QStringLiteral("niedozwolona nazwa pliku multimediów „%1”").arg(media.left(80)));
            continue;
        }

        if (const auto it = firstRowOf.constFind(n); it != firstRowOf.constEnd()) {
            report(Reason::DuplicateNumber,
                   QStringLiteral("numer pytania %1 był już w wierszu %2").arg(n).arg(it.value()));
            continue;
        }
        firstRowOf.insert(n, sheet.rowNumber(i));

        Question q;
        q.number = n;
        q.part = yesNo ? Part::Basic : Part::Specialist;
        q.text = text;
        if (choice) {
            q.a = a;
            q.b = b;
            q.c = c;
        }
        q.answer = answer;
        q.media = media;
        q.points = pts;
        q.categories = ordered;
        q.row = sheet.rowNumber(i);
        const auto language = [&](Column first, QString* t, QString* oa, QString* ob, QString* oc) {
            *t = cell(first);
            if (choice) {
                *oa = cell(Column(first + 1));
                *ob = cell(Column(first + 2));
                *oc = cell(Column(first + 3));
            }
        };
        language(TextEn, &q.en, &q.enA, &q.enB, &q.enC);
        language(TextDe, &q.de, &q.deA, &q.deB, &q.deC);
        language(TextUa, &q.ua, &q.uaA, &q.uaB, &q.uaC);
        q.signText = name(SignText);
        q.signA = name(SignA);
        q.signB = name(SignB);
        q.signC = name(SignC);
        // A sign-language film with a name that is no plain file name is not kept; the
        // question stays.
        for (QString* film : {&q.signText, &q.signA, &q.signB, &q.signC})
            if (!film->isEmpty() && !plainFileName(*film))
                film->clear();
        for (const int column : header->extra)
            q.extra << cleanText(sheet.cell(i, column).text);
        out.questions << q;
        if (!unknown.isEmpty())
            report(Reason::IgnoredCategory,
                   QStringLiteral("nieznana kategoria „%1” pominięta, pytanie zostaje w "
                                  "kategoriach %2")
                       .arg(unknownCodes, ordered.join(QStringLiteral(", "))));

        if (statedPart(part) != q.part)
            report(q.part == Part::Basic ? Reason::CorrectedToBasic : Reason::CorrectedToSpecialist,
                   QStringLiteral("zakres „%1”, a wiersz niesie pytanie %2: zaliczone do %3")
                       .arg(part.left(40),
                            q.part == Part::Basic ? QStringLiteral("TAK/NIE bez odpowiedzi A, B, C")
                                                  : QStringLiteral("z odpowiedziami A, B, C"),
                            q.part == Part::Basic ? QStringLiteral("podstawowych")
                                                  : QStringLiteral("specjalistycznych")));
    }
    return out;
}

} // namespace wirtal::catalogue
