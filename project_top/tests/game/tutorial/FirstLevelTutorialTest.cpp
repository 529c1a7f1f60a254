// A new player's first level in the window, on the real level and the
// game's data pack, played as the player would: the intro page with the
// waving bear comes up over the level (left as first-level-page.tga);
// Space closes it; once the launcher is ready the hint arrow points
// "left-click here" at a dock, the game's pointer in the scene beside it and
// the engines puffing smoke (first-level-hint.tga); the player clicks where
// the arrow points, and later picks docks of the launcher's colour himself,
// until a join raises its heart and a score text floats up
// (first-level-effects.tga).
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "game/ScreenStack.h"
#include "game/LiveChildren.h"
#include "game/cargo/Cargo.h"
#include "game/dock/Dock.h"
#include "game/effects/Heart.h"
#include "game/effects/Smoke.h"
#include "game/effects/TextBonus.h"
#include "game/launcher/Claw.h"
#include "game/launcher/Launcher.h"
#include "game/level/Level.h"
#include "game/mascot/Bear.h"
#include "game/mascot/BearDialog.h"
#include "game/tutorial/SpeechArrow.h"
#include "game/world/WorldManager.h"
#include "graphics/Camera.h"
#include "language/Language.h"
#include "math/RandomSource.h"

namespace {

class FirstLevel : public testing::Test, public ScreenStack {
protected:
    FirstLevel()
    {
        random.seed(23);
        RandomSource::install([this] { return int(random() & 0x7fffffff); });
        WorldManager::currentProfile().level = 0;
        global->settings.tutorial = true;
    }
    ~FirstLevel() override
    {
        endGame();
        RandomSource::install(nullptr);
    }

    // Live children of the layer that are of the kind.
    template <class T>
    static int live(const QelBase& layer)
    {
        int n = 0;
        forEachLive<QelBase>(layer, [&n](QelBase* child) { n += dynamic_cast<T*>(child) != nullptr ? 1 : 0; });
        return n;
    }
    // The mouse over the scene point, in view units from the centre.
    void pointAt(V3 p)
    {
        const V3 s = game->sceneLayer->camera->world2screen(p.x, p.y, p.z);
        mouse = V3(s.x - float(graphics->fovWidth / 2), s.y - float(graphics->fovHeight / 2), 0.0f);
    }
    // A dock the front piece of the launcher fits, as the player sees it.
    Dock* dockForTheNextPiece() const
    {
        Cargo* next = firstLive<Cargo>(game->launcher->queue);
        return next != nullptr ? game->cargoPicker.findEmptyDockFor(next) : nullptr;
    }

    // The game draws every frame: a piece in flight ends once it was not
    // drawn.
    void frame()
    {
        tick();
        manager->draw();
    }
    bool stillOpen(const Dock* dock) const
    {
        const std::vector<Dock*>& open = game->cargoPicker.openDocks;
        return std::find(open.begin(), open.end(), dock) != open.end();
    }
    // Aims ahead of the moving dock, by its move over one frame and the
    // piece's flight time, and presses the left button (the right one for
    // the claw) there.
    void shootAt(Dock* dock, bool claw)
    {
        const V3 before = dock->centre();
        frame();
        if (!stillOpen(dock)) {
            return;
        }
        const V3 now = dock->centre();
        const V3 from = game->launcher->position;
        const V3 d = now - from;
        const float flight = std::sqrt(d.dot(d)) / (640.0f * game->level->cameraFactor);
        pointAt(now + (now - before) * (flight / 0.02f));
        (claw ? rightDown : mouseDown) = true;
        frame();
        rightDown = mouseDown = false;
        frame();
    }

    std::minstd_rand random;
};

} // namespace

TEST_F(FirstLevel, ThePageThenTheHintThenTheEffectsOfAJoin)
{
    startGame();
    manager->add(game);
    game->start();
    for (int i = 0; i < 200 && dynamic_cast<BearDialog*>(manager->getActive()) == nullptr; ++i) {
        tick();
    }
    auto* page = dynamic_cast<BearDialog*>(manager->getActive());
    ASSERT_NE(page, nullptr) << "the first level's page";
    ASSERT_EQ(live<Bear>(*page), 1);
    for (int i = 0; i < 40; ++i) {
        tick();
    }
    screenshot("first-level-page.tga");
    tap(SDLK_SPACE, ' ');
    ASSERT_EQ(manager->getActive(), game);

    // The first train comes in; once the launcher is ready the arrow shows
    // the dock for its piece.
    const SpeechArrow* arrow = game->tutorialArrow;
    for (int i = 0; i < 3000 && arrow->text.empty(); ++i) {
        tick();
    }
    ASSERT_EQ(arrow->text, qel->language->getText(Language::TUTORIALLMB));
    pointAt(arrow->head.position + V3(40.0f, 60.0f, 0.0f));
    for (int i = 0; i < 3; ++i) {
        tick();
    }
    EXPECT_GT(live<Smoke>(*game->popupLayer), 0) << "the engine puffs";
    EXPECT_NEAR(game->mousePointer.position.x, game->sceneLayer->mouseWorld.x, 1e-3f);
    screenshot("first-level-hint.tga");

    // Clicks where the arrow points while it shows (a right click for a
    // wrong piece), then on docks of the next piece's colour, until a join's
    // heart and a score text are up.
    const UString clawHint = qel->language->getText(Language::TUTORIALRMB);
    bool shot = false;
    for (int i = 0; i < 50 * 90 && !shot; ++i) {
        Dock* target = nullptr;
        if (game->launcher->state == Launcher::STATE_READY && live<Cargo>(*game->pieceLayer) == 0 &&
            game->launcher->claw->state == Claw::STATE_AT_REST) {
            target = arrow->text.empty() ? dockForTheNextPiece() : game->lastHintDock;
        }
        if (target != nullptr) {
            shootAt(target, arrow->text == clawHint);
        } else {
            frame();
        }
        ASSERT_EQ(game->state, GameController::STATE_PLAYING);
        if (live<Heart>(*game->popupLayer) > 0 && live<TextBonus>(*game->popupLayer) > 0) {
            for (int j = 0; j < 10; ++j) {
                frame();
            }
            screenshot("first-level-effects.tga");
            shot = true;
        }
    }
    EXPECT_TRUE(shot) << "a heart and a score text";
    EXPECT_GT(game->correctPlacements, 4);
}
