// The tutorial in the running game: the level's intro page comes up over
// the game in its second state, as the level and the help setting say, the
// game stands still under it until the player closes it; and the hint
// arrow in the scene points at the dock to click, in its colour and text,
// each kind at four docks and no more, and hides with the help turned off.
#include <gtest/gtest.h>

#include <SDL.h>

#include <map>
#include <set>
#include <string>

#include "game/ScreenStack.h"
#include "game/controller/ControllerCore.h"
#include "game/mascot/Bear.h"
#include "game/mascot/BearDialog.h"
#include "game/tutorial/MenuBoolSpeech.h"
#include "game/tutorial/SpeechArrow.h"
#include "graphics/Skin.h"
#include "gui/MenuButton.h"
#include "language/Language.h"
#include "resource/ResourceManager.h"
#include "text/RenderableText.h"

namespace {

using L = Language;

template <class T>
T* childOf(QelBase* parent)
{
    for (BasicLink* l = parent->firstChild; l != nullptr; l = l->next) {
        if (auto* object = dynamic_cast<T*>(static_cast<QelBase*>(l))) {
            return object;
        }
    }
    return nullptr;
}

// The game on the stack as the world map starts it, ticked until its intro
// state has come and the stack has shown whatever it pushed.
void startOnStack(ScreenStack& stack, int level, bool tutorial)
{
    WorldManager::currentProfile().level = level;
    stack.global->settings.tutorial = tutorial;
    stack.startGame();
    stack.manager->add(stack.game);
    stack.game->start();
    for (int i = 0; i < 200 && stack.game->state < GameController::STATE_INTRO; ++i) {
        stack.tick();
    }
    stack.tick();
}

// Where every dock of the level stands now. The rules point the arrow
// before the scene moves on, so the arrow shows where its dock stood when
// the frame began.
std::map<Dock*, V3> dockCentres(const ControllerCore& core)
{
    std::map<Dock*, V3> centres;
    for (Train* train : core.trains()) {
        forEachLive<TrainSegment>(*train->segments, [&centres](TrainSegment* segment) {
            forEachLive<Car>(*segment->cars, [&centres](Car* car) {
                forEachLive<Dock>(car->dockHolder, [&centres](Dock* dock) { centres[dock] = dock->centre(); });
            });
        });
    }
    return centres;
}

const char* textOf(int id)
{
    return g_qel->language->getText(L::StringsEnum(id));
}

} // namespace

TEST(TutorialInGame, TheIntroPageStopsTheGameUntilThePlayerClosesIt)
{
    enum Close { SPACE, OK, ESCAPE };
    struct Row {
        int level;
        bool tutorial;
        int title;  // 0: no page
        const char* picture;
        bool inGame;
        int body;
        Close close;
    } rows[] = {
        {0, true, L::TIPHOWTOPLAYTITLE, "howToPlay:0", false, L::TIPHOWTOPLAY, SPACE},
        {0, false, 0, nullptr, false, 0, SPACE},
        {1, true, L::TIPCHAINREACTIONTITLE, "howToPlay:1", true, L::TIPCHAINREACTION, ESCAPE},
        {1, false, 0, nullptr, false, 0, SPACE},
        // The tip of the day, TIP1 + level mod 17.
        {11, true, L::TIP, nullptr, true, L::TIP12, OK},
    };
    ScreenStack stack;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "level " << row.level << ", tutorial " << row.tutorial);
        startOnStack(stack, row.level, row.tutorial);
        GameController* game = stack.game;
        EXPECT_EQ(game->introDialog, nullptr) << "the pending page went up or away";
        auto* page = dynamic_cast<BearDialog*>(stack.manager->getActive());
        if (row.title == 0) {
            EXPECT_EQ(stack.manager->getActive(), game);
            const double at = game->time;
            while (game->state == GameController::STATE_INTRO) {
                stack.tick();
            }
            EXPECT_NEAR(game->time - at, 0.25, 0.03) << "straight on to the whistle";
        } else {
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(page->title, textOf(row.title));
            Skin* picture =
                row.picture != nullptr ? static_cast<Skin*>(g_qel->resourceManager->find(row.picture, true)) : nullptr;
            EXPECT_EQ(page->pPicture, picture);
            EXPECT_EQ(page->bInGame, row.inGame);
            EXPECT_EQ(childOf<MenuBoolSpeech>(page) != nullptr, row.inGame) << "the help check box";
            EXPECT_NE(childOf<Bear>(page), nullptr);
            const std::string body = textOf(row.body);
            const UString firstLine = body.substr(0, body.find('|'));
            bool found = false;
            for (BasicLink* l = page->firstChild; l != nullptr; l = l->next) {
                auto* line = dynamic_cast<RenderableText*>(static_cast<QelBase*>(l));
                found = found || (line != nullptr && line->text == firstLine);
            }
            EXPECT_TRUE(found) << firstLine;
            // The game stands still under the page, however long it stays.
            const double frozen = game->time;
            for (int i = 0; i < 150; ++i) {
                stack.tick();
            }
            EXPECT_EQ(game->time, frozen);
            EXPECT_EQ(game->state, GameController::STATE_INTRO);
            EXPECT_EQ(stack.manager->getActive(), page);
            switch (row.close) {
            case SPACE:
                stack.tap(SDLK_SPACE, ' ');
                break;
            case OK: {
                const V3 ok = childOf<MenuButtonQuit>(page)->position;
                stack.click(ok.x, ok.y);
                break;
            }
            case ESCAPE:
                stack.tap(SDLK_ESCAPE);
                break;
            }
            stack.tick();
            EXPECT_EQ(stack.manager->getActive(), game);
            EXPECT_FALSE(game->bFinished) << "closing the page leaves the level running";
        }
        for (int i = 0; i < 200 && game->state != GameController::STATE_PLAYING; ++i) {
            stack.tick();
        }
        EXPECT_EQ(game->state, GameController::STATE_PLAYING);
        game->bFinished = 1;
        stack.tick();
        stack.endGame();
    }
}

TEST(TutorialInGame, TheArrowFollowsTheShootHintToFourDocksAndThenHides)
{
    ControllerCore core;
    core.global->settings.tutorial = true;
    GameController* game = core.game;
    const SpeechArrow* arrow = game->tutorialArrow;
    game->startLevel();
    game->setState(GameController::STATE_PLAYING, 0.0, false);

    // Each dock the arrow shows is filled as the shot would fill it; the
    // arrow then moves on to another dock.
    std::set<Dock*> shown;
    int hiddenFrames = 0;
    for (int i = 0; i < 60 * 120 && hiddenFrames < 120; ++i) {
        const std::map<Dock*, V3> centres = dockCentres(core);
        core.step();
        if (arrow->text.empty()) {
            hiddenFrames = game->shootHintsLeft == 0 ? hiddenFrames + 1 : 0;
            continue;
        }
        Dock* dock = game->lastHintDock;
        EXPECT_EQ(arrow->text, textOf(L::TUTORIALLMB));
        EXPECT_EQ(arrow->color, UColor(255, 236, 191, 255));
        EXPECT_EQ(arrow->head.position, centres.at(dock)) << "the tip on the dock";
        EXPECT_TRUE(dock->isEmpty());
        shown.insert(dock);
        EXPECT_EQ(game->shootHintsLeft, 5 - int(shown.size()));
        dock->fillWithColour(false);
    }
    EXPECT_EQ(shown.size(), 4u);
    EXPECT_EQ(game->shootHintsLeft, 0);
    EXPECT_EQ(hiddenFrames, 120) << "no more hints once they are used up";
    EXPECT_FALSE(game->cargoPicker.openDocks.empty()) << "while there are docks to click";
}

TEST(TutorialInGame, EachHintHasItsTextAndColourOnItsLevelAndHidesWithTheHelpOff)
{
    struct Row {
        int level;
        bool bonus;  // a bonus, else a wrong piece, in an open dock
        int text;    // 0: the arrow stays hidden
        UColor colour;
    } rows[] = {
        {0, false, L::TUTORIALRMB, UColor(255, 128, 64, 255)},
        {2, true, L::TUTORIALRMBBONUS, UColor(192, 255, 128, 255)},
        {2, false, 0, UColor()},
        {1, true, 0, UColor()},
    };
    ControllerCore core;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "level " << row.level << (row.bonus ? ", bonus" : ", wrong piece"));
        core.setLevel(row.level);
        GameController* game = core.newGame();
        core.global->settings.tutorial = true;
        game->startLevel();
        game->setState(GameController::STATE_PLAYING, 0.0, false);
        // Shoot hints belong to the first level; they are used up here.
        game->shootHintsLeft = 0;
        while (game->cargoPicker.openDocks.size() < 3) {
            core.step();
        }
        Dock* dock = game->cargoPicker.openDocks[1];
        dock->setCargo(Cargo::createByType(row.bonus ? 18 : (dock->colour + 1) % 8));
        const V3 centre = dock->centre();
        core.step();
        const SpeechArrow* arrow = game->tutorialArrow;
        if (row.text == 0) {
            EXPECT_TRUE(arrow->text.empty());
            continue;
        }
        EXPECT_EQ(arrow->text, textOf(row.text));
        EXPECT_EQ(arrow->color, row.colour);
        EXPECT_EQ(arrow->head.color, row.colour);
        EXPECT_EQ(arrow->head.position, centre);

        core.global->settings.tutorial = false;
        core.step();
        EXPECT_TRUE(arrow->text.empty()) << "the help turned off takes the hint away";
        EXPECT_EQ(game->clawHintsLeft + game->bonusHintsLeft, 9) << "and uses no hint";
    }
}
