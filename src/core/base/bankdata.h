// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace wirtal {

// Which bank the learner's data belongs to. The program folder holds a classic bank (the demo
// bank or a bank of its own, numbered 1..1479 for good) or an imported official catalogue, whose
// every edition names its questions by the same official numbers. Statistics, revision lists,
// the last question and the answer history are kept apart by bank: a classic bank's files are
// named as they always were (an existing learner keeps them as they are), a catalogue's carry the
// prefix "katalog-" ("katalog-statsb.ini", "katalog-repeat-b.txt") and name every question by its
// official number, so that the next edition finds them again.
enum class BankKind { Classic, Catalogue };

struct BankIdentity {
    BankKind kind = BankKind::Classic;

    // The bank of the program folder now (a catalogue when it holds katalog.ini).
    static BankIdentity ofProgramFolder();

    // The bare file name in the user data folder of this bank's copy of a data file:
    // "statsb.ini" stays, or becomes "katalog-statsb.ini".
    QString dataFile(const QString& name) const;
    // The answer history's key of a category: "B", or "katalog:B".
    QString historyKey(const QString& categoryCode) const;

    bool operator==(const BankIdentity&) const = default;
};

// The catalogue named by a katalog.ini: the spreadsheet it was imported from and when.
struct CatalogueOrigin {
    QString source;       // the spreadsheet's file name as katalog.ini gives it; may be empty
    QDateTime importedAt; // invalid when katalog.ini gives no date
};
CatalogueOrigin catalogueOrigin(const QString& manifestPath);

// Before the data was kept by bank, a catalogue's statistics and revision lists went into the
// classic files, and its answers into the history under the plain category code. Once per user
// data folder (the key "[dane] banki" of ustawienia.ini says it is done), a classic file last
// written after the catalogue in use was imported (the program folder's katalog.ini, else that of
// the catalogue imported into the user data folder) is copied to the catalogue's name, unless
// that one exists; the classic file stays as it is. `catalogueSince` is then when that catalogue
// was imported, for the history (AnswerLog::moveToCatalogue); invalid when there is nothing to
// separate. Throws Error only when the mark cannot be written.
struct EarlierCatalogueData {
    QStringList written; // the catalogue's names written
    QDateTime catalogueSince;
};
EarlierCatalogueData separateEarlierCatalogueData();

} // namespace wirtal
