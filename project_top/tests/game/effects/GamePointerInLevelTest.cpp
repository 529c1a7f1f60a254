// The game pointer over a real level in the window, at two window sizes:
// the crosshair drawn by the screen stack stands centred on the same
// sight drawn by the scene itself at the point the launcher aims at. The
// last frame of each size is left in the build folder as
// game-pointer-<width>.tga.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/ScreenStack.h"
#include "game/effects/MousePointerCustom.h"
#include "game/launcher/Launcher.h"
#include "game/world/WorldManager.h"
#include "graphics/Camera.h"

namespace {

struct Centre {
    float x = -1.0f;
    float y = -1.0f;
};

std::vector<u32> readWindow(const QelGraphics* graphics)
{
    std::vector<u32> pixels(size_t(graphics->screenWidth) * size_t(graphics->screenHeight));
    glReadPixels(0, 0, graphics->screenWidth, graphics->screenHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The middle of the box of pixels that differ between the frames, in
// window pixels from the bottom left.
Centre centreOfChange(const QelGraphics* graphics, const std::vector<u32>& a, const std::vector<u32>& b)
{
    int left = graphics->screenWidth;
    int bottom = graphics->screenHeight;
    int right = -1;
    int top = -1;
    for (int y = 0; y < graphics->screenHeight; ++y) {
        for (int x = 0; x < graphics->screenWidth; ++x) {
            const size_t i = size_t(y) * size_t(graphics->screenWidth) + size_t(x);
            if (a[i] != b[i]) {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = std::min(bottom, y);
                top = std::max(top, y);
            }
        }
    }
    return right < 0 ? Centre{} : Centre{float(left + right + 1) / 2.0f, float(bottom + top + 1) / 2.0f};
}

} // namespace

TEST(GamePointerInLevel, TheCrosshairCentreIsThePointTheLauncherAimsAt)
{
    struct Size {
        const char* settings;
        i32 videoMode;
    };
    for (const Size& size : {Size{"screenWidth=800\nscreenHeight=600\n", 2}, Size{"screenWidth=1024\nscreenHeight=768\n", 3}}) {
        SCOPED_TRACE(size.settings);
        ScreenStack stack(size.settings);
        // The game's own setting agrees with the window, so nothing waits
        // for a restart.
        stack.global->settings.videoMode = size.videoMode;
        stack.global->applySettings();
        stack.qel->bRestartRequested = false;
        stack.global->settings.tutorial = false;
        WorldManager::currentProfile().level = 1;
        GameController* game = stack.startGame();
        stack.manager->add(game);
        game->start();
        for (int i = 0; i < 4000 && (game->state != GameController::STATE_PLAYING ||
                                     game->launcher->state == Launcher::STATE_OFF);
             ++i) {
            stack.tick();
        }
        ASSERT_EQ(game->state, GameController::STATE_PLAYING);
        const QelGraphics* graphics = stack.graphics;
        ASSERT_EQ(graphics->screenWidth, size.videoMode == 3 ? 1024 : 800);
        const auto drawn = [&](bool pointer) {
            game->bShowPointer = pointer ? 1 : 0;
            stack.graphics->clear(UColor(0, 0, 0, 255));
            stack.manager->draw();
            return readWindow(graphics);
        };
        const V3 spot = game->launcher->position;
        for (const V3 p : {V3(-250.0f, 150.0f, 0.0f), V3(300.0f, 200.0f, 0.0f), V3(spot.x + 200.0f, spot.y, 0.0f),
                           V3(-320.0f, -200.0f, 0.0f)}) {
            const V3 s = game->sceneLayer->camera->world2screen(p.x, p.y, 0.0f);
            stack.mouse = V3(s.x - float(graphics->fovWidth / 2), s.y - float(graphics->fovHeight / 2), 0.0f);
            for (int i = 0; i < 3; ++i) {
                stack.tick();
            }
            // The launcher aims at the scene point under the mouse.
            const V3 aimed = game->sceneLayer->mouseWorld;
            EXPECT_NEAR(aimed.x, p.x, 1.0f);
            EXPECT_NEAR(aimed.y, p.y, 1.0f);
            const V3 way = aimed - game->launcher->position;
            EXPECT_NEAR(way.x * game->launcher->aimDirection.y - way.y * game->launcher->aimDirection.x, 0.0f, 0.5f);

            const std::vector<u32> bare = drawn(false);
            const Centre crosshair = centreOfChange(graphics, bare, drawn(true));
            // The same sight put into the scene at the aimed point.
            Renderable sight;
            sight.setPlacement(game->mousePointer.pSkin, &aimed, nullptr, nullptr);
            sight.bSkipVisibility = 1;
            game->popupLayer->addChildBack(&sight);
            const Centre inScene = centreOfChange(graphics, bare, drawn(false));
            game->popupLayer->removeChild(&sight);
            ASSERT_GE(crosshair.x, 0.0f) << "the crosshair shows";
            ASSERT_GE(inScene.x, 0.0f);
            EXPECT_NEAR(crosshair.x, inScene.x, 1.0f) << p.x << "," << p.y;
            EXPECT_NEAR(crosshair.y, inScene.y, 1.0f) << p.x << "," << p.y;
        }
        drawn(true);
        stack.screenshot("game-pointer-" + std::to_string(graphics->screenWidth) + ".tga");
    }
}
