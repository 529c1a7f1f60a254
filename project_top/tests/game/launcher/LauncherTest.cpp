// The launcher played through the engine's input on a test level with two
// spots: shots along the aim at the normal and the fast speed, the reload
// and its queue slots, what is loaded next, the launcher switched off,
// moving between spots, the fast-shot beam and the tinted pointer.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "game/launcher/LauncherCore.h"
#include "graphics/Texture.h"
#include "math/VectorMath.h"
#include "support/ScriptedRandom.h"

namespace {

class LauncherPlay : public testing::Test, public LauncherCore {
protected:
    // The distance behind the launcher along its aim, and the scale, of a
    // queued piece.
    std::pair<float, float> slotOf(const Cargo* piece) const
    {
        const V3 back = launcher->position - piece->position;
        return {back.dot(launcher->aimDirection), piece->scale.x};
    }
    // Frames until the launcher is ready again.
    int framesToReady()
    {
        int n = 0;
        while (launcher->state != Launcher::STATE_READY && n < 100) {
            tick();
            ++n;
        }
        return n;
    }
};

TEST_F(LauncherPlay, AShotFliesAlongTheAimAndTheReloadIgnoresTheButton)
{
    struct Case {
        double fastShot;
        float cameraFactor;
        float speed;
        int bowSounds;
        float ratio;
        double reload;
    };
    for (const Case& c : {Case{0.0, 1.0f, 640.0f, 1, 0.0f, 0.25}, Case{30.0, 1.0f, 1000.0f, 2, 1.25f, 0.125},
                          Case{0.0, 1.25f, 800.0f, 1, 0.0f, 0.25}}) {
        level->cameraFactor = c.cameraFactor;
        launcher->fastShotTime = c.fastShot;
        pointAt(V3(200.0f, 200.0f, 0.0f));
        tick();
        ASSERT_EQ(launcher->state, Launcher::STATE_READY);
        Cargo* next = front();
        const i32 shots = game->shotsFired;
        input.buttonDown(SDL_BUTTON_LEFT);
        tick();
        ASSERT_EQ(flying().size(), 1u);
        EXPECT_EQ(flying().front(), next);
        EXPECT_EQ(next->state, Cargo::STATE_FLYING);
        EXPECT_EQ(game->shotsFired, shots + 1);
        const V3 aim = normalize(V3(200.0f, 200.0f - SPOT_Y, 0.0f));
        EXPECT_NEAR(next->body.velocity.x, aim.x * c.speed, 0.05f);
        EXPECT_NEAR(next->body.velocity.y, aim.y * c.speed, 0.05f);
        const std::vector<float> bows = ratiosOf("bowSound");
        ASSERT_EQ(int(bows.size()), c.bowSounds);
        for (float ratio : bows) {
            if (c.ratio > 0.0f) {
                EXPECT_NEAR(ratio, c.ratio, 1e-3f);
            } else {
                EXPECT_GE(ratio, 1.0f - 1e-4f);
                EXPECT_LE(ratio, 1.1f + 1e-4f);
            }
        }
        EXPECT_EQ(launcher->state, Launcher::STATE_LOADING);
        // A press during the reload fires nothing.
        input.buttonUp(SDL_BUTTON_LEFT);
        tick();
        input.buttonDown(SDL_BUTTON_LEFT);
        tick();
        input.buttonUp(SDL_BUTTON_LEFT);
        EXPECT_EQ(game->shotsFired, shots + 1);
        // Two frames of the reload have run since the shot.
        EXPECT_NEAR(double(framesToReady() + 2) * STEP, c.reload, STEP);
        next->bDead = 1;
        tick();
    }
}

TEST_F(LauncherPlay, TheQueueSlidesThroughItsSlots)
{
    pointAt(V3(-100.0f, 250.0f, 0.0f));
    tick();
    ASSERT_EQ(queued(), 2);
    Cargo* second = static_cast<Cargo*>(static_cast<QelBase*>(launcher->queue.lastChild));
    auto [d0, s0] = slotOf(front());
    auto [d1, s1] = slotOf(second);
    EXPECT_NEAR(d0, 0.0f, 1e-3f);
    EXPECT_FLOAT_EQ(s0, 1.0f);
    EXPECT_NEAR(d1, 34.0f, 1e-3f);
    EXPECT_FLOAT_EQ(s1, 0.55f);

    // After a shot: the second piece slides forward, a new one grows in at
    // 25 units behind.
    // The layout of a frame comes before its step of the reload.
    click(SDL_BUTTON_LEFT);
    const float p = launcher->reloadPhase;
    tick();
    ASSERT_GT(p, 0.0f);
    ASSERT_LT(p, 1.0f);
    EXPECT_EQ(front(), second);
    std::tie(d0, s0) = slotOf(front());
    Cargo* grown = static_cast<Cargo*>(static_cast<QelBase*>(launcher->queue.lastChild));
    std::tie(d1, s1) = slotOf(grown);
    EXPECT_NEAR(d0, 34.0f * p, 1e-3f);
    EXPECT_NEAR(s0, 1.0f - 0.45f * p, 1e-5f);
    EXPECT_NEAR(d1, 34.0f - 9.0f * p, 1e-3f);
    EXPECT_NEAR(s1, 0.55f * (1.0f - p), 1e-5f);
    const float now = launcher->reloadPhase;
    EXPECT_NEAR(launcher->bowTension, 1.0f - std::fabs(2.0f * now - 1.0f), 1e-5f);

    // A piece put in at the front comes from the claw's rest point.
    framesToReady();
    Cargo* delivered = Cargo::createByType(0);
    delivered->setState(Cargo::STATE_QUEUED, 0.0, true);
    launcher->addPiece(delivered, true);
    EXPECT_EQ(launcher->state, Launcher::STATE_LOADING);
    EXPECT_EQ(launcher->reloadDirection, -1);
    tick();
    const float q = launcher->reloadPhase;
    tick();
    EXPECT_NEAR(q, 8.0f / 60.0f, 1e-5f);
    EXPECT_EQ(launcher->state, Launcher::STATE_LOADING);
    EXPECT_EQ(front(), delivered);
    EXPECT_EQ(queued(), 2);
    std::tie(d0, s0) = slotOf(delivered);
    std::tie(d1, s1) = slotOf(second);
    EXPECT_NEAR(d0, -45.0f + 45.0f * q, 1e-3f);
    EXPECT_NEAR(s0, q, 1e-5f);
    EXPECT_NEAR(d1, 34.0f * q, 1e-3f);
    EXPECT_NEAR(s1, 1.0f - 0.45f * q, 1e-5f);
    EXPECT_EQ(framesToReady(), 6);
}

TEST_F(LauncherPlay, FireballsLoadBeforeWildcardsAndThoseBeforeColours)
{
    launcher->wildcardShots = 4;
    launcher->fireballShots = 4;
    launcher->clearQueue();
    tick();
    std::vector<i32> shot;
    for (int i = 0; i < 10; ++i) {
        shot.push_back(front()->type);
        click(SDL_BUTTON_LEFT);
        framesToReady();
    }
    const i32 F = Cargo::TYPE_FIREBALL;
    const i32 W = Cargo::TYPE_WILDCARD;
    EXPECT_EQ(shot, (std::vector<i32>{F, F, F, F, W, W, W, W, 0, 0}));
}

TEST_F(LauncherPlay, TheHelpColourComesFromTheDockNearestTheHelpMark)
{
    Track* track = straightTrack();
    trainOf(track, 1300.0f, {0, 2, 4});
    tick();
    const CargoPicker& picker = game->cargoPicker;
    ASSERT_EQ(picker.openDocks.size(), 3u);
    game->helpProbability = 0.5f;
    launcher->clearQueue();
    {
        // Help at 0.25 (colour nearest the help mark), no help at 0.75: the
        // weighted pick's draw 2 of three open docks is colour 4. Each
        // piece then draws its angle, spin speed and spin sign.
        ScriptedRandom script{ScriptedRandom::ofFraction(0.25), 0, 0, 0, ScriptedRandom::ofFraction(0.75), 2, 0, 0, 0};
        launcher->refillQueue();
        EXPECT_EQ(script.left(), 0);
    }
    RandomSource::install([] { return 0; });
    ASSERT_EQ(queued(), 2);
    EXPECT_EQ(front()->type, picker.nearestColour());
    EXPECT_EQ(front()->type, 0) << "the front car is nearest the help mark";
    EXPECT_EQ(static_cast<Cargo*>(static_cast<QelBase*>(launcher->queue.lastChild))->type, 4);
}

TEST_F(LauncherPlay, SwitchedOffItMakesNothingAndIgnoresEveryButton)
{
    launcher->setActive(false);
    EXPECT_EQ(queued(), 0);
    const V3 at = launcher->position;
    for (int button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE}) {
        click(button);
    }
    input.keyDown(SDLK_SPACE);
    tick();
    input.keyUp(SDLK_SPACE);
    tick();
    EXPECT_EQ(queued(), 0);
    EXPECT_TRUE(flying().empty());
    EXPECT_EQ(launcher->claw->state, Claw::STATE_AT_REST);
    EXPECT_EQ(launcher->position, at);
    EXPECT_EQ(game->shotsFired, 0);
    auto* strings = static_cast<Texture*>(find("bowstring"));
    const size_t n = strings->skins.size();
    EXPECT_EQ(launcher->bowString.pSkin, strings->skins.at(size_t(0.75f * float(n - 1))));

    // A piece brought home while off waits at the front without sliding in.
    Cargo* delivered = Cargo::createByType(2);
    delivered->setState(Cargo::STATE_QUEUED, 0.0, true);
    launcher->addPiece(delivered, true);
    tick();
    EXPECT_EQ(launcher->state, Launcher::STATE_OFF);
    EXPECT_EQ(front(), delivered);
    EXPECT_EQ(queued(), 1);

    // On again, from off only.
    launcher->setActive(true);
    EXPECT_EQ(launcher->state, Launcher::STATE_READY);
    launcher->reloadDirection = 1;
    launcher->setState(Launcher::STATE_LOADING, 0.0, true);
    launcher->setActive(true);
    EXPECT_EQ(launcher->state, Launcher::STATE_LOADING);
}

TEST_F(LauncherPlay, SpaceAndTheMiddleButtonMoveItBetweenSpots)
{
    // The pop's spacing on the real clock is not what is tested here.
    static_cast<Sound*>(find("pop"))->minInterval = 0.0;
    // The first placement was silent.
    EXPECT_EQ(launcher->spotIndex, 0);
    EXPECT_EQ(launcher->position, V3(0.0f, SPOT_Y, 0.0f));
    input.keyDown(SDLK_SPACE);
    tick();
    input.keyUp(SDLK_SPACE);
    EXPECT_EQ(launcher->position, V3(300.0f, SPOT_Y, 0.0f));
    EXPECT_EQ(countPlayed("pop"), 1);
    tick();
    input.buttonDown(SDL_BUTTON_MIDDLE);
    tick();
    input.buttonUp(SDL_BUTTON_MIDDLE);
    EXPECT_EQ(launcher->spotIndex, 0);
    EXPECT_EQ(countPlayed("pop"), 1);
    tick();
    EXPECT_EQ(launcher->spotIndex, 0) << "a held button moves it once";

    // One spot: cycling keeps it in place, silently.
    level->launcherPositions = {V3(-200.0f, SPOT_Y, 0.0f)};
    launcher->reset();
    EXPECT_EQ(launcher->position, V3(-200.0f, SPOT_Y, 0.0f));
    click(SDL_BUTTON_MIDDLE);
    EXPECT_EQ(launcher->position, V3(-200.0f, SPOT_Y, 0.0f));
    EXPECT_EQ(countPlayed("pop"), 0);
}

TEST_F(LauncherPlay, TheBeamFadesOverTheLastQuarterTurnOfFastShot)
{
    EXPECT_TRUE(launcher->beam.bHidden);
    for (double left : {3.0, 1.2, 0.5}) {
        launcher->fastShotTime = left;
        tick();
        EXPECT_FALSE(launcher->beam.bHidden);
        const int alpha = left > std::numbers::pi / 2.0 ? 255 : int(255.0 * std::sin(left));
        EXPECT_NEAR(launcher->beam.color.a, alpha, 1) << left;
        EXPECT_NEAR(launcher->fastShotTime, left - STEP, 1e-9);
        EXPECT_EQ(launcher->beam.position, launcher->position);
        EXPECT_FLOAT_EQ(launcher->beam.rotation.z, launcher->aimAngle);
    }
    launcher->fastShotTime = 0.0;
    tick();
    EXPECT_TRUE(launcher->beam.bHidden);
}

TEST_F(LauncherPlay, ThePointerTakesTheColourOfTheNextPiece)
{
    global->settings.colorizeMouse = false;
    tick();
    EXPECT_EQ(game->mousePointer.color, UColor(255, 255, 255, 255)) << "colouring is off";
    global->settings.colorizeMouse = true;
    launcher->clearQueue();
    launcher->addPiece(Cargo::createByType(4), false);
    tick();
    EXPECT_EQ(game->mousePointer.color, Cargo::cargoColours[4]);
    launcher->clearQueue();
    launcher->wildcardShots = 1;
    tick();
    EXPECT_EQ(front()->type, Cargo::TYPE_WILDCARD);
    EXPECT_EQ(game->mousePointer.color, UColor(0x80, 0x80, 0x80, 0xFF));
}

} // namespace

namespace {

TEST_F(LauncherPlay, TheMenuCornerTakesNoClicksAndSwappedButtonsTradePlaces)
{
    // The top-right corner of the screen, where the menu button is.
    const QelGraphics* g = graphics;
    qel->input->mousePosition = V3(float(g->fovWidth) - 20.0f, float(g->fovHeight) - 10.0f, 0.0f);
    tick();
    EXPECT_TRUE(game->isPointerOnMenuButton());
    click(SDL_BUTTON_LEFT);
    click(SDL_BUTTON_RIGHT);
    EXPECT_EQ(game->shotsFired, 0);
    EXPECT_EQ(launcher->claw->state, Claw::STATE_AT_REST);

    pointAt(V3(0.0f, 200.0f, 0.0f));
    global->settings.swapMouse = true;
    click(SDL_BUTTON_LEFT);
    EXPECT_EQ(launcher->claw->state, Claw::STATE_OUT) << "the left button sends the claw";
    EXPECT_EQ(game->shotsFired, 0);
    click(SDL_BUTTON_RIGHT);
    EXPECT_EQ(game->shotsFired, 1) << "the right button shoots";
}

} // namespace

namespace {

TEST_F(LauncherPlay, ALeftClickPutsTheFrontPieceIntoADockOfItsColour)
{
    Train* train = trainOf(straightTrack(), 1400.0f, {0, 2, 4});
    tick();
    Dock* dock = nullptr;
    for (Car* car : carsOf(train->firstSegment())) {
        dock = dock != nullptr ? dock : firstDock(car);
    }
    ASSERT_NE(dock, nullptr);
    launcher->clearQueue();
    Cargo* piece = Cargo::createByType(dock->colour);
    launcher->addPiece(piece, false);
    piece->setState(Cargo::STATE_QUEUED, 0.0, true);
    pointAt(dock->centre());
    tick();
    ASSERT_EQ(front(), piece);
    click(SDL_BUTTON_LEFT);
    for (int n = 0; n < 60 && dock->cargo != piece; ++n) {
        tick();
    }
    EXPECT_EQ(dock->cargo, piece);
    EXPECT_TRUE(dock->isFilled());
    EXPECT_EQ(game->correctPlacements, 1);
}

} // namespace
