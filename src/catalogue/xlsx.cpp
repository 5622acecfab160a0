// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/xlsx.h"

#include "platform/error.h"
#include "platform/filereader.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace wirtal::catalogue {

namespace {

const Cell emptyCell;

// Spreadsheet programs write characters that XML cannot carry as _xHHHH_ (and a literal "_x" as
// _x005F_x); control characters come out of that as well, and the caller decides about them.
QString decodeEscapes(const QString& s) {
    if (!s.contains(QStringLiteral("_x")))
        return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'_' && i + 6 < s.size() && s[i + 1] == u'x' && s[i + 6] == u'_') {
            bool ok = false;
            const uint code = QStringView(s).mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out += QChar(char16_t(code));
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

// One XML part read through QXmlStreamReader with the nesting bounded and DTDs refused (no
// entity tricks); `fail` throws Error naming the part and line.
class Reader {
public:
    Reader(const QByteArray& xml, const XlsxLimits& limits, const QString& part,
           const ReadProgress* progress = nullptr, const QString& step = {})
        : xml_(xml), limits_(limits), part_(part), progress_(progress), step_(step),
          size_(xml.size()) {}

    // The next token; throws on an XML error, a DTD or nesting deeper than the limit.
    QXmlStreamReader::TokenType next() {
        if (progress_ && *progress_ && ++tokens_ % progressTokens == 0)
            (*progress_)(step_, std::min(xml_.characterOffset(), size_), size_);
        const auto t = xml_.readNext();
        if (t == QXmlStreamReader::StartElement && ++depth_ > limits_.depth)
            fail(
                QStringLiteral("zbyt głęboko zagnieżdżone elementy (ponad %1)").arg(limits_.depth));
        if (t == QXmlStreamReader::EndElement)
            --depth_;
        if (t == QXmlStreamReader::DTD)
            fail(QStringLiteral("deklaracja DTD jest niedozwolona"));
        if (t == QXmlStreamReader::Invalid)
            fail(QStringLiteral("błędny XML (%1)").arg(xml_.errorString()));
        return t;
    }
    bool atEnd() const { return xml_.atEnd(); }
    QStringView name() const { return xml_.name(); }
    QStringView text() const { return xml_.text(); }
    QStringView attribute(QStringView local) const {
        for (const QXmlStreamAttribute& a : xml_.attributes())
            if (a.name() == local)
                return a.value();
        return {};
    }
    [[noreturn]] void fail(const QString& what) const {
        throw Error(
            QStringLiteral("%1, wiersz %2: %3").arg(part_).arg(xml_.lineNumber()).arg(what));
    }
    // Appends characters to a string, bounded by the string limit.
    void append(QString& into, QStringView chars) const {
        if (into.size() + chars.size() > limits_.stringChars)
            fail(QStringLiteral("napis dłuższy niż %1 znaków").arg(limits_.stringChars));
        into += chars;
    }

private:
    // Tokens between two progress calls: a few milliseconds of reading.
    static constexpr qint64 progressTokens = 4096;
    QXmlStreamReader xml_;
    const XlsxLimits& limits_;
    QString part_;
    const ReadProgress* progress_;
    QString step_;
    qint64 size_ = 0;
    qint64 tokens_ = 0;
    int depth_ = 0;
};

const QString unpackStep = QStringLiteral("Rozpakowywanie katalogu");
const QString stringsStep = QStringLiteral("Czytanie napisów katalogu");
const QString sheetStep = QStringLiteral("Czytanie arkusza katalogu");

// Column index of a cell reference ("B7" -> 1); -1 when the reference is no cell reference.
int columnOf(QStringView ref) {
    int col = 0;
    qsizetype i = 0;
    while (i < ref.size() && i < 4 && ref[i] >= u'A' && ref[i] <= u'Z') {
        col = col * 26 + (ref[i].unicode() - u'A' + 1);
        ++i;
    }
    if (i == 0 || i >= ref.size() || i > 3)
        return -1;
    for (qsizetype k = i; k < ref.size(); ++k)
        if (ref[k] < u'0' || ref[k] > u'9')
            return -1;
    return col - 1;
}

// ---- zip ---------------------------------------------------------------------------------------

struct ZipDeleter {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileDeleter {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

class Zip {
public:
    Zip(const QByteArray& bytes, const QString& fileName, const XlsxLimits& limits)
        : fileName_(fileName), limits_(limits) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source =
            zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
        // libzip takes an empty buffer for an empty archive; an empty file is no workbook.
        if (source && !bytes.isEmpty())
            zip_.reset(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
        if (!zip_) {
            if (source)
                zip_source_free(source);
            zip_error_fini(&error);
            fail(QStringLiteral("to nie jest skoroszyt .xlsx (plik ZIP)"));
        }
        zip_error_fini(&error);
        const zip_int64_t entries = zip_get_num_entries(zip_.get(), 0);
        if (entries < 0 || entries > limits_.entries)
            fail(QStringLiteral("archiwum ma za dużo wpisów (ponad %1)").arg(limits_.entries));
    }

    bool has(const QString& name) const {
        return zip_name_locate(zip_.get(), name.toUtf8().constData(), 0) >= 0;
    }

    // The whole entry, bounded in size and compression ratio, unpacked a megabyte at a time.
    QByteArray read(const QString& name, const ReadProgress& progress = {}) {
        const zip_int64_t index = zip_name_locate(zip_.get(), name.toUtf8().constData(), 0);
        if (index < 0)
            fail(QStringLiteral("brak części %1").arg(name));
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip_.get(), zip_uint64_t(index), 0, &st) != 0 ||
            !(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_COMP_SIZE))
            fail(QStringLiteral("nie można odczytać części %1").arg(name));
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            fail(QStringLiteral("część %1 jest zaszyfrowana").arg(name));
        const auto size = qint64(std::min<zip_uint64_t>(st.size, zip_uint64_t(1) << 62));
        if (size > limits_.entryBytes)
            fail(QStringLiteral("część %1 jest po rozpakowaniu za duża (%2 B, dozwolone %3 B)")
                     .arg(name)
                     .arg(size)
                     .arg(limits_.entryBytes));
        total_ += size;
        if (total_ > limits_.totalBytes)
            fail(QStringLiteral("części skoroszytu są po rozpakowaniu razem za duże (ponad %1 B)")
                     .arg(limits_.totalBytes));
        if (size > limits_.ratioFloor &&
            (st.comp_size == 0 || zip_uint64_t(size) / st.comp_size > zip_uint64_t(limits_.ratio)))
            fail(QStringLiteral("część %1 jest podejrzanie mocno skompresowana").arg(name));

        std::unique_ptr<zip_file_t, ZipFileDeleter> file(
            zip_fopen_index(zip_.get(), zip_uint64_t(index), 0));
        if (!file)
            fail(QStringLiteral("nie można rozpakować części %1").arg(name));
        // One byte more than announced: an entry longer than its header says is refused.
        QByteArray out(size + 1, Qt::Uninitialized);
        qint64 got = 0;
        constexpr qint64 chunk = 1 << 20;
        while (got < out.size()) {
            if (progress)
                progress(unpackStep, got, size);
            const zip_int64_t n = zip_fread(file.get(), out.data() + got,
                                            zip_uint64_t(std::min(chunk, out.size() - got)));
            if (n < 0)
                fail(QStringLiteral("część %1 jest uszkodzona").arg(name));
            if (n == 0)
                break;
            got += n;
        }
        if (got != size)
            fail(QStringLiteral("część %1 ma inną długość, niż podaje archiwum").arg(name));
        out.truncate(size);
        return out;
    }

    [[noreturn]] void fail(const QString& what) const {
        throw Error(QStringLiteral("%1: %2").arg(fileName_, what));
    }

private:
    QString fileName_;
    const XlsxLimits& limits_;
    std::unique_ptr<zip_t, ZipDeleter> zip_;
    qint64 total_ = 0;
};

// A relationship target as a zip entry name: relative to the workbook's folder "xl/", or
// absolute from the package root; ".." may not climb out of the package.
QString entryName(QStringView target) {
    QStringList parts;
    QString base = target.startsWith(u'/') ? QString() : QStringLiteral("xl");
    const QString joined = base + u'/' + target.toString();
    for (const QString& p : joined.split(u'/', Qt::SkipEmptyParts)) {
        if (p == u".")
            continue;
        if (p == u"..") {
            if (parts.isEmpty())
                return {};
            parts.removeLast();
            continue;
        }
        parts << p;
    }
    return parts.join(u'/');
}

} // namespace

const Cell& SheetRow::at(int column) const {
    const auto it = std::lower_bound(cells.begin(), cells.end(), column,
                                     [](const PlacedCell& c, int col) { return c.column < col; });
    return it != cells.end() && it->column == column ? it->cell : emptyCell;
}

void SheetRow::set(int column, Cell cell) {
    // Files write a row's cells left to right: the common case appends.
    if ((cells.isEmpty() || cells.last().column < column)) {
        if (!cell.text.isEmpty())
            cells.append(PlacedCell{column, std::move(cell)});
        return;
    }
    const auto it = std::lower_bound(cells.begin(), cells.end(), column,
                                     [](const PlacedCell& c, int col) { return c.column < col; });
    const bool there = it != cells.end() && it->column == column;
    if (cell.text.isEmpty()) {
        if (there)
            cells.erase(it);
    } else if (there) {
        it->cell = std::move(cell);
    } else {
        cells.insert(it, PlacedCell{column, std::move(cell)});
    }
}

QStringList parseSharedStrings(const QByteArray& xml, const XlsxLimits& limits, const QString& part,
                               const ReadProgress& progress) {
    Reader r(xml, limits, part, &progress, stringsStep);
    QStringList out;
    QString current;
    bool inItem = false, inText = false;
    int phonetic = 0; // inside <rPh>: reading aids, not part of the text
    while (!r.atEnd()) {
        switch (r.next()) {
        case QXmlStreamReader::StartElement:
            if (r.name() == u"si") {
                if (out.size() >= limits.strings)
                    r.fail(QStringLiteral("ponad %1 napisów").arg(limits.strings));
                inItem = true;
                current.clear();
            } else if (r.name() == u"rPh") {
                ++phonetic;
            } else if (r.name() == u"t") {
                inText = inItem && phonetic == 0;
            }
            break;
        case QXmlStreamReader::EndElement:
            if (r.name() == u"si" && inItem) {
                out << decodeEscapes(current);
                inItem = false;
            } else if (r.name() == u"rPh") {
                --phonetic;
            } else if (r.name() == u"t") {
                inText = false;
            }
            break;
        case QXmlStreamReader::Characters:
            if (inText)
                r.append(current, r.text());
            break;
        default:
            break;
        }
    }
    return out;
}

Sheet parseSheet(const QByteArray& xml, const QStringList& shared, const XlsxLimits& limits,
                 const QString& part, const ReadProgress& progress) {
    Reader r(xml, limits, part, &progress, sheetStep);
    Sheet sheet;
    qint64 cells = 0;
    bool inData = false, inRow = false, inCell = false, inValue = false, inText = false;
    int phonetic = 0;
    QString type, value, inlineText, ref;
    int column = -1;
    SheetRow* row = nullptr;
    while (!r.atEnd()) {
        switch (r.next()) {
        case QXmlStreamReader::StartElement: {
            const QStringView n = r.name();
            if (n == u"sheetData") {
                inData = true;
            } else if (inData && n == u"row") {
                if (sheet.rows.size() >= limits.rows)
                    r.fail(QStringLiteral("ponad %1 wierszy").arg(limits.rows));
                const QStringView rr = r.attribute(u"r");
                qint64 number = sheet.rows.isEmpty() ? 1 : sheet.rows.last().number + 1;
                if (!rr.isEmpty()) {
                    bool ok = false;
                    number = rr.toLongLong(&ok);
                    if (!ok || number < 1 || number > 1048576)
                        r.fail(QStringLiteral("zły numer wiersza „%1”").arg(rr));
                }
                sheet.rows.append(SheetRow{number, {}});
                row = &sheet.rows.last();
                inRow = true;
                column = -1;
            } else if (inRow && n == u"c") {
                if (++cells > limits.cells)
                    r.fail(QStringLiteral("ponad %1 komórek").arg(limits.cells));
                ref = r.attribute(u"r").toString();
                type = r.attribute(u"t").toString();
                if (ref.isEmpty()) {
                    ++column;
                } else {
                    column = columnOf(ref);
                    if (column < 0)
                        r.fail(QStringLiteral("zły adres komórki „%1”").arg(ref));
                }
                if (column >= limits.columns)
                    r.fail(QStringLiteral("komórka %1 leży za kolumną %2")
                               .arg(ref.isEmpty() ? QString::number(column + 1) : ref)
                               .arg(limits.columns));
                inCell = true;
                value.clear();
                inlineText.clear();
            } else if (inCell && n == u"v") {
                inValue = true;
            } else if (inCell && n == u"rPh") {
                ++phonetic;
            } else if (inCell && n == u"t") {
                inText = phonetic == 0;
            }
            break;
        }
        case QXmlStreamReader::EndElement: {
            const QStringView n = r.name();
            if (n == u"sheetData") {
                inData = false;
            } else if (inRow && n == u"row") {
                inRow = false;
                row = nullptr;
            } else if (inCell && n == u"c") {
                inCell = false;
                Cell cell;
                if (type == u"s") {
                    bool ok = false;
                    const qint64 index = value.trimmed().toLongLong(&ok);
                    if (!ok || index < 0 || index >= shared.size())
                        r.fail(QStringLiteral("komórka %1 wskazuje nieistniejący napis „%2”")
                                   .arg(ref, value.left(20)));
                    cell.text = shared[index];
                } else if (type == u"inlineStr") {
                    cell.text = decodeEscapes(inlineText);
                } else if (type == u"str" || type == u"e" || type == u"b") {
                    cell.text = decodeEscapes(value);
                } else {
                    cell.text = value.trimmed();
                    cell.numeric = !cell.text.isEmpty();
                }
                row->set(column, std::move(cell));
            } else if (n == u"v") {
                inValue = false;
            } else if (n == u"rPh") {
                --phonetic;
            } else if (n == u"t") {
                inText = false;
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (inValue)
                r.append(value, r.text());
            else if (inText)
                r.append(inlineText, r.text());
            break;
        default:
            break;
        }
    }
    return sheet;
}

WorkbookParts workbookParts(const QByteArray& workbookXml, const QByteArray& relsXml,
                            const XlsxLimits& limits) {
    QString sheetId;
    {
        Reader r(workbookXml, limits, QStringLiteral("xl/workbook.xml"));
        while (!r.atEnd() && sheetId.isEmpty())
            if (r.next() == QXmlStreamReader::StartElement && r.name() == u"sheet")
                sheetId = r.attribute(u"id").toString();
        if (sheetId.isEmpty())
            r.fail(QStringLiteral("skoroszyt nie ma żadnego arkusza"));
    }
    WorkbookParts parts;
    Reader r(relsXml, limits, QStringLiteral("xl/_rels/workbook.xml.rels"));
    while (!r.atEnd()) {
        if (r.next() != QXmlStreamReader::StartElement || r.name() != u"Relationship")
            continue;
        if (r.attribute(u"TargetMode") == u"External")
            continue;
        const QStringView target = r.attribute(u"Target");
        if (r.attribute(u"Id") == sheetId) {
            parts.sheet = entryName(target);
            if (parts.sheet.isEmpty())
                r.fail(QStringLiteral("zła ścieżka arkusza „%1”").arg(target));
        } else if (r.attribute(u"Type").endsWith(u"/sharedStrings")) {
            parts.sharedStrings = entryName(target);
        }
    }
    if (parts.sheet.isEmpty())
        r.fail(QStringLiteral("brak ścieżki pierwszego arkusza"));
    return parts;
}

Sheet readFirstSheet(const QByteArray& xlsx, const QString& fileName, const XlsxLimits& limits,
                     const ReadProgress& progress) {
    Zip zip(xlsx, fileName, limits);
    try {
        const QByteArray workbook = zip.read(QStringLiteral("xl/workbook.xml"));
        const QByteArray rels = zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"));
        const WorkbookParts parts = workbookParts(workbook, rels, limits);
        QStringList shared;
        if (!parts.sharedStrings.isEmpty() && zip.has(parts.sharedStrings))
            shared = parseSharedStrings(zip.read(parts.sharedStrings, progress), limits,
                                        parts.sharedStrings, progress);
        return parseSheet(zip.read(parts.sheet, progress), shared, limits, parts.sheet, progress);
    } catch (const Error& e) {
        if (e.message().startsWith(fileName + u':'))
            throw;
        zip.fail(e.message());
    }
}

Sheet readFirstSheetFile(const QString& path, const XlsxLimits& limits,
                         const ReadProgress& progress) {
    // Only a regular file, opened without blocking, and never more of it than the limit.
    FileRead in = tryReadRegularFile(path, limits.fileBytes);
    if (in.problem == FileProblem::Missing)
        throw Error(QStringLiteral("%1: nie ma takiego pliku").arg(path));
    if (in.problem != FileProblem::None)
        throw Error(in.message);
    return readFirstSheet(in.bytes, QFileInfo(path).fileName(), limits, progress);
}

bool wholeNumber(const QString& text, qint64* value) {
    bool ok = false;
    const QString t = text.trimmed();
    const qint64 asInt = t.toLongLong(&ok);
    if (ok) {
        *value = asInt;
        return true;
    }
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 1e15)
        return false;
    *value = qint64(d);
    return true;
}

} // namespace wirtal::catalogue
