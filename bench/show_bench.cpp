// SPDX-License-Identifier: GPL-3.0-or-later

// Showing a question with a 480 x 360 picture: the record lookup in a full-size bank, the JPEG
// read by the picture box and the box painted (the picture scaled to it), on the offscreen
// platform; and the decoding and the scaling alone.
//
//   bench_show [--benchmark_filter=...]

#include "bank/bank.h"
#include "base/paths.h"
#include "fullbank.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace wirtal;
using wirtal::bench::fullBank;

namespace {

// A 480 x 360 JPEG like the question pictures: a photograph-like mix of gradients and detail.
QString questionPicture() {
    static const QString path = [] {
        fullBank();
        const QString dir = Paths::programFolder() + QStringLiteral("/obrazki_prawko/filmy");
        QDir().mkpath(dir);
        QImage img(480, 360, QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.setPixel(x, y, qRgb((x * 255) / 480, (y * 255) / 360, ((x ^ y) * 7) & 255));
        QPainter p(&img);
        p.setPen(Qt::white);
        p.drawText(QRect(20, 20, 440, 320), Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("Skrzyżowanie dróg równorzędnych"));
        p.end();
        const QString file = dir + QStringLiteral("/1.jpg");
        img.save(file, "JPG", 85);
        return file;
    }();
    return path;
}

// The picture area of the learning and exam pages (480 x 360).
constexpr QSize displaySize(480, 360);

void BM_ShowQuestionWithPicture(benchmark::State& state) {
    const QString file = questionPicture();
    PictureBox box;
    box.resize(displaySize);
    QImage frame(displaySize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const Record r = lookup(QStringLiteral("B"), 1298);
        benchmark::DoNotOptimize(r);
        box.load(file);
        box.render(&frame);
    }
}
BENCHMARK(BM_ShowQuestionWithPicture)->Unit(benchmark::kMillisecond);

void BM_DecodePicture(benchmark::State& state) {
    const QString file = questionPicture();
    for (auto _ : state) {
        QImageReader reader(file);
        QImage img = reader.read();
        benchmark::DoNotOptimize(img);
    }
}
BENCHMARK(BM_DecodePicture)->Unit(benchmark::kMillisecond);

void BM_ScalePicture(benchmark::State& state) {
    const QImage img(questionPicture());
    for (auto _ : state) {
        QImage scaled = img.scaled(displaySize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled);
    }
}
BENCHMARK(BM_ScalePicture)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
