// SPDX-License-Identifier: GPL-3.0-or-later

#include "film/filmhelper.h"

#include "film/filmframe.h"
#include "platform/filmshared.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QMediaPlayer>
#include <QSocketNotifier>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <cstring>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#endif

namespace wirtal {

#ifndef Q_OS_WIN
namespace {

// A command line longer than this is dropped.
constexpr int maxLine = 4096;

// The frame memory the program gave on film::frameMemoryFd: used when it is there, sealed against
// shrinking and of the bound's size; otherwise the frames go through the pipe.
uchar* mapFrameMemory() {
#ifdef Q_OS_LINUX
    const int fd = film::frameMemoryFd;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size != film::maxFrameBytes)
        return nullptr;
    const int seals = ::fcntl(fd, F_GET_SEALS);
    if (seals < 0 || !(seals & F_SEAL_SHRINK))
        return nullptr;
    void* at =
        ::mmap(nullptr, size_t(film::maxFrameBytes), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    return at == MAP_FAILED ? nullptr : static_cast<uchar*>(at);
#else
    return nullptr;
#endif
}

class FilmHelper : public QObject {
public:
    FilmHelper() : frames_(mapFrameMemory()) {
        player_.setVideoSink(&sink_);
        out_.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
        connect(&sink_, &QVideoSink::videoFrameChanged, this, &FilmHelper::frameChanged);
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
        connect(notifier_, &QSocketNotifier::activated, this, &FilmHelper::readCommands);
        // The media back end is loaded (making the player loads it): commands are answered now.
        write("ready\n");
    }
    ~FilmHelper() override {
#ifdef Q_OS_LINUX
        if (frames_)
            ::munmap(frames_, size_t(film::maxFrameBytes));
#endif
    }

private:
    void write(const QByteArray& bytes) {
        out_.write(bytes);
    }

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
        if (line == "ack") {
            // The program has taken the frame out of the shared memory: the next may go in.
            frameTaken_ = true;
            if (!waiting_.isNull())
                sendFrame(std::exchange(waiting_, QImage()));
        } else if (line.startsWith("prime ")) {
            if (pendingSerial_ > 0 || !player_.source().isEmpty())
                return; // a film asked for, or open, comes first
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
            waiting_ = QImage();
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

    void frameChanged(const QVideoFrame& frame) {
        if (priming_)
            return;
        QImage img = film::imageOf(frame);
        if (img.isNull())
            return;
        if (img.width() > film::maxFrameWidth || img.height() > film::maxFrameHeight)
            img = img.scaled(film::maxFrameWidth, film::maxFrameHeight, Qt::KeepAspectRatio);
        sendFrame(img.convertToFormat(QImage::Format_RGB32));
    }

    // Through the shared memory, one frame at a time: while the program has not taken the last
    // one, only the newest frame waits. Without it, through the pipe after its header line.
    void sendFrame(const QImage& img) {
        const QByteArray size =
            QByteArray::number(img.width()) + ' ' + QByteArray::number(img.height()) + '\n';
        const qsizetype row = qsizetype(img.width()) * 4;
        if (frames_) {
            if (!frameTaken_) {
                waiting_ = img;
                return;
            }
            for (int y = 0; y < img.height(); ++y)
                std::memcpy(frames_ + y * row, img.constScanLine(y), size_t(row));
            frameTaken_ = false;
            write("shm " + size);
            return;
        }
        QByteArray bytes = "frame " + size;
        for (int y = 0; y < img.height(); ++y)
            bytes.append(reinterpret_cast<const char*>(img.constScanLine(y)), row);
        write(bytes);
    }

    QMediaPlayer player_;
    QVideoSink sink_;
    QFile out_;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray input_;
    uchar* frames_ = nullptr; // the shared frame memory, or null: the pipe
    bool frameTaken_ = true;
    QImage waiting_;
    int pendingSerial_ = 0;
    bool priming_ = false; // a film loaded only to load the decoders
};

} // namespace

int runFilmHelper(const QByteArray& programVersion) {
    // Said before the media back end loads: a helper of another version is refused at once.
    QFile out;
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    out.write(film::hello(programVersion) + '\n');
    FilmHelper helper;
    return QCoreApplication::exec();
}
#else
int runFilmHelper(const QByteArray&) {
    return 1; // films play in the program on Windows
}
#endif

} // namespace wirtal
