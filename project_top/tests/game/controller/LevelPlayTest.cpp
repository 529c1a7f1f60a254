// A level played on the test level from the whistle to its end: the states
// and their timings, the bonus timer, the tutorial's hint counts, the
// music near the tunnel, Escape in play, and the pause menu and the
// statistics page the running level opens.
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "audio/SoundStream.h"
#include "game/ScreenStack.h"
#include "game/controller/ControllerCore.h"
#include "game/screens/ContextEndLevelStats.h"
#include "game/screens/ContextIngameMenu.h"

namespace {

using Timeline = std::vector<std::pair<int, double>>;

// Plays until the level is done (or the time runs out), noting each state
// with the controller's clock when it began; `everyFrame` runs first.
template <typename Frame>
Timeline play(ControllerCore& core, double seconds, Frame everyFrame)
{
    Timeline seen;
    for (int frame = 0; frame < int(seconds / ControllerCore::STEP) && !core.game->bFinished; ++frame) {
        everyFrame();
        core.step();
        if (seen.empty() || seen.back().first != core.game->state) {
            seen.emplace_back(core.game->state, core.game->time);
        }
    }
    return seen;
}

void expectTimings(const Timeline& seen, const std::vector<std::pair<int, double>>& expected)
{
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].first, expected[i].first) << "step " << i;
        if (i > 0 && expected[i].second > 0.0) {
            EXPECT_NEAR(seen[i].second - seen[i - 1].second, expected[i].second, 1.5 * ControllerCore::STEP)
                << "state " << seen[i].first;
        }
    }
}

// The screens of the kind on the stack.
template <class Screen>
int screensOf(const ContextManager& manager)
{
    int n = 0;
    for (BasicLink* link = manager.firstChild; link != nullptr; link = link->next) {
        n += dynamic_cast<Screen*>(static_cast<QelBase*>(link)) != nullptr ? 1 : 0;
    }
    return n;
}

// The test level in play on the screen stack, one frame in.
GameController* playOnStack(ScreenStack& stack)
{
    GameController* game = stack.startGame();
    game->levelSource = LevelSource{&everyNumberHasALevel, &makeTestLevel};
    stack.manager->add(game);
    game->startLevel();
    game->setState(GameController::STATE_PLAYING, 0.0, false);
    stack.tick();
    return game;
}

} // namespace

TEST(LevelPlay, AWonLevelPassesItsStatesWithTheirTimings)
{
    ControllerCore core;
    core.game->start();
    const Timeline seen = play(core, 600.0, [&core] {
        if (core.game->state == GameController::STATE_PLAYING) {
            core.fillEveryDock();
        }
    });
    expectTimings(seen, {{1, 0.0}, {2, 1.0}, {3, 0.25}, {4, 1.5}, {7, 0.0}, {8, 3.0}, {9, 0.5}, {10, 1.5}});
    EXPECT_TRUE(core.game->bFinished);
    EXPECT_EQ(core.game->trainsSpawned, 3);
    EXPECT_EQ(core.game->createdDocks, 40);
    EXPECT_GT(core.game->startTime, 0.0);
    EXPECT_GT(core.game->endTime, core.game->startTime);
    core.endGame();
    EXPECT_FALSE(std::filesystem::exists(core.saveFile())) << "a level that ended is not saved";
}

TEST(LevelPlay, ALostLevelWaitsForTheStoppedTrainsToLeave)
{
    ControllerCore core;
    core.game->start();
    bool trainsGoneAtSix = false;
    const Timeline seen = play(core, 600.0, [&] {
        if (core.game->state == GameController::STATE_LOST_TRAINS_GONE && core.game->timeInState == 0.0) {
            trainsGoneAtSix = core.trains().empty();
        }
    });
    expectTimings(seen, {{1, 0.0}, {2, 1.0}, {3, 0.25}, {4, 1.5}, {5, 0.0}, {6, 0.0}, {9, 2.0}, {10, 1.5}});
    ASSERT_GE(seen.size(), 6u);
    EXPECT_GT(seen[5].second - seen[4].second, 0.5) << "the stopped trains take a while to leave";
    EXPECT_TRUE(core.trains().empty());
    EXPECT_TRUE(core.game->bFinished);
}

TEST(LevelPlay, TheBonusTimerArmsFirstAndASpawnWithoutAnOpenDockCountsNothing)
{
    ControllerCore core;
    core.game->startLevel();
    core.game->setState(GameController::STATE_PLAYING, 0.0, false);
    core.game->cargoPicker.typeWeights[0] = 1.0f;
    core.step();
    EXPECT_EQ(core.game->bonusesSpawned, 0) << "the first pass only arms the timer";
    const double armed = core.game->nextBonusTime;
    EXPECT_GE(armed - core.game->time, 8.5);
    EXPECT_LE(armed - core.game->time, 25.5);

    core.game->spawnBonus();
    EXPECT_EQ(core.game->bonusesSpawned, 0) << "no open dock yet";

    // Once a train brings docks, the timer's next pass fills one of them.
    while (core.game->time <= armed) {
        core.step();
    }
    EXPECT_EQ(core.game->bonusesSpawned, 1);
    EXPECT_GT(core.game->nextBonusTime, armed + 8.5);
}

TEST(LevelPlay, HintsAreCountedOncePerDock)
{
    ControllerCore core;
    core.global->settings.tutorial = true;
    core.game->startLevel();
    core.game->setState(GameController::STATE_PLAYING, 0.0, false);
    while (core.game->cargoPicker.openDocks.size() < 5) {
        core.step();
    }
    const std::vector<Dock*> docks(core.game->cargoPicker.openDocks.begin(),
                                   core.game->cargoPicker.openDocks.begin() + 5);
    // A wrong piece in one dock after another: the claw hint points at
    // each, frame after frame, using one hint per dock.
    const int left[] = {4, 3, 2, 1, 0};
    for (size_t i = 0; i < docks.size(); ++i) {
        if (i > 0) {
            docks[i - 1]->fillWithColour(false);
        }
        docks[i]->setCargo(Cargo::createByType((docks[i]->colour + 1) % 8));
        core.steps(5);
        EXPECT_EQ(core.game->clawHintsLeft, left[i]) << "dock " << i;
        EXPECT_EQ(core.game->lastHintDock, docks[i]);
    }
    EXPECT_EQ(core.game->bonusHintsLeft, 5) << "bonus hints belong to level 2";
}

TEST(LevelPlay, TheMusicHurriesAboveDangerPointNineFiveAndCalmsBelowPointNine)
{
    ControllerCore core;
    core.global->settings.ingameMusic = true;
    core.game->startLevel();
    core.game->setState(GameController::STATE_PLAYING, 0.0, false);
    core.game->trainsInLevel = 99;
    while (core.game->cargoPicker.openDocks.empty()) {
        core.step();
    }
    Train* train = nullptr;
    for (Train* each : core.trains()) {
        train = train == nullptr && each->countOpenDocks() > 0 ? each : train;
    }
    ASSERT_NE(train, nullptr);
    // Danger runs from the create mark (100) to the tunnel (2100).
    struct Row {
        float danger;
        bool hurry;
    } rows[] = {{0.5f, false}, {0.96f, true}, {0.92f, true}, {0.89f, false}, {0.94f, false}, {0.951f, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.danger);
        train->setFrontLambda(100.0f + 2000.0f * row.danger);
        core.game->tickGame(core.game->time, 0.0);
        EXPECT_EQ(core.game->currentMusic, row.hurry ? core.game->hurryMusic : core.game->levelMusic);
        EXPECT_FLOAT_EQ(core.game->helpProbability, row.danger > 0.95f ? 0.75f : 0.0f);
    }
}

TEST(LevelPlay, EscapeInPlayFinishesTheLevelAndDeletingItSaves)
{
    ScreenStack stack;
    GameController* game = playOnStack(stack);
    stack.tap(SDLK_ESCAPE);
    EXPECT_TRUE(game->bFinished);
    EXPECT_EQ(game->parent, nullptr) << "the stack only unlinks it";
    const std::string file = WorldManager::currentProfile().getSaveGameFileName().c_str();
    stack.endGame();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(WorldManager::currentProfile().hasSavedGame);
}

TEST(LevelPlay, PauseBreakReturnAndAPressInTheMenuCornerOpenThePauseMenuAndAWinThePage)
{
    ScreenStack stack;
    GameController* game = playOnStack(stack);
    // The corner lies right of x = 400 - 128 and above y = 300 - 32, in
    // view units from the centre of the 800 x 600 screen.
    struct Row {
        const char* way;
        int key;
        float x, y;
        bool opens;
    } rows[] = {
        {"Pause", SDLK_PAUSE, 0, 0, true},
        {"Break", SDLK_BREAK, 0, 0, true},
        {"Return", SDLK_RETURN, 0, 0, true},
        {"a press in the corner", 0, 336.0f, 284.0f, true},
        {"a press at the corner's far end", 0, 399.0f, 299.0f, true},
        {"a press left of the corner", 0, 270.0f, 284.0f, false},
        {"a press below the corner", 0, 336.0f, 266.0f, false},
        {"another key", SDLK_a, 0, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.way);
        if (row.key != 0) {
            stack.tap(row.key);
        } else {
            stack.click(row.x, row.y);
        }
        EXPECT_EQ(screensOf<ContextIngameMenu>(*stack.manager), row.opens ? 1 : 0) << "one menu a press";
        if (row.opens) {
            EXPECT_NE(dynamic_cast<ContextIngameMenu*>(stack.manager->getActive()), nullptr);
            stack.tap(SDLK_ESCAPE);
        }
        EXPECT_EQ(stack.manager->getActive(), game);
        EXPECT_FALSE(game->bFinished);
    }

    // The level is won: the page comes up 3 s later, once.
    game->setState(GameController::STATE_WON, 0.0, false);
    const double wonAt = game->time;
    while (game->state == GameController::STATE_WON) {
        EXPECT_EQ(screensOf<ContextEndLevelStats>(*stack.manager), 0);
        stack.tick();
    }
    EXPECT_EQ(game->state, GameController::STATE_STATISTICS);
    EXPECT_NEAR(game->time - wonAt, 3.0, 0.05);
    EXPECT_EQ(screensOf<ContextEndLevelStats>(*stack.manager), 1);
    EXPECT_NE(dynamic_cast<ContextEndLevelStats*>(stack.manager->getActive()), nullptr);
    stack.endGame();
}
