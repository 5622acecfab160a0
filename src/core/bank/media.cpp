// SPDX-License-Identifier: GPL-3.0-or-later

#include "bank/media.h"

#include "base/paths.h"
#include "platform/error.h"
#include "platform/filereader.h"

namespace wirtal {

QString mediaFolder() {
    return Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\filmy\\"));
}

QString mediaPath(const QString& field) {
    // The media folder may itself be a link (an installed program folder sharing its films), so
    // a file inside either the media folder or the program folder is accepted.
    const std::optional<QString> path = joinInside(mediaFolder(), field, Paths::programFolder());
    if (!path)
        throw Error(QStringLiteral("Nazwa pliku multimediów „%1” wskazuje poza folder programu.")
                        .arg(field));
    return *path;
}

} // namespace wirtal
