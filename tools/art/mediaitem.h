// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Media items of the demo bank ("sign:B-33/50", "scene:cross?ty=sl&a=ws", "film:fog"): parsing,
// checking against the catalog (data/media/CATALOG.md) and the file name each one gives.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace wirtal::media {

struct Item {
    QString kind; // sign, light, dash, scene, film
    QString body; // what follows the colon, without the parameters
    // Every parameter of the kind with its value (defaults filled in).
    QMap<QString, QString> values;
    // The parameters that differ from their defaults, in catalog order: key, value.
    QList<std::pair<QString, QString>> named;

    QString value(const QString& key) const { return values.value(key); }
    bool isFilm() const { return kind == u"film"; }
};

// Parses and checks a item; on failure returns nothing and sets *why to a Polish reason.
std::optional<Item> parseItem(const QString& text, QString* why = nullptr);

// The file name of a item in the media folder ("sign_B-33-50.jpg", "film_fog.wmv").
QString fileNameOf(const Item& item);

// Checks a light state ("red", "S-3/left-green"); empty when fine.
QString checkLightState(const QString& state);

QStringList filmNames();
QStringList dashNames();
QStringList fixedSceneNames();

} // namespace wirtal::media
