// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/filmprocess.h"

#include "platform/error.h"
#include "platform/filereader.h"
#include "platform/filmshared.h"
#include "platform/filmview.h"
#include "platform/timer.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <cstring>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace wirtal {

namespace {
using film::maxFrameHeight;
using film::maxFrameWidth;
// A header line longer than this, or a frame larger than the bound, means the process is not
// speaking our protocol: it is ended.
constexpr int maxLine = 4096;
// How long a process asked to end may take before it is killed (a part of filmProcessWaitMs).
constexpr int endGraceMs = 500;
} // namespace

// ---- the program's side -------------------------------------------------------------------

QString findFilmHelper(const QString& executableFolder, const QString& helperFolder) {
    for (const QString& folder : {executableFolder, executableFolder + u'/' + helperFolder}) {
        const QFileInfo helper(QDir::cleanPath(folder + u'/' + QLatin1String(filmHelperName)));
        if (helper.isFile() && helper.isExecutable())
            return helper.filePath();
    }
    return {};
}

FilmProcessPlayer::FilmProcessPlayer(QString program, QStringList arguments, QByteArray version,
                                     TimerService* timers, int openTimeoutMs, int idleEndMs,
                                     QObject* parent)
    : QObject(parent), program_(std::move(program)), arguments_(std::move(arguments)),
      hello_(film::hello(version)), openTimeoutMs_(openTimeoutMs) {
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
#ifdef Q_OS_LINUX
    if (frames_)
        ::munmap(const_cast<uchar*>(frames_), size_t(film::maxFrameBytes));
    if (frameMemory_ >= 0)
        ::close(frameMemory_);
#endif
}

// The shared frame memory: made once for the player, sized to the bound and sealed so its size
// never changes; read-only here. Where it cannot be made, the frames come through the pipe.
void FilmProcessPlayer::makeFrameMemory() {
#ifdef Q_OS_LINUX
    if (frameMemory_ >= 0)
        return;
    const int fd = ::memfd_create("wirtal-klatki", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0)
        return;
    void* at = MAP_FAILED;
    if (::ftruncate(fd, off_t(film::maxFrameBytes)) == 0 &&
        ::fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL) == 0)
        at = ::mmap(nullptr, size_t(film::maxFrameBytes), PROT_READ, MAP_SHARED, fd, 0);
    if (at == MAP_FAILED) {
        ::close(fd);
        return;
    }
    frameMemory_ = fd;
    frames_ = static_cast<const uchar*>(at);
#endif
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
    if (!refusal_.isEmpty())
        throw Error(refusal_);
    makeFrameMemory();
    process_ = new QProcess(this);
    process_->setProgram(program_);
    process_->setArguments(arguments_);
#ifdef Q_OS_LINUX
    // The helper finds the frame memory on its own descriptor (the memory file is closed on exec
    // everywhere else).
    if (frameMemory_ >= 0)
        process_->setChildProcessModifier([fd = frameMemory_] {
            if (fd == film::frameMemoryFd)
                ::fcntl(fd, F_SETFD, 0);
            else
                ::dup2(fd, film::frameMemoryFd);
        });
#endif
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // No window system in the film process: it only decodes.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process_->setProcessEnvironment(env);
    connect(process_, &QProcess::readyReadStandardOutput, this, &FilmProcessPlayer::readOutput);
    connect(process_, &QProcess::finished, this, [this] { playing_ = false; });
    buffer_.clear();
    ready_ = false;
    greeted_ = false;
    ++starts_;
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
        // The film says what is wrong when it comes.
    }
}

void FilmProcessPlayer::prepare(const QString& film) {
    if (!processRunning() && refusal_.isEmpty())
        warmUp(film);
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
    if (!refusal_.isEmpty())
        throw Error(refusal_);
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
    greeted_ = false;
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
        if (line.startsWith("frame ") && greeted_) {
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
        if (line.startsWith("shm ") && greeted_) {
            if (!takeSharedFrame(line, latest)) {
                endProcess();
                return;
            }
            continue;
        }
        if (!handle(line))
            return;
    }
    // Only the newest of the frames that came together is shown.
    if (!latest.isNull())
        if (FilmView* view = panel_ ? videoFor(panel_) : nullptr)
            view->setImage(std::move(latest));
}

// A frame in the shared memory: its size within the bound (and so within the memory), copied
// out at once, and the helper told it may write the next.
bool FilmProcessPlayer::takeSharedFrame(const QByteArray& line, QImage& into) {
    const QList<QByteArray> parts = line.split(' ');
    const int w = parts.value(1).toInt(), h = parts.value(2).toInt();
    if (!frames_ || parts.size() != 3 || w <= 0 || h <= 0 || w > maxFrameWidth ||
        h > maxFrameHeight)
        return false;
    static_assert(qsizetype(maxFrameWidth) * maxFrameHeight * 4 <= film::maxFrameBytes);
    QImage img(w, h, QImage::Format_RGB32);
    const qsizetype row = qsizetype(w) * 4;
    for (int y = 0; y < h; ++y)
        std::memcpy(img.scanLine(y), frames_ + y * row, size_t(row));
    into = std::move(img);
    ++sharedFrames_;
    send("ack");
    return true;
}

bool FilmProcessPlayer::handle(const QByteArray& line) {
    if (!greeted_) {
        // The first line is the helper's hello: another version's helper is refused, anything
        // else is not our helper at all.
        if (line == hello_) {
            greeted_ = true;
            return true;
        }
        if (line.startsWith(film::helloWord))
            refusal_ = QStringLiteral("Nie można odtworzyć filmu: odtwarzacz filmów %1 jest z "
                                      "innej wersji programu (%2) niż uruchomiony program (%3). "
                                      "Zamknij program i uruchom go ponownie; jeśli to nie "
                                      "pomoże, zainstaluj program ponownie.")
                           .arg(QLatin1String(filmHelperName),
                                QString::fromUtf8(line.split(' ').value(2)).left(40),
                                QString::fromUtf8(hello_.split(' ').value(2)));
        endProcess(/*hung=*/true);
        return false;
    }
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
    return true;
}

} // namespace wirtal
