// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Importing the official question catalogue from inside the program: the choosers, a small modal
// window with the progress of the import (which runs on a worker thread) and "Przerwij", and the
// message that says what was imported.

#include "catalogue/importer.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

namespace wirtal {

class Dialogs;

// The window "Import katalogu pytań": what is being done, a progress bar (count of total when the
// step has a total) and "Przerwij". Closing it asks the import to stop, as "Przerwij" does; it
// closes itself when the worker is done.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ImportWindow(catalogue::ImportOptions options, QWidget* parent = nullptr);
    ~ImportWindow() override;

    // Shows the window modal, runs the import on a worker thread and returns its result once the
    // worker is done. `shown` runs in the window's event loop before the worker starts.
    catalogue::ImportResult run(std::function<void(ImportWindow&)> shown = {});

    QLabel* stepLabel() const { return step_; }
    QProgressBar* progressBar() const { return bar_; }
    QPushButton* cancelButton() const { return cancelButton_; }

signals:
    // A step of the import as the window shows it (on the GUI thread).
    void progressed(const QString& step, qint64 done, qint64 total);

protected:
    void reject() override; // Escape and the window's close button: "Przerwij"

private:
    void cancel();
    void showProgress(const QString& step, qint64 done, qint64 total);

    catalogue::ImportOptions options_;
    std::atomic<bool> cancel_{false};
    QThread* worker_ = nullptr;
    std::optional<catalogue::ImportResult> result_;
    QLabel* step_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// The whole import as the more page's entry runs it: asks for the spreadsheet and the media
// folder, imports into `target` with `base` as the base program folder, and tells the result in a
// box. True when `target` is now a new program folder. `shown` goes to ImportWindow::run.
bool importCatalogue(Dialogs& dialogs, QWidget* parent, const QString& base, const QString& target,
                     std::function<void(ImportWindow&)> shown = {});

// The same with the files already chosen (the spreadsheet and the media: folders or archives),
// as the download of the newest edition hands them over.
bool importCatalogueFiles(Dialogs& dialogs, QWidget* parent, const QString& base,
                          const QString& target, const QString& xlsx, const QStringList& media,
                          std::function<void(ImportWindow&)> shown = {});

// The box text for a finished import: questions per category, rows left out and corrected,
// missing media, where the report is, and a warning when there is one.
QString importSummary(const catalogue::ImportResult& result);

} // namespace wirtal
