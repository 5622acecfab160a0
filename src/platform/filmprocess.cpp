// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/filmprocess.h"

#include "platform/error.h"
#include "platform/filereader.h"
#include "platform/filmshared.h"
#include "platform/filmview.h"
#include "platform/timer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMediaPlayer>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <cstdio>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace wirtal {

namespace {
// A frame larger than this is scaled down before it is sent: the panel is 480 x 360.
constexpr int maxFrameWidth = 1280, maxFrameHeight = 960;
// A header line longer than this, or a frame larger than the bound, means the process is not
// speaking our protocol: it is ended.
constexpr int maxLine = 4096;
// How long a process asked to end may take before it is killed (a part of filmProcessWaitMs).
constexpr int endGraceMs = 500;
} // namespace

// ---- the program's side -------------------------------------------------------------------

FilmProcessPlayer::FilmProcessPlayer(QString program, QStringList arguments, TimerService* timers,
                                     int openTimeoutMs, int idleEndMs, QObject* parent)
    : QObject(parent), program_(std::move(program)), arguments_(std::move(arguments)),
      openTimeoutMs_(openTimeoutMs) {
    if (timers) {
        idleEnd_ = timers->create(QStringLiteral("filmprocessidle"), idleEndMs, TimerKind::OneShot);
        idleEnd_->setHandler([this] { endProcess(); });
        // A process that never gets its back end loaded has hung at its start.
        startLimit_ = timers->create(QStringLiteral("filmprocessstart"), filmProcessStartLimitMs,
                                     TimerKind::OneShot);
        startLimit_->setHandler([this] {
            if (!ready_)
                endProcess(/*hung=*/true);
        });
    }
}

FilmProcessPlayer::~FilmProcessPlayer() {
    endProcess(); // a process object still waiting for the event loop goes with this player
    // A killed process is reaped here, at the end, for a moment at most; one the system cannot
    // end (stuck in the kernel) is left behind rather than waited for.
    for (QProcess* killed : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        if (killed->state() != QProcess::NotRunning && !killed->waitForFinished(endGraceMs))
            killed->setParent(nullptr);
    }
}

bool FilmProcessPlayer::processRunning() const {
    return process_ && process_->state() != QProcess::NotRunning;
}

FilmView* FilmProcessPlayer::videoFor(QWidget* panel) const {
    const auto it = views_.find(panel);
    return it == views_.end() ? nullptr : it->second.data();
}

void FilmProcessPlayer::setOutput(QWidget* panel) {
    panel_ = panel;
    if (!panel || videoFor(panel))
        return;
    FilmView* view = FilmView::fillPanel(panel);
    views_[panel] = view;
    connect(view, &QObject::destroyed, this, [this, panel] { views_.erase(panel); });
}

void FilmProcessPlayer::ensureProcess() {
    if (processRunning())
        return;
    process_ = new QProcess(this);
    process_->setProgram(program_);
    process_->setArguments(arguments_);
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // No window system in the film process: it only decodes.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process_->setProcessEnvironment(env);
    connect(process_, &QProcess::readyReadStandardOutput, this, &FilmProcessPlayer::readOutput);
    connect(process_, &QProcess::finished, this, [this] { playing_ = false; });
    buffer_.clear();
    ready_ = false;
    process_->start();
    if (!process_->waitForStarted(filmProcessWaitMs)) {
        const QString why = process_->errorString();
        endProcess(/*hung=*/true);
        throw Error(QStringLiteral("Nie można uruchomić odtwarzacza filmów: %1.")
                        .arg(film::withoutFullStop(why)));
    }
    if (startLimit_)
        startLimit_->start();
}

void FilmProcessPlayer::send(const QByteArray& line) {
    if (processRunning())
        process_->write(line + '\n');
}

void FilmProcessPlayer::warmUp(const QString& sampleFilm) {
    try {
        ensureProcess();
        // Loading one film makes the process load its decoders, which is most of what the first
        // film would wait for.
        if (!sampleFilm.isEmpty() && !sampleFilm.contains(u'\n') &&
            checkRegularFile(sampleFilm).problem == FileProblem::None)
            send("prime " + sampleFilm.toUtf8());
        // A process warmed up for a film that does not come ends like one after a film.
        if (idleEnd_)
            idleEnd_->start();
    } catch (const Error&) {
        // The first film says what is wrong.
    }
}

void FilmProcessPlayer::open() {
    const QString shown = QDir::toNativeSeparators(file_);
    if (file_.isEmpty())
        throw Error(QStringLiteral("Nie można otworzyć filmu: brak pliku."));
    if (file_.contains(u'\n') || file_.contains(u'\r'))
        throw Error(QStringLiteral("Nie można otworzyć filmu „%1”.").arg(shown));
    // Only a regular file goes to the back end: a FIFO would block it.
    if (const FileRead f = checkRegularFile(file_); f.problem != FileProblem::None)
        throw Error(f.message);
    if (idleEnd_)
        idleEnd_->stop();
    ensureProcess();
    playing_ = false;
    const int serial = ++openSerial_;
    failure_.clear();
    send("open " + QByteArray::number(serial) + ' ' + file_.toUtf8());

    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(process_, &QProcess::finished, &loop, &QEventLoop::quit);
    auto done = [&] { return answeredSerial_ >= serial || !processRunning(); };
    QMetaObject::Connection onOutput =
        connect(process_, &QProcess::readyReadStandardOutput, &loop, [&] {
            if (done())
                loop.quit();
        });
    if (!done()) {
        timeout.start(openTimeoutMs_);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    disconnect(onOutput);
    if (!processRunning())
        throw Error(QStringLiteral("Nie można odtworzyć filmu „%1”: odtwarzacz filmów się "
                                   "zakończył.")
                        .arg(shown));
    if (answeredSerial_ < serial) {
        // A ready process that does not answer has hung: it is not kept for the next film.
        // One still loading its back end has until its start limit.
        if (ready_ || !startLimit_)
            endProcess(/*hung=*/true);
        throw Error(
            QStringLiteral("Film „%1” nie dał się wczytać w wyznaczonym czasie.").arg(shown));
    }
    if (!failure_.isEmpty())
        throw Error(QStringLiteral("Nie można odtworzyć filmu „%1”: %2.")
                        .arg(shown, film::withoutFullStop(failure_)));
}

void FilmProcessPlayer::play() {
    if (!processRunning())
        return;
    send("play");
    playing_ = true; // until the process says otherwise
}

void FilmProcessPlayer::step() {
    send("step");
}

void FilmProcessPlayer::rewind() {
    send("rewind");
    playing_ = false;
}

void FilmProcessPlayer::close() {
    send("close");
    playing_ = false;
    if (idleEnd_ && processRunning())
        idleEnd_->start();
}

void FilmProcessPlayer::endProcess(bool hung) {
    if (idleEnd_)
        idleEnd_->stop();
    if (startLimit_)
        startLimit_->stop();
    playing_ = false;
    ready_ = false;
    buffer_.clear();
    if (!process_)
        return;
    QProcess* process = std::exchange(process_, nullptr);
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        if (!hung) {
            process->closeWriteChannel(); // the process ends when its input closes
            hung = !process->waitForFinished(endGraceMs);
        }
        if (hung)
            process->kill();
    }
    // This may run inside one of the process object's own signals, so it goes later; a killed
    // process goes once it has ended, never waited for here.
    if (process->state() == QProcess::NotRunning)
        process->deleteLater();
    else
        connect(process, &QProcess::finished, process, &QObject::deleteLater);
}

void FilmProcessPlayer::readOutput() {
    buffer_ += process_->readAllStandardOutput();
    QImage latest;
    for (;;) {
        const qsizetype eol = buffer_.indexOf('\n');
        if (eol < 0) {
            if (buffer_.size() > maxLine)
                endProcess();
            break;
        }
        const QByteArray line = buffer_.left(eol);
        if (line.startsWith("frame ")) {
            const QList<QByteArray> parts = line.split(' ');
            const int w = parts.value(1).toInt(), h = parts.value(2).toInt();
            if (parts.size() != 3 || w <= 0 || h <= 0 || w > maxFrameWidth || h > maxFrameHeight) {
                endProcess();
                return;
            }
            const qsizetype bytes = qsizetype(w) * h * 4;
            if (buffer_.size() < eol + 1 + bytes)
                break; // the rest of the frame is still on its way
            QImage img(w, h, QImage::Format_RGB32);
            memcpy(img.bits(), buffer_.constData() + eol + 1, size_t(bytes));
            latest = std::move(img);
            buffer_.remove(0, eol + 1 + bytes);
            continue;
        }
        buffer_.remove(0, eol + 1);
        handle(line);
    }
    // Only the newest of the frames that came together is shown.
    if (!latest.isNull())
        if (FilmView* view = panel_ ? videoFor(panel_) : nullptr)
            view->setImage(std::move(latest));
}

void FilmProcessPlayer::handle(const QByteArray& line) {
    if (line.startsWith("loaded ")) {
        answeredSerial_ = std::max(answeredSerial_, line.mid(7).toInt());
    } else if (line.startsWith("failed ")) {
        const qsizetype space = line.indexOf(' ', 7);
        const int serial = line.mid(7, space < 0 ? -1 : space - 7).toInt();
        if (serial == openSerial_)
            failure_ = space < 0 ? QString() : QString::fromUtf8(line.mid(space + 1));
        answeredSerial_ = std::max(answeredSerial_, serial);
    } else if (line == "ready") {
        ready_ = true;
        if (startLimit_)
            startLimit_->stop();
    } else if (line == "state playing") {
        playing_ = true;
    } else if (line == "state paused" || line == "state stopped") {
        playing_ = false;
    }
}

// ---- the film process ---------------------------------------------------------------------

#ifndef Q_OS_WIN
namespace {

class FilmProcess : public QObject {
public:
    FilmProcess() {
        player_.setVideoSink(&sink_);
        out_.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
        connect(&sink_, &QVideoSink::videoFrameChanged, this, &FilmProcess::sendFrame);
        connect(&player_, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus s) { statusChanged(s); });
        connect(&player_, &QMediaPlayer::errorOccurred, this, [this] {
            if (pendingSerial_ > 0)
                answer(false);
        });
        connect(&player_, &QMediaPlayer::playbackStateChanged, this,
                [this](QMediaPlayer::PlaybackState s) {
                    write(s == QMediaPlayer::PlayingState  ? "state playing\n"
                          : s == QMediaPlayer::PausedState ? "state paused\n"
                                                           : "state stopped\n");
                });
        notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &FilmProcess::readCommands);
        // The media back end is loaded (making the player loads it): commands are answered now.
        write("ready\n");
    }

private:
    void write(const QByteArray& bytes) { out_.write(bytes); }

    void readCommands() {
        char chunk[4096];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0) { // the program has gone, or closed our input: the end
            notifier_->setEnabled(false);
            player_.stop();
            QCoreApplication::quit();
            return;
        }
        input_.append(chunk, n);
        for (qsizetype eol; (eol = input_.indexOf('\n')) >= 0;) {
            const QByteArray line = input_.left(eol);
            input_.remove(0, eol + 1);
            command(line);
        }
        if (input_.size() > maxLine)
            input_.clear();
    }

    void command(const QByteArray& line) {
        if (line.startsWith("prime ")) {
            if (pendingSerial_ > 0)
                return; // a film asked for comes first
            priming_ = true;
            player_.setSource(QUrl::fromLocalFile(QString::fromUtf8(line.mid(6))));
        } else if (line.startsWith("open ")) {
            priming_ = false;
            const qsizetype space = line.indexOf(' ', 5);
            pendingSerial_ = line.mid(5, space < 0 ? -1 : space - 5).toInt();
            player_.stop();
            player_.setSource(QUrl());
            player_.setSource(QUrl::fromLocalFile(QString::fromUtf8(line.mid(space + 1))));
            statusChanged(player_.mediaStatus());
        } else if (line == "play") {
            player_.play();
        } else if (line == "step") {
            player_.setPosition(player_.position() + film::stepMs);
        } else if (line == "rewind") {
            player_.setPosition(0);
            player_.pause(); // stands still on the first frame
        } else if (line == "close") {
            player_.stop();
            player_.setSource(QUrl());
        }
    }

    void statusChanged(QMediaPlayer::MediaStatus s) {
        if (priming_ && s != QMediaPlayer::LoadingMedia) {
            priming_ = false;
            player_.stop();
            player_.setSource(QUrl());
            return;
        }
        if (pendingSerial_ <= 0)
            return;
        if (s == QMediaPlayer::InvalidMedia || player_.error() != QMediaPlayer::NoError)
            answer(false);
        else if (film::loaded(s))
            answer(true);
    }

    void answer(bool loaded) {
        const QByteArray serial = QByteArray::number(pendingSerial_);
        pendingSerial_ = 0;
        if (loaded)
            write("loaded " + serial + '\n');
        else
            write("failed " + serial + ' ' + player_.errorString().toUtf8().replace('\n', ' ') +
                  '\n');
    }

    void sendFrame(const QVideoFrame& frame) {
        if (priming_)
            return;
        QImage img = FilmView::imageOf(frame);
        if (img.isNull())
            return;
        if (img.width() > maxFrameWidth || img.height() > maxFrameHeight)
            img = img.scaled(maxFrameWidth, maxFrameHeight, Qt::KeepAspectRatio);
        img = img.convertToFormat(QImage::Format_RGB32);
        QByteArray bytes = "frame " + QByteArray::number(img.width()) + ' ' +
                           QByteArray::number(img.height()) + '\n';
        for (int y = 0; y < img.height(); ++y)
            bytes.append(reinterpret_cast<const char*>(img.constScanLine(y)), img.width() * 4);
        write(bytes);
    }

    QMediaPlayer player_;
    QVideoSink sink_;
    QFile out_;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray input_;
    int pendingSerial_ = 0;
    bool priming_ = false; // a film loaded only to load the decoders
};

} // namespace

int runFilmProcess() {
    FilmProcess process;
    return QCoreApplication::exec();
}
#else
int runFilmProcess() {
    return 1; // films play in the program on Windows (app/main.cpp)
}
#endif

} // namespace wirtal
