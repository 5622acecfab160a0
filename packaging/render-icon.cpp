// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the application icon's SVG into a square PNG at build time, with no display and no
// outside tool: wirtal-render-icon SOURCE.svg TARGET.png SIZE
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bool sizeOk = false;
    const int size = argc == 4 ? QString::fromLocal8Bit(argv[3]).toInt(&sizeOk) : 0;
    if (!sizeOk || size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: wirtal-render-icon SOURCE.svg TARGET.png SIZE (16..1024)\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "cannot read the SVG file %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
