// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/xlsx.h"

#include "catalogue/xlsxzip.h"
#include "platform/error.h"
#include "platform/filereader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <memory>

namespace wirtal::catalogue {

namespace {

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
// Where a part's XML comes from: bytes in memory, or an entry of the archive unpacked as it is read
// (then its problems are the reader's errors, and every megabyte unpacked is a progress call).
struct Source {
    explicit Source(const QByteArray& xml) : buffer(std::make_unique<QBuffer>()), size(xml.size()) {
        buffer->setData(xml);
        buffer->open(QIODevice::ReadOnly);
        device = buffer.get();
    }
    explicit Source(std::unique_ptr<ZipEntryDevice> zipEntry)
        : entry(std::move(zipEntry)), device(entry.get()), size(entry->size()) {}

    std::unique_ptr<QBuffer> buffer;
    std::unique_ptr<ZipEntryDevice> entry;
    QIODevice* device = nullptr;
    qint64 size = 0;
};

class Reader {
public:
    // The XML is read from the device a few kilobytes at a time: given the whole part at once,
    // QXmlStreamReader would hold all of it decoded as well.
    Reader(Source& source, const XlsxLimits& limits, const QString& part,
           const ReadProgress* progress = nullptr, const QString& step = {})
        : source_(source), xml_(source.device), limits_(limits), part_(part), progress_(progress),
          step_(step), size_(source.size) {}

    // The next token; throws on an XML error, a DTD, nesting deeper than the limit or a damaged
    // entry of the archive.
    QXmlStreamReader::TokenType next() {
        const bool unpacked = source_.entry && source_.entry->progressDue();
        if (progress_ && *progress_ && (++tokens_ % progressTokens == 0 || unpacked))
            (*progress_)(step_, std::min(xml_.characterOffset(), size_), size_);
        const auto t = xml_.readNext();
        // The XML breaks where a damaged or cut entry does: the entry's problem is the error.
        if (t == QXmlStreamReader::Invalid && source_.entry) {
            source_.entry->finish();
            if (!source_.entry->problem().isEmpty())
                throw Error(source_.entry->problem());
        }
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
    // After the last token: an archive entry must end where its directory says.
    void finish() {
        if (!source_.entry)
            return;
        source_.entry->finish();
        if (!source_.entry->problem().isEmpty())
            throw Error(source_.entry->problem());
    }
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
    Source& source_;
    QXmlStreamReader xml_;
    const XlsxLimits& limits_;
    QString part_;
    const ReadProgress* progress_;
    QString step_;
    qint64 size_ = 0;
    qint64 tokens_ = 0;
    int depth_ = 0;
};

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

namespace {

TextTable readSharedStrings(Source& source, const XlsxLimits& limits, const QString& part,
                            const ReadProgress& progress) {
    Reader r(source, limits, part, &progress, stringsStep);
    TextTable out;
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
                current.resize(0); // keeps its room for the next string
            } else if (r.name() == u"rPh") {
                ++phonetic;
            } else if (r.name() == u"t") {
                inText = inItem && phonetic == 0;
            }
            break;
        case QXmlStreamReader::EndElement:
            if (r.name() == u"si" && inItem) {
                if (!out.append(decodeEscapes(current)))
                    r.fail(QStringLiteral("napisy są razem za długie"));
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
    r.finish();
    out.squeeze();
    return out;
}

} // namespace

TextTable parseSharedStrings(const QByteArray& xml, const XlsxLimits& limits, const QString& part,
                             const ReadProgress& progress) {
    Source source(xml);
    return readSharedStrings(source, limits, part, progress);
}

namespace {

enum class CellType { Number, Shared, Inline, Value };

CellType cellType(QStringView t) {
    if (t == u"s")
        return CellType::Shared;
    if (t == u"inlineStr")
        return CellType::Inline;
    if (t == u"str" || t == u"e" || t == u"b")
        return CellType::Value;
    return CellType::Number;
}

// Which columns of the rows read so far are kept (see KeptColumns).
class ColumnFilter {
public:
    explicit ColumnFilter(const KeptColumns& kept) : kept_(kept) {}
    // Whether a cell of `column` is kept in the row being read.
    bool keeps(int column) const {
        if (!kept_.choose || whole_)
            return true;
        return column < columns_.size() && columns_[column];
    }
    // Called at the start of each row, `rows` being the rows read before it.
    void startRow(qsizetype rows) { whole_ = !chosen_ && rows < kept_.wholeRows; }
    // Called at the end of each row.
    void endRow(const Sheet& sheet, qsizetype row) {
        if (!kept_.choose || !whole_)
            return;
        if (const std::optional<QList<int>> columns = kept_.choose(sheet, row)) {
            chosen_ = true;
            for (const int c : *columns)
                if (c >= 0) {
                    if (c >= columns_.size())
                        columns_.resize(c + 1, false);
                    columns_[c] = true;
                }
        }
    }

private:
    const KeptColumns& kept_;
    QList<bool> columns_;
    bool whole_ = true;
    bool chosen_ = false;
};

Sheet readSheet(Source& source, TextTable shared, const XlsxLimits& limits, const QString& part,
                const ReadProgress& progress, const KeptColumns& kept) {
    Reader r(source, limits, part, &progress, sheetStep);
    Sheet sheet(std::move(shared));
    const qsizetype sharedCount = sheet.shared().size();
    // A spreadsheet has at most 16,384 columns (A to XFD); a cell keeps its column in 16 bits.
    const int columnLimit = std::min(limits.columns, 16384);
    ColumnFilter filter(kept);
    qint64 cells = 0, lastNumber = 0;
    bool inData = false, inRow = false, inCell = false, inValue = false, inText = false;
    bool keep = false;
    int phonetic = 0;
    CellType type = CellType::Number;
    QString value, inlineText, ref;
    int column = -1;
    // Reused from cell to cell: their room stays.
    auto assign = [](QString& into, QStringView from) {
        into.resize(0);
        into.append(from);
    };
    while (!r.atEnd()) {
        switch (r.next()) {
        case QXmlStreamReader::StartElement: {
            const QStringView n = r.name();
            if (n == u"sheetData") {
                inData = true;
            } else if (inData && n == u"row") {
                // A row inside a row (or inside a cell) is no sheet a spreadsheet program writes.
                if (inRow)
                    r.fail(QStringLiteral("wiersz wewnątrz wiersza"));
                if (sheet.rowCount() >= limits.rows)
                    r.fail(QStringLiteral("ponad %1 wierszy").arg(limits.rows));
                const QStringView rr = r.attribute(u"r");
                qint64 number = lastNumber + 1;
                if (!rr.isEmpty()) {
                    bool ok = false;
                    number = rr.toLongLong(&ok);
                    if (!ok || number < 1 || number > 1048576)
                        r.fail(QStringLiteral("zły numer wiersza „%1”").arg(rr));
                }
                filter.startRow(sheet.rowCount());
                sheet.addRow(number);
                lastNumber = number;
                inRow = true;
                column = -1;
            } else if (inRow && n == u"c") {
                if (++cells > limits.cells)
                    r.fail(QStringLiteral("ponad %1 komórek").arg(limits.cells));
                assign(ref, r.attribute(u"r"));
                type = cellType(r.attribute(u"t"));
                if (ref.isEmpty()) {
                    ++column;
                } else {
                    column = columnOf(ref);
                    if (column < 0)
                        r.fail(QStringLiteral("zły adres komórki „%1”").arg(ref));
                }
                if (column >= columnLimit)
                    r.fail(QStringLiteral("komórka %1 leży za kolumną %2")
                               .arg(ref.isEmpty() ? QString::number(column + 1) : ref)
                               .arg(columnLimit));
                keep = filter.keeps(column);
                inCell = true;
                value.resize(0);
                inlineText.resize(0);
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
                filter.endRow(sheet, sheet.rowCount() - 1);
            } else if (inCell && n == u"c") {
                inCell = false;
                bool stored = true;
                switch (type) {
                case CellType::Shared: {
                    // Checked in every cell, kept or not: a file is refused alike either way.
                    bool ok = false;
                    const qint64 index = value.trimmed().toLongLong(&ok);
                    if (!ok || index < 0 || index >= sharedCount)
                        r.fail(QStringLiteral("komórka %1 wskazuje nieistniejący napis „%2”")
                                   .arg(ref, value.left(20)));
                    if (keep)
                        sheet.setSharedCell(column, index);
                    break;
                }
                case CellType::Inline:
                    if (keep)
                        stored = sheet.setCell(column, decodeEscapes(inlineText), false);
                    break;
                case CellType::Value:
                    if (keep)
                        stored = sheet.setCell(column, decodeEscapes(value), false);
                    break;
                case CellType::Number:
                    if (keep) {
                        const QStringView number = QStringView(value).trimmed();
                        stored = sheet.setCell(column, number, !number.isEmpty());
                    }
                    break;
                }
                if (!stored)
                    r.fail(QStringLiteral("teksty arkusza są razem za długie"));
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
    r.finish();
    sheet.squeeze();
    return sheet;
}

} // namespace

Sheet parseSheet(const QByteArray& xml, TextTable shared, const XlsxLimits& limits,
                 const QString& part, const ReadProgress& progress, const KeptColumns& kept) {
    Source source(xml);
    return readSheet(source, std::move(shared), limits, part, progress, kept);
}

WorkbookParts workbookParts(const QByteArray& workbookXml, const QByteArray& relsXml,
                            const XlsxLimits& limits) {
    QList<QPair<QString, QString>> ids; // name, relationship id
    {
        Source source(workbookXml);
        Reader r(source, limits, QStringLiteral("xl/workbook.xml"));
        while (!r.atEnd() && ids.size() < maxSheets)
            if (r.next() == QXmlStreamReader::StartElement && r.name() == u"sheet")
                ids.append(
                    {r.attribute(u"name").toString().left(64), r.attribute(u"id").toString()});
        if (ids.isEmpty() || ids.first().second.isEmpty())
            r.fail(QStringLiteral("skoroszyt nie ma żadnego arkusza"));
    }
    const QString sheetId = ids.first().second;
    QHash<QString, QString> entryOf; // relationship id -> entry
    WorkbookParts parts;
    Source relsSource(relsXml);
    Reader r(relsSource, limits, QStringLiteral("xl/_rels/workbook.xml.rels"));
    while (!r.atEnd()) {
        if (r.next() != QXmlStreamReader::StartElement || r.name() != u"Relationship")
            continue;
        if (r.attribute(u"TargetMode") == u"External")
            continue;
        const QStringView target = r.attribute(u"Target");
        if (r.attribute(u"Type").endsWith(u"/worksheet"))
            entryOf.insert(r.attribute(u"Id").toString(), entryName(target));
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
    parts.sheets.append({ids.first().first, parts.sheet});
    for (qsizetype i = 1; i < ids.size(); ++i)
        if (const QString entry = entryOf.value(ids[i].second); !entry.isEmpty())
            parts.sheets.append({ids[i].first, entry});
    return parts;
}

Sheet readFirstSheet(const QByteArray& xlsx, const QString& fileName, const XlsxLimits& limits,
                     const ReadProgress& progress, const KeptColumns& kept) {
    Zip zip(xlsx, fileName, limits);
    try {
        const QByteArray workbook = zip.read(QStringLiteral("xl/workbook.xml"));
        const QByteArray rels = zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"));
        const WorkbookParts parts = workbookParts(workbook, rels, limits);
        TextTable shared;
        if (!parts.sharedStrings.isEmpty() && zip.has(parts.sharedStrings)) {
            Source strings(zip.open(parts.sharedStrings));
            shared = readSharedStrings(strings, limits, parts.sharedStrings, progress);
        }
        Source sheet(zip.open(parts.sheet));
        return readSheet(sheet, std::move(shared), limits, parts.sheet, progress, kept);
    } catch (const Error& e) {
        if (e.message().startsWith(fileName + u':'))
            throw;
        zip.fail(e.message());
    }
}

Sheet readFirstSheetFile(const QString& path, const XlsxLimits& limits,
                         const ReadProgress& progress, const KeptColumns& kept) {
    // Only a regular file, opened without blocking, and never more of it than the limit.
    FileRead in = tryReadRegularFile(path, limits.fileBytes);
    if (in.problem == FileProblem::Missing)
        throw Error(QStringLiteral("%1: nie ma takiego pliku").arg(path));
    if (in.problem != FileProblem::None)
        throw Error(in.message);
    return readFirstSheet(in.bytes, QFileInfo(path).fileName(), limits, progress, kept);
}

QList<NamedSheet> readSheetsFile(const QString& path, const XlsxLimits& limits,
                                 const ReadProgress& progress, const KeptColumns& kept) {
    FileRead in = tryReadRegularFile(path, limits.fileBytes);
    if (in.problem == FileProblem::Missing)
        throw Error(QStringLiteral("%1: nie ma takiego pliku").arg(path));
    if (in.problem != FileProblem::None)
        throw Error(in.message);
    const QString fileName = QFileInfo(path).fileName();
    Zip zip(in.bytes, fileName, limits);
    try {
        const QByteArray workbook = zip.read(QStringLiteral("xl/workbook.xml"));
        const QByteArray rels = zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"));
        const WorkbookParts parts = workbookParts(workbook, rels, limits);
        TextTable shared;
        if (!parts.sharedStrings.isEmpty() && zip.has(parts.sharedStrings)) {
            Source strings(zip.open(parts.sharedStrings));
            shared = readSharedStrings(strings, limits, parts.sharedStrings, progress);
        }
        QList<NamedSheet> out;
        for (qsizetype i = parts.sheets.size() - 1; i >= 0; --i) {
            const auto& [name, entry] = parts.sheets[i];
            if (i > 0 && !zip.has(entry))
                continue;
            Source sheet(zip.open(entry));
            // The first sheet, read last, takes the shared strings; the others a copy.
            out.prepend(NamedSheet{name, readSheet(sheet, i == 0 ? std::move(shared) : shared,
                                                   limits, entry, progress, kept)});
        }
        return out;
    } catch (const Error& e) {
        if (e.message().startsWith(fileName + u':'))
            throw;
        zip.fail(e.message());
    }
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
