// Images of the game's data pack loaded as textures with their skin lists
// and drawn in a real window: every frame lands on the window pixel for
// pixel, and a scene of transformed, tinted and blended sprites over a
// mosaic background can be saved as a screenshot (to the file named by
// VABO_SCREENSHOT when that is set).
#include <gtest/gtest.h>

#include <cstdlib>

#include "graphics/MemoryImageFile.h"
#include "graphics/Quad.h"
#include "graphics/QuadMosaic.h"
#include "graphics/Renderable.h"
#include "graphics/Texture.h"
#include "support/RenderCore.h"

namespace {

class PackDraw : public ::testing::Test {
protected:
    PackDraw()
    {
        core.files->bUseWad = true;
        core.files->useWad(UString(VABO_DATA_PACK));
    }

    RenderCore core;
};

} // namespace

TEST_F(PackDraw, SheetFramesLandOnTheWindowPixelForPixel)
{
    Texture bonus("gfx/bonus.tga", 0);
    MemoryImageFile image("gfx/bonus.tga", false);
    ASSERT_GE(bonus.skins.size(), 8u);
    core.graphics->clear(UColor(0, 0, 0, 255));
    for (size_t i = 0; i < 8; ++i) {
        RenderCore::draw(bonus.skins[i], V3(-350.0f + 90.0f * static_cast<float>(i), 200, 0));
    }
    int compared = 0;
    for (size_t i = 0; i < 8; ++i) {
        const auto& frame = *static_cast<Quad*>(bonus.skins[i]);
        const float left = -350.0f + 90.0f * static_cast<float>(i) - frame.origin.x - frame.width / 2;
        const float top = 200.0f - frame.origin.y + frame.height / 2;
        for (int fy = 0; fy < frame.texelBottom - frame.texelTop; fy += 3) {
            for (int fx = 0; fx < frame.texelRight - frame.texelLeft; fx += 3) {
                const u32 texel = image.pImageData[(frame.texelTop + fy) * image.width + frame.texelLeft + fx];
                if ((texel >> 24) != 255) {
                    continue;  // blended with the black background
                }
                ASSERT_EQ(core.worldPixel(left + static_cast<float>(fx) + 0.5f, top - static_cast<float>(fy) - 0.5f),
                          texel & 0xffffff)
                    << "frame " << i << " at " << fx << ", " << fy;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 500);
}

TEST_F(PackDraw, SceneOfTransformedTintedAndBlendedSprites)
{
    Texture intro("gfx/intro.jpg", 0);
    Texture launcher("gfx/launcher.tga", 0);
    Texture bonus("gfx/bonus.tga", 0);
    ASSERT_EQ(intro.skins[0]->getRuntimeClass(), Skin::runtimeClass()) << "800 x 1024 is a mosaic";
    EXPECT_GT(static_cast<QuadMosaic*>(intro.skins[0])->count, 1);

    core.graphics->clear(UColor(0, 0, 0, 255));
    RenderCore::draw(intro.skins[0], V3(0, 0, 0));
    const u32 background = core.worldPixel(-200, -150);

    Renderable turned;
    turned.pSkin = launcher.skins[0];
    turned.position = V3(-200, -150, 0);
    turned.rotation = V3(0, 0, 0.5f);
    turned.setScaleXY(2.5f);
    turned.render();
    EXPECT_NE(core.worldPixel(-200, -150), background);

    for (int i = 0; i < 8; ++i) {
        Renderable sprite;
        sprite.pSkin = bonus.skins[static_cast<size_t>(i)];
        sprite.position = V3(-300.0f + 85.0f * static_cast<float>(i), 150, 0);
        sprite.rotation = V3(0, 0, 0.2f * static_cast<float>(i));
        sprite.color = UColor(static_cast<u8>(255 - 25 * i), static_cast<u8>(128 + 16 * i), 255,
                              static_cast<u8>(255 - 20 * i));
        sprite.setScaleXY(1.0f + 0.1f * static_cast<float>(i));
        sprite.render();
    }
    Renderable ghost;
    ghost.pSkin = launcher.skins[1];
    ghost.position = V3(200, -150, 0);
    ghost.color = UColor(255, 255, 255, 96);
    ghost.setScaleXY(3.0f);
    ghost.render();

    const char* target = std::getenv("VABO_SCREENSHOT");
    if (target != nullptr) {
        core.graphics->saveScreenshot(UString(target));
    }
    core.graphics->saveScreenshot("scene.jpg");
    EXPECT_TRUE(core.files->existsOnDisk("scene.jpg"));
}
