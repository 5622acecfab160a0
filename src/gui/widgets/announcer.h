// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

namespace wirtal {

// Says short texts to a screen reader without moving the keyboard focus: what a page shows or
// what happened ("Dobrze", the time left, the test's result). It is a status bar of one pixel in
// the window's corner holding a few notifications; each text shows the next one, named with the
// text, and a screen reader reads a notification as it appears. Texts said within one turn of
// the event loop are read together, after the focus has moved in that turn, so a move of the
// focus does not cut them off. A few notifications take turns, so a screen reader that reads
// one a little late still finds its own text there.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    // Queues text (nothing for an empty one) to be read at the end of this turn.
    void say(const QString& text);
    // The texts read so far, the last at the end (the last 50).
    const QStringList& said() const { return said_; }
    // Reads what is queued now (also done by itself at the end of the turn).
    void flush();

    // The announcer of the window of w, made on first use.
    static Announcer* of(QWidget* w);

private:
    std::array<QWidget*, 6> lines_{};
    int next_ = 0;
    QStringList queued_;
    QStringList said_;
    bool flushQueued_ = false;
};

// Says text through the announcer of the window of w.
void announce(QWidget* w, const QString& text);

} // namespace wirtal
