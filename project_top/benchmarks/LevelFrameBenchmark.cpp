// What a whole frame of the engine's frame loop costs in the window - tick,
// draw and present, the frame timer's wait on a scripted clock taking no
// time - on the last level with its first train fully coupled on and
// standing in view, against the idle main menu. CPU time is the process's,
// so that the rasteriser threads of a software renderer count
// (scripts/bench-level12.sh runs it that way).
#include <benchmark/benchmark.h>

#include "engine/TimeKeeper.h"
#include "game/FrameLoopStack.h"
#include "game/LiveChildren.h"
#include "game/MyContextMain.h"
#include "game/level/Level.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"

namespace {

// The first train of the level once every car it brings is coupled on, or
// null after a minute of frames.
Train* fullTrain(FrameLoopStack& stack)
{
    GameController* game = stack.game;
    for (int frame = 0; frame < 4000; ++frame) {
        stack.closePage();
        stack.frames(1);
        if (game->state != GameController::STATE_PLAYING) {
            continue;
        }
        Track* track = firstLive<Track>(*game->level->trackLayer);
        Train* train = firstLive<Train>(*track->trains);
        if (train != nullptr && train->docksCreated >= train->dockTarget) {
            return train;
        }
    }
    return nullptr;
}

// Level 12 with its first train fully coupled on and standing in view, or
// false when no train came in.
bool standingFullTrain(FrameLoopStack& stack, benchmark::State& state)
{
    WorldManager::currentProfile().level = 12;
    GameController* game = stack.startGame();
    stack.manager->add(game);
    game->start();
    Train* train = fullTrain(stack);
    if (train == nullptr) {
        state.SkipWithError("no train came in");
        return false;
    }
    // The train rolls to a stop in view and stays there.
    game->driveForce = game->driveForceAtTunnel = 0.0f;
    stack.frames(120);
    state.counters["cars"] = double(game->createdDocks);
    state.counters["front"] = double(train->getFrontLambda());
    return true;
}

void levelTwelveFrame(benchmark::State& state)
{
    FrameLoopStack stack;
    if (!standingFullTrain(stack, state)) {
        return;
    }
    for (auto _ : state) {
        stack.frames(1);
    }
    stack.manager->removeChild(stack.game);
    stack.manager->lastActive = nullptr;
}
BENCHMARK(levelTwelveFrame)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);

// The same frames paced by the engine's real clock at the game's frame
// rate, as the player's machine runs them: CPU per frame at that pace, the
// figure scripts/bench-level12.sh holds against the floor program.
void levelTwelvePacedFrame(benchmark::State& state)
{
    FrameLoopStack stack;
    if (!standingFullTrain(stack, state)) {
        return;
    }
    Qel* qel = stack.qel.get();
    delete qel->timeKeeper;
    qel->timeKeeper = new TimeKeeper();
    qel->frameTimer.start(*qel->timeKeeper, qel->frameTimer.period);
    for (auto _ : state) {
        stack.frames(1);
    }
    state.counters["period"] = qel->frameTimer.period;
    stack.manager->removeChild(stack.game);
    stack.manager->lastActive = nullptr;
}
BENCHMARK(levelTwelvePacedFrame)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void idleMainMenuFrame(benchmark::State& state)
{
    FrameLoopStack stack;
    stack.manager->add(new MyContextMain());
    stack.frames(120);
    for (auto _ : state) {
        stack.frames(1);
    }
}
BENCHMARK(idleMainMenuFrame)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);

} // namespace
