// SPDX-License-Identifier: GPL-3.0-or-later

// The films as geometry: every film's script is run frame by frame, and no two road users may
// overlap (a crash the film would show as correct driving) nor a vehicle stand on a continuous
// line (the learner's car leaving a motorway across its edge line).
#include "art/exitroad.h"
#include "art/filmcheck.h"
#include "art/films.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using namespace wirtal::art;
using film::FilmScene;

FilmScene roadScene(const RoadScene& s) {
    FilmScene f;
    f.road = s;
    return f;
}

FilmScene planScene(std::initializer_list<PlanUser> users) {
    FilmScene f;
    f.kind = FilmScene::Plan;
    f.plan.users = users;
    return f;
}

PlanUser user(const char* label, const char* item, qreal progress) {
    return film::user(label, item, progress);
}

TEST(FilmGeometry, CheckFindsCrashesAndCrossedLinesInSmallScenes) {
    RoadScene queue;
    queue.actors = {actor(Actor::Car, 0, 1.0)};
    RoadScene gap = queue;
    gap.actors[0].z = 9;
    RoadScene pedestrianAhead;
    pedestrianAhead.actors = {actor(Actor::Pedestrian, 0.3, 1.2, Actor::Left)};
    RoadScene motorwayShoulder;
    motorwayShoulder.road = QStringLiteral("motorway");
    motorwayShoulder.camX = 2.0;
    RoadScene slipLane = motorwayShoulder;
    slipLane.slip = true;
    slipLane.slipFrom = -10;
    slipLane.slipTo = 60;
    RoadScene slipAhead = slipLane; // the car's front is still beside the edge line
    slipAhead.slipFrom = 1;
    RoadScene solidAhead;
    solidAhead.camX = -1.75;
    solidAhead.lineChangeZ = 1;
    RoadScene solidFar = solidAhead;
    solidFar.lineChangeZ = 12;
    RoadScene lorryOnLine;
    lorryOnLine.road = QStringLiteral("motorway");
    lorryOnLine.actors = {actor(Actor::Truck, 1.5, 30)};

    const struct {
        const char* name;
        FilmScene scene;
        QStringList problems;
    } cases[] = {
        {"a car right in front of the bonnet", roadScene(queue), {"TY and car 1 overlap"}},
        {"a car 9 m ahead", roadScene(gap), {}},
        {"a pedestrian in front of the bonnet",
         roadScene(pedestrianAhead),
         {"TY and pedestrian 1 overlap"}},
        {"on the motorway's shoulder",
         roadScene(motorwayShoulder),
         {"TY on the continuous line at x = 1.75 m"}},
        {"into a slip lane by its broken line", roadScene(slipLane), {}},
        {"over the edge line before the slip lane begins",
         roadScene(slipAhead),
         {"TY on the continuous line at x = 1.75 m"}},
        {"on the centre line where it turns solid",
         roadScene(solidAhead),
         {"TY on the continuous line at x = -1.75 m"}},
        {"on the centre line well before it turns solid", roadScene(solidFar), {}},
        {"a lorry on the edge line",
         roadScene(lorryOnLine),
         {"truck 1 on the continuous line at x = 1.75 m"}},
        {"a left-turner across the oncoming lane",
         planScene({user("TY", "sl", 0.45), user("A", "ns", 0.5)}),
         {"TY and A overlap"}},
        {"two cars passing each other",
         planScene({user("TY", "ss", 0.5), user("A", "ns", 0.5)}),
         {}},
        {"following into the same exit",
         planScene({user("TY", "sr", 1.0), user("A", "ws", 1.0)}),
         {"TY and A overlap"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(film::sceneProblems(c.scene).join(u'\n').toStdString(),
                  c.problems.join(u'\n').toStdString())
            << c.name;
}

TEST(FilmGeometry, AnExitRoadIsFollowedRoundItsBendNotCutAcross) {
    RoadScene s;
    s.road = QStringLiteral("motorway");
    s.slip = s.slipExit = true;
    s.slipFrom = -100;
    s.slipTo = -20; // the deceleration lane ended 20 m behind the driver's seat
    RoadScene straightOn = s;
    straightOn.camX = 3.5;
    const QString problems = film::sceneProblems(roadScene(straightOn)).join(u'\n');
    EXPECT_TRUE(problems.startsWith(u"TY on the continuous line at x = "))
        << "straight on over the gore: " << problems.toStdString();
    RoadScene following = s;
    following.camX = 3.5 + exitOffset(20);
    following.yaw = exitSlope(20);
    EXPECT_EQ(film::sceneProblems(roadScene(following)).join(u'\n').toStdString(), "");

    // the motorway-exit film ends on the exit road, past the deceleration lane, round its bend
    const auto& all = film::films();
    const auto exit = std::find_if(all.begin(), all.end(), [](const film::Film& f) {
        return QLatin1String(f.name) == u"motorway-exit";
    });
    ASSERT_NE(exit, all.end());
    const RoadScene end = exit->scene(exit->seconds - 1.0 / filmFps).road;
    EXPECT_TRUE(end.slip && end.slipExit);
    EXPECT_LT(end.slipTo, -10) << "metres past the deceleration lane's end: " << -end.slipTo;
    EXPECT_GT(end.camX, 3.5 + 1) << "the car is not round the exit road's bend";
}

TEST(FilmGeometry, ParkingReversesIntoTheGapWithoutTouchingEitherCar) {
    for (qreal t = 0; t < 7; t += 0.05) {
        EXPECT_EQ(film::sceneProblems(film::parking(t)).join(u'\n').toStdString(), "") << t;
    }
}

TEST(FilmGeometry, NoFilmShowsACrashOrACrossedContinuousLine) {
    ASSERT_FALSE(film::films().isEmpty());
    for (const film::Film& f : film::films())
        EXPECT_EQ(film::filmProblems(f).join(u'\n').toStdString(), "") << f.name;
}

} // namespace
