// The tutorial's hint and the small effects on a running train: the hint
// arrow stays on the open dock to click while a completed middle car splits
// the train, the parts rejoin on matching colours with a heart and its
// spinning glow rising from each join, and the engine puffs smoke. The
// frame, with the game's pointer, is left as tutorial-scene.tga.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/effects/Heart.h"
#include "game/Screenshot.h"
#include "game/effects/Smoke.h"
#include "game/train/StockCore.h"
#include "game/tutorial/SpeechArrow.h"
#include "language/Language.h"

namespace {

class TutorialScene : public testing::Test, public StockCore {
protected:
    TutorialScene() : StockCore("screenWidth=800\nscreenHeight=600\n")
    {
        global->settings.detail = 1;
        global->applySettings();
        game->sceneLayer->clearColor = UColor(118, 186, 104, 255);
    }
    template <class T>
    std::vector<T*> effects() const
    {
        std::vector<T*> found;
        forEachLive<QelBase>(*game->popupLayer, [&found](QelBase* child) {
            if (auto* effect = dynamic_cast<T*>(child)) {
                found.push_back(effect);
            }
        });
        return found;
    }
};

} // namespace

TEST_F(TutorialScene, TheArrowStaysOnTheDockWhileJoinsRaiseHeartsAndTheEnginePuffsSmoke)
{
    Track* track = straightTrack();
    // Clearing the middle car sets off two matching joins, 2 with 2 and then
    // 0 with 0, which take their cars away; the cars of 1 and 3 stay.
    Train* train = trainOf(track, 1500.0f, {1, 0, 2, 4, 2, 0, 3});
    SpeechArrow* arrow = game->tutorialArrow;
    arrow->setText(qel->language->getText(Language::TUTORIALLMB));
    step();
    const std::vector<Car*> cars = carsOf(train->firstSegment());
    Dock* hinted = firstDock(cars[1]);
    complete(cars[4]);

    int hearts = 0;
    int framesSinceHeart = -1;
    bool smoked = false;
    for (int i = 0; i < 900 && (hearts < 2 || framesSinceHeart < 24); ++i) {
        step();
        arrow->setTarget(hinted->boundsCenter.x, hinted->boundsCenter.y, 0.0f);
        smoked = smoked || !effects<Smoke>().empty();
        if (countPlayed("vibe") > 0) {
            ++hearts;
            framesSinceHeart = 0;
            const Heart* heart = effects<Heart>().back();
            EXPECT_LT(std::abs(heart->basePosition.y), 40.0f) << "at the joint on the track";
        } else if (framesSinceHeart >= 0) {
            ++framesSinceHeart;
        }
    }
    EXPECT_EQ(hearts, 2);
    EXPECT_FALSE(effects<Heart>().empty());
    EXPECT_TRUE(smoked);
    EXPECT_EQ(arrow->head.position.x, hinted->boundsCenter.x);

    // The pointer follows the mouse in the scene.
    input->mousePosition = V3(400.0f + hinted->boundsCenter.x + 40.0f, 300.0f + 70.0f, 0.0f);
    step();
    arrow->setTarget(hinted->boundsCenter.x, hinted->boundsCenter.y, 0.0f);
    game->mousePointer.update(0.0, STEP);
    EXPECT_NEAR(game->mousePointer.position.x, game->sceneLayer->mouseWorld.x, 1e-3f);
    graphics->clear(UColor(0, 0, 0, 255));
    game->render();
    game->mousePointer.render();
    leaveScreenshot(graphics, "tutorial-scene.tga");
}
