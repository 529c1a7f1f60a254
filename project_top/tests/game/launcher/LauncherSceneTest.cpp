// The launcher in play drawn in the window with the game's own data pack:
// the world-map picture as the scene, a train of one-dock cars with
// bonuses pulsing in their docks (a heart over its spinning flare among
// them), the launcher aiming at the train with two pieces in its queue and
// its bow string, the fast-shot beam, the claw on its chain bringing a
// wrong piece home, and the game pointer tinted like the next piece.
// Probes check that the beam and the chain draw where they lie; the frame
// is left in the build folder as launcher-claw-bonuses.tga.
#include <gtest/gtest.h>

#include "game/SceneFrame.h"

#include <GL/gl.h>

#include <memory>

#include "game/launcher/LauncherCore.h"
#include "graphics/MemoryImageFile.h"
#include "graphics/Texture.h"
#include "support/RenderCore.h"

namespace {

class LauncherScene : public testing::Test, public LauncherCore {
protected:
    LauncherScene() : LauncherCore("screenWidth=800\nscreenHeight=600\n")
    {
        global->settings.detail = 1;
        global->settings.colorizeMouse = true;
        global->applySettings();
    }
    u32 scenePixel(V3 p) const { return ::scenePixel(graphics, game->sceneLayer, p); }
    void draw()
    {
        graphics->clear(UColor(0, 0, 0, 255));
        game->render();
        game->mousePointer.render();
    }
    // Whether showing the object changes the pixel at the point.
    bool shows(Renderable& object, V3 p)
    {
        const bool hidden = object.bHidden;
        object.bHidden = false;
        draw();
        const u32 on = scenePixel(p);
        object.bHidden = true;
        draw();
        const u32 off = scenePixel(p);
        object.bHidden = hidden;
        return on != off;
    }
};

TEST_F(LauncherScene, TheLauncherAimsShootsTheClawAndBonusesPulse)
{
    level->sceneTexture = new Texture("gfx/worldmap.jpg", 0);
    level->launcherPositions = {V3(-60.0f, -230.0f, 0.0f), V3(250.0f, -230.0f, 0.0f)};
    level->buildScene();
    launcher->reset();

    Track* track = straightTrack();
    Train* train = trainOf(track, 1650.0f, {0, 2, 4, 0, 2, 4, 0, 2});
    tick();
    std::vector<Dock*> docks;
    for (Car* car : carsOf(train->firstSegment())) {
        if (Dock* dock = firstDock(car)) {
            docks.push_back(dock);
        }
    }
    ASSERT_EQ(docks.size(), 8u);
    docks[1]->setCargo(Cargo::createByType(18));
    docks[3]->setCargo(Cargo::createByType(17));
    docks[5]->setCargo(Cargo::createByType(13));
    docks[6]->setCargo(Cargo::createByType(docks[6]->colour));
    Dock* target = docks[4];
    Cargo* wrong = Cargo::createByType((target->colour + 2) % 6);
    target->setCargo(wrong);

    launcher->fastShotTime = 10.0;
    pointAt(target->centre());
    tick();
    click(SDL_BUTTON_RIGHT);
    Claw* claw = launcher->claw;
    for (int n = 0; n < 200 && claw->heldPiece == nullptr; ++n) {
        tick();
    }
    ASSERT_EQ(claw->heldPiece, wrong);
    ticks(8);
    ASSERT_EQ(claw->state, Claw::STATE_OUT);
    ASSERT_EQ(queued(), 2);
    pointAt(target->centre() + V3(-40.0f, 60.0f, 0.0f));
    tick();
    draw();

    ASSERT_TRUE(saveFrame(graphics, "launcher-claw-bonuses.tga"));

    // The chain between the launcher and the head, the beam beyond the
    // head (with the chain and the claw out of the way).
    const V3 aim = launcher->aimDirection;
    const float out = (claw->position - launcher->position).dot(aim);
    ASSERT_GT(out, 150.0f);
    const V3 alongChain = launcher->position + aim * ((out - 64.0f) * 0.5f);
    EXPECT_TRUE(shows(claw->chain, alongChain));
    claw->chain.bHidden = true;
    const V3 alongBeam = launcher->position + aim * (out + 80.0f);
    EXPECT_TRUE(shows(launcher->beam, alongBeam));
    claw->chain.bHidden = false;
    EXPECT_EQ(game->mousePointer.color, Cargo::cargoColours[front()->type]);
}

} // namespace
