// SPDX-License-Identifier: GPL-3.0-or-later

// Which program folder the program starts on: a folder the user chose, the imported catalogue,
// the installed program folder.

#include "base/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wirtal;

namespace {

struct Folders {
    QTemporaryDir root;
    QString current, installed, imported, link;
    Folders() {
        current = root.filePath("cwd");
        installed = root.filePath("share/wirtal");
        imported = root.filePath("user/Norel/katalog");
        link = root.filePath("wirtal-link");
        for (const QString& d : {current, installed, imported})
            QDir().mkpath(d);
        QFile::link(installed, link);
    }
    static void put(const QString& folder, const char* name) {
        QFile f(folder + '/' + name);
        f.open(QIODevice::WriteOnly);
        f.write("x");
    }
};

struct Case {
    const char* what;
    const char* currentHas;  // "0wx.dll", "katalog.ini" or ""
    bool currentIsInstalled; // started in the installed folder (the menu entry)
    bool currentIsLink;      // ... reached through a symbolic link
    bool imported;           // a complete imported catalogue in the user data folder
    bool installedHasBank;
    const char* expected; // "current", "imported", "installed"
};

TEST(ProgramFolderAtStart, ChosenFolderThenImportedThenInstalled) {
    const Case cases[] = {
        {"a folder of the user's with its own bank", "0wx.dll", false, false, true, true,
         "current"},
        {"a folder of the user's with an imported catalogue", "katalog.ini", false, false, true,
         true, "current"},
        {"started from the menu, catalogue imported", "", true, false, true, true, "imported"},
        {"started through a link to the installed folder", "", true, true, true, true, "imported"},
        {"started elsewhere, catalogue imported", "", false, false, true, true, "imported"},
        {"started elsewhere, no import", "", false, false, false, true, "installed"},
        {"started from the menu, no import", "", true, false, false, true, "installed"},
        {"no bank anywhere", "", false, false, false, false, "current"},
        {"an imported folder without katalog.ini is no catalogue", "", false, false, false, true,
         "installed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Folders f;
        ASSERT_TRUE(f.root.isValid());
        if (c.installedHasBank)
            Folders::put(f.installed, "0wx.dll");
        if (c.imported)
            Folders::put(f.imported, "katalog.ini");
        else
            Folders::put(f.imported, "pytania-b-podst.txt"); // a leftover, not a program folder
        QString current = f.current;
        if (c.currentIsInstalled)
            current = c.currentIsLink ? f.link : f.installed;
        else if (*c.currentHas)
            Folders::put(f.current, c.currentHas);
        const QString got = Paths::programFolderAtStart(current, f.installed, f.imported);
        const QString expected = QString::fromLatin1(c.expected) == "current"    ? current
                                 : QString::fromLatin1(c.expected) == "imported" ? f.imported
                                                                                 : f.installed;
        EXPECT_EQ(got.toStdString(), expected.toStdString());
    }
}

TEST(ProgramFolderAtStart, ImportedCatalogueLivesInTheUserDataFolder) {
    const QString before = Paths::userDataFolder();
    Paths::setUserDataFolder(QStringLiteral("/tmp/wirtal-user"));
    EXPECT_EQ(Paths::importedCatalogueFolder().toStdString(), "/tmp/wirtal-user/katalog");
    Paths::setUserDataFolder(before);
}

} // namespace
