// Trains run headless on a straight track and on an S-bend, frame by frame
// at 1/60 s: the marks a track derives, a new train's entry, cars coupling
// on and riding the path as chords, splits, pull-backs and joins with their
// combos, the drive under the bonuses, a complete train leaving with its
// bell, trains merging, the loss at the tunnel, the checks that refuse bad
// marks, a stopped train that pays nothing, the life a join's hundredth
// heart gives, and the effects a detail of 0 leaves out.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/Sound.h"
#include "game/car/CarShadow.h"
#include "game/effects/Firework.h"
#include "game/effects/Smoke.h"
#include "game/effects/TextBonus.h"
#include "game/launcher/Launcher.h"
#include "game/train/StockCore.h"
#include "global/Profile.h"
#include "support/ExpectFatal.h"

namespace {

class TrainRun : public testing::Test, public StockCore {};

TEST_F(TrainRun, ATrackDerivesItsMarksAndANewTrainSprintsInCouplingCars)
{
    Track* track = straightTrack();
    EXPECT_FLOAT_EQ(track->sprintLambda, 800.0f);
    EXPECT_FLOAT_EQ(track->refillLambda, 1600.0f);
    EXPECT_FLOAT_EQ(track->resistanceLambda, 700.0f);
    EXPECT_FLOAT_EQ(track->dangerLambda, 1800.0f);
    EXPECT_FLOAT_EQ(track->destroyLambda, 2200.0f);

    // The empty track asks for a train, which comes at the create mark.
    step();
    ASSERT_EQ(trainsOf(track).size(), 1u);
    Train* train = trainsOf(track).front();
    EXPECT_EQ(game->trainsSpawned, 1);
    EXPECT_EQ(train->state, Train::STATE_ENTERING);
    EXPECT_FLOAT_EQ(train->push, 6000.0f);
    EXPECT_EQ(train->dockTarget, 9) << "the first of three trains brings about 0.75 of 40 / 3 - 1 docks";
    EXPECT_EQ(countPlayed("engineChug"), 1);

    int cars = 1;
    bool sawRunning = false;
    for (int i = 0; i < 600 && !sawRunning; ++i) {
        step();
        const int now = int(carsOf(train->firstSegment()).size());
        EXPECT_LE(now - cars, 1) << "at most one car couples on per frame";
        cars = now;
        if (train->state == Train::STATE_RUNNING) {
            sawRunning = true;
            EXPECT_GT(train->getFrontLambda(), track->sprintLambda);
            EXPECT_FLOAT_EQ(train->push, 0.0f) << "past the resistance mark there is no push";
            EXPECT_GT(game->startTime, 0.0) << "the level's start time is taken on arrival";
        } else {
            EXPECT_FLOAT_EQ(train->push, 6000.0f);
        }
    }
    ASSERT_TRUE(sawRunning);
    EXPECT_GT(cars, 3);
    EXPECT_EQ(game->createdDocks, train->docksCreated);
    // On the straight each car's chord is its body length.
    for (Car* car : carsOf(train->firstSegment())) {
        EXPECT_NEAR(car->frontLambda - car->bodyRearLambda, car->bodyLength, 0.05f);
        EXPECT_NEAR(car->bodyRearLambda - car->rearLambda, car->couplingLength, 0.05f);
    }
}

TEST_F(TrainRun, AMiddleCarSplitsTheTrainAndTheFrontPartPullsBackToJoin)
{
    Track* track = straightTrack();
    Train* train = trainOf(track, 1200.0f, {0, 2, 4, 0});
    std::vector<Car*> cars = carsOf(train->firstSegment());
    step();
    complete(cars[2]);
    const i32 before = score();
    step();
    ASSERT_EQ(segmentsOf(train).size(), 2u);
    EXPECT_EQ(carsOf(segmentsOf(train)[0]).size(), 2u);
    EXPECT_EQ(carsOf(segmentsOf(train)[1]).size(), 2u);
    EXPECT_EQ(score() - before, 100) << "a one-dock car pays 100";
    EXPECT_EQ(countPlayed("handClap"), 1);

    int frames = 0;
    while (segmentsOf(train).size() > 1 && frames < 600) {
        step();
        ++frames;
    }
    ASSERT_EQ(segmentsOf(train).size(), 1u) << "the parts touched and joined";
    EXPECT_EQ(countPlayed("segmentImpact"), 1);
    EXPECT_EQ(countPlayed("vibe"), 0) << "colours 2 and 0 at the joint do not match";
    EXPECT_EQ(train->combo, 0);
    EXPECT_EQ(carsOf(train->firstSegment()).size(), 4u);
}

TEST_F(TrainRun, MatchingJoinsInARowBuildACombo)
{
    Track* track = straightTrack();
    // Clearing the middle car sets off three matching joints in turn.
    Train* train = trainOf(track, 1500.0f, {0, 2, 4, 1, 4, 2, 0});
    step();
    complete(carsOf(train->firstSegment())[4]);
    std::vector<int> scores;
    std::vector<float> ratios;
    bool applause = false;
    for (int i = 0; i < 1200 && !applause; ++i) {
        const i32 before = score();
        step();
        for (const Played& p : played) {
            if (p.sound == "vibe") {
                scores.push_back(score() - before);
                ratios.push_back(p.ratio);
            }
        }
        applause = countPlayed("applause2") == 1;
    }
    ASSERT_EQ(scores, (std::vector<int>{1000, 2000, 3000}));
    ASSERT_EQ(ratios.size(), 3u);
    for (size_t k = 0; k < ratios.size(); ++k) {
        EXPECT_NEAR(ratios[k], Sound::semitoneRatio(3 * int(k)), 1e-3f) << "join " << k;
    }
    EXPECT_TRUE(applause) << "three in a row, applauded when the train rolls forward again";
    EXPECT_EQ(train->combo, 0);
    EXPECT_EQ(carsOf(train->firstSegment()).size(), 1u) << "only the engine is left";
}

TEST_F(TrainRun, RewindBeatsStopBeatsSlow)
{
    Track* track = straightTrack();
    Train* train = trainOf(track, 1000.0f, {0});
    TrainSegment* segment = train->firstSegment();
    struct Case {
        double slow, stop, rewind;
        float factor;
    } cases[] = {
        {0, 0, 0, 1.0f}, {9, 0, 0, 0.25f}, {9, 9, 0, 0.0f}, {9, 9, 9, -1.5f}, {0, 0, 9, -1.5f}, {0, 9, 0, 0.0f},
    };
    game->time = 5.0;
    for (const Case& c : cases) {
        game->slowUntil = c.slow;
        game->stopUntil = c.stop;
        game->rewindUntil = c.rewind;
        segment->body.force.x = 0.0f;
        train->applyDrive();
        EXPECT_FLOAT_EQ(segment->body.force.x, 250.0f * c.factor) << c.slow << " " << c.stop << " " << c.rewind;
    }
}

TEST_F(TrainRun, ACompleteTrainTootsAndLeavesRingingItsBell)
{
    Track* track = straightTrack();
    Train* train = trainOf(track, 1000.0f, {0, 2});
    step();
    for (Car* car : carsOf(train->firstSegment())) {
        if (!car->isEngine) {
            complete(car);
        }
    }
    int toots = 0;
    int bells = 0;
    float leftAt = -1.0f;
    std::vector<float> bellLambdas;
    Car* engine = carsOf(train->firstSegment()).front();
    for (int i = 0; i < 900 && !trainsOf(track).empty(); ++i) {
        const BasicLink* newest = game->popupLayer->lastChild;
        step();
        toots += countPlayed("toot");
        if (trainsOf(track).empty()) {
            break;
        }
        if (train->state == Train::STATE_COMPLETE && leftAt < 0.0f) {
            leftAt = engine->lambda;
        }
        if (countPlayed("trainBell") == 1) {
            ++bells;
            bellLambdas.push_back(engine->lambda);
            ASSERT_NE(game->popupLayer->lastChild, newest) << "the bell's points float up";
            auto* text = dynamic_cast<TextBonus*>(static_cast<QelBase*>(game->popupLayer->lastChild));
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(std::string(text->text.c_str()), "+100");
        }
    }
    EXPECT_EQ(toots, 1);
    ASSERT_GT(leftAt, 0.0f);
    EXPECT_TRUE(trainsOf(track).empty()) << "the train left the track";
    // The first check arms the bell; then one ring per 100 units or a
    // little more (a frame's travel) before the tunnel.
    EXPECT_LE(bells, int((track->tunnelLambda - leftAt) / 100.0f) - 1);
    EXPECT_GE(bells, int((track->tunnelLambda - leftAt) / 115.0f) - 1);
    ASSERT_FALSE(bellLambdas.empty());
    EXPECT_GE(bellLambdas.front(), leftAt + 100.0f);
    for (size_t k = 1; k < bellLambdas.size(); ++k) {
        EXPECT_GE(bellLambdas[k] - bellLambdas[k - 1], 100.0f);
        EXPECT_LT(bellLambdas[k], track->tunnelLambda);
    }
}

TEST_F(TrainRun, ATrainCatchingUpMergesAndItsEngineBoomsOut)
{
    global->settings.detail = 1;
    Track* track = straightTrack();
    Train* ahead = trainOf(track, 1200.0f, {0, 2});
    Train* behind = trainOf(track, ahead->getRearLambda() - 4.0f, {4});
    behind->dockTarget = 3;
    behind->firstSegment()->body.velocity.x = 300.0f;
    for (int i = 0; i < 120 && trainsOf(track).size() == 2; ++i) {
        step();
    }
    ASSERT_EQ(trainsOf(track).size(), 1u);
    EXPECT_EQ(segmentsOf(ahead).size(), 2u) << "the later train's run comes after the earlier one's";
    int booms = 0;
    int puffs = 0;
    for (int i = 0; i < 60; ++i) {
        const u32 before = game->popupLayer->countChildren();
        step();
        if (countPlayed("boom") > 0) {
            booms += countPlayed("boom");
            puffs = int(game->popupLayer->countChildren() - before);
        }
    }
    // The mixer keeps two voices of "boom" at a time.
    EXPECT_EQ(booms, 2);
    EXPECT_GE(puffs, 3);
    int engines = 0;
    int docks = 0;
    for (TrainSegment* segment : segmentsOf(ahead)) {
        for (Car* car : carsOf(segment)) {
            engines += car->isEngine ? 1 : 0;
            docks += car->countDocks();
        }
    }
    EXPECT_EQ(engines, 1);
    EXPECT_EQ(docks, 2 + 3) << "the docks the later train still owed come along";
}

TEST_F(TrainRun, AnOpenDockAtTheTunnelLosesTheLevelAFilledOneNever)
{
    game->driveForceAtTunnel = 250.0f;
    Track* track = straightTrack();
    Train* train = trainOf(track, 1900.0f, {0, 2});
    std::vector<Car*> cars = carsOf(train->firstSegment());
    Dock* first = firstDock(cars[1]);
    while (first->lambdaBack <= track->tunnelLambda - 3.0f) {
        step();
        ASSERT_EQ(game->state, GameController::STATE_PLAYING);
    }
    // The first car's piece is still moving in as its dock passes the
    // tunnel: filled all the same.
    Cargo* piece = Cargo::createByType(0);
    piece->position = V3(0.0f, 300.0f, 0.0f);
    first->moveCargoIn(piece);
    for (int i = 0; i < 10; ++i) {
        step();
    }
    EXPECT_GT(first->lambdaBack, track->tunnelLambda);
    EXPECT_EQ(piece->state, Cargo::STATE_MOVING_TO_DOCK);
    EXPECT_EQ(game->state, GameController::STATE_PLAYING);
    int frames = 0;
    while (game->state == GameController::STATE_PLAYING && frames < 1200) {
        step();
        ++frames;
    }
    EXPECT_EQ(game->state, GameController::STATE_LOST);
    EXPECT_GT(firstDock(cars[2])->lambdaBack, track->tunnelLambda);
    EXPECT_LT(firstDock(cars[2])->lambdaBack - track->tunnelLambda, 5.0f) << "lost as soon as it passed";
}

TEST_F(TrainRun, OnTheBendsCarsAreChordsAndHiddenDocksRefusePiecesButStillLose)
{
    game->driveForce = game->driveForceAtTunnel = 1000.0f;
    Track* track = sBendTrack();
    Train* train = trainOf(track, 900.0f, {0, 2, 4, 0, 2});
    float longest = 0.0f;
    bool sawHidden = false;
    bool lost = false;
    for (int i = 0; i < 900 && !lost; ++i) {
        step();
        for (TrainSegment* segment : segmentsOf(train)) {
            for (Car* car : carsOf(segment)) {
                const float arc = car->frontLambda - car->bodyRearLambda;
                EXPECT_GE(arc, car->bodyLength - 0.05f);
                longest = std::max(longest, arc - car->bodyLength);
                if (car->isEngine) {
                    continue;
                }
                Dock* dock = firstDock(car);
                const bool inSpan = dock->lambda >= 1005.0f && dock->lambda < 1295.0f;
                EXPECT_EQ(dock->hidden, inSpan || dock->lambda > track->tunnelLambda);
                if (inSpan && !sawHidden) {
                    sawHidden = true;
                    Cargo* shot = Cargo::createByType(dock->colour);
                    shot->position = dock->centre();
                    shot->updateXform();
                    EXPECT_FALSE(dock->receiveCargo(shot)) << "a hidden dock takes no piece";
                    EXPECT_TRUE(dock->isEmpty());
                    delete shot;
                }
                if (car->rearLambda > track->tunnelLambda) {
                    EXPECT_TRUE(car->bHidden);
                    EXPECT_TRUE(car->shadow->bHidden);
                }
            }
        }
        lost = game->state == GameController::STATE_LOST;
    }
    EXPECT_GT(longest, 0.5f) << "on a bend the arc is longer than the chord";
    EXPECT_TRUE(sawHidden);
    EXPECT_TRUE(lost) << "the loss check runs for docks of every kind";
}

} // namespace

TEST_F(TrainRun, BadMarksStopTheLevelAtTheirCheck)
{
    struct Case {
        const char* statement;
        float Track::*mark;
        float value;
    };
    const Case cases[] = {
        {"createLambda>=0", &Track::createLambda, -1.0f},  {"tunnelLambda>=0", &Track::tunnelLambda, -1.0f},
        {"helpLambda>=0", &Track::helpLambda, -1.0f},      {"destroyLambda<0", &Track::destroyLambda, 0.0f},
        {"dangerLambda<0", &Track::dangerLambda, 0.0f},    {"sprintLambda<0", &Track::sprintLambda, 0.0f},
        {"refillLambda<0", &Track::refillLambda, 0.0f},    {"resistanceLambda<0", &Track::resistanceLambda, 0.0f},
    };
    for (const Case& c : cases) {
        Track track;
        track.spline.addPoint(V3(-1300.0f, 0.0f, -5.0f), V3(400.0f, 0.0f, 0.0f));
        track.spline.addPoint(V3(1300.0f, 0.0f, -5.0f), V3(400.0f, 0.0f, 0.0f));
        track.createLambda = 100.0f;
        track.tunnelLambda = 2100.0f;
        track.helpLambda = 1500.0f;
        track.*c.mark = c.value;
        EXPECT_FATAL(track.init(), std::string("Assertion failed\\.\n Statement: ") + c.statement +
                                       "\n Function: init\\(\\)");
    }
    // A refill mark that would not lie beyond the sprint mark.
    game->refillFraction = game->sprintFraction;
    Track track;
    track.createLambda = 100.0f;
    track.tunnelLambda = 2100.0f;
    track.helpLambda = 1500.0f;
    EXPECT_FATAL(track.init(), "Statement: refillLambda>sprintLambda\n");
}

TEST_F(TrainRun, AStoppedTrainLeavesWithoutScoring)
{
    Track* track = straightTrack();
    Train* train = trainOf(track, 1500.0f, {0, 2, 4});
    step();
    std::vector<Car*> cars = carsOf(train->firstSegment());
    train->stop();
    complete(cars[2]);
    const i32 before = score();
    int bells = 0;
    for (int i = 0; i < 1200 && !trainsOf(track).empty(); ++i) {
        step();
        bells += countPlayed("trainBell");
    }
    EXPECT_TRUE(trainsOf(track).empty()) << "gone through the tunnel";
    EXPECT_EQ(score(), before) << "neither the completed car nor the others pay";
    EXPECT_EQ(bells, 0);
}

TEST_F(TrainRun, TheHundredthHeartOfAJoinGivesALifeAndTenThousandPoints)
{
    Profile& profile = global->profiles.getProfile(global->profiles.currentIndex);
    profile.hearts = 99;
    const i32 lives = profile.lives;
    Track* track = straightTrack();
    Train* train = trainOf(track, 1500.0f, {0, 2, 1, 2, 0});
    step();
    complete(carsOf(train->firstSegment())[3]);
    i32 paid = -1;
    int lifeSounds = 0;
    for (int i = 0; i < 1200 && paid < 0; ++i) {
        const i32 before = score();
        step();
        if (countPlayed("vibe") > 0) {
            paid = score() - before;
            lifeSounds = countPlayed("extraLife");
        }
    }
    EXPECT_EQ(paid, 10000 + 1000) << "the life's points on top of the first combo's";
    EXPECT_EQ(lifeSounds, 1);
    EXPECT_EQ(profile.lives, lives + 1);
    EXPECT_EQ(profile.hearts, 0);
    bool lifeText = false;
    forEachLive<QelBase>(*game->popupLayer, [&lifeText](QelBase* popup) {
        const auto* text = dynamic_cast<TextBonus*>(popup);
        lifeText = lifeText || (text != nullptr && text->text == "extra life!");
    });
    EXPECT_TRUE(lifeText);
}

TEST_F(TrainRun, DetailZeroMakesNoSmokeNoSparksAndNoFireworks)
{
    level->launcherPositions = {V3(0.0f, -250.0f, 0.0f), V3(300.0f, -250.0f, 0.0f)};
    game->launcher->reset();
    for (const int detail : {1, 0}) {
        SCOPED_TRACE(detail);
        global->settings.detail = detail;
        game->popupLayer->deleteChildren();
        Track* track = straightTrack();
        Train* train = trainOf(track, 1200.0f, {0, 2, 4, 0});
        std::vector<Car*> cars = carsOf(train->firstSegment());
        steps(60);
        int smoke = 0;
        forEachLive<QelBase>(*game->popupLayer, [&smoke](QelBase* e) { smoke += dynamic_cast<Smoke*>(e) != nullptr; });
        EXPECT_EQ(smoke > 0, detail > 0) << "the engine's puffs";
        // A completed car, a dock filled with effects and a launcher hop.
        game->popupLayer->deleteChildren();
        complete(cars[2]);
        step();
        firstDock(cars[1])->fillWithColour(true);
        game->launcher->cycleSpot();
        int sparks = 0;
        forEachLive<QelBase>(*game->popupLayer, [&sparks](QelBase* e) { sparks += dynamic_cast<Firework*>(e) != nullptr; });
        EXPECT_EQ(sparks, detail > 0 ? 1 + 1 + 2 : 0);
        level->trackLayer->removeChild(track);
        delete track;
    }
}
