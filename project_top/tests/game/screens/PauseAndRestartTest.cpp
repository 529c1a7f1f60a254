// The pause menu over a running game (the game, its clock and its HUD stand
// still until the menu closes; RETURNTOMAP pops the game without deleting
// it) and the restart question of the map (YES by click or Space restarts
// the player's game at the station, NO and Escape change nothing).
#include <gtest/gtest.h>

#include "game/ScreenStack.h"
#include "game/hud/PlayerHUD.h"
#include "game/screens/ContextIngameMenu.h"
#include "game/screens/ContextRestartGame.h"
#include "game/screens/Heard.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"
#include "gui/MenuButton.h"

namespace {

class AroundALevel : public testing::Test, public ScreenStack {
protected:
    // A screen standing in for the world map under everything else.
    Context* pushMap()
    {
        auto* map = new Context();
        map->bDeleteWhenFinished = 1;
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
};

} // namespace

TEST_F(AroundALevel, ThePauseMenuFreezesTheGameUntilEscapeSpaceOrResume)
{
    pushMap();
    startGame();
    auto* hud = dynamic_cast<PlayerHUD*>(static_cast<QelBase*>(game->hudLayer->firstChild));
    ASSERT_NE(hud, nullptr) << "the game's own HUD";
    manager->add(game);
    frames(40);
    Profile& profile = WorldManager::currentProfile();
    enum Way { ESCAPE, SPACE, RESUME };
    for (Way way : {ESCAPE, SPACE, RESUME}) {
        SCOPED_TRACE(int(way));
        auto* menu = new ContextIngameMenu();
        manager->add(menu);
        tick();
        const double gameClock = game->time;
        const double sceneClock = game->sceneLayer->time;
        const i32 shown = hud->displayedScore;
        profile.addScore(1000);
        frames(30);
        EXPECT_EQ(game->time, gameClock);
        EXPECT_EQ(game->sceneLayer->time, sceneClock);
        EXPECT_EQ(hud->displayedScore, shown) << "the HUD is drawn, not updated";
        switch (way) {
        case ESCAPE:
            tap(SDLK_ESCAPE);
            break;
        case SPACE:
            tap(SDLK_SPACE, ' ');
            break;
        case RESUME:
            click(0.0f, 0.0f);
            break;
        }
        EXPECT_EQ(manager->getActive(), game);
        EXPECT_FALSE(game->bFinished);
        EXPECT_GT(game->time, gameClock) << "going on from where it stopped";
        EXPECT_LT(game->time, gameClock + 0.1);
        frames(30);
        EXPECT_EQ(hud->displayedScore, profile.score);
    }
}

TEST_F(AroundALevel, ReturnToMapFinishesTheMenuAndPopsTheGameWithoutDeletingIt)
{
    Context* map = pushMap();
    startGame();
    manager->add(game);
    frames(5);
    auto* menu = new ContextIngameMenu();
    manager->add(menu);
    tick();
    click(menu->returnButton->position.x, menu->returnButton->position.y);
    tick();
    EXPECT_EQ(manager->getActive(), map);
    EXPECT_EQ(MyGlobal::liveGame(), game) << "held, not deleted";
    EXPECT_EQ(game->parent, nullptr);
    EXPECT_TRUE(game->bFinished);
}

TEST_F(AroundALevel, YesByClickOrSpaceRestartsAtTheStationNoAndEscapeChangeNothing)
{
    pushMap();
    Profile& profile = WorldManager::currentProfile();
    const int station = WorldManager::firstLevel(6);
    enum Way { YES_CLICK, YES_SPACE, NO_CLICK, ESCAPE };
    for (Way way : {YES_CLICK, YES_SPACE, NO_CLICK, ESCAPE}) {
        SCOPED_TRACE(int(way));
        profile.score = 12345;
        profile.lives = 1;
        profile.hearts = 60;
        profile.level = 40;
        auto* dialog = new ContextRestartGame(station);
        manager->add(dialog);
        tick();
        const Heard heard;
        switch (way) {
        case YES_CLICK:
            click(0.0f, -10.0f);
            break;
        case YES_SPACE:
            tap(SDLK_SPACE, ' ');
            break;
        case NO_CLICK:
            click(0.0f, -60.0f);
            break;
        case ESCAPE:
            tap(SDLK_ESCAPE);
            break;
        }
        EXPECT_NE(manager->getActive(), dialog) << "closed";
        const bool yes = way == YES_CLICK || way == YES_SPACE;
        EXPECT_EQ(profile.score, yes ? 0 : 12345);
        EXPECT_EQ(profile.lives, yes ? 3 : 1);
        EXPECT_EQ(profile.hearts, yes ? 0 : 60);
        EXPECT_EQ(profile.level, yes ? station : 40);
        EXPECT_EQ(heard.count("toot2"), yes ? 1 : 0);
    }
}
