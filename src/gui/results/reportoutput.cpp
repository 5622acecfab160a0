// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/reportoutput.h"

#include "platform/error.h"
#include "platform/savefile.h"
#include "results/reportparams.h"
#include "widgets/quietdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace wirtal {

namespace {
const QString reportTitle = QStringLiteral("Raport z testu");

// The resolution the report is laid out at, whatever the device: the printer and the PDF get
// the same line breaks and positions.
constexpr int layoutDpi = 300;

// Lays the report out on A4 pages of the device and draws it. The document is measured at
// layoutDpi on a page body of the printable area between the margins, and QTextDocument::print
// scales that to the device, so a size in points is that size on paper. (Measured at screen
// resolution instead, the page body in device pixels would hold the text at a third of its size.)
void render(const QString& html, QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QImage measure(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(layoutDpi / 0.0254);
    measure.setDotsPerMeterX(dotsPerMeter);
    measure.setDotsPerMeterY(dotsPerMeter);
    // The template is a user's file: what it names as a picture or a style sheet is never read
    // (the template that ships with the program names none).
    QuietDocument doc;
    doc.documentLayout()->setPaintDevice(&measure);
    doc.setDocumentMargin(0);
    doc.setHtml(html);
    doc.setPageSize(device.pageLayout().paintRectPixels(layoutDpi).size());
    doc.print(&device);
}
} // namespace

void QtReportOutput::print(const QString& html) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw Error(QStringLiteral("Nie można wydrukować raportu: w systemie nie ma drukarki "
                                   "domyślnej."));
    QPrinter printer(info, QPrinter::HighResolution);
    printOn(html, printer);
    if (printer.printerState() == QPrinter::Error)
        throw Error(QStringLiteral("Drukarka „%1” zgłosiła błąd; raport nie został wydrukowany.")
                        .arg(info.printerName()));
}

void QtReportOutput::printOn(const QString& html, QPrinter& printer) {
    printer.setDocName(reportTitle);
    render(html, printer);
}

void QtReportOutput::savePdf(const QString& html, const QString& path) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(reportTitle);
        writer.setCreator(QStringLiteral("Wirtal 2013"));
        writer.setResolution(300);
        render(html, writer);
    }
    setPdfAuthor(bytes, QStringLiteral("Norel"));
    QString why;
    if (!saveWhole(path, bytes, &why))
        throw Error(QStringLiteral("Nie można zapisać raportu do pliku „%1”: %2.")
                        .arg(QDir::toNativeSeparators(path), why));
}

} // namespace wirtal
