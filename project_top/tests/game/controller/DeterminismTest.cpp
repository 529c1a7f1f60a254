// The same level played twice in one process from the same seed, by the
// same scripted player through the launcher (shots, claw pulls and spot
// changes through the engine's input) at the same fixed frame step, ends
// the same: the saved-game bytes, the score and the statistics agree.
#include <gtest/gtest.h>

#include <string>

#include "game/ScriptedPlayer.h"
#include "game/controller/ControllerCore.h"

namespace {

// The test level with two launcher spots below the track.
Level* makeTwoSpotLevel(int number)
{
    Level* level = makeTestLevel(number);
    level->launcherPositions = {V3(-150.0f, -250.0f, 0.0f), V3(250.0f, -250.0f, 0.0f)};
    return level;
}

struct Outcome {
    std::string saved;
    i32 score;
    i32 stats[6];
    float progress;
    int shots;
    int pulls;
    int spotChanges;
    i32 spotIndex;
};

Outcome playOneMinute(ControllerCore& core)
{
    core.seed(77);
    core.profile().score = 0;
    GameController* game = core.newGame();
    game->levelSource = LevelSource{&everyNumberHasALevel, &makeTwoSpotLevel};
    InputScript input(core.qel->input);
    // Both runs start from the same input and the same clock reading: no
    // button or key held from before, the pointer mid-window, and a frame
    // clock at 0, so that every frame's step is the same to the last bit.
    input.buttonUp(SDL_BUTTON_LEFT);
    input.buttonUp(SDL_BUTTON_RIGHT);
    input.keyUp(SDLK_SPACE);
    input.frame();
    input.frame();
    core.qel->input->mousePosition = V3(400.0f, 300.0f, 0.0f);
    core.qel->frameTimer.previousStart = core.qel->frameTimer.currentStart = 0.0;
    ScriptedPlayer::Habits habits;
    habits.spotChangeEvery = 250;
    habits.wrongShotEvery = 9;
    ScriptedPlayer player(input, habits);
    const auto frame = [&] {
        player.act(*game);
        input.frame();
        core.step();
    };

    game->start();
    frame();
    // Set up: trains keep coming for the whole minute, with cars of every
    // type and wildcards among the pieces.
    EXPECT_NE(game->level, nullptr);
    for (int type = 1; type <= 3; ++type) {
        game->cargoPicker.carTypeWeights[type] = 1.0f;
    }
    game->cargoPicker.typeWeights[Cargo::TYPE_WILDCARD] = 1.0f;
    game->trainsInLevel = 99;
    game->totalDocks = 2000;
    for (int i = 0; i < 5 * 60 && game->state != GameController::STATE_PLAYING; ++i) {
        frame();
    }
    EXPECT_EQ(game->state, GameController::STATE_PLAYING);
    for (int i = 0; i < 60 * 60; ++i) {
        frame();
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
    outcome.shots = player.shots;
    outcome.pulls = player.pulls;
    outcome.spotChanges = player.spotChanges;
    outcome.spotIndex = game->launcher->spotIndex;
    core.endGame();
    return outcome;
}

} // namespace

TEST(Determinism, TheSameSeedAndInputPlayTheSameLevel)
{
    ControllerCore core;
    const Outcome first = playOneMinute(core);
    const Outcome second = playOneMinute(core);
    // The player really played: shots through the launcher, wrong pieces
    // pulled out with the claw, spot changes, pieces in the right docks.
    EXPECT_GT(first.shots, 50);
    EXPECT_GT(first.pulls, 0);
    EXPECT_GT(first.spotChanges, 0);
    EXPECT_GT(first.stats[0], 50) << "shots fired";
    EXPECT_GE(first.stats[1], 30) << "correct placements";
    EXPECT_GT(first.stats[2], 0) << "incorrect placements";
    EXPECT_GT(first.saved.size(), 100u);

    EXPECT_EQ(first.saved, second.saved);
    EXPECT_EQ(first.score, second.score);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(first.stats[i], second.stats[i]) << "statistic " << i;
    }
    EXPECT_EQ(first.progress, second.progress);
    EXPECT_EQ(first.shots, second.shots);
    EXPECT_EQ(first.pulls, second.pulls);
    EXPECT_EQ(first.spotChanges, second.spotChanges);
    EXPECT_EQ(first.spotIndex, second.spotIndex);
}
