// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/report.h"

#include "base/pagesanitizer.h"
#include "base/paths.h"
#include "base/textfile.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/filereader.h"
#include "platform/savefile.h"
#include "results/reportoutput.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// The default template is a resource of this static library: register it explicitly.
static void registerReportResources() {
    Q_INIT_RESOURCE(report);
}

namespace wirtal {

namespace {
// The filled template as the layout gets it. A template whose shape is beyond what the layout
// handles in a moment (a nesting of thousands of tables takes minutes, an endless word or a huge
// padding many seconds) is printed as its text alone. Templates are the user's own, so they keep
// their style sheet and may hold more text than a web page.
QString boundedForLayout(const QString& html) {
    safehtml::Limits limits;
    limits.maxText = 256 * 1024;
    limits.maxWord = 2000;
    if (safehtml::withinLimits(safehtml::measure(html), limits))
        return html;
    return safehtml::textAlone(html, limits);
}
} // namespace

Report::Report(Dialogs& dialogs, ReportOutput& output, std::function<ReportInput()> input)
    : dialogs_(dialogs), output_(output), input_(std::move(input)) {}

QString Report::templatePath() {
    return Paths::inUserData(QStringLiteral("testy.rav"));
}

namespace {
// An untouched copy of the template that earlier versions installed (9 pt text, the table only as
// wide as its contents): it gives way to the current one. A template the user changed is kept.
bool isEarlierShippedTemplate(const QString& path) {
    QFile f(path);
    if (f.size() != 6251 || !f.open(QIODevice::ReadOnly))
        return false;
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex() ==
           "8feddb97c88258605543ea0a713fc667d4cd2b5ad98d943f98c0660c842d05fc";
}
} // namespace

void Report::installDefaultTemplate() {
    const QString target = templatePath();
    if (QFileInfo::exists(target) && !isEarlierShippedTemplate(target))
        return;
    registerReportResources();
    QFile shipped(QStringLiteral(":/report/testy.rav"));
    if (shipped.open(QIODevice::ReadOnly))
        saveWhole(target, shipped.readAll());
}

QString Report::suggestedFile() const {
    // The user's documents folder (the program folder of an installed copy is read-only), and a
    // name that says what and when: raport-testu-2026-12-10.pdf.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QDateTime when = input_().now;
    const QString date = (when.isValid() ? when : QDateTime::currentDateTime())
                             .toString(QStringLiteral("yyyy-MM-dd"));
    return QDir(folder).filePath(QStringLiteral("raport-testu-%1.pdf").arg(date));
}

QString Report::filled() const {
    const QString path = templatePath();
    if (!QFileInfo::exists(path))
        return {};
    // Only a regular file of bounded size: a FIFO in its place must not block the program.
    const FileRead f = tryReadRegularFile(path);
    if (f.problem != FileProblem::None)
        throw Error(QStringLiteral("Nie można odczytać szablonu raportu „%1”. %2")
                        .arg(QDir::toNativeSeparators(path), f.message));
    // The template is UTF-8 unless it starts with another byte-order mark.
    const QByteArray& bytes = f.bytes;
    const bool bom = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
                     bytes.startsWith("\xFE\xFF");
    const QString html = bom ? decodeText(bytes) : QString::fromUtf8(bytes);
    return boundedForLayout(fillTemplate(html, reportParameters(input_())));
}

void Report::printReport() {
    const QString html = filled();
    if (html.isEmpty())
        return;
    output_.print(html);
}

void Report::saveReport() {
    const QString html = filled();
    if (html.isEmpty())
        return;
    QString file = dialogs_.saveFileName(QStringLiteral("Zapisz raport z testu"),
                                         QStringLiteral("pdf (*.pdf)"), suggestedFile());
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    output_.savePdf(html, file);
}

} // namespace wirtal
