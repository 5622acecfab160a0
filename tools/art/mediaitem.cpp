// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/mediaitem.h"

#include "art/signtable.h"

#include <QRegularExpression>

namespace wirtal::media {

namespace {

// How a parameter's value is checked.
enum class Check { List, Vehicle, Arms, Signs, Light };

struct Param {
    const char* key;
    const char* def; // default ("" = absent)
    Check check;
    const char* values = ""; // for List: values separated by '|'
};

struct SceneDef {
    const char* name;
    std::initializer_list<Param> params;
};

const char* const lightStates =
    "red|yellow|green|red-yellow|yellow-flash|off|red-arrow|green-arrow|ped-red|ped-green|"
    "tram-stop|tram-go|rail-flash|rail-off";

const SceneDef plan[] = {
    {"cross",
     {{"ty", "ss", Check::Vehicle},
      {"a", "", Check::Vehicle},
      {"b", "", Check::Vehicle},
      {"c", "", Check::Vehicle},
      {"main", "none", Check::Arms},
      {"sub", "yield", Check::List, "yield|stop"},
      {"light", "", Check::List, "red|yellow|green|red-arrow|off|yellow-flash"},
      {"police", "", Check::List, "front|back|side|arm-up"},
      {"tram", "", Check::List, "ns|ew"},
      {"street", "", Check::List, "town"},
      {"wide", "", Check::List, "ns"}}},
    {"tee",
     {{"ty", "ss", Check::Vehicle},
      {"a", "", Check::Vehicle},
      {"b", "", Check::Vehicle},
      {"c", "", Check::Vehicle},
      {"main", "none", Check::Arms},
      {"sub", "yield", Check::List, "yield|stop"},
      {"light", "", Check::List, "red|yellow|green|red-arrow|off|yellow-flash"},
      {"police", "", Check::List, "front|back|side|arm-up"},
      {"tram", "", Check::List, "ns|ew"},
      {"street", "", Check::List, "town"}}},
    {"roundabout",
     {{"ty", "ss", Check::Vehicle},
      {"a", "", Check::Vehicle},
      {"b", "", Check::Vehicle},
      {"c", "", Check::Vehicle}}},
    {"road",
     {{"road", "two", Check::List,
       "two|wide|oneway|dual|motorway|express|express-single|dirt|town"},
      {"line", "dashed", Check::List, "dashed|solid|double|warning|oneside|none"},
      {"time", "day", Check::List, "day|night|dusk"},
      {"weather", "clear", Check::List, "clear|fog|rain|snow"},
      {"sign", "", Check::Signs},
      {"light", "", Check::Light},
      {"car", "", Check::List,
       "ahead|slow|stopped|oncoming|overtaking|parked|turning-left|broken-down|left-lane"},
      {"truck", "", Check::List, "ahead|oncoming"},
      {"bus", "", Check::List, "stop|leaving|school"},
      {"tram", "", Check::List, "stop|ahead|oncoming"},
      {"ped", "", Check::List, "crossing|waiting|roadside|child|blind|blind-stepping|none"},
      {"bike", "", Check::List, "ahead|lane|crossing"},
      {"police", "", Check::List, "front|back|side|arm-up|wave|patrol"},
      {"emergency", "", Check::List, "behind|oncoming|ahead"},
      {"rail", "", Check::List, "up|closing|down|open-flash|none-quiet|train"},
      {"place", "", Check::List,
       "tunnel|bridge|curve-right|curve-left|hill|bend-hidden|junction|zebra|roundabout|works|"
       "bus-bay"},
      {"park", "", Check::List, "kerb|pavement|bay|disabled|none"},
      {"lane", "right", Check::List, "right|left|middle"},
      {"lanes", "2", Check::List, "2|3"},
      {"drive", "", Check::List, "left"},
      {"island", "", Check::List, "yes"}}},
};

const QStringList fixedScenes{"triangle",
                              "triangle-motorway",
                              "accident",
                              "recovery-position",
                              "cpr",
                              "aed",
                              "choking",
                              "shock",
                              "fracture",
                              "breathing-check",
                              "emergency-call",
                              "car-fire",
                              "collision",
                              "trailer",
                              "passengers",
                              "phone-hand",
                              "phone-holder",
                              "door-opening",
                              "back-seat-child",
                              "back-seat-three",
                              "bleeding",
                              "helmet",
                              "burn",
                              "towing",
                              "towing-town",
                              "load",
                              "child-seat",
                              "child-seat-airbag-on",
                              "child-seat-airbag-off",
                              "mirror",
                              "tyre",
                              "documents",
                              "alcohol",
                              "fuel-station",
                              "seat-belts",
                              "eco"};

const QStringList dashes{"oil",
                         "battery",
                         "brake",
                         "abs",
                         "airbag",
                         "engine",
                         "coolant",
                         "low-beam",
                         "high-beam",
                         "parking-lights",
                         "front-fog",
                         "rear-fog",
                         "hazard",
                         "indicator-left",
                         "indicator-right",
                         "tyre-pressure",
                         "seat-belt",
                         "esp",
                         "glow-plug",
                         "fuel",
                         "door",
                         "washer",
                         "power-steering",
                         "brake-pads"};

const QStringList films{"junction-equal-right",
                        "junction-equal-left",
                        "junction-main-road",
                        "junction-yield",
                        "junction-stop",
                        "light-green-yellow",
                        "light-red-green",
                        "light-yellow-flash",
                        "green-arrow",
                        "ped-zebra",
                        "ped-waiting",
                        "ped-child",
                        "cyclist-overtake",
                        "cyclist-crossing",
                        "rail-closing",
                        "rail-train",
                        "overtake",
                        "overtaken",
                        "overtake-solid",
                        "oncoming-narrow",
                        "bus-leaving",
                        "tram-stop",
                        "emergency-behind",
                        "police-stop",
                        "roundabout",
                        "motorway-entry",
                        "motorway-exit",
                        "lane-change",
                        "turn-left-oncoming",
                        "fog",
                        "night-dazzle",
                        "tunnel",
                        "animals",
                        "school-bus",
                        "parking",
                        "u-turn"};

QString checkSigns(const QString& value) {
    const QStringList codes = value.split(u'+');
    if (codes.size() > 3)
        return QStringLiteral("najwyżej trzy znaki w jednym opisie");
    for (qsizetype i = 0; i < codes.size(); ++i) {
        if (const QString why = checkSignCode(codes[i]); !why.isEmpty())
            return why;
        const SignDef* d = findSign(codes[i].section(u'/', 0, 0));
        if (i == 0 && d->shape == Shape::Plate)
            return QStringLiteral("tabliczka %1 musi stać pod znakiem").arg(codes[i]);
    }
    return {};
}

QString checkValue(const Param& p, const QString& v) {
    static const QRegularExpression vehicle(
        QStringLiteral("^[nesw][lsru](-(car|truck|bus|tram|bike|moto|police|ambulance|ped))?$"));
    static const QRegularExpression arms(QStringLiteral("^(none|[nesw]{2})$"));
    switch (p.check) {
    case Check::List:
        if (QString::fromLatin1(p.values).split(u'|').contains(v))
            return {};
        return QStringLiteral("„%1” nie jest wartością %2 (dozwolone: %3)")
            .arg(v, QLatin1String(p.key),
                 QString::fromLatin1(p.values).replace(u'|', QStringLiteral(", ")));
    case Check::Vehicle:
        return vehicle.match(v).hasMatch()
                   ? QString()
                   : QStringLiteral("„%1” nie opisuje uczestnika ruchu (np. sl, ws-tram)").arg(v);
    case Check::Arms:
        if (!arms.match(v).hasMatch() || (v != u"none" && v[0] == v[1]))
            return QStringLiteral("„%1” nie opisuje drogi z pierwszeństwem (np. ns, sw)").arg(v);
        return {};
    case Check::Signs:
        return checkSigns(v);
    case Check::Light:
        return checkLightState(v);
    }
    return {};
}

std::optional<Item> fail(QString* why, const QString& text) {
    if (why)
        *why = text;
    return std::nullopt;
}

} // namespace

QString checkLightState(const QString& state) {
    static const QRegularExpression s3(
        QStringLiteral("^S-3/(left|straight|right)-(red|yellow|green)$"));
    if (QString::fromLatin1(lightStates).split(u'|').contains(state) || s3.match(state).hasMatch())
        return {};
    return QStringLiteral("nieznany stan sygnalizatora „%1”").arg(state);
}

std::optional<Item> parseItem(const QString& text, QString* why) {
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9.:/+?=&-]+$"));
    if (!allowed.match(text).hasMatch())
        return fail(why, QStringLiteral("niedozwolone znaki w opisie „%1”").arg(text));
    Item s;
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        return fail(why, QStringLiteral("brak rodzaju („sign:”, „scene:”…) w „%1”").arg(text));
    s.kind = text.left(colon);
    const QString rest = text.mid(colon + 1);
    const qsizetype q = rest.indexOf(u'?');
    s.body = q < 0 ? rest : rest.left(q);
    const QString query = q < 0 ? QString() : rest.mid(q + 1);
    QMap<QString, QString> given;
    if (q >= 0) {
        for (const QString& pair : query.split(u'&')) {
            const qsizetype eq = pair.indexOf(u'=');
            if (eq <= 0 || eq == pair.size() - 1)
                return fail(why, QStringLiteral("zły parametr „%1”").arg(pair));
            if (given.contains(pair.left(eq)))
                return fail(why,
                            QStringLiteral("parametr „%1” podany dwa razy").arg(pair.left(eq)));
            given[pair.left(eq)] = pair.mid(eq + 1);
        }
    }
    const bool takesParams =
        s.kind == u"scene" && std::any_of(std::begin(plan), std::end(plan), [&](const SceneDef& d) {
            return s.body == QLatin1String(d.name);
        });
    if (!given.isEmpty() && !takesParams)
        return fail(why,
                    QStringLiteral("„%1” nie przyjmuje parametrów").arg(s.kind + u':' + s.body));

    if (s.kind == u"sign") {
        if (const QString w = checkSigns(s.body); !w.isEmpty())
            return fail(why, w);
    } else if (s.kind == u"light") {
        if (const QString w = checkLightState(s.body); !w.isEmpty())
            return fail(why, w);
    } else if (s.kind == u"dash") {
        if (!dashes.contains(s.body))
            return fail(why, QStringLiteral("nieznana kontrolka „%1”").arg(s.body));
    } else if (s.kind == u"film") {
        if (!films.contains(s.body))
            return fail(why, QStringLiteral("nieznany film „%1”").arg(s.body));
    } else if (s.kind == u"scene") {
        if (!takesParams) {
            if (!fixedScenes.contains(s.body))
                return fail(why, QStringLiteral("nieznana scena „%1”").arg(s.body));
        } else {
            const SceneDef* def = nullptr;
            for (const SceneDef& d : plan)
                if (s.body == QLatin1String(d.name))
                    def = &d;
            for (const Param& p : def->params) {
                const QString key = QLatin1String(p.key);
                const QString v = given.value(key, QLatin1String(p.def));
                if (given.contains(key)) {
                    if (const QString w = checkValue(p, v); !w.isEmpty())
                        return fail(why, w);
                    given.remove(key);
                }
                s.values[key] = v;
                if (v != QLatin1String(p.def))
                    s.named.append({key, v});
            }
            if (!given.isEmpty())
                return fail(
                    why,
                    QStringLiteral("scena %1 nie ma parametru „%2”").arg(s.body, given.firstKey()));
            if (s.body == u"road" && s.values.value(QStringLiteral("lanes")) == u"3" &&
                !QStringList{"dual", "motorway", "express"}.contains(
                    s.values.value(QStringLiteral("road"))))
                return fail(why, QStringLiteral("trzy pasy w jednym kierunku ma tylko jezdnia "
                                                "dwujezdniowa (road=dual, motorway, express)"));
            if (s.values.value(QStringLiteral("lane")) == u"middle" &&
                s.values.value(QStringLiteral("lanes")) != u"3" &&
                !s.values.value(QStringLiteral("sign")).split(u'+').contains(u"F-10"))
                return fail(why,
                            QStringLiteral("środkowy pas jest tylko przy lanes=3 lub znaku F-10"));
        }
    } else {
        return fail(why, QStringLiteral("nieznany rodzaj „%1”").arg(s.kind));
    }
    return s;
}

QString fileNameOf(const Item& item) {
    QString name = item.kind + u'_' + item.body;
    for (const auto& [key, value] : item.named)
        name += u'_' + key + u'-' + value;
    name.replace(u'+', u'_').replace(u'/', u'-');
    return name + (item.isFilm() ? QStringLiteral(".wmv") : QStringLiteral(".jpg"));
}

QStringList filmNames() {
    return films;
}
QStringList dashNames() {
    return dashes;
}
QStringList fixedSceneNames() {
    return fixedScenes;
}

} // namespace wirtal::media
