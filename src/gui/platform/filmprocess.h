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

// The films played in the film helper, a small program of its own (wirtal-filmy: Qt Core, Gui
// and Multimedia, nothing else of the program), drawing into the panel's FilmView through its
// frames. The media back end's libraries and caches live in that process, not in the program's:
// it is started when a film is near (prepare: the current or the next question has one), and
// when the learner has left the films for a while (idleEndMs after the last close) it ends and
// the memory goes back to the system. The next film starts it again.
//
// Talking to the helper: one command a line on its standard input ("open <n> <path>", "play",
// "step", "rewind", "close", "ack", and "prime <path>": load a film only to load its decoders).
// On its standard output its hello first, "wirtal-filmy <protocol> <program version>"
// (film::hello): a helper whose hello is not the program's own is refused and ended, and the
// refusal is what every film says afterwards (a program left running after an upgrade has a
// helper of the new version beside it). Then "ready" once its media back end is loaded,
// "loaded <n>", "failed <n> <text>", "state playing|paused|stopped", and the frames: "shm <w> <h>"
// when the frame is in the shared frame memory (answered with "ack" once the program has taken
// it), or "frame <w> <h>" followed by w * h * 4 bytes of an RGB32 image where there is none.
// A frame over film::maxFrameWidth x maxFrameHeight, a "shm" frame without shared memory, a
// line too long or a line out of place ends the helper. The helper ends when its standard input
// closes, so it never outlives the program.
//
// The shared frame memory (Linux): an anonymous memory file of exactly film::maxFrameBytes made
// by the program, sealed against shrinking and growing, handed to the helper as descriptor
// film::frameMemoryFd; nobody else can open it. The helper cannot make the program read past it,
// nor make it smaller under the program's reading.
//
// The program never waits long for the process: its start, the answer to an open (openTimeoutMs,
// a second in the program) and its end are each bounded. A ready process that does not answer an
// open in time has hung: it is killed at once and the next film starts a new one. One that has
// not said "ready" yet is still loading its back end: it is given startLimitMs to get there
// before it is killed.
class FilmProcessPlayer final : public QObject, public MediaPlayer {
    Q_OBJECT
public:
    // program and arguments start the film helper, whose hello must name version; timers (may be
    // null: the process then stays until the program ends) give the idle end.
    FilmProcessPlayer(QString program, QStringList arguments, QByteArray version,
                      TimerService* timers, int openTimeoutMs = filmProcessWaitMs,
                      int idleEndMs = 30000, QObject* parent = nullptr);
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
    // A film is near: a helper not running is started and loads that film's decoders; a running
    // one is left as it is (it may be playing the film shown now).
    void prepare(const QString& film) override;
    // Starts the process now (it loads the media back end) and, given a film, has it load that
    // film once (and its decoders), so the first film waits less.
    void warmUp(const QString& sampleFilm = {});

    // Whether the film process is running, and whether it has said it is ready (for tests and
    // the benchmark).
    bool processRunning() const;
    bool processReady() const { return processRunning() && ready_; }
    FilmView* videoFor(QWidget* panel) const;
    // How many helpers this player has started, and how many frames came through the shared
    // frame memory (for tests and the benchmark).
    int processStarts() const { return starts_; }
    int sharedFrames() const { return sharedFrames_; }

private:
    void ensureProcess();
    void send(const QByteArray& line);
    void readOutput();
    // False when the line has ended the process.
    bool handle(const QByteArray& line);
    bool takeSharedFrame(const QByteArray& line, QImage& into);
    void makeFrameMemory();
    // Ends the process: asked to (its input closes), killed when it does not go within a short
    // grace, or at once when it has hung. Never waits for a killed process.
    void endProcess(bool hung = false);

    QString program_;
    QStringList arguments_;
    QByteArray hello_;
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
    bool greeted_ = false; // the helper's hello has come
    QString refusal_;      // a helper of another version: said by every film
    int frameMemory_ = -1; // the shared frame memory's descriptor, or -1: frames by the pipe
    const uchar* frames_ = nullptr;
    int starts_ = 0;
    int sharedFrames_ = 0;
};

// The film helper's file name, and where the program finds it: beside its executable (a build
// tree) or in the installed helper folder (helperFolder, relative to the executable's folder),
// never on PATH. Empty when it is in neither.
inline constexpr char filmHelperName[] = "wirtal-filmy";
QString findFilmHelper(const QString& executableFolder, const QString& helperFolder);

} // namespace wirtal
