// SPDX-License-Identifier: GPL-3.0-or-later

// The floors the program's whole-process figures are held against, measured in the same run by
// scripts/bench.sh:
//   floor_window window       a bare Qt window: prints "mapped <ms since the epoch>" at its first
//                             paint, then "rss <MB>" and "cpu <percent>" over 5 s at rest, and
//                             quits;
//   floor_window film FILE    a bare Qt Multimedia window: a video widget plays FILE; prints
//                             "rss-before <MB>", "freeze <ms>" (how long the GUI thread was held
//                             from making the player to play()), "first-frame <ms>" after play()
//                             and "rss-film <MB>" after 3 s of playing.

#include "processfigures.h"
#include <QApplication>
#include <QAudioOutput>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <QWidget>

#include <QDateTime>

#include <cstdio>

#include <sys/times.h>
#include <unistd.h>

using wirtal::bench::residentMb;
using wirtal::bench::runFor;

namespace {

double cpuSeconds() {
    tms t{};
    ::times(&t);
    return double(t.tms_utime + t.tms_stime) / double(::sysconf(_SC_CLK_TCK));
}

class Bare final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (!painted_) {
            painted_ = true;
            std::printf("mapped %lld\n", QDateTime::currentMSecsSinceEpoch());
            std::fflush(stdout);
        }
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QStringLiteral("window")) {
        Bare w;
        w.resize(400, 300);
        w.show();
        runFor(3000);
        std::printf("rss %.1f\n", residentMb());
        std::printf("pss %.1f\n", wirtal::bench::treeMemory().pssMb);
        const double before = cpuSeconds();
        runFor(5000);
        std::printf("cpu %.2f\n", (cpuSeconds() - before) / 5.0 * 100.0);
        return 0;
    }
    if (mode == QStringLiteral("film") && argc > 2) {
        QWidget w;
        w.resize(640, 480);
        w.show();
        runFor(2000);
        std::printf("rss-before %.1f\n", residentMb());
        QElapsedTimer held;
        held.start();
        QMediaPlayer player;
        QAudioOutput audio;
        player.setAudioOutput(&audio);
        auto* video = new QVideoWidget(&w);
        video->setGeometry(0, 0, 480, 360);
        video->show();
        player.setVideoOutput(video);
        player.setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[2])));
        player.play();
        std::printf("freeze %lld\n", held.elapsed());
        QElapsedTimer sinceplay;
        sinceplay.start();
        bool first = false;
        QObject::connect(video->videoSink(), &QVideoSink::videoFrameChanged, &w, [&] {
            if (!first) {
                first = true;
                std::printf("first-frame %lld\n", sinceplay.elapsed());
                std::fflush(stdout);
            }
        });
        runFor(3000);
        std::printf("rss-film %.1f\n", residentMb());
        std::printf("pss-film %.1f\n", wirtal::bench::treeMemory().pssMb);
        return 0;
    }
    std::fprintf(stderr, "floor_window window | floor_window film FILE\n");
    return 2;
}
