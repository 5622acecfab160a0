// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/category.h"

#include "base/inifile.h"
#include "base/paths.h"

#include <QFileInfo>

#include <vector>

namespace wirtal {

namespace {

using D = SpecialistDraw;

using V = Vehicle;

Category row(const char* code, V vehicle, const char* specialistBank, D draw,
             bool enabledAtStart = false, bool fullBank = false) {
    const QString c = QString::fromLatin1(code);
    return {c,        c.toLower(), QString::fromLatin1(specialistBank), draw, enabledAtStart,
            fullBank, vehicle};
}

// The one list of categories: the start page, the catalogue import and every per-category file
// follow it. A new category is a new row.
const std::vector<Category>& table() {
    static const std::vector<Category> t = {
        row("A", V::Motorcycle, "\\bazaa.txt", D::SpreadOverFile),
        row("A1", V::Motorcycle, "", D::None),
        row("A2", V::Motorcycle, "", D::None),
        row("AM", V::Motorcycle, "", D::None),
        row("B", V::Car, "\\02x.dll", D::FixedTable, /*enabledAtStart=*/true, /*fullBank=*/true),
        row("B1", V::Car, "", D::None),
        row("C", V::Truck, "\\bazac.txt", D::SpreadOverFile),
        row("C1", V::Truck, "", D::None),
        row("D", V::Bus, "\\bazad.txt", D::SpreadOverFile),
        row("D1", V::Bus, "", D::None),
        row("PT", V::Tram, "", D::None),
        row("T", V::Tractor, "\\bazat.txt", D::SpreadOverFile),
    };
    return t;
}

} // namespace

std::span<const Category> Category::all() {
    return table();
}

std::vector<const Category*> Category::offered() {
    std::vector<const Category*> out;
    if (Paths::isCatalogueFolder()) {
        const QStringList codes = ini::read(Paths::catalogueManifest(), QStringLiteral("katalog"),
                                            QStringLiteral("kategorie"), {})
                                      .split(u',', Qt::SkipEmptyParts);
        for (const Category& c : table())
            for (const QString& code : codes)
                if (code.trimmed() == c.code)
                    out.push_back(&c);
        return out;
    }
    for (const Category& c : table())
        if (!c.specialistBank.isEmpty())
            out.push_back(&c);
    return out;
}

bool Category::wholeBank() const {
    return fullBank || Paths::isCatalogueFolder();
}

const Category* Category::find(const QString& code) {
    for (const Category& c : table())
        if (c.code == code)
            return &c;
    return nullptr;
}

} // namespace wirtal
