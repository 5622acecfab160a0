// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMediaPlayer>
#include <QString>

// What the two film players (in the program and in the film process) share.
namespace wirtal::film {

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
