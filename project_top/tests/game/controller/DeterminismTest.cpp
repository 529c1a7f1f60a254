// The same level played twice in one process from the same seed, with the
// same scripted placements at the same fixed frame step, ends the same: the
// saved-game bytes, the score and the statistics agree.
#include <gtest/gtest.h>

#include <string>

#include "game/controller/ControllerCore.h"

namespace {

// A piece arriving at the dock's centre, as a shot would.
void place(Dock* dock, i32 type)
{
    Cargo* piece = Cargo::createByType(type);
    piece->position = dock->centre();
    if (!dock->receiveCargo(piece)) {
        delete piece;
    }
}

struct Outcome {
    std::string saved;
    i32 score;
    i32 stats[6];
    float progress;
};

Outcome playOneMinute(ControllerCore& core)
{
    core.seed(77);
    core.profile().score = 0;
    GameController* game = core.newGame();
    game->startLevel();
    game->setState(GameController::STATE_PLAYING, 0.0, false);
    for (int type = 1; type <= 3; ++type) {
        game->cargoPicker.carTypeWeights[type] = 1.0f;
    }
    game->cargoPicker.typeWeights[Cargo::TYPE_WILDCARD] = 1.0f;
    // Trains keep coming for the whole minute.
    game->trainsInLevel = 99;
    game->totalDocks = 2000;
    for (int frame = 0; frame < 60 * 60; ++frame) {
        std::vector<Dock*>& open = game->cargoPicker.openDocks;
        // A right piece five times a second into the first empty dock in
        // sight, a wrong one every three seconds into the first open dock.
        if (frame % 12 == 0) {
            for (Dock* dock : open) {
                if (dock->isEmpty() && !dock->hidden) {
                    place(dock, dock->colour);
                    break;
                }
            }
        }
        if (frame % 180 == 90 && !open.empty() && open.front()->isEmpty()) {
            place(open.front(), (open.front()->colour + 1) % 8);
        }
        core.step();
    }
    Outcome outcome{};
    EXPECT_EQ(game->state, GameController::STATE_PLAYING);
    EXPECT_TRUE(game->save());
    outcome.saved = core.savedBytes();
    outcome.score = core.profile().score;
    const i32 stats[] = {game->shotsFired,     game->correctPlacements, game->incorrectPlacements,
                         game->placementStreak, game->bonusesSpawned,   game->bonusesCollected};
    std::copy(std::begin(stats), std::end(stats), outcome.stats);
    outcome.progress = game->progress;
    core.endGame();
    return outcome;
}

} // namespace

TEST(Determinism, TheSameSeedAndInputPlayTheSameLevel)
{
    ControllerCore core;
    const Outcome first = playOneMinute(core);
    const Outcome second = playOneMinute(core);
    EXPECT_GT(first.stats[1], 20) << "the script placed pieces";
    EXPECT_GT(first.saved.size(), 100u);
    EXPECT_EQ(first.saved, second.saved);
    EXPECT_EQ(first.score, second.score);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(first.stats[i], second.stats[i]) << "statistic " << i;
    }
    EXPECT_EQ(first.progress, second.progress);
}
