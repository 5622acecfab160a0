#include "dialogs/helpform.h"

#include "dialogs/rulestext.h"
#include "widgets/styledbutton.h"
#include "widgets/tcolor.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

namespace wirtal {

HelpForm::HelpForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("helpform"));
    setWindowTitle(QStringLiteral("Wirtal"));
    setFixedSize(442, 396);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(tcolor::normal));
    setPalette(pal);

    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setAccessibleName(QStringLiteral("Zasady egzaminu"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setPlainText(rulesLines().join(u'\n'));
    memo->setGeometry(8, 8, 425, 305);

    auto* ok = new StyledButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("AdvSmoothButton1"));
    ok->setGeometry(160, 335, 120, 35);
    ok->setHandler([this] { hide(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void HelpForm::showRules() {
    show();
    raise();
    activateWindow();
}

} // namespace wirtal
