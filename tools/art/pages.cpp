// SPDX-License-Identifier: GPL-3.0-or-later

// The reference pages' pictures: read their list, draw each with the demo bank's painters.

#include "art/pages.h"

#include "art/figures.h"
#include "art/pictures.h"
#include "art/road.h"
#include "art/signpaint.h"
#include "art/signtable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>

namespace wirtal::art {

namespace {

constexpr int pictureWidth = 128; // the pages show signs, signals and lights 64 px wide

QImage transparentCanvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A sign alone, as wide as the picture allows (tall signs are limited in height instead). Wide
// plates are drawn twice as wide, so that the page can show their text at a readable size.
QImage signPicture(const media::SignDef& d, const QString& code) {
    const QSizeF unit = signFaceSize(code, 1.0);
    const int width = unit.width() > 1.5 * unit.height() ? 2 * pictureWidth : pictureWidth;
    const qreal margin = 4, maxW = width - 2 * margin, maxH = 2.2 * (pictureWidth - 2 * margin);
    const qreal size = std::min(maxW / unit.width(), maxH / unit.height());
    const QSizeF face = signFaceSize(code, size);
    QImage img = transparentCanvas(width, int(std::ceil(face.height() + 2 * margin)));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintSign(p, QPointF(width / 2.0, margin), size, code);
    if (d.shape == media::Shape::Post) {
        // a white post needs its edge on a white page
        p.setPen(QPen(QColor(150, 150, 150), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(QPointF((width - face.width()) / 2, margin), face));
    }
    return img;
}

// A road marking is shown as the bank shows it: painted on the road ahead.
QImage markingPicture(const media::Item& item) {
    return renderPicture(item).scaled(2 * pictureWidth, 2 * pictureWidth * 3 / 4,
                                      Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The railway crossing's signal: the cross G-3 over the two red lamps on their board.
void railSignal(QPainter& p, bool flashing) {
    paintSign(p, QPointF(64, 6), 100, QStringLiteral("G-3"));
    fillRect(p, QRectF(60, 80, 8, 96), QColor(90, 90, 95));
    fillRect(p, QRectF(14, 100, 100, 46), QColor(25, 25, 25), 10);
    for (int i = 0; i < 2; ++i) {
        const QPointF c(39 + i * 50, 123);
        const bool lit = flashing && i == 0;
        fillCircle(p, c, 17, QColor(60, 60, 60));
        fillCircle(p, c, 14, lit ? QColor(255, 40, 30) : QColor(90, 30, 30));
        if (lit)
            fillCircle(p, c, 24, QColor(255, 60, 40, 70));
    }
}

QImage lightPicture(const QString& state) {
    if (state.startsWith(u"rail-")) {
        QImage img = transparentCanvas(pictureWidth, 180);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        railSignal(p, state == u"rail-flash");
        return img;
    }
    const bool withArrow = state == u"red-arrow" || state == u"green-arrow";
    // a pedestrian head has two lamps, a tram head one, the others three
    const qreal w = 46,
                h = state.startsWith(u"tram-") ? 60 : (state.startsWith(u"ped-") ? 110 : 140);
    QImage img = transparentCanvas(pictureWidth, 160);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal left = withArrow ? 64 - w : 64 - w / 2;
    const QRectF head(left, (160 - h) / 2, w, h);
    if (state.startsWith(u"tram-")) {
        // the tram signal's single round lamp sits at the top of its box
        paintSignalHead(p, QRectF(head.left(), head.top() - 12, w, 100), state, true);
    } else {
        paintSignalHead(p, head, state, true);
    }
    return img;
}

QImage dashPicture(const QString& name) {
    QImage img = transparentCanvas(pictureWidth, pictureWidth);
    QPainter p(&img);
    paintDashIcon(p, QRectF(4, 4, pictureWidth - 8, pictureWidth - 8), name);
    return img;
}

// "sign:A-7+T-6/bl" names a stack; the picture of "T-6" shows the part that is that plate.
QString partFor(const QString& spec, const QString& fileCode) {
    const QStringList parts = spec.split(u'+');
    for (const QString& part : parts)
        if (part.section(u'/', 0, 0) == fileCode)
            return part;
    return parts.value(0);
}

} // namespace

QList<PagePicture> readPagePictures(const QString& listFile, QString* why) {
    QFile f(listFile);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (why)
            *why = QStringLiteral("nie można otworzyć „%1”").arg(listFile);
        return {};
    }
    static const QRegularExpression row(QStringLiteral("^\\|\\s*`([a-z]+/[^`]+\\.png)`(.*)$"));
    static const QRegularExpression car(QStringLiteral("^###\\s*`pojazdy/([a-z]+)\\.png`"));
    static const QRegularExpression item(
        QStringLiteral("\\b(sign|light|dash):([A-Za-z0-9+/.-]*[A-Za-z0-9])"));
    QList<PagePicture> found;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    for (const QString& line : lines) {
        if (const auto m = car.match(line); m.hasMatch()) {
            found.push_back({QStringLiteral("pojazdy/%1.png").arg(m.captured(1)),
                             QStringLiteral("car:") + m.captured(1)});
            continue;
        }
        const auto m = row.match(line);
        if (!m.hasMatch())
            continue;
        const QString file = m.captured(1);
        const auto it = item.match(m.captured(2));
        if (!it.hasMatch()) {
            if (why)
                *why = QStringLiteral("„%1”: nie wiadomo, co pokazać").arg(file);
            return {};
        }
        QString body = it.captured(2);
        if (it.captured(1) == u"sign")
            body = partFor(body, QFileInfo(file).completeBaseName());
        found.push_back({file, it.captured(1) + u':' + body});
    }
    if (found.isEmpty() && why)
        *why = QStringLiteral("„%1” nie wymienia żadnego obrazka").arg(listFile);
    return found;
}

QImage renderPagePicture(const PagePicture& picture) {
    const QString kind = picture.item.section(u':', 0, 0);
    const QString body = picture.item.section(u':', 1);
    if (kind == u"car")
        return renderCar(body);
    if (kind == u"dash")
        return dashPicture(body);
    if (kind == u"light")
        return lightPicture(body);
    if (kind == u"sign") {
        const media::SignDef* d = media::findSign(body.section(u'/', 0, 0));
        if (!d)
            return {};
        if (d->shape == media::Shape::Marking) {
            const auto item = media::parseItem(picture.item);
            return item ? markingPicture(*item) : QImage();
        }
        return signPicture(*d, body);
    }
    return {};
}

int writePagePictures(const QList<PagePicture>& pictures, const QString& folder) {
    int failed = 0;
    for (const PagePicture& pic : pictures) {
        const QString path = QDir(folder).filePath(pic.file);
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QImage img = renderPagePicture(pic);
        if (img.isNull() || !img.save(path)) {
            std::fprintf(stderr, "wirtal-art: cannot draw %s (%s)\n", qPrintable(pic.file),
                         qPrintable(pic.item));
            ++failed;
        }
    }
    return failed;
}

} // namespace wirtal::art
