// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/updateform.h"

#include "platform/timer.h"
#include "platform/webloader.h"
#include "widgets/announcer.h"
#include "widgets/htmlview.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

namespace wirtal {

namespace {
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int px) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText); // the version page's title is the server's text
    l->setText(text);
    QFont f(QStringLiteral("Georgia"));
    f.setPixelSize(px);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: green; background: transparent;"));
    l->setWordWrap(true);
    return l;
}
} // namespace

UpdateForm::UpdateForm(TimerService& timers, WebPageLoader* web, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("updateform"));
    setWindowTitle(QStringLiteral("Aktualizacje"));
    // Escape closes the window, as its close button does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    setFixedSize(713, 377);

    statusLabel_ =
        makeLabel(this, QStringLiteral("Label1"),
                  QStringLiteral("Sprawdzam dostępne aktualizacje, proszę czekać..."), 21);
    statusLabel_->setGeometry(8, 24, 550, 50);
    downloadLabel_ =
        makeLabel(this, QStringLiteral("Label2"),
                  QStringLiteral("Dostępna jest aktualizacja, pobierz ją i zainstaluj, aby "
                                 "program był aktualny:"),
                  16);
    downloadLabel_->setGeometry(8, 77, 550, 60);
    downloadLabel_->hide();

    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("updatepanel"));
    panel_->setGeometry(0, 149, 702, 220);
    view_ = new HtmlView(panel_);
    view_->setObjectName(QStringLiteral("UpdateWebBrowser"));
    view_->setAccessibleName(QStringLiteral("Strona z informacją o wersji"));
    view_->setGeometry(8, 8, 681, 217);

    // Once started it closes the window every 2000 ms.
    closeTimer_ = timers.create(QStringLiteral("Timer1"), 2000, TimerKind::Repeating);
    closeTimer_->setHandler([this] { close(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    if (web)
        web->get(version::pageUrl(), this, [this](const WebPage& page) { pageLoaded(page); });
    web_ = web;
}

UpdateForm::~UpdateForm() = default;

void UpdateForm::showWindow() {
    show();
    raise();
}

void UpdateForm::pageLoaded(const WebPage& page) {
    const QString title = page.ok ? version::htmlTitle(page.body) : QString();
    if (page.ok)
        view_->showRemotePage(page.body, page.url);
    state_ = version::evaluate(title);
    switch (state_) {
    case version::State::NotCurrent:
        statusLabel_->setText(QStringLiteral("Twoje wersja NIE jest aktualna."));
        downloadLabel_->show();
        break;
    case version::State::Current:
        statusLabel_->setText(QStringLiteral("Twoje wersja jest aktualna: (") + title +
                              QStringLiteral(")."));
        closeTimer_->start();
        downloadLabel_->hide();
        break;
    case version::State::NoConnection:
    case version::State::Waiting:
        statusLabel_->setText(
            QStringLiteral("Brak połączenia z serwerem, proszę spróbować później."));
        downloadLabel_->hide();
        panel_->hide();
        break;
    }
    // The outcome is read out: the window's labels are read only as it opens.
    announce(this, downloadLabel_->isVisibleTo(this)
                       ? statusLabel_->text() + u' ' + downloadLabel_->text()
                       : statusLabel_->text());
    if (panel_->isVisibleTo(this))
        fetchPictures();
}

void UpdateForm::fetchPictures() {
    // The page's pictures from its own server follow when they arrive.
    if (!web_)
        return;
    for (const QUrl& picture : view_->remotePictures()) {
        web_->get(picture, view_, [this, picture](const WebPage& p) {
            if (p.ok)
                view_->addRemotePicture(picture, p.body);
        });
    }
}

void UpdateForm::paintEvent(QPaintEvent*) {
    // Image1, the background, and Image2, a round badge with an arrow at the top right.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(236, 246, 236));
    g.setColorAt(1, QColor(205, 228, 210));
    p.fillRect(rect(), g);
    const QRectF badge(565, 8, 137, 135);
    p.setPen(QPen(QColor(30, 120, 60), 5));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(badge.adjusted(10, 10, -10, -10));
    p.setPen(QPen(QColor(30, 120, 60), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF c = badge.center();
    p.drawLine(c + QPointF(0, -35), c + QPointF(0, 30));
    p.drawLine(c + QPointF(0, 30), c + QPointF(-25, 5));
    p.drawLine(c + QPointF(0, 30), c + QPointF(25, 5));
}

} // namespace wirtal
