// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/aboutform.h"

#include "art/shellart.h"

#include "art/tcolor.h"
#include "widgets/styledbutton.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>

namespace wirtal {

QStringList AboutForm::aboutLines() {
    return {
        QStringLiteral("Wirtal 2013"),
        QString(),
        QStringLiteral("Norel"),
        QStringLiteral("www.norel.pl"),
        QString(),
        QStringLiteral("Trener egzaminu teoretycznego"),
        QStringLiteral("na prawo jazdy według zasad"),
        QStringLiteral("obowiązujących od 19 stycznia 2013."),
        QStringLiteral("Wszelkie prawa zastrzeżone."),
    };
}

AboutForm::AboutForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("aboutform"));
    setWindowTitle(QStringLiteral("O programie"));
    // Escape closes the window, as its close button does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    setFixedSize(688, 380);
    setWindowModality(Qt::ApplicationModal);

    auto* textBox = new QPlainTextEdit(this);
    textBox->setObjectName(QStringLiteral("Memo1"));
    textBox->setAccessibleName(QStringLiteral("O programie"));
    textBox->setReadOnly(true);
    textBox->setGeometry(32, 50, 409, 257);
    QFont f(QStringLiteral("Georgia"));
    f.setPixelSize(16);
    textBox->setFont(f);
    textBox->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; color: #8080FF; }"));
    textBox->setPlainText(aboutLines().join(u'\n'));

    auto* ok = new StyledButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("AdvSmoothButton1"));
    ok->setGeometry(304, 329, 89, 35);
    ok->setFont(f);
    ok->setHandler([this] { close(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void AboutForm::showModal() {
    show();
    raise();
    activateWindow();
}

void AboutForm::paintEvent(QPaintEvent*) {
    // Image1, the background, and Image2, the picture at the right: a calm road under a sky.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(205, 225, 248));
    sky.setColorAt(1, QColor(150, 185, 228));
    p.fillRect(rect(), sky);
    shellart::paintAboutPicture(p, QRectF(336, 50, 344, 257));
}

} // namespace wirtal
