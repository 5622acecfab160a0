#include "results/report.h"

#include "base/paths.h"
#include "base/textfile.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "results/reportoutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// The default template is a resource of this static library: register it explicitly.
static void registerReportResources() {
    Q_INIT_RESOURCE(report);
}

namespace wirtal {

Report::Report(Dialogs& dialogs, ReportOutput& output, std::function<ReportInput()> input)
    : dialogs_(dialogs), output_(output), input_(std::move(input)) {}

QString Report::templatePath() {
    return Paths::inUserData(QStringLiteral("testy.rav"));
}

void Report::installDefaultTemplate() {
    const QString target = templatePath();
    if (QFileInfo::exists(target))
        return;
    registerReportResources();
    QFile::copy(QStringLiteral(":/report/testy.rav"), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
}

QString Report::filled() const {
    const QString path = templatePath();
    if (!QFileInfo::exists(path))
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nie można odczytać szablonu raportu „%1”.")
                        .arg(QDir::toNativeSeparators(path)));
    // The template is UTF-8 unless it starts with another byte-order mark.
    QByteArray bytes = f.readAll();
    const bool bom = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
                     bytes.startsWith("\xFE\xFF");
    const QString html = bom ? decodeText(bytes) : QString::fromUtf8(bytes);
    return fillTemplate(html, reportParameters(input_()));
}

void Report::drukuj() {
    const QString html = filled();
    if (html.isEmpty())
        return;
    output_.print(html);
}

void Report::zapisz() {
    const QString html = filled();
    if (html.isEmpty())
        return;
    QString file = dialogs_.saveFileName(QStringLiteral("Zapisz raport z testu"),
                                         QStringLiteral("pdf (*.pdf)"));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    output_.savePdf(html, file);
}

} // namespace wirtal
