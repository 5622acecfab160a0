// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The road signs the demo bank can show: one row per official code, saying how the sign is drawn
// (shape, colours, symbol, modifiers) and what it takes after "/" in a media item.

#include <QString>

#include <span>

namespace wirtal::media {

enum class Shape {
    Warning,     // yellow triangle, red border (A)
    Yield,       // inverted triangle, white, red border
    Prohibition, // white disc, red ring (B)
    NoParking,   // blue disc, red ring (B-35..B-38)
    EndDisc,     // white disc, black ring (end of a prohibition)
    Stop,        // red octagon (B-20)
    ZoneSquare,  // white square holding a prohibition disc (B-39, B-43)
    Mandatory,   // blue disc (C)
    Priority,    // yellow diamond, white border (D-1, D-2)
    InfoSquare,  // blue square, white symbol (D)
    InfoInset,   // blue square, white inset, black symbol (service signs)
    InfoWide,    // blue rectangle, wider than tall
    WhiteWide,   // white rectangle, black symbol (D-42, D-43)
    Plate,       // white plate under a sign (T)
    Post,        // railway marker post (G-1)
    Cross,       // St Andrew's cross (G-3, G-4)
    LaneBoard,   // blue board with lane arrows (F-10)
    Marking,     // painted on the road (P)
};

// Pictograms; a sign names one, the painter draws it in the sign's symbol colour.
enum class Symbol {
    None,
    CurveRight,
    DoubleCurve,
    Crossroads,
    SideRoads,
    SideRight,
    OneWayIn,
    Roundabout,
    Fence,
    Locomotive,
    Bumps,
    Hump,
    NarrowBoth,
    NarrowRight,
    Bridge,
    Worker,
    Skid,
    PedestrianZebra,
    Children,
    Cow,
    Deer,
    Windsock,
    TwoWay,
    Tram,
    SlopeDown,
    SlopeUp,
    Bicycle,
    Rocks,
    Plane,
    Quay,
    Gravel,
    TrafficLights,
    Exclamation,
    Shoulder,
    Snowflake,
    Queue,
    Crash,
    Bar,
    CarAndMoto,
    Bus,
    Motorcycle,
    Truck,
    Tractor,
    CarTrailer,
    Horse,
    Moped,
    CycleCart,
    HandCart,
    Explosive,
    Dangerous,
    WaterHazard,
    Width,
    Height,
    Length,
    Mass,
    Axle,
    StopText,
    TurnLeft,
    TurnRight,
    UTurn,
    Overtake,
    OvertakeTruck,
    Horn,
    OncomingPriority,
    Customs,
    RoadCheck,
    Number,
    SlashOne,
    SlashCross,
    OddDays,
    EvenDays,
    ParkingZone,
    Pedestrian,
    EndAll,
    ArrowRight,
    ArrowUpRight,
    ArrowUp,
    ArrowUpOrRight,
    ArrowLeftOrRight,
    ArrowDownRight,
    ArrowDownBoth,
    RoundaboutArrows,
    PedestrianAndBicycle,
    Chains,
    OneWayArrow,
    DeadEnd,
    DeadEndRight,
    NarrowPriority,
    PedestrianCrossing,
    BicycleCrossing,
    PedestrianBicycleCrossing,
    Expressway,
    Motorway,
    BusLaneStart,
    BusLane,
    SlowLane,
    LaneStart,
    LaneEnd,
    BusStop,
    TrolleybusStop,
    TramStop,
    Parking,
    ParkingReserved,
    ParkingCovered,
    Taxi,
    Hospital,
    Police,
    FirstAid,
    Fuel,
    FuelGas,
    Phone,
    PostOffice,
    Service,
    TyreService,
    CarWash,
    Toilet,
    Cafe,
    Restaurant,
    Hotel,
    Camping,
    HomeZone,
    BuiltUp,
    PaidParking,
    InternalRoad,
    NewLayout,
    Toll,
    SpeedCamera,
    TrafficZone,
    LaneArrows,
    Distance,
    Stretch,
    RoadShape,
    NotBicycles,
    TowAway,
    StartArrow,
    EndArrow,
    ChildrenPlate,
    ParkOnRoad,
    Stripes3,
    Stripes2,
    Stripes1,
    SingleCross,
    DoubleCross,
    DashedLine,
    SolidLine,
    OneSideSolid,
    OneSideDashed,
    DoubleSolid,
    DoubleDashed,
    WarningLine,
    EdgeLine,
    LaneMarkArrows,
    GuideArrow,
    Zebra,
    BikeCrossingMark,
    StopLine,
    GiveWayLine,
    ConditionalLine,
    BusStopLine,
    Hatched,
};

// What a sign takes after "/" in its code.
enum class Arg { None, Speed, Metres, Tonnes, OptionalTonnes, Distance, Arms };

// Modifiers of a row.
enum Flag : unsigned {
    Mirror = 1,    // the symbol drawn mirrored left-right
    Ended = 2,     // grey symbol crossed by thin diagonal lines (end of ...)
    RedStripe = 4, // crossed by one red diagonal stripe (end of a zone or road)
    Left = 8,      // placed on the left (G-1d..f)
};

struct SignDef {
    const char* code;
    Shape shape;
    Symbol symbol;
    Arg arg = Arg::None;
    unsigned flags = 0;
};

std::span<const SignDef> signTable();
// The row of a code ("B-33"), or nullptr.
const SignDef* findSign(const QString& code);
// Checks one code with its argument ("B-33/50", "T-6/bl"); empty when fine, else why not.
QString checkSignCode(const QString& codeWithArg);
// The speeds a number-carrying sign may show.
bool isAllowedSpeed(int kmh);

} // namespace wirtal::media
