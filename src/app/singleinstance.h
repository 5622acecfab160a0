// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace wirtal {

// One running program per user data folder: a second start asks the first to raise its window
// and ends, instead of opening a second program on the same statistics and revision files.
// The two talk over a local socket that only the user can open, named after the folder.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& userDataFolder, QObject* parent = nullptr);

    // Another copy answered and has been asked to show itself: this one should end.
    bool handedOver() const { return handedOver_; }
    // This copy listens for later starts (false only when the socket could not be made).
    bool listening() const { return server_.isListening(); }

    static QString serverNameFor(const QString& userDataFolder);

signals:
    // A later start asked for the window.
    void raiseRequested();

private:
    QLocalServer server_;
    bool handedOver_ = false;
};

} // namespace wirtal
