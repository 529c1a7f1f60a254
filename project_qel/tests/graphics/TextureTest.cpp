// Textures under the hardware-size simulation: sizes, halving, skin lists,
// mosaics, refused skin lists and the rebuild after a lost presentation.
#include "graphics/Texture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "engine/Qel.h"
#include "graphics/Quad.h"
#include "graphics/QuadMosaic.h"
#include "support/RenderCore.h"

namespace {

UColor grey(int, int)
{
    return UColor(128, 128, 128, 255);
}

class TextureTest : public testing::Test {
protected:
    Quad& quad(Texture& t, size_t i) { return *static_cast<Quad*>(t.skins.at(i)); }
    QuadMosaic& mosaic(Texture& t, size_t i) { return *static_cast<QuadMosaic*>(t.skins.at(i)); }
    size_t countInLog(const std::string& text)
    {
        const std::string log = core.logText();
        size_t n = 0;
        for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++n;
        }
        return n;
    }

    RenderCore core;
};

} // namespace

TEST_F(TextureTest, SizesUnderTheSimulatedHardware)
{
    core.graphics->bSimulate256x256TextureHW = false;
    RenderCore::writeTga("wide.tga", 300, 200, grey);
    {
        Texture t("wide.tga", 0);
        EXPECT_EQ(t.realWidth, 300);
        EXPECT_EQ(t.uvWidth, 300);
        EXPECT_EQ(t.subTextures->countChildren(), 0u);
        ASSERT_EQ(t.skins.size(), 1u);
        EXPECT_FLOAT_EQ(quad(t, 0).uvRight, 1.0f);
        EXPECT_EQ(quad(t, 0).width, 300);
    }

    core.graphics->bSimulate256x256TextureHW = true;
    RenderCore::writeTga("small.tga", 32, 32, grey);
    {
        Texture t("small.tga", 0);
        EXPECT_EQ(std::tuple(t.realWidth, t.realHeight), std::tuple(256, 256));
        EXPECT_FLOAT_EQ(quad(t, 0).uvRight, 0.125f);
        EXPECT_EQ(quad(t, 0).width, 32) << "the skin keeps the image's size";
        EXPECT_EQ(quad(t, 0).texelRight, 32);
    }
    EXPECT_EQ(countInLog("createEmptyTexture():  Note! Texture has been resized to 256x256."), 1u);

    RenderCore::writeTga("banner.tga", 300, 100, grey);
    RenderCore::writeTga("square.tga", 256, 256, grey);
    {
        Texture banner("banner.tga", Texture::TEXTURE_ALLOW_512);
        EXPECT_EQ(std::tuple(banner.realWidth, banner.realHeight), std::tuple(512, 256));
        Texture square("square.tga", 0);
        EXPECT_EQ(square.realWidth, 256);
        EXPECT_EQ(square.subTextures->countChildren(), 0u) << "an image exactly 256 x 256 fits";
    }
}

TEST_F(TextureTest, HalvedTexturesKeepFullSizeSkinsAlsoAfterARebuild)
{
    RenderCore::writeTga("big.tga", 1000, 600, grey);
    Texture t("big.tga", Texture::TEXTURE_HALVE_TO_FIT);
    EXPECT_EQ(t.scaleFactor, 4);
    EXPECT_EQ(std::tuple(t.uvWidth, t.uvHeight), std::tuple(1024, 1024));
    EXPECT_EQ(std::tuple(quad(t, 0).width, quad(t, 0).height), std::tuple(1000, 600));

    core.losePresentation();
    EXPECT_EQ(t.glTexHandle, 0u);
    t.bind();
    EXPECT_NE(t.glTexHandle, 0u);
    EXPECT_EQ(t.scaleFactor, 4);
    EXPECT_EQ(t.uvWidth, 1024);
    EXPECT_EQ(countInLog("repopulateTexture(): Repopulating texture 'big.tga'..."), 1u);
}

TEST_F(TextureTest, SkinListsCutFramesAndPlaceTheirOrigins)
{
    RenderCore::writeTga("sheet.tga", 64, 32, grey);
    TempFolder::writeFile("sheet.tga.ini",
                          "[Skin 1]\nleft=32\ntop=0\nwidth=32\nheight=32\norigin_adjust_x=3\norigin_adjust_y=2\n"
                          "[Skin 0]\nleft=0\ntop=4\nwidth=31\nheight=20\n");
    Texture t("sheet.tga", 0);
    ASSERT_EQ(t.skins.size(), 2u);
    EXPECT_EQ(quad(t, 0).origin, V3(-0.5f, 0, 0)) << "odd width: half a pixel";
    EXPECT_EQ(quad(t, 0).width, 31);
    EXPECT_EQ(quad(t, 0).height, 20);
    EXPECT_FLOAT_EQ(quad(t, 0).uvTop, 4.0f / 256);
    EXPECT_EQ(quad(t, 0).texelBottom, 24);
    EXPECT_EQ(quad(t, 1).origin, V3(-3, 2, 0));
    EXPECT_FLOAT_EQ(quad(t, 1).uvLeft, 32.0f / 256);
    EXPECT_FLOAT_EQ(quad(t, 1).uvRight, 64.0f / 256);

    float uv[4];
    t.rectToUV(Rect{10, 20, 30, 40}, uv);
    EXPECT_THAT(uv, testing::ElementsAre(0.0390625f, 0.078125f, 0.15625f, 0.1171875f));

    TempFolder::writeFile("none.tga.ini", "");
    RenderCore::writeTga("none.tga", 8, 8, grey);
    Texture empty("none.tga", 0);
    EXPECT_TRUE(empty.skins.empty());
}

TEST_F(TextureTest, LargeImagesBecomeMosaicsOfSubTextures)
{
    RenderCore::writeTga("panorama.tga", 600, 200, RenderCore::pattern);
    TempFolder::writeFile("panorama.tga.ini",
                          "[Skin 0]\nleft=0\ntop=0\nwidth=600\nheight=200\n"
                          "[Skin 1]\nleft=10\ntop=10\nwidth=100\nheight=50\n"
                          "[Skin 2]\nleft=200\ntop=0\nwidth=100\nheight=21\norigin_adjust_x=5\n");
    Texture t("panorama.tga", 0);
    EXPECT_EQ(countInLog("Texture(): Mosaic axis: X \n"), 1u);
    ASSERT_EQ(t.skins.size(), 3u);
    EXPECT_EQ(std::tuple(mosaic(t, 0).columns, mosaic(t, 0).rows), std::tuple(3, 1));
    EXPECT_EQ(std::tuple(mosaic(t, 0).width, mosaic(t, 0).height), std::tuple(600, 200));
    EXPECT_EQ(mosaic(t, 1).count, 1) << "a skin inside one tile";
    EXPECT_EQ(mosaic(t, 2).columns, 2) << "a skin across a seam";
    EXPECT_EQ(mosaic(t, 2).origin, V3(-5, 0.5f, 0)) << "the origin of the skin list's quad";
    EXPECT_EQ(mosaic(t, 2).width, 100);

    // The seam at 254: the first tile holds columns 0..253 at x 1..254.
    const Quad& first = *mosaic(t, 2).quads[0];
    EXPECT_EQ(std::tuple(first.texelLeft, first.texelRight, first.texelBottom), std::tuple(201, 255, 21));
    const Quad& second = *mosaic(t, 2).quads[1];
    EXPECT_EQ(std::tuple(second.texelLeft, second.texelRight), std::tuple(1, 47));
    auto* secondTile = static_cast<Texture*>(t.subTextures->getChild(1));
    EXPECT_EQ(second.texture, secondTile);
    EXPECT_EQ(secondTile->skins.back(), &second) << "the tile owns the cells on it";

    RenderCore::writeTga("block.tga", 300, 300, grey);
    Texture block("block.tga", 0);
    EXPECT_EQ(countInLog("Texture(): Mosaic axis: X Y"), 1u);
    EXPECT_EQ(block.subTextures->countChildren(), 4u);
}

// A mosaic cell keeps, in blocks of 16 texels, where it can show: within
// one texel (the reach of linear filtering) of a texel that is not fully
// transparent, and always along the image's edge on an axis that fits (the
// texture's padding or far edge lies beyond it). A cell that can show
// nowhere is not drawn at all.
TEST_F(TextureTest, MosaicCellsKnowWhereTheyCanShow)
{
    // Clear but for one texel, the first column of the second tile.
    RenderCore::writeTga("overlay.tga", 600, 200, [](int x, int y) {
        return x == 254 && y == 50 ? UColor(9, 9, 9, 255) : UColor(200, 200, 200, 0);
    });
    TempFolder::writeFile("overlay.tga.ini",
                          "[Skin 0]\nleft=0\ntop=10\nwidth=600\nheight=100\n"
                          "[Skin 1]\nleft=520\ntop=0\nwidth=60\nheight=40\n");
    Texture t("overlay.tga", 0);
    const struct {
        size_t skin;
        size_t cell;
        bool invisible;
        std::vector<int> showing;
    } cases[] = {
        {0, 0, false, {2 * 16 + 15}}, // the texel lies just beyond its right edge
        {0, 1, false, {2 * 16 + 0}},  // holds it at its left edge
        {0, 2, true, {}},
        {1, 0, false, {0, 1, 2, 3}}, // touches the top of an image that fits its height
    };
    for (const auto& c : cases) {
        const Quad& cell = *mosaic(t, c.skin).quads.at(c.cell);
        std::vector<int> showing;
        for (size_t i = 0; i < cell.visibleBlocks.size(); ++i) {
            if (cell.visibleBlocks[i]) {
                showing.push_back(int(i));
            }
        }
        EXPECT_EQ(cell.bInvisible, c.invisible) << c.skin << ", " << c.cell;
        EXPECT_EQ(showing, c.showing) << c.skin << ", " << c.cell;
    }
}

TEST_F(TextureTest, TexturesReleasedByALostPresentationComeBackOnFirstUse)
{
    RenderCore::writeTga("panorama.tga", 600, 200, RenderCore::pattern);
    Texture mosaicTexture("panorama.tga", 0);
    Texture cache(256, 256, Texture::TEXTURE_KEEP_SOURCE);
    core.losePresentation();
    EXPECT_EQ(mosaicTexture.glTexHandle, 0u);
    EXPECT_EQ(cache.glTexHandle, 0u);

    auto* lastTile = static_cast<Texture*>(mosaicTexture.subTextures->lastChild);
    lastTile->bind();
    EXPECT_EQ(countInLog("Repopulating texture 'panorama.tga'"), 1u) << "once for the whole mosaic";
    for (BasicLink* node = mosaicTexture.subTextures->firstChild; node != nullptr; node = node->next) {
        EXPECT_TRUE(glIsTexture(static_cast<Texture*>(node)->glTexHandle));
    }
    static_cast<Texture*>(mosaicTexture.subTextures->firstChild)->bind();
    EXPECT_EQ(countInLog("Repopulating texture"), 1u);

    cache.bind();
    EXPECT_TRUE(glIsTexture(cache.glTexHandle));
    EXPECT_EQ(countInLog("Repopulating texture"), 1u) << "an unnamed texture is only recreated";

    const int frame = ++core.qel->frameNumber;
    const int textures = core.qel->statTextures;
    cache.bind();
    cache.bind();
    EXPECT_EQ(core.qel->statTextures, textures + 1) << "counted once a frame";
    EXPECT_EQ(cache.lastBoundFrame, frame);
}

TEST_F(TextureTest, KeptImagesAreDitheredForShallowDisplaysAndClearedInMemory)
{
    RenderCore::writeTga("sky.tga", 32, 8, [](int x, int) { return UColor(static_cast<u8>(x * 5 + 3), 77, 200, 255); });
    core.qel->ditherDepth = 12;
    core.graphics->colorDepth = 16;
    Texture dithered("sky.tga", Texture::TEXTURE_KEEP_SOURCE);
    Texture kept("sky.tga", Texture::TEXTURE_KEEP_SOURCE | Texture::TEXTURE_NO_DITHER);
    core.graphics->colorDepth = 24;
    Texture deep("sky.tga", Texture::TEXTURE_KEEP_SOURCE);
    const u32* pixels = dithered.pSavedSourceData->pImageData.get();
    for (int i = 0; i < 32 * 8; ++i) {
        EXPECT_EQ(pixels[i] & 0x000f0f0f, 0u) << i;
        EXPECT_EQ(pixels[i] >> 24, 255u) << "alpha stays";
    }
    EXPECT_EQ(kept.pSavedSourceData->pImageData[1] & 0xff, 8u);
    EXPECT_EQ(deep.pSavedSourceData->pImageData[1] & 0xff, 8u);

    Texture cache(256, 256, Texture::TEXTURE_KEEP_SOURCE);
    ASSERT_NE(cache.pSavedSourceData, nullptr);
    EXPECT_EQ(cache.skins.size(), 1u);
    cache.clear(nullptr, false);
    const Rect corner{0, 0, 2, 2};
    cache.clear(&corner, true);
    pixels = cache.pSavedSourceData->pImageData.get();
    EXPECT_EQ(pixels[0], 0x00FFFFFFu) << "transparent white";
    EXPECT_EQ(pixels[2], 0u);
}

TEST(TextureFaults, SkinListsOutsideTheirImageAreRefusedAtLoad)
{
    RenderCore core(0);
    RenderCore::writeTga("sheet.tga", 64, 32, grey);
    const std::string good = "[Skin 0]\nleft=0\ntop=0\nwidth=32\nheight=32\n";
    const struct {
        const char* section;
        const char* message;
    } cases[] = {
        {"[Skin 1]\nleft=40\ntop=0\nwidth=32\nheight=32\n",
         "Error: Skin rectangle of section 'Skin 1' in 'sheet.tga.ini' is empty or outside the 64x32 image."},
        {"[Skin 1]\nleft=0\ntop=0\nwidth=0\nheight=32\n", "section 'Skin 1' in 'sheet.tga.ini' is empty"},
        {"[Skin 1]\nleft=-1\ntop=0\nwidth=8\nheight=8\n", "section 'Skin 1' in 'sheet.tga.ini'"},
        {"[Skin 1]\nleft=0\ntop=2147483647\nwidth=8\nheight=8\n", "section 'Skin 1' in 'sheet.tga.ini'"},
        {"[Skin 1]\nleft=0\ntop=0\nheight=8\n", "Key 'width' could not be found in section 'Skin 1'."},
        {"[Skin 2]\nleft=0\ntop=0\nwidth=8\nheight=8\n", "Key 'left' could not be found in section 'Skin 1'."},
    };
    for (const auto& c : cases) {
        TempFolder::writeFile("sheet.tga.ini", good + c.section);
        EXPECT_FATAL_WITH(core, (core.startGraphics(), Texture("sheet.tga", 0)), c.message);
    }
}
