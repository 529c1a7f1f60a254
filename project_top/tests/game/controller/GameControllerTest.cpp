// The live game as it is built: its layers in drawing order (the hint
// arrow over the scene), its pointer, its picker and rule values, and the
// live-game slot it clears when it goes.
#include <gtest/gtest.h>

#include "game/GameCore.h"
#include "game/depth/DepthManager.h"
#include "game/launcher/Launcher.h"
#include "game/tutorial/SpeechArrow.h"

class LiveGame : public testing::Test, public GameCore {};

TEST_F(LiveGame, TheSceneHoldsLevelDepthsLauncherPiecesAndPopupsUnderTheHud)
{
    GameController* live = startGame();
    EXPECT_EQ(MyGlobal::liveGame(), live);
    ASSERT_EQ(live->countChildren(), 2u);
    EXPECT_EQ(live->firstChild, live->sceneLayer);
    EXPECT_EQ(live->lastChild, live->hudLayer);
    std::vector<BasicLink*> scene;
    for (BasicLink* child = live->sceneLayer->firstChild; child != nullptr; child = child->next) {
        scene.push_back(child);
    }
    EXPECT_EQ(scene, (std::vector<BasicLink*>{live->levelHolder, live->depthManager, live->launcher,
                                              live->pieceLayer, live->popupLayer, live->tutorialArrow}));
    EXPECT_TRUE(live->tutorialArrow->text.empty()) << "the hint arrow starts hidden";
    EXPECT_EQ(live->launcher->state, Launcher::STATE_OFF);
    EXPECT_NE(live->sceneLayer->camera, live->hudLayer->camera) << "each layer has its own camera";
    EXPECT_EQ(live->pointerObject, &live->mousePointer);
    EXPECT_EQ(live->bEscapeCloses, 1);
    EXPECT_EQ(live->bDeleteWhenFinished, 0);
    EXPECT_EQ(live->bShowPointer, 1);
    EXPECT_EQ(live->state, 0);
    EXPECT_EQ(live->cargoPicker.forcedType, CargoPicker::NO_TYPE);
    EXPECT_EQ(live->shootHintsLeft + live->clawHintsLeft + live->bonusHintsLeft, 15);
    EXPECT_FLOAT_EQ(live->speedMax, 1000.0f);
    EXPECT_FLOAT_EQ(live->speedMin, -2000.0f);
    EXPECT_EQ(live->placementStreak, 0);

    endGame();
    EXPECT_EQ(global->pGameController, nullptr) << "the game clears the slot it held";

    // A game that is not the one in the slot leaves the slot alone.
    GameController* other = startGame();
    auto* stray = new GameController();
    delete stray;
    EXPECT_EQ(global->pGameController, other);
}
