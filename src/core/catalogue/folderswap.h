// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The folders beside a program folder that an import makes: the new folder built as
// ".NAME.import-XXXXXX" and switched in whole, and what an import that crashed or was killed
// leaves behind.

#include <QDateTime>
#include <QString>

namespace wirtal::catalogue {

class ImportDisk;

// Makes a new empty staging folder ".NAME.import-XXXXXX" beside `target` (readable by others).
// Returns its path, or empty with *error set to the errno.
QString makeStagingFolder(ImportDisk& disk, const QString& target, int* error);

// Puts the complete folder `staging` in the place of `target` (which may not exist yet) and
// removes the previous folder. Where the system can exchange two names in one step the learner
// never has no folder; elsewhere the previous folder is moved aside to ".NAME.old-N" first, which
// restoreInterruptedImport puts back when the program stopped between the two moves. Throws Error
// naming `target` when the switch fails (the previous folder then stays in place); *warning is
// set when only the previous folder could not be removed.
void switchIn(const QString& staging, const QString& target, QString* warning);

// At start, before the program folder is chosen: an import that stopped between moving the
// previous folder aside and moving the new one in left no NAME and a ".NAME.old-N"; that folder
// is moved back. With a program folder at NAME, the ".NAME.old-N" folders are what a finished
// switch had still to remove, and go. Links and folders that hold no program folder are left
// alone. Returns true when the previous folder was moved back.
bool restoreInterruptedImport(const QString& target);

// Removes the staging folders an import that crashed or was killed left beside `target`
// (".NAME.import-XXXXXX", folders only, never a link, last changed before `olderThan`: a younger
// one may belong to an import still running). Returns how many it removed.
int removeLeftoverStaging(const QString& target, const QDateTime& olderThan);

} // namespace wirtal::catalogue
