// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/catalogfetchwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace wirtal {

using namespace catalogfetch;

namespace {
QString kindName(FileKind kind) {
    switch (kind) {
    case FileKind::Spreadsheet:
        return QStringLiteral("Katalog pytań (xlsx)");
    case FileKind::Media:
        return QStringLiteral("Obrazy i filmy (zip)");
    case FileKind::SignLanguage:
        return QStringLiteral("Filmy w polskim języku migowym (zip)");
    }
    return {};
}
} // namespace

CatalogFetchWindow::CatalogFetchWindow(Downloader& downloader, Source source, QString folder,
                                       std::function<bool(const Fetched&)> import,
                                       std::function<void()> manual, QWidget* parent)
    : QDialog(parent), import_(std::move(import)), manualImport_(std::move(manual)) {
    setObjectName(QStringLiteral("pobieraniekatalogu"));
    setWindowTitle(QStringLiteral("Pobierz aktualny katalog"));
    setModal(true);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("stan"));
    status_->setWordWrap(true);
    files_ = new QLabel(this);
    files_->setObjectName(QStringLiteral("pliki"));
    files_->setWordWrap(true);
    files_->setTextFormat(Qt::PlainText);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("postep"));
    bar_->setRange(0, 1000);
    bar_->setValue(0);
    bar_->setVisible(false);
    fetch_ = new QPushButton(QStringLiteral("Pobierz i zaimportuj"), this);
    fetch_->setObjectName(QStringLiteral("pobierz"));
    fetch_->setEnabled(false);
    manual_ = new QPushButton(QStringLiteral("Importuj pliki pobrane ręcznie…"), this);
    manual_->setObjectName(QStringLiteral("recznie"));
    manual_->setVisible(false);
    cancel_ = new QPushButton(QStringLiteral("Zamknij"), this);
    cancel_->setObjectName(QStringLiteral("przerwij"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(manual_);
    buttons->addWidget(fetch_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(files_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    Fetcher::Handlers h;
    h.pageRead = [this](const Offer& offer) { offered(offer); };
    h.pageFailed = [this](const QString& problem) { pageFailed(problem); };
    h.progressed = [this](int file, qint64 done, qint64 total) { progressed(file, done, total); };
    h.finished = [this](const Fetched& files) { fetched(files); };
    h.failed = [this](const QString& problem) { failed(problem); };
    h.cancelled = [] {};
    fetcher_ = std::make_unique<Fetcher>(downloader, std::move(source), std::move(folder), h);

    connect(fetch_, &QPushButton::clicked, this, [this] { startDownload(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
    connect(manual_, &QPushButton::clicked, this, [this] {
        hide();
        if (manualImport_)
            manualImport_();
        QDialog::reject();
    });
}

CatalogFetchWindow::~CatalogFetchWindow() = default;

void CatalogFetchWindow::begin() {
    status_->setText(QStringLiteral("Odczytywanie strony ministerstwa…"));
    fetcher_->readPage();
}

void CatalogFetchWindow::offered(const Offer& offer) {
    offer_ = offer;
    QStringList lines;
    for (const OfferedFile& f : offer.files)
        lines << QStringLiteral("%1 — %2\n    %3").arg(kindName(f.kind), sizeText(f.size), f.text);
    files_->setText(lines.join(u'\n'));
    QString text = QStringLiteral("Na stronie ministerstwa jest katalog pytań, wydanie: %1.")
                       .arg(offer.editionText);
    const qint64 known = offer.knownSize();
    if (known > 0)
        text += QStringLiteral(" Do pobrania: %1.").arg(sizeText(known));
    status_->setText(text);
    fetch_->setEnabled(true);
}

void CatalogFetchWindow::pageFailed(const QString& problem) {
    status_->setText(problem + QStringLiteral("\nKatalog można pobrać ze strony ministerstwa "
                                              "w przeglądarce i zaimportować ręcznie."));
    manual_->setVisible(true);
}

void CatalogFetchWindow::startDownload() {
    if (!offer_)
        return;
    fetch_->setEnabled(false);
    cancel_->setText(QStringLiteral("Przerwij"));
    bar_->setValue(0);
    bar_->setVisible(true);
    status_->setText(QStringLiteral("Pobieranie…"));
    fetcher_->download(*offer_);
}

void CatalogFetchWindow::progressed(int file, qint64 done, qint64 total) {
    if (!offer_ || file < 0 || file >= offer_->files.size())
        return;
    const OfferedFile& f = offer_->files[file];
    if (total < 0)
        total = f.size;
    status_->setText(QStringLiteral("Pobieranie (%1 z %2): %3 — %4 z %5")
                         .arg(file + 1)
                         .arg(offer_->files.size())
                         .arg(kindName(f.kind), sizeText(done), sizeText(total)));
    bar_->setValue(total > 0 ? int(std::min<qint64>(1000, done * 1000 / total)) : 0);
}

void CatalogFetchWindow::fetched(const Fetched& files) {
    cancel_->setText(QStringLiteral("Zamknij"));
    bar_->setValue(1000);
    status_->setText(QStringLiteral("Pobrano. Import katalogu…"));
    imported_ = import_ && import_(files);
    if (imported_) {
        accept();
        return;
    }
    status_->setText(QStringLiteral("Pliki pobrano, ale katalogu nie zaimportowano. Dotychczasowy "
                                    "katalog pozostał bez zmian."));
    fetch_->setEnabled(true);
}

void CatalogFetchWindow::failed(const QString& problem) {
    cancel_->setText(QStringLiteral("Zamknij"));
    status_->setText(problem + QStringLiteral("\nDotychczasowy katalog pozostał bez zmian."));
    fetch_->setText(QStringLiteral("Pobierz ponownie"));
    fetch_->setEnabled(bool(offer_));
}

void CatalogFetchWindow::reject() {
    if (fetcher_->busy())
        fetcher_->cancel();
    QDialog::reject();
}

} // namespace wirtal
