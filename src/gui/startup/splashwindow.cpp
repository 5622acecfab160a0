// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/splashwindow.h"

#include "art/tcolor.h"
#include "platform/timer.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace wirtal {

namespace {
constexpr int clientW = 751, clientH = 462;
constexpr int pictureW = 751, pictureH = 472;

QPainterPath banner() {
    // A flag waving in two gentle waves along its top and bottom edges.
    QPainterPath path;
    const double left = 40, right = pictureW - 40, top = 70, bottom = pictureH - 80;
    const int steps = 60;
    for (int i = 0; i <= steps; ++i) {
        const double x = left + (right - left) * i / steps;
        const double y = top + 22 * std::sin(i * 2 * M_PI / steps * 1.5);
        i == 0 ? path.moveTo(x, y) : path.lineTo(x, y);
    }
    for (int i = steps; i >= 0; --i) {
        const double x = left + (right - left) * i / steps;
        path.lineTo(x, bottom + 22 * std::sin(i * 2 * M_PI / steps * 1.5));
    }
    path.closeSubpath();
    return path;
}
} // namespace

QImage SplashWindow::picture() {
    QImage img(pictureW, pictureH, QImage::Format_RGB32);
    img.fill(toQColor(colorKey));
    QPainter p(&img);
    const QPainterPath flag = banner();
    // The edge is drawn without smoothing: a blended edge pixel would be neither banner nor key.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 246, 232));
    p.drawPath(flag);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipPath(flag);
    QLinearGradient shade(0, 0, pictureW, 0);
    shade.setColorAt(0, QColor(255, 255, 255, 0));
    shade.setColorAt(0.5, QColor(120, 150, 200, 50));
    shade.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), shade);
    p.setPen(QPen(QColor(29, 59, 106), 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);

    // The traffic light.
    const QRectF box(80, 130, 90, 230);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(45, 45, 50));
    p.drawRoundedRect(box, 16, 16);
    const QColor lamps[] = {QColor(220, 40, 40), QColor(245, 190, 30), QColor(40, 190, 90)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lamps[i]);
        p.drawEllipse(QPointF(box.center().x(), box.top() + 40 + i * 75), 28, 28);
    }

    // The title as large as fits beside the light, whatever serif face the system offers.
    const QString name = QStringLiteral("Wirtal 2013");
    const QRectF titleBox(200, 120, 490, 110);
    QFont title(QStringLiteral("Georgia"));
    title.setBold(true);
    // The largest even size from 86 down to 30 at which the title fits: guessed from its width
    // at 86 (widths grow about in proportion to the size), then corrected step by step, which
    // measures two or three sizes instead of every one.
    const auto widthAt = [&](int size) {
        title.setPixelSize(size);
        return QFontMetricsF(title).horizontalAdvance(name);
    };
    const auto fits = [&](int size) { return widthAt(size) <= titleBox.width(); };
    int px = 86;
    if (const double wide = widthAt(px); wide > titleBox.width()) {
        px = std::clamp(int(px * titleBox.width() / wide) / 2 * 2, 30, 84);
        while (px < 84 && fits(px + 2))
            px += 2;
        while (px > 30 && !fits(px))
            px -= 2;
    }
    title.setPixelSize(px);
    p.setFont(title);
    p.setPen(QColor(29, 59, 106));
    p.drawText(titleBox, Qt::AlignCenter, name);
    QFont sub(QStringLiteral("Georgia"));
    sub.setPixelSize(22);
    sub.setItalic(true);
    p.setFont(sub);
    p.drawText(QRectF(200, 225, 490, 40), Qt::AlignCenter,
               QStringLiteral("egzamin teoretyczny na prawo jazdy"));
    return img;
}

SplashWindow::SplashWindow(TimerService& timers, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Wirtal"));
    setFixedSize(clientW, clientH);
    setAttribute(Qt::WA_TranslucentBackground, false);

    scaled_ = picture().scaled(clientW, clientH, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // The shape: every pixel of the key colour is left out of the window.
    setMask(QPixmap::fromImage(scaled_).createMaskFromColor(toQColor(colorKey), Qt::MaskInColor));

    auto* categoryLabel = new QLabel(QStringLiteral("kategoria B"), this);
    categoryLabel->setObjectName(QStringLiteral("Label1"));
    QFont f(QStringLiteral("Georgia"));
    f.setPixelSize(24);
    categoryLabel->setFont(f);
    // Dark red on the banner (a palette rather than a style sheet, which would start the style
    // sheet machinery before the splash is up); a label paints no background of its own.
    QPalette red = categoryLabel->palette();
    red.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    categoryLabel->setPalette(red);
    categoryLabel->move(376, 280);
    categoryLabel->adjustSize();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    closeTimer_ = timers.create(QStringLiteral("Timer1"), 1000, TimerKind::OneShot);
    closeTimer_->setHandler([this] { close(); });
    closeTimer_->start();
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::showAndWait() {
    QEventLoop loop;
    connect(this, &SplashWindow::closed, &loop, &QEventLoop::quit);
    show();
    if (closeTimer_->isEnabled())
        loop.exec();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, scaled_);
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace wirtal
