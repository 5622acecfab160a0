// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/editionwatch.h"

#include "base/inifile.h"
#include "base/paths.h"
#include "dialogs/catalogfetch.h"
#include "platform/error.h"
#include "platform/timer.h"
#include "platform/wallclock.h"

#include <QFileInfo>

namespace wirtal::catalogfetch {

namespace {
const QString stateFile = QStringLiteral("pobieranie.ini");
const QString section = QStringLiteral("katalog");

// The notice is never in the way: a user data folder that cannot be written only means the page
// may be read again at the next start.
void keep(const QString& key, const QString& value) {
    try {
        writeIni(stateFile, section, key, value);
    } catch (const Error&) {
    }
}
} // namespace

QDate importedEdition() {
    if (!Paths::isCatalogueFolder())
        return {};
    const QString manifest = Paths::catalogueManifest();
    const QString source = ini::read(manifest, section, QStringLiteral("zrodlo"), QString());
    const QDate named = editionOf(QFileInfo(source).completeBaseName());
    if (named.isValid())
        return named;
    // A file whose name says no edition: the day it was imported, so that no edition published
    // before then is called newer.
    return QDateTime::fromString(
               ini::read(manifest, section, QStringLiteral("zaimportowano"), QString()),
               Qt::ISODate)
        .date();
}

EditionWatch::EditionWatch(TimerService& timers, WallClock& clock, Downloader& downloader,
                           std::function<void(const QString&)> notice, QObject* parent)
    : QObject(parent), clock_(clock), downloader_(downloader), notice_(std::move(notice)),
      timer_(timers.create(QStringLiteral("katalogwydanie"), delayMs, TimerKind::OneShot)) {
    timer_->setHandler([this] { check(); });
}

EditionWatch::~EditionWatch() = default;

void EditionWatch::start() {
    if (readIni(QStringLiteral("wirtal.ini"), section, QStringLiteral("sprawdzaj"),
                QStringLiteral("1")) == QStringLiteral("0"))
        return;
    timer_->start();
}

QString EditionWatch::noticeFor(const QDate& offered, const QString& offeredText,
                                const QDate& imported) {
    if (!offered.isValid() || (imported.isValid() && offered <= imported))
        return {};
    return QStringLiteral("Na stronie ministerstwa jest nowsze wydanie katalogu pytań (%1): "
                          "Więcej → Pobierz aktualny katalog.")
        .arg(offeredText);
}

void EditionWatch::tell() {
    const QDate offered = QDate::fromString(
        readIni(stateFile, section, QStringLiteral("wydanie"), QString()), Qt::ISODate);
    notice_(noticeFor(offered, readIni(stateFile, section, QStringLiteral("opis"), QString()),
                      importedEdition()));
}

void EditionWatch::check() {
    const QDateTime now = clock_.now();
    const QDateTime last = QDateTime::fromString(
        readIni(stateFile, section, QStringLiteral("sprawdzono"), QString()), Qt::ISODate);
    // A reading in the last day (or one the clock puts in the future) is not repeated.
    if (last.isValid() && last <= now && last.secsTo(now) < periodSecs)
        return tell();
    // Kept before the page is asked for, so a page that never answers is not asked at every start.
    keep(QStringLiteral("sprawdzono"), now.toString(Qt::ISODate));
    Fetcher::Handlers h;
    h.pageRead = [this](const Offer& offer) {
        keep(QStringLiteral("wydanie"), offer.edition.toString(Qt::ISODate));
        keep(QStringLiteral("opis"), offer.editionText);
        tell();
    };
    h.pageFailed = [this](const QString&) { tell(); };
    fetcher_ = std::make_unique<Fetcher>(downloader_, configuredSource(), downloadFolder(), h);
    fetcher_->readPage();
}

} // namespace wirtal::catalogfetch
