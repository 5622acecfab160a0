// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/pagekeys.h"

#include "platform/error.h"

#include <QAbstractButton>
#include <QShortcut>

namespace wirtal {

void bindKeys(QWidget* page, const QList<QKeySequence>& keys, std::function<void()> action) {
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, page);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        shortcut->setAutoRepeat(false);
        QObject::connect(shortcut, &QShortcut::activated, page, [action] { guarded(action); });
    }
}

bool pressIfReady(const QWidget* page, QAbstractButton* button) {
    if (!button || !button->isEnabled() || !button->isVisibleTo(page))
        return false;
    button->click();
    return true;
}

bool answerByKey(const QWidget* page, QAbstractButton* button) {
    if (!pressIfReady(page, button))
        return false;
    button->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void tellKey(QAbstractButton* button, const QString& key) {
    const QString hint = QStringLiteral("klawisz %1").arg(key);
    const QString tip = button->toolTip();
    if (tip.contains(hint))
        return;
    button->setToolTip(tip.isEmpty() ? QStringLiteral("%1 (%2)").arg(button->text().trimmed(), hint)
                                     : QStringLiteral("%1 (%2)").arg(tip, hint));
}

} // namespace wirtal
