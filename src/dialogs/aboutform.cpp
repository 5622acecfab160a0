#include "dialogs/aboutform.h"

#include "widgets/styledbutton.h"
#include "widgets/tcolor.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>

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
    setFixedSize(688, 380);
    setWindowModality(Qt::ApplicationModal);

    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setAccessibleName(QStringLiteral("O programie"));
    memo->setReadOnly(true);
    memo->setGeometry(32, 50, 409, 257);
    QFont f(QStringLiteral("Georgia"));
    f.setPixelSize(16);
    memo->setFont(f);
    memo->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; color: #8080FF; }"));
    memo->setPlainText(aboutLines().join(u'\n'));

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
    const QRectF pic(336, 50, 344, 257);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 170, 90, 200));
    p.drawRoundedRect(pic.adjusted(0, pic.height() * 0.55, 0, 0), 10, 10);
    QPolygonF road;
    road << QPointF(pic.center().x() - 12, pic.top() + pic.height() * 0.55)
         << QPointF(pic.center().x() + 12, pic.top() + pic.height() * 0.55)
         << QPointF(pic.right() - 40, pic.bottom()) << QPointF(pic.left() + 40, pic.bottom());
    p.setBrush(QColor(80, 80, 88));
    p.drawPolygon(road);
    p.setPen(QPen(Qt::white, 4, Qt::DashLine));
    p.drawLine(QPointF(pic.center().x(), pic.top() + pic.height() * 0.58),
               QPointF(pic.center().x(), pic.bottom() - 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 90));
    p.drawEllipse(QPointF(pic.right() - 60, pic.top() + 45), 28, 28);
}

} // namespace wirtal
