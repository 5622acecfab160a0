// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace wirtal {

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Information, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

// Message boxes (always captioned "Wirtal"), the save dialog and the file and folder choosers.
// Modal: while a box is open the caller waits and timers go on.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // centred: centre the box on the screen rather than on the main window.
    virtual Answer message(const QString& text, Buttons buttons, Icon icon,
                           bool centred = false) = 0;
    // The chosen file name, or an empty string when the user cancelled. The dialog opens on
    // suggested (a folder and a file name).
    virtual QString saveFileName(const QString& title, const QString& filter,
                                 const QString& suggested) = 0;
    // An existing file to open (filter as "Katalog pytań (*.xlsx)"), or an empty string when the
    // user cancelled.
    virtual QString openFileName(const QString& title, const QString& filter) = 0;
    // Existing files to open, several at once (the media archives of a catalogue), or none when
    // the user cancelled.
    virtual QStringList openFileNames(const QString& title, const QString& filter) = 0;
    // An existing folder, or an empty string when the user cancelled.
    virtual QString folderName(const QString& title) = 0;
};

// The caption of every box.
inline QString boxCaption() {
    return QStringLiteral("Wirtal");
}

} // namespace wirtal
