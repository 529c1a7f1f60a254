// Levels played to a win from the world map's play button, by a player who
// aims the launcher through the input layer: the statistics page shows,
// and back on the map the train moves on and the player store holds the
// score with the page's awards; the win of the last stage with a layout
// shows the closing screen of the journey with its rockets.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/ScreenStack.h"
#include "game/ScriptedPlayer.h"
#include "game/mascot/BearDialog.h"
#include "game/screens/ContextEndLevelStats.h"
#include "game/screens/ContextIngameMenu.h"
#include "game/win/ContextWin.h"
#include "game/world/PlayButton.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"
#include "global/UserFiles.h"

namespace {

// The player's frame rate.
constexpr double FRAME = 1.0 / 60.0;
// Long enough for any level the player wins.
constexpr int MOST_FRAMES = 60 * 60 * 15;

template <class Screen>
Screen* active(ContextManager* manager)
{
    return dynamic_cast<Screen*>(manager->getActive());
}

class WorldMapWin : public testing::Test, public ScreenStack {
protected:
    // A player of our own on a level, made current, and the map opened.
    Profile& openMapAt(int level)
    {
        global->profiles.createProfile("Winner");
        Profile& player = WorldManager::currentProfile();
        player.level = level;
        player.bestLevel = level;
        map = new WorldManager();
        manager->add(map);
        tick();
        return player;
    }
    MenuButtonPlay* playButton() const { return playButtonOf(*map); }
    // One frame at the player's rate: the player's hand, the input, the
    // screens.
    void playFrame()
    {
        qel->frameTimer.previousStart = qel->frameTimer.currentStart;
        qel->frameTimer.currentStart += FRAME;
        ++qel->frameNumber;
        if (GameController* game = active<GameController>(manager)) {
            hand.act(*game);
        }
        script.frame();
        manager->tick(0.0, 0.0);
    }
    // Play from the map's button until the level is won and its
    // statistics page shows. Leaves a picture of the level in play, with its HUD.
    void playToTheStatisticsPage(const std::string& inPlayPicture)
    {
        MenuButtonPlay* play = playButton();
        click(play->position.x, play->position.y);
        ASSERT_NE(global->pGameController, nullptr);
        bool pictured = false;
        for (int i = 0; i < MOST_FRAMES && active<ContextEndLevelStats>(manager) == nullptr; ++i) {
            // A page of the bear's, or the pause menu (a shot aimed into
            // the menu corner opens it), is closed with Space.
            if (active<BearDialog>(manager) != nullptr || active<ContextIngameMenu>(manager) != nullptr) {
                tap(SDLK_SPACE, ' ');
            }
            playFrame();
            const GameController* game = global->pGameController;
            ASSERT_NE(game->state, GameController::STATE_LOST) << "lost after " << hand.shots << " shots";
            if (!pictured && game->state == GameController::STATE_PLAYING && hand.shots >= 10) {
                screenshot(inPlayPicture);
                pictured = true;
            }
        }
        ASSERT_NE(active<ContextEndLevelStats>(manager), nullptr)
            << "not won in time: " << manager->getActive()->getRuntimeClass()->name.c_str();
    }
    // The page's awards pinned, a picture left, and a click on to the map.
    void leaveTheStatisticsPage(const std::string& picture)
    {
        for (int i = 0; i < 180; ++i) {
            playFrame();
        }
        screenshot(picture);
        click(0.0f, 0.0f);
        for (int i = 0; i < 600 && manager->getActive() != map && active<ContextWin>(manager) == nullptr; ++i) {
            playFrame();
        }
    }

    ScriptedPlayer hand{script};
    WorldManager* map = nullptr;
};

} // namespace

TEST_F(WorldMapWin, TheFirstLevelWonShowsItsPageAndTheTrainMovesToTheSecondStage)
{
    Profile& player = openMapAt(0);
    ASSERT_NO_FATAL_FAILURE(playToTheStatisticsPage("first-level-in-play.tga"));
    const i32 beforeAwards = player.score;
    ASSERT_NO_FATAL_FAILURE(leaveTheStatisticsPage("first-level-awards.tga"));
    ASSERT_EQ(manager->getActive(), map);
    EXPECT_GT(player.score, beforeAwards) << "the page's awards";
    EXPECT_TRUE(isOnDisk(global->profiles)) << "the score with its awards, the stage and the lives";
    EXPECT_EQ(global->pGameController, nullptr);
    EXPECT_EQ(player.level, 1);
    EXPECT_EQ(player.bestLevel, 1);
    EXPECT_EQ(player.lives, 3);
    EXPECT_GT(player.score, 0);
    EXPECT_FALSE(player.hasSavedGame);
    EXPECT_EQ(map->markerTarget, WorldManager::getLevelLambda(1));
    EXPECT_GT(map->markerTarget, 0.0f);
    for (int i = 0; i < 150; ++i) {
        tick();
    }
    EXPECT_FLOAT_EQ(map->markerLambda, map->markerTarget) << "the train stands at the second stage";
    EXPECT_EQ(playButton()->caption, "Play next level");
    screenshot("world-map-second-stage.tga");
}

TEST_F(WorldMapWin, TheLastStageWithALayoutWonShowsTheClosingScreenWithItsRockets)
{
    Profile& player = openMapAt(12);
    for (int i = 0; i < 120; ++i) {
        tick();
    }
    ASSERT_NO_FATAL_FAILURE(playToTheStatisticsPage("last-level-in-play.tga"));
    ASSERT_NO_FATAL_FAILURE(leaveTheStatisticsPage("last-level-awards.tga"));
    ContextWin* closing = active<ContextWin>(manager);
    ASSERT_NE(closing, nullptr);
    EXPECT_EQ(player.level, 13);
    EXPECT_EQ(global->pGameController, nullptr);
    // The story, then the rockets from 15 s on.
    while (closing->time < ContextWin::FIRST_LAUNCH + 5.0) {
        tick();
    }
    EXPECT_NE(closing->rocketLayer->firstChild, nullptr);
    screenshot("journey-end-rockets.tga");
}
