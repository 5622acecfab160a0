// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace wirtal {

// Real message boxes, save dialog and choosers on QMessageBox and QFileDialog.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    Answer message(const QString& text, Buttons buttons, Icon icon, bool centred) override;
    QString saveFileName(const QString& title, const QString& filter,
                         const QString& suggested) override;
    // Both choosers start in the user's download folder (where the ministry's files land), else
    // in the documents folder.
    QString openFileName(const QString& title, const QString& filter) override;
    QStringList openFileNames(const QString& title, const QString& filter) override;
    QString folderName(const QString& title) override;

private:
    QWidget* parent_;
};

} // namespace wirtal
