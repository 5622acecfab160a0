// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bank/bank.h"
#include "bank/media.h"

#include <QString>

class QWidget;

namespace wirtal {

class MediaPlayer;
class PictureBox;

// One of the two media areas of the main window: a film panel and a picture of the same place
// and size, of which at most one is visible.
struct MediaDisplay {
    QWidget* filmPanel = nullptr;  // "Panel1" / "Panel2"
    PictureBox* picture = nullptr; // "ImageTest" / "ImageTest2"
    // Learning display only: the film buttons and the film last opened there.
    QWidget* rewind = nullptr;
    QWidget* replay = nullptr;
    QString* mediaplik = nullptr;

    void showFilmPanel();
    void showPicture();
    // In place of the film: a message for the learner (a film this machine cannot play), or the
    // film again when `text` is empty.
    void showFilmMessage(const QString& text);
};

// The extension of a path: from the last dot after the last separator, dot included; empty
// when there is none.
QString extensionOf(const QString& path);
// A short description of what a media field shows, for a screen reader, where its name says it
// ("sign_A-12a.jpg": "Znak A-12a"); empty otherwise. showMedia gives it to the picture.
QString mediaDescription(const QString& field);

// Shows a record's media field on a display (the caller has closed the player): nothing when the
// file is missing; a film when the extension is exactly ".wmv"; a picture when exactly ".jpg";
// nothing for anything else. Throws Error naming the file or field when the name leaves the
// program folder, or names something that is not a regular file (a FIFO would block the player).
// A film the player cannot open whose header names a codec without a decoder here is no error:
// the film's place says which codec and which package to install (showFilmMessage); the player
// throws as before for any other failure.
void showMedia(const QString& field, MediaDisplay& display, MediaPlayer& player);

// A question about to be shown (the next one): when its media field names a film that is a
// regular file, the player is told the film is near (MediaPlayer::prepare). Never throws: a
// record or file that cannot be shown is said when it is shown.
void prepareFilm(const Record& question, MediaPlayer& player);

} // namespace wirtal
