// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QPrinter;

namespace wirtal {

// Where a filled-in report goes: the default printer, or a PDF file. Both throw Error with a
// clear message when the printer or the file fails.
class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    virtual void print(const QString& html) = 0;
    virtual void savePdf(const QString& html, const QString& path) = 0;
};

// The real output: Qt's rich-text engine onto QPrinter (the default printer, no dialog) and
// QPdfWriter (fonts embedded, author "Norel"). Both get the same page: A4 with 15 mm margins,
// the document laid out across the whole width between them at the device's own resolution.
class QtReportOutput final : public ReportOutput {
public:
    void print(const QString& html) override;
    void savePdf(const QString& html, const QString& path) override;

    // The report onto the given printer, set up as print() sets up the default one.
    static void printOn(const QString& html, QPrinter& printer);
};

} // namespace wirtal
