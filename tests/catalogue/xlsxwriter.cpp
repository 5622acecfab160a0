// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/xlsxwriter.h"

#include <QFile>
#include <QHash>

#include <algorithm>

#include <zip.h>

namespace wirtal::test {

namespace {

QString xmlEscaped(const QString& s) {
    return s.toHtmlEscaped();
}

QString columnName(int c) {
    QString name;
    for (++c; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

} // namespace

SheetXml sheetXml(const QList<XRow>& rows) {
    QStringList shared;
    QHash<QString, int> index;
    QString sheet = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheetData>");
    for (int r = 0; r < rows.size(); ++r) {
        sheet += QStringLiteral("<row r=\"%1\">").arg(r + 1);
        for (int c = 0; c < rows[r].size(); ++c) {
            const XCell& cell = rows[r][c];
            if (cell.text.isEmpty())
                continue;
            const QString ref = columnName(c) + QString::number(r + 1);
            switch (cell.kind) {
            case XCell::Shared: {
                if (!index.contains(cell.text)) {
                    index.insert(cell.text, int(shared.size()));
                    shared << cell.text;
                }
                sheet += QStringLiteral("<c r=\"%1\" t=\"s\"><v>%2</v></c>")
                             .arg(ref)
                             .arg(index.value(cell.text));
                break;
            }
            case XCell::Inline:
                sheet += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t>%2</t></is></c>")
                             .arg(ref, xmlEscaped(cell.text));
                break;
            case XCell::Number:
                sheet += QStringLiteral("<c r=\"%1\"><v>%2</v></c>").arg(ref, cell.text);
                break;
            }
        }
        sheet += QStringLiteral("</row>");
    }
    sheet += QStringLiteral("</sheetData></worksheet>");
    QString sst =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                       "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                       "count=\"%1\" uniqueCount=\"%1\">")
            .arg(shared.size());
    for (const QString& s : shared)
        sst += QStringLiteral("<si><t xml:space=\"preserve\">%1</t></si>").arg(xmlEscaped(s));
    sst += QStringLiteral("</sst>");
    return {sheet.toUtf8(), sst.toUtf8()};
}

QByteArray zipBytes(const QList<QPair<QString, QByteArray>>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* z = zip_open_from_source(out, ZIP_TRUNCATE, &error);
    zip_source_keep(out);
    for (const auto& [name, bytes] : entries) {
        if (name.endsWith(u'/')) {
            zip_dir_add(z, name.chopped(1).toUtf8().constData(), ZIP_FL_ENC_UTF_8);
            continue;
        }
        zip_source_t* s = zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        zip_file_add(z, name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8);
    }
    zip_close(z);
    QByteArray result;
    zip_stat_t st;
    if (zip_source_stat(out, &st) == 0 && zip_source_open(out) == 0) {
        result.resize(qsizetype(st.size));
        zip_source_read(out, result.data(), st.size);
        zip_source_close(out);
    }
    zip_source_free(out);
    zip_error_fini(&error);
    return result;
}

QList<QPair<QString, QByteArray>> workbookEntries(const QList<XRow>& rows) {
    const SheetXml x = sheetXml(rows);
    const QByteArray workbook =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheets><sheet name=\"Arkusz1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const QByteArray rels =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
        "<Relationship Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
    return {{"[Content_Types].xml", "<Types/>"},
            {"xl/workbook.xml", workbook},
            {"xl/_rels/workbook.xml.rels", rels},
            {"xl/sharedStrings.xml", x.sharedStrings},
            {"xl/worksheets/sheet1.xml", x.sheet}};
}

QByteArray xlsxBytes(const QList<XRow>& rows) {
    return zipBytes(workbookEntries(rows));
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray shapedXlsx(const SheetShape& shape) {
    const XRow header = officialHeader();
    QByteArray sst = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<sst>";
    for (const XCell& h : header)
        sst += "<si><t>" + xmlEscaped(h.text).toUtf8() + "</t></si>";
    for (qint64 i = 0; i < shape.strings; ++i) {
        QByteArray text = QByteArray::number(i);
        text = text.rightJustified(std::max<qsizetype>(shape.stringChars, text.size()), 'x');
        sst += "<si><t>" + text + "</t></si>";
    }
    sst += "</sst>";
    QByteArray sheet = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                       "<worksheet><sheetData>";
    qint64 r = 1;
    if (shape.header) {
        sheet += "<row r=\"1\">";
        for (int c = 0; c < header.size(); ++c)
            sheet += "<c r=\"" + columnName(c).toLatin1() + "1\" t=\"s\"><v>" +
                     QByteArray::number(c) + "</v></c>";
        sheet += "</row>";
        ++r;
    }
    QList<QByteArray> columns;
    for (int c = 0; c < shape.cellsPerRow; ++c)
        columns << columnName(shape.firstColumn + c).toLatin1();
    qint64 next = 0;
    for (qint64 i = 0; i < shape.rows; ++i, ++r) {
        const QByteArray number = QByteArray::number(r);
        sheet += "<row r=\"" + number + "\">";
        for (const QByteArray& column : columns) {
            sheet += "<c r=\"" + column + number + "\" t=\"s\"><v>" +
                     QByteArray::number(header.size() + next) + "</v></c>";
            next = (next + 1) % std::max<qint64>(shape.strings, 1);
        }
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";
    auto entries = workbookEntries({});
    for (auto& [name, bytes] : entries) {
        if (name == u"xl/sharedStrings.xml")
            bytes = sst;
        if (name == u"xl/worksheets/sheet1.xml")
            bytes = sheet;
    }
    return zipBytes(entries);
}

XRow officialHeader() {
    return {"Lp.",          "Numer pytania",  "Pytanie",
            "Odpowiedź A",  "Odpowiedź B",    "Odpowiedź C",
            "Poprawna odp", "Media",          "Zakres struktury",
            "Kategorie",    "Liczba punktów", "Pytanie ENG"};
}

XRow officialRow(qint64 lp, qint64 number, const QString& text, const QString& answer,
                 const QStringList& options, const QString& media, const QString& part,
                 const QString& categories, const QString& points, const QString& en) {
    const auto opt = [&](int i) { return i < options.size() ? options[i] : QString(); };
    return {XCell(QString::number(lp), XCell::Number),
            XCell(QString::number(number), XCell::Number),
            XCell(text),
            XCell(opt(0)),
            XCell(opt(1)),
            XCell(opt(2)),
            XCell(answer),
            XCell(media),
            XCell(part),
            XCell(categories),
            XCell(points, XCell::Number),
            XCell(en)};
}

} // namespace wirtal::test
