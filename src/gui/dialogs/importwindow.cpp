// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/importwindow.h"

#include "catalogue/importdisk.h"
#include "catalogue/importreport.h"

#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace wirtal {

using catalogue::ImportOptions;
using catalogue::ImportResult;

ImportWindow::ImportWindow(ImportOptions options, QWidget* parent)
    : QDialog(parent), options_(std::move(options)) {
    setObjectName(QStringLiteral("importwindow"));
    setWindowTitle(QStringLiteral("Import katalogu pytań"));
    setModal(true);
    setMinimumWidth(460);
    auto* layout = new QVBoxLayout(this);
    step_ = new QLabel(QStringLiteral("Przygotowanie importu"), this);
    step_->setObjectName(QStringLiteral("importstep"));
    // What the label shows may come from the catalogue: never read as markup.
    step_->setTextFormat(Qt::PlainText);
    layout->addWidget(step_);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("importprogress"));
    bar_->setRange(0, 0);
    bar_->setTextVisible(false); // the label says how far it is
    layout->addWidget(bar_);
    cancelButton_ = new QPushButton(QStringLiteral("Przerwij"), this);
    cancelButton_->setObjectName(QStringLiteral("importcancel"));
    cancelButton_->setAutoDefault(false);
    layout->addWidget(cancelButton_, 0, Qt::AlignRight);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
}

ImportWindow::~ImportWindow() {
    // Never leave a worker behind writing into the folders.
    if (worker_) {
        cancel_ = true;
        worker_->wait();
    }
}

ImportResult ImportWindow::run(std::function<void(ImportWindow&)> shown) {
    if (worker_)
        return {};
    worker_ = QThread::create([this] {
        catalogue::Importer importer(options_);
        importer.setCancelFlag(&cancel_);
        // Progress is shown on the GUI thread; a step's total may be thousands of files, so only
        // a new step or a visible move of the bar (of about 200 steps) is posted.
        QString lastStep;
        qint64 lastShown = -1;
        importer.setProgress(
            [this, &lastStep, &lastShown](const QString& step, qint64 done, qint64 total) {
                const qint64 grain = total > 200 ? total / 200 : 1;
                if (step == lastStep && done != total && done / grain == lastShown)
                    return;
                lastStep = step;
                lastShown = done / grain;
                QMetaObject::invokeMethod(
                    this, [this, step, done, total] { showProgress(step, done, total); },
                    Qt::QueuedConnection);
            });
        ImportResult r = importer.run();
        QMetaObject::invokeMethod(
            this, [this, r] { result_ = r; }, Qt::QueuedConnection);
    });
    worker_->setParent(this);
    // The worker's end comes back to this thread; the result was posted before it.
    connect(worker_, &QThread::finished, this, [this] {
        worker_->wait();
        accept();
    });
    QTimer::singleShot(0, this, [this, shown = std::move(shown)] {
        if (shown)
            shown(*this);
        worker_->start();
    });
    exec();
    // The loop also ends when the program quits (logout, SIGTERM): then the import stops at the
    // next file rather than running on for minutes.
    if (!worker_->isFinished())
        cancel_ = true;
    worker_->wait();
    // The result is posted by the worker as its last act: take it if the loop left before it.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    delete worker_;
    worker_ = nullptr;
    if (result_)
        return *result_;
    ImportResult failed;
    failed.error = QStringLiteral("import nie zakończył się");
    return failed;
}

void ImportWindow::reject() {
    // The window stays until the worker has stopped and left the folders as they were.
    cancel();
}

void ImportWindow::cancel() {
    cancel_ = true;
    cancelButton_->setEnabled(false);
    step_->setText(QStringLiteral("Przerywanie importu…"));
}

void ImportWindow::showProgress(const QString& step, qint64 done, qint64 total) {
    if (cancel_)
        return;
    if (total > 0) {
        // QProgressBar counts in int; keep the fraction for totals beyond it.
        const int scale = total > 1000000 ? int(total / 1000000) + 1 : 1;
        bar_->setRange(0, int(total / scale));
        bar_->setValue(int(qMin(done, total) / scale));
        // The media are counted in bytes: gigabytes of them.
        const bool bytes = step == catalogue::mediaStep();
        step_->setText(QStringLiteral("%1: %2 z %3")
                           .arg(step, bytes ? catalogue::sizeText(done) : QString::number(done),
                                bytes ? catalogue::sizeText(total) : QString::number(total)));
    } else {
        bar_->setRange(0, 0);
        step_->setText(step);
    }
    emit progressed(step, done, total);
}

QString importSummary(const ImportResult& r) {
    QStringList lines;
    lines << QStringLiteral("Zaimportowano katalog pytań.") << QString()
          << QStringLiteral("Pytania według kategorii (podstawowe / specjalistyczne):");
    for (const catalogue::CategoryCount& c : r.counts)
        lines << QStringLiteral("kategoria %1: %2 / %3").arg(c.code).arg(c.basic).arg(c.specialist);
    lines << QString();
    lines << QStringLiteral("Pominięte wiersze: %1").arg(r.leftOut());
    const QMap<catalogue::Reason, int> byReason = r.leftOutByReason();
    for (auto it = byReason.begin(); it != byReason.end(); ++it)
        lines << QStringLiteral("  %1: %2").arg(catalogue::reasonTitle(it.key())).arg(it.value());
    if (r.corrected() > 0)
        lines << QStringLiteral("Poprawione wiersze: %1").arg(r.corrected());
    lines << QStringLiteral("Brakujące pliki multimediów: %1").arg(r.missingMedia.size());
    if (!r.looseMatches.isEmpty())
        lines << QStringLiteral("Pliki znalezione pod nazwą w innej postaci: %1")
                     .arg(r.looseMatches.size());
    for (const catalogue::OtherSheet& sheet : r.otherSheets)
        if (sheet.questions >= 0)
            lines << QStringLiteral("Arkusz „%1”: %2 pytań, nie zaimportowane")
                         .arg(sheet.name)
                         .arg(sheet.questions);
    for (const catalogue::FilmCodec& c : r.filmCodecs)
        if (!c.support.decoder)
            lines << QStringLiteral("Filmy %1 (%2, %3) nie odtworzą się na tym komputerze: %4")
                         .arg(c.support.codec, c.support.description)
                         .arg(c.films)
                         .arg(catalogue::filmDecoderText(c.support));
    if (!r.reportPath.isEmpty())
        lines << QString()
              << QStringLiteral("Raport: %1").arg(QDir::toNativeSeparators(r.reportPath));
    if (!r.warning.isEmpty())
        lines << QString() << r.warning;
    return lines.join(u'\n');
}

bool importCatalogue(Dialogs& dialogs, QWidget* parent, const QString& base, const QString& target,
                     std::function<void(ImportWindow&)> shown) {
    const QString xlsx = dialogs.openFileName(QStringLiteral("Wybierz katalog pytań"),
                                              QStringLiteral("Katalog pytań (*.xlsx)"));
    if (xlsx.isEmpty())
        return false;
    // The archives as downloaded (the main pack and sometimes a second one); without them, a
    // folder where they were unpacked.
    QStringList media = dialogs.openFileNames(
        QStringLiteral("Wybierz archiwa z obrazkami i filmami katalogu (Anuluj: wybór folderu)"),
        QStringLiteral("Archiwa multimediów (*.zip)"));
    if (media.isEmpty()) {
        const QString folder =
            dialogs.folderName(QStringLiteral("Wybierz folder z obrazkami i filmami katalogu"));
        if (folder.isEmpty())
            return false;
        media << folder;
    }
    return importCatalogueFiles(dialogs, parent, base, target, xlsx, media, std::move(shown));
}

bool importCatalogueFiles(Dialogs& dialogs, QWidget* parent, const QString& base,
                          const QString& target, const QString& xlsx, const QStringList& media,
                          std::function<void(ImportWindow&)> shown) {
    ImportOptions options;
    options.catalogue = xlsx;
    options.media = media;
    options.target = target;
    options.base = base;
    ImportResult result;
    {
        ImportWindow window(options, parent);
        result = window.run(std::move(shown));
    }
    const QString unchanged = QStringLiteral("Dotychczasowy folder programu pozostał bez zmian.");
    if (result.cancelled) {
        dialogs.message(QStringLiteral("Import katalogu pytań przerwano. ") + unchanged,
                        Buttons::Ok, Icon::Information);
        return false;
    }
    if (!result.ok) {
        dialogs.message(QStringLiteral("Nie udało się zaimportować katalogu pytań: %1.\n%2")
                            .arg(result.error, unchanged),
                        Buttons::Ok, Icon::Error);
        return false;
    }
    dialogs.message(importSummary(result), Buttons::Ok,
                    result.warning.isEmpty() ? Icon::Information : Icon::Warning);
    return true;
}

} // namespace wirtal
