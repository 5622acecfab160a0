#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace wirtal {

// Real message boxes and save dialog on QMessageBox and QFileDialog.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    Answer message(const QString& text, Buttons buttons, Icon icon, bool centred) override;
    QString saveFileName(const QString& title, const QString& filter) override;

private:
    QWidget* parent_;
};

} // namespace wirtal
