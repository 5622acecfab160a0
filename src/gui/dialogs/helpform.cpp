// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/helpform.h"

#include "art/tcolor.h"
#include "dialogs/rulestext.h"
#include "widgets/styledbutton.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QtMath>

#include <algorithm>

namespace wirtal {

HelpForm::HelpForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("helpform"));
    setWindowTitle(QStringLiteral("Wirtal"));
    // Escape closes the window, as its close button does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(tcolor::normal));
    setPalette(pal);

    auto* textBox = new QPlainTextEdit(this);
    textBox->setObjectName(QStringLiteral("Memo1"));
    textBox->setAccessibleName(QStringLiteral("Zasady egzaminu"));
    textBox->setReadOnly(true);
    textBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    const QStringList lines = rulesLines();
    textBox->setPlainText(lines.join(u'\n'));

    // The text box is as wide as the longest line and as tall as all the lines, measured in its
    // own font, so that every stored line shows whole on one row and nothing needs scrolling.
    // The lines are broken where the text was written; wrapping them again at a narrower width
    // would leave ragged pairs.
    const QFontMetrics fm(textBox->font());
    int textWidth = 0;
    for (const QString& line : lines)
        textWidth = std::max(textWidth, fm.horizontalAdvance(line));
    const int chrome =
        2 * (textBox->frameWidth() + qCeil(textBox->document()->documentMargin())) + 2 /* cursor */;
    const QSize textSize(std::max(425, textWidth + chrome + 4),
                         std::max(305, int(lines.size()) * fm.lineSpacing() + chrome + 4));
    textBox->setGeometry(8, 8, textSize.width(), textSize.height());

    constexpr int okWidth = 120, okHeight = 35;
    const QSize client(textSize.width() + 17, textSize.height() + 8 + 22 + okHeight + 26);
    setFixedSize(client);
    auto* ok = new StyledButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("AdvSmoothButton1"));
    ok->setGeometry((client.width() - okWidth) / 2, textBox->geometry().bottom() + 1 + 22, okWidth,
                    okHeight);
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
