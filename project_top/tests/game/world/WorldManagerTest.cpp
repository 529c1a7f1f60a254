// The progress operations of the world map, without a map: level numbers
// to world and stage, titles, places on the map path and the restart of a
// player's game at a station.
#include <gtest/gtest.h>

#include "game/GameCore.h"
#include "game/screens/Heard.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"
#include "support/ExpectFatal.h"

namespace {

class Progress : public testing::Test, public GameCore {};

} // namespace

TEST_F(Progress, LevelsMapToWorldsStagesTitlesAndPlacesOnThePath)
{
    struct Case {
        int level;
        int world;
        int stage;
        const char* title;
        float lambda;
    };
    const Case cases[] = {
        {0, 0, 0, "Level 1-1", 0.0f},         {3, 0, 3, "Level 1-4", 165.0f},
        {4, 1, 0, "Level 2-1", 220.0f},       {16, 3, 4, "Level 4-5", 660.0f + 176.0f},
        {17, 4, 0, "Level 5-1", 880.0f},      {45, 9, 0, "Level 10-1", 1980.0f},
        {81, 13, 7, "Level 14-8", 2760.0f + 345.0f * 7.0f / 8.0f},
        {82, 14, 0, "Level 15-1", 3105.0f},   {90, 14, 8, "Level 15-9", 3105.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        int world = -1;
        int stage = -1;
        WorldManager::level2WorldStage(c.level, world, stage);
        EXPECT_EQ(world, c.world);
        EXPECT_EQ(stage, c.stage);
        EXPECT_EQ(WorldManager::getLevelTitle(c.level), c.title);
        EXPECT_FLOAT_EQ(WorldManager::getLevelLambda(c.level), c.lambda);
        WorldManager::currentProfile().level = c.level;
        EXPECT_EQ(WorldManager::getCurrentLevel(), c.level);
        EXPECT_EQ(WorldManager::getCurrentWorld(), c.world);
        EXPECT_EQ(WorldManager::getCurrentStage(), c.stage);
    }
    EXPECT_EQ(WorldManager::getLevelCount(), 83);
}

TEST_F(Progress, ANegativeLevelIsFatal)
{
    int world = 0;
    int stage = 0;
    EXPECT_FATAL(WorldManager::level2WorldStage(-1, world, stage), "Could not convert level -1\\.");
}

TEST_F(Progress, RestartDropsTheHeldGameAndStartsAFreshGameAtTheStation)
{
    global->profiles.createProfile("Tester");
    Profile& profile = WorldManager::currentProfile();
    profile.score = 5000;
    profile.lives = 1;
    profile.hearts = 99;
    profile.level = 50;
    profile.bestLevel = 50;
    auto* map = new WorldManager();
    EXPECT_EQ(global->pWorldManager, map);
    global->pGameController = new GameController();
    const Heard heard;
    WorldManager::restartAt(WorldManager::firstLevel(9));
    EXPECT_EQ(global->pGameController, nullptr);
    EXPECT_EQ(profile.score, 0);
    EXPECT_EQ(profile.lives, 3);
    EXPECT_EQ(profile.hearts, 0);
    EXPECT_EQ(profile.level, 45);
    EXPECT_EQ(profile.bestLevel, 50);
    EXPECT_EQ(heard.count("toot2"), 1);
    delete map;
    EXPECT_EQ(global->pWorldManager, nullptr);
}
