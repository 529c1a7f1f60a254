// The world map on the screen stack, driven a frame at a time as the player
// would: the train's moves, the results of a level taking effect when the
// map is active again (lives, game over, the next stage, the new world's
// page, the end of the journey), each written to the player store at once,
// the stations (with their sparks and the train's smoke only at high
// detail) and the play button.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/LiveChildren.h"
#include "game/ScreenStack.h"
#include "game/effects/Smoke.h"
#include "game/mascot/BearDialog.h"
#include "game/screens/ContextIngameMenu.h"
#include "game/screens/ContextRestartGame.h"
#include "game/screens/Heard.h"
#include "game/win/ContextWin.h"
#include "game/world/PlayButton.h"
#include "game/world/WorldData.h"
#include "game/world/WorldManager.h"
#include "global/UserFiles.h"
#include "global/Profile.h"
#include "engine/Logger.h"
#include "text/RenderableText.h"

namespace {

class WorldMap : public testing::Test, public ScreenStack {
protected:
    // A player of our own, made current.
    Profile& newPlayer(const char* name = "Tester")
    {
        global->profiles.createProfile(name);
        return WorldManager::currentProfile();
    }
    // A fresh map, pushed and made active.
    WorldManager* openMap()
    {
        map = new WorldManager();
        manager->add(map);
        tick();
        return map;
    }
    void frames(int n)
    {
        for (int i = 0; i < n; ++i) {
            tick();
        }
    }
    // A new player's first level opens with its page, closed with Space.
    void closeFirstLevelPage()
    {
        for (int i = 0; i < 200 && dynamic_cast<BearDialog*>(manager->getActive()) == nullptr; ++i) {
            tick();
        }
        EXPECT_NE(dynamic_cast<BearDialog*>(manager->getActive()), nullptr) << "the first level's page";
        tap(SDLK_SPACE, ' ');
    }
    // A stand-in for the game above the map: it reports the result and
    // finishes, and the map becomes active again.
    void playAndReport(int result)
    {
        global->pGameController = new GameController();
        manager->add(global->pGameController);
        tick();
        map->setLevelResult(result);
        global->pGameController->bFinished = 1;
        tick();
    }
    // The screens above the map, bottom first.
    std::vector<Context*> screensAboveMap() const
    {
        std::vector<Context*> above;
        for (BasicLink* link = map->next; link != nullptr; link = link->next) {
            above.push_back(static_cast<Context*>(static_cast<QelBase*>(link)));
        }
        return above;
    }
    MenuButtonPlay* playButton() const { return playButtonOf(*map); }
    // Every text shown by a screen's objects.
    static void collectTexts(const BasicLink* node, std::vector<std::string>& texts)
    {
        for (BasicLink* link = node->firstChild; link != nullptr; link = link->next) {
            if (auto* line = dynamic_cast<RenderableText*>(static_cast<QelBase*>(link))) {
                texts.emplace_back(line->text.c_str());
            }
            collectTexts(link, texts);
        }
    }
    static bool shows(const Context* screen, const std::string& text)
    {
        std::vector<std::string> texts;
        collectTexts(screen, texts);
        for (const std::string& line : texts) {
            if (line == text) {
                return true;
            }
        }
        return false;
    }

    WorldManager* map = nullptr;
};

} // namespace

TEST_F(WorldMap, TheTrainTravelsToTheCurrentStageInTwoSecondsRockingUprightAtTheEnd)
{
    Profile& player = newPlayer();
    const struct {
        int level;
        float lambda;
    } cases[] = {{0, 0.0f}, {3, 165.0f}, {4, 220.0f}, {82, 3105.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        player.level = c.level;
        openMap();
        EXPECT_EQ(map->markerLambda, 0.0f) << "the first frame stands at the start of the path";
        EXPECT_EQ(map->markerTarget, c.lambda);
        frames(50);
        EXPECT_NEAR(map->markerLambda, c.lambda * 0.5f, c.lambda * 0.02f + 0.01f) << "halfway after 1 s";
        frames(51);
        EXPECT_FLOAT_EQ(map->markerLambda, c.lambda);
        EXPECT_EQ(map->markerBlend, 1.0f);
        const V3 end = map->mapPath.getPoint(c.lambda);
        EXPECT_FLOAT_EQ(map->pMarker->position.x, end.x);
        EXPECT_FLOAT_EQ(map->pMarker->position.y, end.y - WorldManager::MARKER_DROP);
        EXPECT_NEAR(map->pMarker->rotation.z, 0.0f, 1e-5f);
        map->bFinished = 1;
        tick();
    }
}

TEST_F(WorldMap, AWinMovesOnAndOnlyANewWorldBeforeTheLastIsAnnounced)
{
    Profile& player = newPlayer();
    const struct {
        int level;
        const char* world;  // The new world's name on the page, or none.
        bool completed;     // The journey's end shows.
    } cases[] = {
        {1, nullptr, false},       {3, "Sugar Creek", false}, {7, "Three Forks", false},
        {11, "Warm Springs", false}, {12, nullptr, true},     {73, "Klondike", true},
        {81, nullptr, true},
    };
    openMap();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        player.level = c.level;
        // "toot" waits a quarter of a second of the engine's real clock
        // between two starts; these frames are quicker.
        gameSound("toot")->lastStartTime = -1.0e9;
        const Heard heard;
        playAndReport(2);
        EXPECT_EQ(player.level, c.level + 1);
        EXPECT_EQ(global->pGameController, nullptr) << "the game is deleted once the map acts";
        std::vector<Context*> above = screensAboveMap();
        const bool announced = c.world != nullptr;
        ASSERT_EQ(above.size(), size_t(announced) + size_t(c.completed));
        if (announced) {
            auto* page = dynamic_cast<BearDialog*>(above.front());
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(page->title, "Well Done!");
            EXPECT_TRUE(shows(page, c.world));
        }
        if (c.completed) {
            EXPECT_NE(dynamic_cast<ContextWin*>(above.back()), nullptr) << "the journey's end on top";
        }
        EXPECT_EQ(heard.count("extraLife"), announced ? 1 : 0);
        EXPECT_EQ(heard.count("toot"), announced ? 1 : 0);
        for (Context* screen : above) {
            screen->bFinished = 1;
            tick();
        }
        tick();
        EXPECT_EQ(manager->getActive(), map);
        EXPECT_TRUE(screensAboveMap().empty()) << "shown once";
    }
}

TEST_F(WorldMap, ALossWithLivesLeftTakesOneLifeOnly)
{
    Profile& player = newPlayer();
    player.level = 9;
    player.score = 4200;
    openMap();
    playAndReport(1);
    EXPECT_EQ(player.lives, 2);
    EXPECT_EQ(player.level, 9);
    EXPECT_EQ(player.score, 4200);
    EXPECT_TRUE(isOnDisk(global->profiles));
    EXPECT_EQ(global->pGameController, nullptr);
    EXPECT_EQ(manager->getActive(), map);
    EXPECT_EQ(playButton()->caption, "Play next level");
}

TEST_F(WorldMap, LosingTheLastLifeEntersTheScoreRestartsTheWorldAndShowsTheNotice)
{
    Profile& player = newPlayer("Last Life");
    player.level = 10;
    player.bestLevel = 10;
    player.score = 98765;
    player.lives = 1;
    openMap();
    const Heard heard;
    playAndReport(1);
    const int place = global->profiles.lastPlace;
    ASSERT_GE(place, 0);
    const HighScoreEntry& entry = global->settings.highScores[place];
    EXPECT_STREQ(entry.name, "Last Life");
    EXPECT_EQ(entry.score, 98765);
    EXPECT_EQ(entry.level, 10) << "the level before the reset";
    EXPECT_EQ(player.level, 8) << "the first stage of the same world";
    EXPECT_EQ(player.score, 0);
    EXPECT_EQ(player.lives, 3);
    EXPECT_EQ(player.bestLevel, 10);
    EXPECT_TRUE(isOnDisk(global->profiles));
    EXPECT_TRUE(isOnDisk(global->settings));
    EXPECT_EQ(heard.count("toot2"), 1);
    Context* notice = manager->getActive();
    ASSERT_NE(notice, map);
    EXPECT_TRUE(shows(notice, "Game Over!"));
    EXPECT_TRUE(notice->bSkippable);
    frames(240);
    EXPECT_NE(manager->getActive(), map) << "still up after 4.8 s";
    frames(20);
    // The high-score table waits under the notice, over the map.
    Context* table = manager->getActive();
    ASSERT_NE(table, map);
    EXPECT_EQ(table->getRuntimeClass()->name, "ContextHighScores");
    table->bFinished = 1;
    frames(2);
    EXPECT_EQ(manager->getActive(), map);
    EXPECT_EQ(playButton()->caption, "Play next level");
}

TEST_F(WorldMap, AReachedStationRestartsAtOnceWithoutPointsAndAsksWithPoints)
{
    Profile& player = newPlayer();
    player.level = 6;
    player.bestLevel = 9;
    openMap();
    WorldData* station = map->worlds[1];
    const V3 at = station->boundsCenter;
    // No points: straight to the station's first stage.
    player.score = 0;
    Heard heard;
    click(at.x, at.y);
    EXPECT_EQ(player.level, 4);
    EXPECT_TRUE(isOnDisk(global->profiles));
    EXPECT_EQ(manager->getActive(), map);
    EXPECT_EQ(heard.count("toot2"), 1);
    // With points: the question first.
    player.level = 6;
    player.score = 10;
    click(at.x, at.y);
    EXPECT_EQ(player.level, 6);
    EXPECT_NE(dynamic_cast<ContextRestartGame*>(manager->getActive()), nullptr);
}

TEST_F(WorldMap, LockedStationsNeitherPulseNorReactNorShowANameExceptTheLast)
{
    Profile& player = newPlayer();
    player.level = 4;
    player.bestLevel = 4;
    openMap();
    for (int w = 0; w < WorldManager::WORLD_COUNT; ++w) {
        SCOPED_TRACE(w);
        EXPECT_EQ(map->worlds[w]->bUnlocked, w <= 1);
        EXPECT_EQ(map->worlds[w]->bLastWorld, w == WorldManager::WORLD_COUNT - 1);
    }
    for (int w : {2, 14}) {
        SCOPED_TRACE(w);
        WorldData* station = map->worlds[w];
        mouse = station->boundsCenter;
        frames(10);
        EXPECT_EQ(station->scale.x, 1.0f);
        EXPECT_EQ(station->countChildren(), 0u) << "no sparks";
        click(mouse.x, mouse.y);
        EXPECT_EQ(player.level, 4);
        EXPECT_EQ(manager->getActive(), map);
    }
    WorldData* reached = map->worlds[1];
    mouse = reached->boundsCenter;
    float largest = 1.0f;
    for (int i = 0; i < 20; ++i) {
        tick();
        largest = std::max(largest, reached->scale.x);
    }
    EXPECT_GT(largest, 1.05f) << "pulses under the pointer";
    EXPECT_GT(reached->countChildren(), 0u) << "sparks at high detail";
    const auto smokes = [this] {
        int n = 0;
        forEachLive<QelBase>(*map->mapLayer, [&n](QelBase* child) { n += dynamic_cast<Smoke*>(child) != nullptr; });
        return n;
    };
    EXPECT_GT(smokes(), 0) << "the train's smoke at high detail";

    // At low detail the old puffs run out and nothing new comes.
    global->settings.detail = 0;
    reached->deleteChildren();
    frames(250);
    EXPECT_EQ(reached->countChildren(), 0u) << "no sparks";
    EXPECT_EQ(smokes(), 0) << "no smoke";
}

TEST_F(WorldMap, ThePlayButtonSaysWhatAClickWouldDo)
{
    Profile& player = newPlayer();
    openMap();
    MenuButtonPlay* play = playButton();
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->caption, "Play!");
    player.level = 5;
    tick();
    EXPECT_EQ(play->caption, "Play next level");
    global->pGameController = new GameController();
    tick();
    EXPECT_EQ(play->caption, "Continue level");
    player.level = 0;
    tick();
    EXPECT_EQ(play->caption, "Continue level");
}

TEST_F(WorldMap, PlayAtALevelWithoutALayoutShowsTheJourneysEndAndMakesNoGame)
{
    Profile& player = newPlayer();
    player.level = 13;
    player.bestLevel = 13;
    openMap();
    EXPECT_TRUE(screensAboveMap().empty()) << "not at once when the map opens";
    MenuButtonPlay* play = playButton();
    click(play->position.x, play->position.y);
    EXPECT_EQ(global->pGameController, nullptr);
    std::vector<Context*> above = screensAboveMap();
    ASSERT_EQ(above.size(), 1u);
    EXPECT_NE(dynamic_cast<ContextWin*>(above.front()), nullptr);
    frames(20);
    screenshot("world-map-journey-end.tga");
}

TEST_F(WorldMap, ANewUserWithoutAPlayerGetsAFreshGameNotAGameOver)
{
    Profile& slot = WorldManager::currentProfile();
    ASSERT_FALSE(global->profiles.isUsed(global->profiles.currentIndex));
    ASSERT_EQ(slot.id, 0u);
    openMap();
    EXPECT_NE(slot.id, 0u);
    EXPECT_EQ(slot.lives, 3);
    EXPECT_EQ(slot.level, 0);
    EXPECT_EQ(manager->getActive(), map) << "no game over";
    EXPECT_EQ(playButton()->caption, "Play!");
    const u32 id = slot.id;
    playAndReport(1);
    EXPECT_EQ(slot.lives, 2);
    map->bFinished = 1;
    tick();
    openMap();
    EXPECT_EQ(slot.id, id) << "the slot keeps its game";
    EXPECT_EQ(slot.lives, 2);
}

TEST_F(WorldMap, APlayerLeftWithNoLivesMeetsTheGameOverAtTheFirstActivation)
{
    Profile& player = newPlayer("Quitter");
    player.level = 6;
    player.bestLevel = 6;
    player.score = 330000;
    player.lives = 0;
    openMap();
    const int place = global->profiles.lastPlace;
    ASSERT_GE(place, 0);
    EXPECT_EQ(global->settings.highScores[place].score, 330000);
    EXPECT_EQ(global->settings.highScores[place].level, 6);
    EXPECT_EQ(player.level, 4);
    EXPECT_EQ(player.lives, 3);
    EXPECT_TRUE(shows(manager->getActive(), "Game Over!"));
}

TEST_F(WorldMap, TheMapWithItsStationsAndTrain)
{
    Profile& player = newPlayer();
    player.level = 30;
    player.bestLevel = 45;
    openMap();
    frames(120);
    mouse = map->worlds[3]->boundsCenter;
    frames(5);
    screenshot("world-map.tga");
    EXPECT_FLOAT_EQ(map->markerLambda, WorldManager::getLevelLambda(30));
}

namespace {

std::string logOf(const EngineCore& core)
{
    core.qel->logger->flush();
    return TempFolder::readFile(core.folder.path + "/Vabodemo.log");
}

} // namespace

TEST_F(WorldMap, ALevelLeftInPlayIsSavedWithTheMapAndContinuedFromTheNextMap)
{
    Profile& player = newPlayer();
    openMap();
    MenuButtonPlay* play = playButton();
    click(play->position.x, play->position.y);
    GameController* first = global->pGameController;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(manager->getActive(), first);
    closeFirstLevelPage();
    frames(200);
    ASSERT_EQ(first->state, GameController::STATE_PLAYING);
    const i32 score = player.score;
    // The pause menu's way back to the map holds the level as well and
    // writes nothing: its points reach the store only with its saved game.
    const std::string store = std::string(getUserDataPath(true).c_str()) + "/" + ProfileStore::getFileName().c_str();
    std::filesystem::remove(store);
    tap(SDLK_RETURN);
    auto* pause = dynamic_cast<ContextIngameMenu*>(manager->getActive());
    ASSERT_NE(pause, nullptr);
    click(pause->returnButton->position.x, pause->returnButton->position.y);
    tick();
    EXPECT_EQ(manager->getActive(), map);
    EXPECT_EQ(global->pGameController, first);
    EXPECT_FALSE(std::filesystem::exists(store)) << "nothing written";
    click(play->position.x, play->position.y);
    ASSERT_EQ(manager->getActive(), first);
    // Escape leaves the level: the game is held, the map continues it.
    tap(SDLK_ESCAPE);
    tick();
    EXPECT_EQ(manager->getActive(), map);
    EXPECT_EQ(global->pGameController, first);
    EXPECT_EQ(play->caption, "Continue level");
    // Leaving the map deletes the held game, which saves itself.
    map->bFinished = 1;
    tick();
    EXPECT_EQ(global->pGameController, nullptr);
    EXPECT_TRUE(player.hasSavedGame);
    EXPECT_TRUE(isOnDisk(global->profiles));
    openMap();
    ASSERT_NE(global->pGameController, nullptr);
    EXPECT_FALSE(player.hasSavedGame) << "offered once";
    EXPECT_TRUE(isOnDisk(global->profiles));
    const std::string log = logOf(*this);
    const size_t found = log.find("WorldManager(): Found saved game. Loading...");
    ASSERT_NE(found, std::string::npos) << log;
    EXPECT_NE(log.find("WorldManager(): ...success.", found), std::string::npos) << log;
    play = playButton();
    EXPECT_EQ(play->caption, "Continue level");
    GameController* resumed = global->pGameController;
    click(play->position.x, play->position.y);
    EXPECT_EQ(manager->getActive(), resumed);
    EXPECT_EQ(resumed->state, GameController::STATE_PLAYING);
    EXPECT_EQ(player.score, score);
    EXPECT_EQ(player.level, 0);
}

TEST_F(WorldMap, ADamagedSavedGameIsDroppedUnsavedAndItsFileStaysAsItWas)
{
    Profile& player = newPlayer();
    player.level = 2;
    player.bestLevel = 2;
    player.hasSavedGame = true;
    const std::string file = player.getSaveGameFileName().c_str();
    const std::string damaged = "\x02\x7f\x7f\x7f broken";
    TempFolder::writeFile(file, damaged);
    openMap();
    EXPECT_EQ(global->pGameController, nullptr);
    EXPECT_FALSE(player.hasSavedGame);
    EXPECT_EQ(playButton()->caption, "Play next level");
    map->bFinished = 1;
    tick();
    EXPECT_EQ(TempFolder::readFile(file), damaged);
    const std::string log = logOf(*this);
    EXPECT_NE(log.find("WorldManager(): Found saved game. Loading..."), std::string::npos);
    EXPECT_NE(log.find("WorldManager(): ...failed!"), std::string::npos);
    // The next map does not offer it again.
    openMap();
    EXPECT_EQ(global->pGameController, nullptr);
    EXPECT_EQ(TempFolder::readFile(file), damaged);
}

TEST_F(WorldMap, AtProgramEndAGameOnTheStackIsDeletedOnceBeforeTheMapAndSavedOnlyInPlay)
{
    Profile& player = newPlayer();
    openMap();
    MenuButtonPlay* play = playButton();
    click(play->position.x, play->position.y);
    closeFirstLevelPage();
    frames(200);
    ASSERT_EQ(global->pGameController->state, GameController::STATE_PLAYING);
    const std::string file = player.getSaveGameFileName().c_str();
    // The window closes with the level in play, under a screen of its own.
    manager->add(new ContextRestartGame(0));
    tick();
    global.reset();
    g_global = nullptr;
    EXPECT_FALSE(TempFolder::readFile(file).empty()) << "saved";
    const std::string log = logOf(*this);
    const size_t saving = log.find("Saving game to");
    EXPECT_NE(saving, std::string::npos);
    EXPECT_EQ(log.find("Saving game to", saving + 1), std::string::npos) << "once";
}

TEST_F(WorldMap, AFirstLevelLeftToItselfIsLostAndCostsOneLife)
{
    Profile& player = newPlayer();
    openMap();
    MenuButtonPlay* play = playButton();
    click(play->position.x, play->position.y);
    ASSERT_NE(global->pGameController, nullptr);
    closeFirstLevelPage();
    // Nobody shoots: the trains reach the tunnel.
    for (int i = 0; i < 30000 && manager->getActive() != map; ++i) {
        tick(0.05);
    }
    ASSERT_EQ(manager->getActive(), map);
    EXPECT_NE(logOf(*this).find("Level 0 ended with result 1."), std::string::npos) << logOf(*this);
    EXPECT_EQ(global->pGameController, nullptr) << "deleted once the map acts";
    EXPECT_EQ(player.lives, 2);
    EXPECT_EQ(player.level, 0);
    EXPECT_FALSE(player.hasSavedGame) << "a lost level is not saved";
    tick();
    EXPECT_EQ(play->caption, "Play!");
}
