// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/mediaplayer.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <map>
#include <memory>

class QProcess;

namespace wirtal {

class FilmView;
class Timer;
class TimerService;

// The longest the program waits for the film process in any one call.
inline constexpr int filmProcessWaitMs = 1000;
// How long a new film process may take to load its media back end and say "ready".
inline constexpr int filmProcessStartLimitMs = 20000;

// The films played in a small process of their own (the program started again with
// filmProcessOption), drawing into the panel's FilmView through its frames. The media back end's
// libraries and caches live in that process, not in the program's: when the learner has left
// the films for a while (idleEndMs after the last close), the process ends and the memory goes
// back to the system. The next film starts it again.
//
// Talking to the process: one command a line on its standard input ("open <n> <path>", "play",
// "step", "rewind", "close", and "prime <path>": load a film only to load its decoders); on its
// standard output "ready" once its media back end is loaded, "loaded <n>", "failed <n> <text>",
// "state playing|paused|stopped", and "frame <w> <h>" followed by w * h * 4 bytes of an RGB32
// image. The process ends when its standard input closes, so it never outlives the program.
//
// The program never waits long for the process: its start, the answer to an open (openTimeoutMs,
// a second in the program) and its end are each bounded. A ready process that does not answer an
// open in time has hung: it is killed at once and the next film starts a new one. One that has
// not said "ready" yet is still loading its back end: it is given startLimitMs to get there
// before it is killed.
class FilmProcessPlayer final : public QObject, public MediaPlayer {
    Q_OBJECT
public:
    // program and arguments start the film process; timers (may be null: the process then stays
    // until the program ends) give the idle end.
    FilmProcessPlayer(QString program, QStringList arguments, TimerService* timers,
                      int openTimeoutMs = filmProcessWaitMs, int idleEndMs = 30000,
                      QObject* parent = nullptr);
    ~FilmProcessPlayer() override;

    void setFile(const QString& path) override { file_ = path; }
    QString file() const override { return file_; }
    void setOutput(QWidget* panel) override;
    void open() override;
    void play() override;
    void step() override;
    void rewind() override;
    void close() override;
    bool isPlaying() const override { return playing_; }
    // Starts the process now (it loads the media back end) and, given a film, has it load that
    // film once (and its decoders), so the first film waits less.
    void warmUp(const QString& sampleFilm = {});

    // Whether the film process is running, and whether it has said it is ready (for tests and
    // the benchmark).
    bool processRunning() const;
    bool processReady() const { return processRunning() && ready_; }
    FilmView* videoFor(QWidget* panel) const;

private:
    void ensureProcess();
    void send(const QByteArray& line);
    void readOutput();
    void handle(const QByteArray& line);
    // Ends the process: asked to (its input closes), killed when it does not go within a short
    // grace, or at once when it has hung. Never waits for a killed process.
    void endProcess(bool hung = false);

    QString program_;
    QStringList arguments_;
    int openTimeoutMs_;
    QString file_;
    QProcess* process_ = nullptr; // a child of this player
    std::unique_ptr<Timer> idleEnd_, startLimit_;
    QPointer<QWidget> panel_;
    std::map<QWidget*, QPointer<FilmView>> views_;
    QByteArray buffer_;
    int openSerial_ = 0;
    int answeredSerial_ = 0;
    QString failure_;
    bool playing_ = false;
    bool ready_ = false;
};

// The argument that starts the program as the film process.
inline constexpr char filmProcessOption[] = "--proces-filmow";
// The film process itself: reads commands, plays, writes frames and states; returns when its
// standard input closes. Needs a QGuiApplication.
int runFilmProcess();

} // namespace wirtal
