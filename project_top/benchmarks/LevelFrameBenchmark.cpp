// What a whole frame of the engine's frame loop costs in the window - tick,
// draw and present, the frame timer's wait on a scripted clock taking no
// time - on the last level with its first train fully coupled on and
// standing in view, against the idle main menu. CPU time is the process's,
// so that the rasteriser threads of a software renderer count
// (scripts/bench-level12.sh runs it that way).
#include <benchmark/benchmark.h>

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

void levelTwelveFrame(benchmark::State& state)
{
    FrameLoopStack stack;
    WorldManager::currentProfile().level = 12;
    GameController* game = stack.startGame();
    stack.manager->add(game);
    game->start();
    Train* train = fullTrain(stack);
    if (train == nullptr) {
        state.SkipWithError("no train came in");
        return;
    }
    // The train rolls to a stop in view and stays there.
    game->driveForce = game->driveForceAtTunnel = 0.0f;
    stack.frames(120);
    for (auto _ : state) {
        stack.frames(1);
    }
    state.counters["cars"] = double(game->createdDocks);
    state.counters["front"] = double(train->getFrontLambda());
    stack.manager->removeChild(game);
    stack.manager->lastActive = nullptr;
}
BENCHMARK(levelTwelveFrame)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);

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
