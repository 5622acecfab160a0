// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QMediaPlayer>
#include <QString>

// What the film players (in the program, and the program's side of the film helper with the
// helper itself) share.
namespace wirtal::film {

// The film helper's protocol (platform/filmprocess.h). Raised whenever a line changes its
// meaning; the helper says it and the program's version in its first line, and the program
// refuses a helper whose line is not its own.
inline constexpr int protocolVersion = 2;
inline QByteArray hello(const QByteArray& programVersion) {
    return "wirtal-filmy " + QByteArray::number(protocolVersion) + ' ' + programVersion;
}
inline constexpr char helloWord[] = "wirtal-filmy ";

// The largest frame the helper sends (a larger film is scaled down; the panel is 480 x 360), and
// so the size of the shared frame memory.
inline constexpr int maxFrameWidth = 1280, maxFrameHeight = 960;
inline constexpr qsizetype maxFrameBytes = qsizetype(maxFrameWidth) * maxFrameHeight * 4;
// The descriptor on which the helper finds the shared frame memory (Linux).
inline constexpr int frameMemoryFd = 3;

// The small step of step(): about one frame of the films (25 frames a second).
inline constexpr qint64 stepMs = 40;

// Whether the back end has the film open (it may already have played it to its end).
inline bool loaded(QMediaPlayer::MediaStatus s) {
    return s == QMediaPlayer::LoadedMedia || s == QMediaPlayer::BufferedMedia ||
           s == QMediaPlayer::BufferingMedia || s == QMediaPlayer::EndOfMedia;
}

// The back end's messages often end in a full stop of their own; ours adds one.
inline QString withoutFullStop(QString text) {
    text = text.trimmed();
    while (text.endsWith(u'.'))
        text.chop(1);
    return text.isEmpty() ? QStringLiteral("nieznany błąd") : text;
}

} // namespace wirtal::film
