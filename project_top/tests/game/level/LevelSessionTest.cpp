// Real levels in the window, run by the engine's own frame loop on a
// scripted clock with the game's data pack: the first level starts and its
// first train comes in, the last one starts as the third turned over left
// to right, a level in play is saved when the program ends and continued by
// the next start of the engine, and a damaged saved game is refused without
// being written over while the level starts afresh.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "game/LiveChildren.h"
#include "game/FrameLoopStack.h"
#include "game/level/Level.h"
#include "game/mascot/BearDialog.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"
#include "global/ProfileStore.h"

namespace {

// The engine with the game, its screen stack emptied, driven by the
// engine's frame loop.
class LevelWindow : public FrameLoopStack {
public:
    // The level of the number, started as the world map's Play starts it.
    GameController* play(int number)
    {
        WorldManager::currentProfile().level = number;
        GameController* game = startGame();
        manager->add(game);
        game->start();
        return game;
    }
    // Frames until a train has come in (at most a minute of them); the
    // first train, or null.
    Train* firstTrainIn()
    {
        for (int i = 0; i < 4000; ++i) {
            if (game != nullptr && game->level != nullptr && game->state == GameController::STATE_PLAYING) {
                for (Track* track : tracks()) {
                    Train* train = firstLive<Train>(*track->trains);
                    if (train != nullptr && train->getFrontLambda() > track->createLambda + 200.0f) {
                        return train;
                    }
                }
            }
            // A level's page is closed with Space, as a player does.
            if (dynamic_cast<BearDialog*>(manager->getActive()) != nullptr) {
                script.keyDown(SDLK_SPACE, ' ');
                frames(1);
                script.keyUp(SDLK_SPACE);
            }
            frames(1);
        }
        return nullptr;
    }
    std::vector<Track*> tracks() const
    {
        std::vector<Track*> found;
        forEachLive<Track>(*game->level->trackLayer, [&found](Track* track) { found.push_back(track); });
        return found;
    }
    // The front of every train, track by track.
    std::vector<float> trainFronts() const
    {
        std::vector<float> fronts;
        for (Track* track : tracks()) {
            forEachLive<Train>(*track->trains, [&fronts](Train* train) { fronts.push_back(train->getFrontLambda()); });
        }
        return fronts;
    }
};

// The per-user files one engine leaves for the next start.
using UserFiles = std::map<std::string, std::string>;

UserFiles keepUserFiles(const LevelWindow& window)
{
    UserFiles kept;
    for (const auto& entry : std::filesystem::directory_iterator(window.folder.userFolder())) {
        if (entry.is_regular_file()) {
            kept[entry.path().filename().string()] = TempFolder::readFile(entry.path().string());
        }
    }
    return kept;
}

// The files put back before the players are read, as a new start finds them.
void restoreUserFiles(LevelWindow& window, const UserFiles& kept)
{
    for (const auto& [name, bytes] : kept) {
        if (name.find(".log") == std::string::npos && name.find(".cfg") == std::string::npos) {
            TempFolder::writeFile(window.folder.userFolder() + name, bytes);
        }
    }
    window.global->profiles.load();
}

} // namespace

TEST(LevelSession, TheFirstLevelStartsAndItsFirstTrainComesIn)
{
    LevelWindow window;
    GameController* game = window.play(0);
    Train* train = window.firstTrainIn();
    ASSERT_NE(train, nullptr) << "state " << game->state;
    EXPECT_EQ(game->level->mirrorX, 1);
    EXPECT_EQ(window.tracks().size(), 1u);
    EXPECT_GT(window.qel->frameNumber, 60) << "the intro and the whistle come first";
}

TEST(LevelSession, TheLastLevelIsTheThirdTurnedOverLeftToRight)
{
    V3 entry[2];
    const int numbers[] = {2, 12};
    for (int i = 0; i < 2; ++i) {
        LevelWindow window;
        GameController* game = window.play(numbers[i]);
        ASSERT_NE(window.firstTrainIn(), nullptr);
        Track* track = window.tracks().front();
        track->spline.getPointAndHeading(track->createLambda + 300.0f, &entry[i], nullptr, nullptr);
        EXPECT_EQ(game->level->mirrorX, i == 0 ? 1 : -1);
        EXPECT_FLOAT_EQ(game->level->sceneRotation.y, i == 0 ? 0.0f : std::numbers::pi_v<float>);
    }
    EXPECT_FLOAT_EQ(entry[1].x, -entry[0].x);
    EXPECT_FLOAT_EQ(entry[1].y, entry[0].y);
}

TEST(LevelSession, ALevelInPlayIsSavedAtTheEndAndContinuedByTheNextStart)
{
    UserFiles kept;
    std::vector<float> fronts;
    {
        LevelWindow first;
        first.global->profiles.createProfile("Tester");
        first.play(0);
        ASSERT_NE(first.firstTrainIn(), nullptr);
        first.frames(60);
        fronts = first.trainFronts();
        // The window closes with the level on the screen stack.
        first.game = nullptr;
        first.global.reset();
        g_global = nullptr;
        EXPECT_NE(first.logText().find("Saving game to"), std::string::npos);
        kept = keepUserFiles(first);
    }
    LevelWindow second;
    restoreUserFiles(second, kept);
    ASSERT_TRUE(WorldManager::currentProfile().hasSavedGame);
    GameController* game = second.startGame();
    second.manager->add(game);
    ASSERT_TRUE(game->load());
    game->resume();
    EXPECT_NE(second.logText().find("Loading game from"), std::string::npos);
    EXPECT_EQ(game->state, GameController::STATE_PLAYING);
    ASSERT_FALSE(fronts.empty());
    EXPECT_EQ(second.trainFronts(), fronts) << "the same trains where they stood";
    second.frames(30);
    const std::vector<float> moved = second.trainFronts();
    ASSERT_EQ(moved.size(), fronts.size());
    EXPECT_GT(moved.front(), fronts.front()) << "and running on";
}

TEST(LevelSession, ADamagedSavedGameIsRefusedUnwrittenAndTheLevelStartsAfresh)
{
    LevelWindow window;
    window.global->profiles.createProfile("Tester");
    const std::string file = WorldManager::currentProfile().getSaveGameFileName().c_str();
    const std::string damaged = std::string("\0\0\0\0", 4) + "not a saved game";
    TempFolder::writeFile(file, damaged);
    WorldManager::currentProfile().hasSavedGame = true;
    GameController* refused = window.startGame();
    EXPECT_FALSE(refused->load());
    EXPECT_NE(window.logText().find("Refused " + file), std::string::npos);
    window.endGame();
    EXPECT_EQ(TempFolder::readFile(file), damaged) << "the refusal writes nothing over the file";

    GameController* game = window.play(0);
    ASSERT_NE(window.firstTrainIn(), nullptr);
    EXPECT_EQ(game->trainsSpawned, 1);
    EXPECT_EQ(game->shotsFired, 0);
    EXPECT_EQ(TempFolder::readFile(file), damaged);
}
