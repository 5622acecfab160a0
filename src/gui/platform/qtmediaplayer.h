// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/mediaplayer.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>

class QMediaPlayer;

namespace wirtal {

class FilmView;

// The real player: QMediaPlayer drawing into a FilmView that fills the panel it is given (the
// film scaled to the panel, painted without OpenGL). The QMediaPlayer is made when the first film
// is opened, so the program starts without loading the multimedia back end.
class QtMediaPlayer final : public QObject, public MediaPlayer {
    Q_OBJECT
public:
    // How long open() waits for a film to load before it gives up.
    explicit QtMediaPlayer(int openTimeoutMs = 10000, QObject* parent = nullptr);
    ~QtMediaPlayer() override;

    void setFile(const QString& path) override { file_ = path; }
    QString file() const override { return file_; }
    void setOutput(QWidget* panel) override;
    void open() override;
    void play() override;
    void step() override;
    void rewind() override;
    void close() override;
    bool isPlaying() const override;
    // A film is near: the back end is loaded now (warmUp) unless it already is.
    void prepare(const QString& film) override;
    // Makes the QMediaPlayer now, which loads the multimedia back end, so the first film does
    // not pay for it (nothing when it is made already). The film is not used: the same call as
    // FilmProcessPlayer's.
    void warmUp(const QString& sampleFilm = {});

    // The QMediaPlayer, or nullptr before the first film (for tests).
    QMediaPlayer* backend() const { return player_.get(); }
    FilmView* videoFor(QWidget* panel) const;

private:
    void attachOutput();

    int openTimeoutMs_;
    QString file_;
    std::unique_ptr<QMediaPlayer> player_;
    QPointer<QWidget> panel_;
    std::map<QWidget*, QPointer<FilmView>> videos_;
};

} // namespace wirtal
