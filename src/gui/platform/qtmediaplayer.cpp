// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qtmediaplayer.h"

#include "platform/error.h"
#include "platform/filereader.h"
#include "platform/filmshared.h"
#include "platform/filmview.h"

#include <QDir>
#include <QEventLoop>
#include <QMediaPlayer>
#include <QTimer>
#include <QVideoSink>

namespace wirtal {

QtMediaPlayer::QtMediaPlayer(int openTimeoutMs, QObject* parent)
    : QObject(parent), openTimeoutMs_(openTimeoutMs) {}

QtMediaPlayer::~QtMediaPlayer() {
    if (player_) {
        player_->stop();
        player_->setVideoOutput(static_cast<QObject*>(nullptr));
    }
}

FilmView* QtMediaPlayer::videoFor(QWidget* panel) const {
    const auto it = videos_.find(panel);
    return it == videos_.end() ? nullptr : it->second.data();
}

void QtMediaPlayer::setOutput(QWidget* panel) {
    panel_ = panel;
    if (panel && !videoFor(panel)) {
        FilmView* video = FilmView::fillPanel(panel);
        videos_[panel] = video;
        // A panel that goes away takes its video widget along: the player must not keep it.
        connect(video, &QObject::destroyed, this, [this, panel] {
            videos_.erase(panel);
            if (player_ && panel_.data() == panel)
                player_->setVideoOutput(static_cast<QObject*>(nullptr));
        });
    }
    attachOutput();
}

void QtMediaPlayer::attachOutput() {
    if (!player_)
        return;
    FilmView* video = panel_ ? videoFor(panel_) : nullptr;
    player_->setVideoOutput(video ? video->videoSink() : nullptr);
}

void QtMediaPlayer::warmUp(const QString&) {
    if (!player_) {
        player_ = std::make_unique<QMediaPlayer>();
        attachOutput();
    }
}

void QtMediaPlayer::prepare(const QString& film) {
    warmUp(film);
}

void QtMediaPlayer::open() {
    const QString shown = QDir::toNativeSeparators(file_);
    // Only a regular file goes to the back end: a FIFO would block it, and the GUI with it.
    if (file_.isEmpty())
        throw Error(QStringLiteral("Nie można otworzyć filmu: brak pliku."));
    if (const FileRead f = checkRegularFile(file_); f.problem != FileProblem::None)
        throw Error(f.message);
    warmUp();
    // Loading anew puts the film at its start.
    player_->stop();
    player_->setSource(QUrl());
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, &loop,
            [&loop](QMediaPlayer::MediaStatus s) {
                if (film::loaded(s) || s == QMediaPlayer::InvalidMedia)
                    loop.quit();
            });
    connect(player_.get(), &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    player_->setSource(QUrl::fromLocalFile(file_));
    if (!film::loaded(player_->mediaStatus()) && player_->error() == QMediaPlayer::NoError &&
        player_->mediaStatus() != QMediaPlayer::InvalidMedia) {
        timeout.start(openTimeoutMs_);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (player_->error() != QMediaPlayer::NoError ||
        player_->mediaStatus() == QMediaPlayer::InvalidMedia)
        throw Error(QStringLiteral("Nie można odtworzyć filmu „%1”: %2.")
                        .arg(shown, film::withoutFullStop(player_->errorString())));
    if (!film::loaded(player_->mediaStatus()))
        throw Error(
            QStringLiteral("Film „%1” nie dał się wczytać w wyznaczonym czasie.").arg(shown));
}

void QtMediaPlayer::play() {
    if (player_)
        player_->play();
}

void QtMediaPlayer::step() {
    if (player_)
        player_->setPosition(player_->position() + film::stepMs);
}

void QtMediaPlayer::rewind() {
    if (!player_)
        return;
    player_->setPosition(0);
    player_->pause(); // stands still on the first frame
}

void QtMediaPlayer::close() {
    if (!player_)
        return;
    player_->stop();
    player_->setSource(QUrl());
}

bool QtMediaPlayer::isPlaying() const {
    return player_ && player_->playbackState() == QMediaPlayer::PlayingState;
}

} // namespace wirtal
