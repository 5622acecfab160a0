// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <span>
#include <vector>

namespace wirtal {

// How the twelve specialist slots of a test get their ranges of question numbers.
enum class SpecialistDraw {
    FixedTable,     // the fixed ranges of the full bank (category B)
    SpreadOverFile, // twelve ranges spread evenly over the category's specialist bank file
    None,           // no specialist bank in the program folder: no test can be drawn
};

// The vehicle a category's start-page button shows.
enum class Vehicle { Motorcycle, Car, Truck, Bus, Tram, Tractor };

// A licence category with everything the program derives from it. The table in category.cpp
// holds one row per category; a new category is a new row there.
struct Category {
    QString code;           // as learners know it: "B", "A1", "PT"
    QString fileCode;       // its form in file names: "b", "a1", "pt"
    QString specialistBank; // "\02x.dll" for B, "\bazaa.txt" for A; empty when there is none
    SpecialistDraw draw = SpecialistDraw::None;
    bool enabledAtStart = false; // its start-page button can be clicked before any choice
    // The category the full bank was built for: the learning page's progress bar and number
    // entry work only in it, and only outside it does the end of a specialist question's reading
    // period show the answer texts again and restart the answering period.
    bool fullBank = false;
    Vehicle vehicle = Vehicle::Car; // what its start-page button shows

    QString statsFile() const {
        return QStringLiteral("stats") + fileCode + QStringLiteral(".ini");
    }
    QString revisionFile() const {
        return QStringLiteral("repeat-") + fileCode + QStringLiteral(".txt");
    }
    QString buttonCaption() const { return QStringLiteral("Kategoria ") + code; } // start page
    QString label() const { return QStringLiteral("kategoria ") + code; } // learning page label

    // Every known category in the order learners know them (A, A1, A2, AM, B, B1, C, ...).
    static std::span<const Category> all();
    // The categories the program folder offers, in table order: in a folder made by the catalogue
    // import those its katalog.ini lists, otherwise those with a specialist bank.
    static std::vector<const Category*> offered();
    // Whether the category gets the whole-bank behaviour (progress bar, number entry, the
    // specialist timing of B): B in a classic folder, every category in a catalogue folder.
    bool wholeBank() const;
    // The category with this code (letter case must match); null for an unknown or empty code.
    static const Category* find(const QString& code);
};

} // namespace wirtal
