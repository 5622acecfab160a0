// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/category.h"

#include "base/inifile.h"
#include "base/paths.h"

#include <QFileInfo>

#include <array>

namespace wirtal {

namespace {

using D = SpecialistDraw;

Category row(const char* code, const char* specialistBank, D draw, bool enabledAtStart = false,
             bool fullBank = false) {
    const QString c = QString::fromLatin1(code);
    return {c, c.toLower(), QString::fromLatin1(specialistBank), draw, enabledAtStart, fullBank};
}

const std::array<Category, 12>& table() {
    static const std::array<Category, 12> t = {
        row("A", "\\bazaa.txt", D::SpreadOverFile),
        row("A1", "", D::None),
        row("A2", "", D::None),
        row("AM", "", D::None),
        row("B", "\\02x.dll", D::FixedTable, /*enabledAtStart=*/true, /*fullBank=*/true),
        row("B1", "", D::None),
        row("C", "\\bazac.txt", D::SpreadOverFile),
        row("C1", "", D::None),
        row("D", "\\bazad.txt", D::SpreadOverFile),
        row("D1", "", D::None),
        row("PT", "", D::None),
        row("T", "\\bazat.txt", D::SpreadOverFile),
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
