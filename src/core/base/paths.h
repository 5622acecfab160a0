// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace wirtal {

// The program folder (the current directory at start: bank files, pictures, films, pages) and the
// user data folder (statistics, revision lists, report template). Both are set once at start,
// and by tests to temporary folders.
struct Paths {
    static void setProgramFolder(const QString& folder);
    static void setUserDataFolder(const QString& folder);
    static const QString& programFolder();
    static const QString& userDataFolder();

    // A name the program writes with a leading backslash ("\obrazki_prawko\empty.jpg") joined to
    // the program folder with the native separator; names and letter case are kept.
    static QString inProgramFolder(const QString& backslashName);
    static QString inUserData(const QString& fileName);

    // $APPDATA + "/Norel/" when APPDATA is set, else the per-user data folder of the platform
    // + "/Norel/".
    static QString defaultUserDataFolder();
    // Creates the user data folder when it is missing; false when that failed.
    static bool ensureUserDataFolder();

    // Whether a folder holds a question bank: "0wx.dll" (a bank of its own) or "katalog.ini" (an
    // imported catalogue).
    static bool holdsBank(const QString& folder);
    // The manifest of a folder made by the catalogue import, in the program folder
    // ("katalog.ini"), and whether the program folder is such a folder (it holds one).
    static QString catalogueManifest();
    static bool isCatalogueFolder();
    // Where the catalogue imported from inside the program lives: "katalog" in the user data
    // folder (the installed program folder is not writable).
    static QString importedCatalogueFolder();
    // The program folder to start on: the current directory when it holds a bank and is not the
    // installed program folder (the user chose it); else the imported catalogue when there is
    // one; else the installed program folder when it holds a bank; else the current directory.
    static QString programFolderAtStart(const QString& current, const QString& installed,
                                        const QString& imported);
};

} // namespace wirtal
