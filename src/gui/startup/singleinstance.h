// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace wirtal {

// One running program per user data folder: a second start asks the first to raise its window
// and ends, instead of opening a second program on the same statistics and revision files.
// The two talk over a local socket in a folder only the user can enter ($XDG_RUNTIME_DIR when
// it is the user's own, else a private folder in the user data folder), named after the user
// data folder. Both ends check that the other is the same user: a socket of another user is
// never obeyed nor yielded to. The socket is removed when the program ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& userDataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Another copy answered and has been asked to show itself: this one should end.
    bool handedOver() const { return handedOver_; }
    // This copy listens for later starts (false only when the socket could not be made).
    bool listening() const { return server_.isListening(); }

    // Where the socket of this user data folder lives (on Unix a full path inside a private
    // folder, made when missing; on Windows a pipe name). Empty when no private place exists:
    // the program then runs without the guard.
    static QString serverNameFor(const QString& userDataFolder);
    // The name the socket had in earlier versions, in the shared temporary folder.
    static QString legacyNameFor(const QString& userDataFolder);

signals:
    // A later start asked for the window.
    void raiseRequested();

private:
    QLocalServer server_;
    bool handedOver_ = false;
};

} // namespace wirtal
