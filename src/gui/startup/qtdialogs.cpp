// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/qtdialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace wirtal {

namespace {
QString startFolder() {
    for (auto where : {QStandardPaths::DownloadLocation, QStandardPaths::DocumentsLocation}) {
        const QString folder = QStandardPaths::writableLocation(where);
        if (!folder.isEmpty() && QDir(folder).exists())
            return folder;
    }
    return QDir::homePath();
}
} // namespace

Answer QtDialogs::message(const QString& text, Buttons buttons, Icon icon, bool centred) {
    QMessageBox box(centred ? nullptr : parent_);
    box.setWindowTitle(boxCaption());
    // The system writes line breaks as CR; Qt breaks on LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    // Messages quote outside text (a spreadsheet's cells, a bank's file names): never let Qt take
    // it for markup, which could style the box or make it load a file as a picture.
    box.setTextFormat(Qt::PlainText);
    box.setText(shown);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Tak"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Nie"));
        break;
    }
    if (buttons == Buttons::OkCancel)
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Anuluj"));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString QtDialogs::saveFileName(const QString& title, const QString& filter,
                                const QString& suggested) {
    return QFileDialog::getSaveFileName(parent_, title, suggested, filter);
}

QString QtDialogs::openFileName(const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, title, startFolder(), filter);
}

QStringList QtDialogs::openFileNames(const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileNames(parent_, title, startFolder(), filter);
}

QString QtDialogs::folderName(const QString& title) {
    return QFileDialog::getExistingDirectory(parent_, title, startFolder());
}

} // namespace wirtal
