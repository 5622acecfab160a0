// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window "Pobierz aktualny katalog": reads the ministry's page, shows the edition it offers
// and the files with their sizes, downloads them with a progress bar and "Przerwij", and hands
// them to the catalogue import. When the page cannot be read it says why and offers the import
// of files the learner downloaded by hand.

#include "dialogs/catalogfetch.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace wirtal {

class Downloader;

class CatalogFetchWindow : public QDialog {
public:
    // import: runs the import of the downloaded files; true when the program folder is now the
    // new catalogue. manual: the import of files chosen by hand.
    CatalogFetchWindow(Downloader& downloader, catalogfetch::Source source, QString folder,
                       std::function<bool(const catalogfetch::Fetched&)> import,
                       std::function<void()> manual, QWidget* parent = nullptr);
    ~CatalogFetchWindow() override;

    // Reads the page (the window shows "Odczytywanie strony ..." until it answers).
    void begin();
    catalogfetch::Fetcher& fetcher() { return *fetcher_; }
    bool imported() const { return imported_; }

    QLabel* statusLabel() const { return status_; }
    QLabel* filesLabel() const { return files_; }
    QProgressBar* progressBar() const { return bar_; }
    QPushButton* fetchButton() const { return fetch_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* manualButton() const { return manual_; }

protected:
    void reject() override; // Escape and the close button: a download in progress is stopped

private:
    void offered(const catalogfetch::Offer& offer);
    void pageFailed(const QString& problem);
    void progressed(int file, qint64 done, qint64 total);
    void fetched(const catalogfetch::Fetched& files);
    void failed(const QString& problem);
    void startDownload();

    std::unique_ptr<catalogfetch::Fetcher> fetcher_;
    std::function<bool(const catalogfetch::Fetched&)> import_;
    std::function<void()> manualImport_;
    std::optional<catalogfetch::Offer> offer_;
    bool imported_ = false;
    QLabel* status_ = nullptr;
    QLabel* files_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* fetch_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* manual_ = nullptr;
};

} // namespace wirtal
