// The rule values, colours, bonuses, car types and music a level gets from
// its number alone.
#include <gtest/gtest.h>

#include <map>

#include "audio/SoundStream.h"
#include "engine/Qel.h"
#include "game/controller/ControllerCore.h"
#include "resource/ResourceManager.h"

namespace {

struct Rules {
    int level;
    float difficulty;
    int trains;
    int docks;
    float drive;
    float driveAtTunnel;
    float pullBack;
    float sprint;
    unsigned colourMask;
    int forcedType;
    std::map<int, float> bonusWeights;
    float car2;
    float car3;
    const char* music;
};

const std::map<int, float> slow{{18, 0.75f}};
const std::map<int, float> slowStop{{18, 0.75f}, {11, 0.5f}};
const std::map<int, float> allBonuses{{18, 0.75f}, {11, 0.5f}, {12, 0.5f}, {10, 0.75f},
                                      {16, 0.5f},  {15, 0.4f}, {13, 0.25f}};

} // namespace

TEST(LevelSetUp, EveryRuleComesFromTheLevelNumber)
{
    ControllerCore core;
    const Rules table[] = {
        {0, 0.0f, 3, 40, 250.0f, 75.0f, -1200.0f, 0.5f, 0x15, 19, {}, 0.0f, 0.0f, "musicGame1"},
        {2, 2.0f / 82.0f, 3, 46, 253.65854f, 78.04878f, -1219.5122f, 0.5f, 0x15, 18, slow, 0.0f, 0.0f, "musicGame1"},
        {3, 3.0f / 82.0f, 3, 49, 255.4878f, 79.57317f, -1229.2683f, 0.3554878f, 0x15, 11, slowStop, 0.0f, 0.0f,
         "musicGame1"},
        {5, 5.0f / 82.0f, 3, 55, 259.14634f, 82.62195f, -1248.7805f, 0.3591463f, 0x15, 12,
         {{18, 0.75f}, {11, 0.5f}, {12, 0.5f}}, 1.0f, 0.0f, "musicGame2"},
        {12, 12.0f / 82.0f, 3, 78, 271.95123f, 93.29268f, -1317.0732f, 0.5f, 0x69, 19, allBonuses, 1.0f, 1.0f,
         "musicGame4"},
        {41, 0.5f, 4, 170, 325.0f, 137.5f, -1600.0f, 0.425f, 0xE6, 19, allBonuses, 1.0f, 1.0f, "musicGame1"},
        {50, 50.0f / 82.0f, 4, 198, 341.46341f, 151.21951f, -1687.8049f, 0.4414634f, 0xB7, 19, allBonuses, 1.0f,
         1.0f, "musicGame2"},
        {82, 1.0f, 6, 300, 400.0f, 200.0f, -2000.0f, 0.5f, 0xEF, 19, allBonuses, 1.0f, 1.0f, "musicGame3"},
    };
    for (const Rules& row : table) {
        SCOPED_TRACE(row.level);
        core.setLevel(row.level);
        GameController* game = core.newGame();
        game->startLevel();
        EXPECT_FLOAT_EQ(game->difficulty, row.difficulty);
        EXPECT_EQ(game->trainsInLevel, row.trains);
        EXPECT_EQ(game->totalDocks, row.docks);
        EXPECT_FLOAT_EQ(game->driveForce, row.drive);
        EXPECT_FLOAT_EQ(game->driveForceAtTunnel, row.driveAtTunnel);
        EXPECT_FLOAT_EQ(game->pullBackForce, row.pullBack);
        EXPECT_FLOAT_EQ(game->sprintFraction, row.sprint);
        EXPECT_FLOAT_EQ(game->refillFraction, 0.75f);
        EXPECT_FLOAT_EQ(game->exitForce, 2500.0f);
        EXPECT_FLOAT_EQ(game->speedMax, 1000.0f);
        EXPECT_FLOAT_EQ(game->speedMin, -2000.0f);
        EXPECT_EQ(game->bonusInterval, 17.0);
        EXPECT_EQ(game->nextBonusTime, 0.0);
        EXPECT_EQ(game->trainsSpawned, 0);
        unsigned mask = 0;
        for (int colour = 0; colour < CargoPicker::COLOURS; ++colour) {
            mask |= game->cargoPicker.colourEnabled[colour] ? 1u << colour : 0u;
        }
        EXPECT_EQ(mask, row.colourMask);
        EXPECT_EQ(game->cargoPicker.forcedType, row.forcedType);
        EXPECT_EQ(game->cargoPicker.forcedCount, row.forcedType == 19 ? 0 : 3);
        for (int type = 0; type < CargoPicker::CARGO_TYPES; ++type) {
            const auto weight = row.bonusWeights.find(type);
            EXPECT_FLOAT_EQ(game->cargoPicker.typeWeights[type], weight == row.bonusWeights.end() ? 0.0f : weight->second)
                << "type " << type;
        }
        EXPECT_FLOAT_EQ(game->cargoPicker.carTypeWeights[0], 0.0f);
        EXPECT_FLOAT_EQ(game->cargoPicker.carTypeWeights[1], 1.0f);
        EXPECT_FLOAT_EQ(game->cargoPicker.carTypeWeights[2], row.car2);
        EXPECT_FLOAT_EQ(game->cargoPicker.carTypeWeights[3], row.car3);
        EXPECT_EQ(game->levelMusic, core.find(row.music));
        EXPECT_EQ(game->hurryMusic, core.find("musicHurry"));
        EXPECT_EQ(game->currentMusic, game->levelMusic);
        ASSERT_NE(game->level, nullptr);
        EXPECT_EQ(game->level->parent, game->levelHolder);
    }
}

TEST(LevelSetUp, ALevelOfTwoTracksDoublesTheTrainsAndHalvesThePushAtTheTunnel)
{
    ControllerCore core;
    core.game->levelSource.create = [](int number) {
        Level* level = makeTestLevel(number);
        Level* other = makeTestLevel(number);
        Track* second = firstLive<Track>(*other->trackLayer);
        other->trackLayer->removeChild(second);
        level->trackLayer->addChildBack(second);
        delete other;
        return level;
    };
    core.game->startLevel();
    EXPECT_EQ(core.game->trainsInLevel, 6);
    EXPECT_FLOAT_EQ(core.game->driveForceAtTunnel, 37.5f);
}
