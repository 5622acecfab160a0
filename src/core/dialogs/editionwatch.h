// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Noticing, at start, that the ministry's page offers a newer catalogue edition than the one the
// program folder was imported from. The page is read at most once a day (the time of the last
// reading is kept in the user data, "pobieranie.ini"), some time after the start so that it never
// delays it, and only when the learner has not switched it off ([katalog] sprawdzaj=0 in
// wirtal.ini). What was found is kept, so the notice stays until the newer edition is imported.

#include "dialogs/catalogpage.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <memory>

namespace wirtal {

class Downloader;
class Timer;
class TimerService;
class WallClock;

namespace catalogfetch {

class Fetcher;

// The edition the program folder's catalogue was imported from, as its file name tells
// (katalog.ini, zrodlo=), else the day of the import (zaimportowano=); invalid when the folder is
// no imported catalogue.
QDate importedEdition();

class EditionWatch : public QObject {
public:
    static constexpr int delayMs = 20000;           // after the start
    static constexpr qint64 periodSecs = 24 * 3600; // between two readings of the page

    // notice(text) runs with the line the start page shows, or an empty text when there is
    // nothing to say.
    EditionWatch(TimerService& timers, WallClock& clock, Downloader& downloader,
                 std::function<void(const QString&)> notice, QObject* parent = nullptr);
    ~EditionWatch() override;

    // Arms the timer; nothing is read before it fires.
    void start();
    // The line for an edition the page offers, or empty when it is not newer than `imported`.
    static QString noticeFor(const QDate& offered, const QString& offeredText,
                             const QDate& imported);

private:
    void check();
    void tell();

    WallClock& clock_;
    Downloader& downloader_;
    std::function<void(const QString&)> notice_;
    std::unique_ptr<Timer> timer_;
    std::unique_ptr<Fetcher> fetcher_;
};

} // namespace catalogfetch
} // namespace wirtal
