// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/signtable.h"

#include <QRegularExpression>

namespace wirtal::media {

namespace {

using enum Shape;
using enum Symbol;

// clang-format off
const SignDef rows[] = {
    // A: warning signs
    {"A-1", Warning, CurveRight}, {"A-2", Warning, CurveRight, Arg::None, Mirror},
    {"A-3", Warning, DoubleCurve}, {"A-4", Warning, DoubleCurve, Arg::None, Mirror},
    {"A-5", Warning, Crossroads}, {"A-6a", Warning, SideRoads},
    {"A-6b", Warning, SideRight}, {"A-6c", Warning, SideRight, Arg::None, Mirror},
    {"A-6d", Warning, OneWayIn}, {"A-6e", Warning, OneWayIn, Arg::None, Mirror},
    {"A-7", Yield, None}, {"A-8", Warning, Roundabout}, {"A-9", Warning, Fence},
    {"A-10", Warning, Locomotive}, {"A-11", Warning, Bumps}, {"A-11a", Warning, Hump},
    {"A-12a", Warning, NarrowBoth}, {"A-12b", Warning, NarrowRight},
    {"A-12c", Warning, NarrowRight, Arg::None, Mirror}, {"A-13", Warning, Bridge},
    {"A-14", Warning, Worker}, {"A-15", Warning, Skid}, {"A-16", Warning, PedestrianZebra},
    {"A-17", Warning, Children}, {"A-18a", Warning, Cow}, {"A-18b", Warning, Deer},
    {"A-19", Warning, Windsock}, {"A-20", Warning, TwoWay}, {"A-21", Warning, Tram},
    {"A-22", Warning, SlopeDown}, {"A-23", Warning, SlopeUp}, {"A-24", Warning, Bicycle},
    {"A-25", Warning, Rocks}, {"A-26", Warning, Plane}, {"A-27", Warning, Quay},
    {"A-28", Warning, Gravel}, {"A-29", Warning, TrafficLights}, {"A-30", Warning, Exclamation},
    {"A-31", Warning, Shoulder}, {"A-32", Warning, Snowflake}, {"A-33", Warning, Queue},
    {"A-34", Warning, Crash},
    // B: prohibition signs
    {"B-1", Prohibition, None}, {"B-2", Prohibition, Bar}, {"B-3", Prohibition, CarAndMoto},
    {"B-3a", Prohibition, Bus}, {"B-4", Prohibition, Motorcycle},
    {"B-5", Prohibition, Truck, Arg::OptionalTonnes}, {"B-6", Prohibition, Tractor},
    {"B-7", Prohibition, CarTrailer, Arg::OptionalTonnes}, {"B-8", Prohibition, Horse},
    {"B-9", Prohibition, Bicycle}, {"B-10", Prohibition, Moped},
    {"B-11", Prohibition, CycleCart}, {"B-12", Prohibition, HandCart},
    {"B-13", Prohibition, Explosive}, {"B-13a", Prohibition, Dangerous},
    {"B-14", Prohibition, WaterHazard}, {"B-15", Prohibition, Width, Arg::Metres},
    {"B-16", Prohibition, Height, Arg::Metres}, {"B-17", Prohibition, Length, Arg::Metres},
    {"B-18", Prohibition, Mass, Arg::Tonnes}, {"B-19", Prohibition, Axle, Arg::Tonnes},
    {"B-20", Stop, StopText}, {"B-21", Prohibition, TurnLeft},
    {"B-22", Prohibition, TurnRight}, {"B-23", Prohibition, UTurn},
    {"B-24", EndDisc, UTurn, Arg::None, Ended}, {"B-25", Prohibition, Overtake},
    {"B-26", Prohibition, OvertakeTruck}, {"B-27", EndDisc, Overtake, Arg::None, Ended},
    {"B-28", EndDisc, OvertakeTruck, Arg::None, Ended}, {"B-29", Prohibition, Horn},
    {"B-30", EndDisc, Horn, Arg::None, Ended}, {"B-31", Prohibition, OncomingPriority},
    {"B-32", Prohibition, Customs}, {"B-32e", Prohibition, RoadCheck},
    {"B-33", Prohibition, Number, Arg::Speed}, {"B-34", EndDisc, Number, Arg::Speed, Ended},
    {"B-35", NoParking, SlashOne}, {"B-36", NoParking, SlashCross},
    {"B-37", NoParking, OddDays}, {"B-38", NoParking, EvenDays},
    {"B-39", ZoneSquare, ParkingZone}, {"B-40", ZoneSquare, ParkingZone, Arg::None, Ended},
    {"B-41", Prohibition, Pedestrian}, {"B-42", EndDisc, EndAll, Arg::None, Ended},
    {"B-43", ZoneSquare, Number, Arg::Speed},
    {"B-44", ZoneSquare, Number, Arg::Speed, Ended},
    // C: mandatory signs
    {"C-1", Mandatory, ArrowRight}, {"C-2", Mandatory, ArrowUpRight},
    {"C-3", Mandatory, ArrowRight, Arg::None, Mirror},
    {"C-4", Mandatory, ArrowUpRight, Arg::None, Mirror}, {"C-5", Mandatory, ArrowUp},
    {"C-6", Mandatory, ArrowUpOrRight}, {"C-7", Mandatory, ArrowUpOrRight, Arg::None, Mirror},
    {"C-8", Mandatory, ArrowLeftOrRight}, {"C-9", Mandatory, ArrowDownRight},
    {"C-10", Mandatory, ArrowDownRight, Arg::None, Mirror}, {"C-11", Mandatory, ArrowDownBoth},
    {"C-12", Mandatory, RoundaboutArrows}, {"C-13", Mandatory, Bicycle},
    {"C-13a", Mandatory, Bicycle, Arg::None, RedStripe},
    {"C-14", Mandatory, Number, Arg::Speed},
    {"C-15", Mandatory, Number, Arg::Speed, RedStripe}, {"C-16", Mandatory, Pedestrian},
    {"C-16a", Mandatory, Pedestrian, Arg::None, RedStripe},
    {"C-16-13", Mandatory, PedestrianAndBicycle}, {"C-18", Mandatory, Chains},
    {"C-19", Mandatory, Chains, Arg::None, RedStripe},
    // D: information signs
    {"D-1", Priority, None}, {"D-2", Priority, None, Arg::None, Ended},
    {"D-3", InfoSquare, OneWayArrow}, {"D-4a", InfoSquare, DeadEnd},
    {"D-4b", InfoSquare, DeadEndRight}, {"D-5", InfoSquare, NarrowPriority},
    {"D-6", InfoSquare, PedestrianCrossing}, {"D-6a", InfoSquare, BicycleCrossing},
    {"D-6b", InfoWide, PedestrianBicycleCrossing}, {"D-7", InfoSquare, Expressway},
    {"D-8", InfoSquare, Expressway, Arg::None, RedStripe}, {"D-9", InfoSquare, Motorway},
    {"D-10", InfoSquare, Motorway, Arg::None, RedStripe}, {"D-11", InfoSquare, BusLaneStart},
    {"D-12", InfoSquare, BusLane}, {"D-13", InfoSquare, SlowLane},
    {"D-13a", InfoSquare, LaneStart}, {"D-14", InfoSquare, LaneEnd},
    {"D-15", InfoInset, BusStop}, {"D-16", InfoInset, TrolleybusStop},
    {"D-17", InfoInset, TramStop}, {"D-18", InfoSquare, Parking},
    {"D-18a", InfoSquare, ParkingReserved}, {"D-18b", InfoSquare, ParkingCovered},
    {"D-19", InfoSquare, Taxi}, {"D-20", InfoSquare, Taxi, Arg::None, RedStripe},
    {"D-21", InfoSquare, Hospital}, {"D-21a", InfoSquare, Police},
    {"D-22", InfoInset, FirstAid}, {"D-23", InfoInset, Fuel}, {"D-23a", InfoInset, FuelGas},
    {"D-24", InfoInset, Phone}, {"D-25", InfoInset, PostOffice}, {"D-26", InfoInset, Service},
    {"D-26a", InfoInset, TyreService}, {"D-26b", InfoInset, CarWash},
    {"D-26c", InfoInset, Toilet}, {"D-27", InfoInset, Cafe}, {"D-28", InfoInset, Restaurant},
    {"D-29", InfoInset, Hotel}, {"D-30", InfoInset, Camping}, {"D-40", InfoSquare, HomeZone},
    {"D-41", InfoSquare, HomeZone, Arg::None, RedStripe}, {"D-42", WhiteWide, BuiltUp},
    {"D-43", WhiteWide, BuiltUp, Arg::None, RedStripe}, {"D-44", InfoSquare, PaidParking},
    {"D-45", InfoSquare, PaidParking, Arg::None, RedStripe},
    {"D-46", InfoWide, InternalRoad}, {"D-47", InfoWide, InternalRoad, Arg::None, RedStripe},
    {"D-48", InfoWide, NewLayout}, {"D-49", InfoSquare, Toll},
    {"D-51", InfoSquare, SpeedCamera}, {"D-52", InfoWide, TrafficZone},
    {"D-53", InfoWide, TrafficZone, Arg::None, RedStripe},
    // F, G: supplementary and railway signs
    {"F-10", LaneBoard, LaneArrows},
    {"G-1a", Post, Stripes3}, {"G-1b", Post, Stripes2}, {"G-1c", Post, Stripes1},
    {"G-1d", Post, Stripes3, Arg::None, Left}, {"G-1e", Post, Stripes2, Arg::None, Left},
    {"G-1f", Post, Stripes1, Arg::None, Left},
    {"G-3", Cross, SingleCross}, {"G-4", Cross, DoubleCross},
    // T: plates
    {"T-1", Plate, Distance, Arg::Distance}, {"T-2", Plate, Stretch, Arg::Distance},
    {"T-6", Plate, RoadShape, Arg::Arms}, {"T-20", Plate, Stretch, Arg::Distance},
    {"T-21", Plate, Distance, Arg::Distance}, {"T-22", Plate, NotBicycles},
    {"T-24", Plate, TowAway}, {"T-25a", Plate, StartArrow}, {"T-25c", Plate, EndArrow},
    {"T-27", Plate, ChildrenPlate}, {"T-30i", Plate, ParkOnRoad},
    // P: markings on the road
    {"P-1", Marking, DashedLine}, {"P-2", Marking, SolidLine}, {"P-3a", Marking, OneSideSolid},
    {"P-3b", Marking, OneSideDashed}, {"P-4", Marking, DoubleSolid},
    {"P-5", Marking, DoubleDashed}, {"P-6", Marking, WarningLine}, {"P-7", Marking, EdgeLine},
    {"P-8", Marking, LaneMarkArrows}, {"P-9", Marking, GuideArrow}, {"P-10", Marking, Zebra},
    {"P-11", Marking, BikeCrossingMark}, {"P-12", Marking, StopLine},
    {"P-13", Marking, GiveWayLine}, {"P-14", Marking, ConditionalLine},
    {"P-17", Marking, BusStopLine}, {"P-21", Marking, Hatched},
};
// clang-format on

} // namespace

std::span<const SignDef> signTable() {
    return rows;
}

const SignDef* findSign(const QString& code) {
    for (const SignDef& d : rows)
        if (code == QLatin1String(d.code))
            return &d;
    return nullptr;
}

bool isAllowedSpeed(int kmh) {
    return kmh == 5 || (kmh >= 10 && kmh <= 140 && kmh % 10 == 0);
}

QString checkSignCode(const QString& codeWithArg) {
    const qsizetype slash = codeWithArg.indexOf(u'/');
    const QString code = slash < 0 ? codeWithArg : codeWithArg.left(slash);
    const QString arg = slash < 0 ? QString() : codeWithArg.mid(slash + 1);
    const SignDef* d = findSign(code);
    if (!d)
        return QStringLiteral("nieznany znak „%1”").arg(code);
    const bool has = slash >= 0;
    static const QRegularExpression decimal(QStringLiteral("^[0-9]{1,2}(\\.[0-9])?$"));
    static const QRegularExpression metres(QStringLiteral("^[0-9]{1,4}$"));
    static const QRegularExpression arms(QStringLiteral("^[bltr]{2}$"));
    switch (d->arg) {
    case Arg::None:
        return has ? QStringLiteral("znak %1 nie ma liczby").arg(code) : QString();
    case Arg::Speed:
        if (!has || !isAllowedSpeed(arg.toInt()) || QString::number(arg.toInt()) != arg)
            return QStringLiteral("znak %1 potrzebuje prędkości, np. %1/50").arg(code);
        return {};
    case Arg::OptionalTonnes:
        if (!has)
            return {};
        [[fallthrough]];
    case Arg::Tonnes:
    case Arg::Metres:
        if (!has || !decimal.match(arg).hasMatch() || arg.toDouble() <= 0)
            return QStringLiteral("znak %1 potrzebuje liczby, np. %1/3.5").arg(code);
        return {};
    case Arg::Distance:
        if (!has || !metres.match(arg).hasMatch() || arg.toInt() <= 0)
            return QStringLiteral("tabliczka %1 potrzebuje odległości w metrach, np. %1/150")
                .arg(code);
        return {};
    case Arg::Arms:
        if (!has || !arms.match(arg).hasMatch() || arg[0] == arg[1])
            return QStringLiteral("tabliczka %1 potrzebuje dwóch wlotów (b, l, t, r), np. %1/bl")
                .arg(code);
        return {};
    }
    return {};
}

} // namespace wirtal::media
