#include "results/reportoutput.h"

#include "platform/error.h"
#include "platform/savefile.h"
#include "results/reportparams.h"

#include <QBuffer>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace wirtal {

namespace {
const QString reportTitle = QStringLiteral("Raport z testu");

void render(const QString& html, QPagedPaintDevice& device) {
    QTextDocument doc;
    doc.setHtml(html);
    doc.setPageSize(device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    doc.print(&device);
}
} // namespace

void QtReportOutput::print(const QString& html) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw Error(QStringLiteral("Nie można wydrukować raportu: w systemie nie ma drukarki "
                                   "domyślnej."));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(reportTitle);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QTextDocument doc;
    doc.setHtml(html);
    doc.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        throw Error(QStringLiteral("Drukarka „%1” zgłosiła błąd; raport nie został wydrukowany.")
                        .arg(info.printerName()));
}

void QtReportOutput::savePdf(const QString& html, const QString& path) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(reportTitle);
        writer.setCreator(QStringLiteral("Wirtal 2013"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        render(html, writer);
    }
    setPdfAuthor(bytes, QStringLiteral("Norel"), reportTitle);
    QString why;
    if (!saveWhole(path, bytes, &why))
        throw Error(QStringLiteral("Nie można zapisać raportu do pliku „%1”: %2.")
                        .arg(QDir::toNativeSeparators(path), why));
}

} // namespace wirtal
