// What the rendering pipeline puts in the window, read back pixel by pixel:
// frames of sprite sheets at their origins, mosaics equal to whole images,
// tinting and blending, outlines, debug overlays, textures that come back
// identical after a lost presentation, and the filter chosen per draw.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/Qel.h"
#include "graphics/OutlineDrawing.h"
#include "graphics/Quad.h"
#include "graphics/QuadMosaic.h"
#include "graphics/VertexBuffer.h"
#include "support/ImageBytes.h"
#include "support/RenderCore.h"

namespace {

constexpr UColor BLACK(0, 0, 0, 255);
constexpr UColor BLUE(0, 0, 255, 255);

// Each of red, green and blue within `tolerance` of the expected.
testing::AssertionResult near(u32 actual, u32 expected, int tolerance = 2)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xff);
        const int e = static_cast<int>((expected >> shift) & 0xff);
        if (std::abs(a - e) > tolerance) {
            return testing::AssertionFailure() << std::hex << "rgb " << actual << " instead of " << expected;
        }
    }
    return testing::AssertionSuccess();
}

bool sameFrame(const MemoryImageFile& a, const MemoryImageFile& b)
{
    return a.width == b.width && a.height == b.height &&
           std::memcmp(a.pImageData.get(), b.pImageData.get(), static_cast<size_t>(a.width) * a.height * 4) == 0;
}

struct WorldCheck {
    float x;
    float y;
    u32 rgb;
};

class RenderPixels : public testing::Test {
protected:
    void expectWorld(std::initializer_list<WorldCheck> checks)
    {
        for (const WorldCheck& c : checks) {
            EXPECT_EQ(core.worldPixel(c.x, c.y), c.rgb) << c.x << ", " << c.y;
        }
    }

    RenderCore core;
};

} // namespace

TEST_F(RenderPixels, SpriteSheetFramesDrawWhereTheirOriginsSay)
{
    RenderCore::writeTga("sheet.tga", 64, 32, [](int x, int) {
        return x < 32 ? UColor(255, 0, 0, 255) : UColor(0, 255, 0, 255);
    });
    TempFolder::writeFile("sheet.tga.ini",
                          "[Skin 0]\nleft=0\ntop=0\nwidth=32\nheight=32\n"
                          "[Skin 1]\nleft=32\ntop=0\nwidth=32\nheight=32\norigin_adjust_x=3\norigin_adjust_y=2\n"
                          "[Skin 2]\nleft=0\ntop=0\nwidth=31\nheight=31\n");
    Texture sheet("sheet.tga", 0);
    core.graphics->clear(BLACK);
    RenderCore::draw(sheet.skins[0], V3(-100, 0, 0));
    RenderCore::draw(sheet.skins[1], V3(100, 0, 0));
    RenderCore::draw(sheet.skins[2], V3(0, 100, 0));

    // Frame 0: world x -116 .. -84, y -16 .. 16.
    expectWorld({{-115.5f, 15.5f, RGB_RED}, {-84.5f, -15.5f, RGB_RED}, {-116.5f, 0, RGB_BLACK},
                 {-83.5f, 0, RGB_BLACK}, {-100, 16.5f, RGB_BLACK}});
    // Frame 1, moved by its adjustment (3, 2): x 87 .. 119, y -18 .. 14.
    expectWorld({{87.5f, -17.5f, RGB_GREEN}, {118.5f, 13.5f, RGB_GREEN}, {86.5f, 0, RGB_BLACK},
                 {119.5f, 0, RGB_BLACK}, {100, 14.5f, RGB_BLACK}, {100, -18.5f, RGB_BLACK}});
    // Frame 2, 31 x 31, lands on whole pixels: x -15 .. 16, y 84 .. 115.
    expectWorld({{-14.5f, 100, RGB_RED}, {15.5f, 100, RGB_RED}, {-15.5f, 100, RGB_BLACK}, {16.5f, 100, RGB_BLACK},
                 {0, 84.5f, RGB_RED}, {0, 83.5f, RGB_BLACK}, {0, 115.5f, RGB_BLACK}});
}

TEST_F(RenderPixels, MosaicsDrawExactlyLikeTheWholeImage)
{
    const struct {
        int width;
        int height;
    } sizes[] = {{600, 200}, {300, 300}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.width);
        RenderCore::writeTga("picture.tga", size.width, size.height, RenderCore::pattern);
        // The whole image, and a skin that crosses the first seam.
        TempFolder::writeFile("picture.tga.ini",
                              formatString("[Skin 0]\nleft=0\ntop=0\nwidth=%d\nheight=%d\n", size.width, size.height) +
                                  "[Skin 1]\nleft=200\ntop=130\nwidth=90\nheight=50\n");
        std::unique_ptr<MemoryImageFile> frames[2][2];
        for (int simulate = 0; simulate < 2; ++simulate) {
            core.graphics->bSimulate256x256TextureHW = simulate != 0;
            Texture picture("picture.tga", 0);
            ASSERT_EQ(picture.subTextures->countChildren() > 1, simulate != 0);
            for (int skin = 0; skin < 2; ++skin) {
                core.graphics->clear(BLACK);
                RenderCore::draw(picture.skins[static_cast<size_t>(skin)], V3(0, 0, 0));
                frames[simulate][skin] = core.frame();
            }
        }
        EXPECT_TRUE(sameFrame(*frames[0][0], *frames[1][0]));
        EXPECT_TRUE(sameFrame(*frames[0][1], *frames[1][1]));
        // And it is the picture: its top-left pixel at the window's
        // (400 - width / 2, 300 - height / 2).
        const u32 topLeft = frames[1][0]->pImageData[(300 - size.height / 2) * 800 + 400 - size.width / 2];
        EXPECT_EQ(topLeft & 0xffffff, rgbOf(RenderCore::pattern(0, 0)));
    }
}

// A mosaic cell that can show only in part is drawn in window strips under
// a scissor of its own; the scissor the mosaic found, on or off, and its
// box are as they were after it.
TEST_F(RenderPixels, AMosaicDrawnInStripsLeavesTheScissorAsItFoundIt)
{
    // Clear but for a dot in the middle tile.
    RenderCore::writeTga("overlay.tga", 600, 200, [](int x, int y) {
        const int dx = x - 300;
        const int dy = y - 100;
        return dx * dx + dy * dy < 400 ? UColor(9, 9, 9, 255) : UColor(200, 200, 200, 0);
    });
    core.graphics->bSimulate256x256TextureHW = true;
    Texture overlay("overlay.tga", 0);
    const auto& cells = static_cast<QuadMosaic*>(overlay.skins[0])->quads;
    ASSERT_TRUE(std::any_of(cells.begin(), cells.end(), [](const Quad* q) { return !q->visibleBlocks.empty(); }));

    const struct {
        GLboolean on;
        std::vector<GLint> box;
    } found[] = {{GL_TRUE, {0, 0, 700, 500}}, {GL_FALSE, {1, 2, 3, 4}}};
    for (const auto& f : found) {
        SCOPED_TRACE(int(f.on));
        glDisable(GL_SCISSOR_TEST);
        core.graphics->clear(BLACK);
        glScissor(f.box[0], f.box[1], f.box[2], f.box[3]);
        if (f.on == GL_TRUE) {
            glEnable(GL_SCISSOR_TEST);
        }
        RenderCore::draw(overlay.skins[0], V3(0, 0, 0));
        EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), f.on);
        std::vector<GLint> box(4);
        glGetIntegerv(GL_SCISSOR_BOX, box.data());
        EXPECT_EQ(box, f.box);
        EXPECT_EQ(core.worldPixel(0, 0), 0x090909u) << "the dot is drawn";
    }
    glDisable(GL_SCISSOR_TEST);
}

TEST_F(RenderPixels, TintingAndAlphaBlendAsTheTexturesAsk)
{
    RenderCore::writeTga("white.tga", 16, 16, [](int, int) { return UColor(255, 255, 255, 255); });
    RenderCore::writeTga("glass.tga", 16, 16, [](int, int) { return UColor(255, 0, 0, 128); });
    RenderCore::writeTga("hole.tga", 16, 16, [](int, int) { return UColor(255, 255, 0, 0); });
    const Bytes jpeg = makeJpeg(16, 16, 3, JCS_RGB, [](int, int, int c) { return c == 0 ? 200 : 60; });
    TempFolder::writeFile("photo.jpg", std::string(jpeg.begin(), jpeg.end()));
    Texture white("white.tga", 0);
    Texture glass("glass.tga", 0);
    Texture hole("hole.tga", 0);
    Texture photo("photo.jpg", 0);
    EXPECT_FALSE(photo.hasAlpha);
    Texture forced("photo.jpg", Texture::TEXTURE_FORCE_ALPHA);
    EXPECT_TRUE(forced.hasAlpha);

    core.graphics->clear(BLUE);
    RenderCore::draw(white.skins[0], V3(-200, 0, 0), UColor(255, 0, 0, 255));
    RenderCore::draw(white.skins[0], V3(-100, 0, 0), UColor(255, 255, 255, 128));
    RenderCore::draw(glass.skins[0], V3(0, 0, 0));
    RenderCore::draw(hole.skins[0], V3(100, 0, 0));
    RenderCore::draw(photo.skins[0], V3(200, 0, 0), UColor(0, 255, 0, 64));
    RenderCore::draw(forced.skins[0], V3(200, 100, 0), UColor(255, 255, 255, 128));
    white.skins[0]->drawAt(V3(-300, 0, 0), UColor(0, 255, 0, 255));

    EXPECT_EQ(core.worldPixel(-200, 0), RGB_RED) << "the colour tints the texture";
    EXPECT_EQ(core.worldPixel(-300, 0), RGB_GREEN) << "a skin drawn once, without an object";
    EXPECT_TRUE(near(core.worldPixel(-100, 0), 0xff8080)) << "the colour's alpha blends";
    EXPECT_TRUE(near(core.worldPixel(0, 0), 0x7f0080)) << "the texture's alpha blends";
    EXPECT_EQ(core.worldPixel(100, 0), RGB_BLUE) << "fully transparent texels are dropped";
    EXPECT_TRUE(near(core.worldPixel(200, 0), 0x3c3cc8, 3)) << "images without alpha draw opaque, untinted";
    EXPECT_TRUE(near(core.worldPixel(200, 100), 0xa01e64, 3)) << "unless alpha is forced";
}

TEST_F(RenderPixels, TexturesComeBackIdenticalAfterALostPresentation)
{
    RenderCore::writeTga("panorama.tga", 600, 200, RenderCore::pattern);
    RenderCore::writeTga("small.tga", 40, 30, RenderCore::pattern);
    Texture panorama("panorama.tga", 0);
    Texture small("small.tga", Texture::TEXTURE_HALVE_TO_FIT);
    auto drawScene = [&]() {
        core.graphics->clear(BLACK);
        RenderCore::draw(panorama.skins[0], V3(0, 100, 0));
        RenderCore::draw(small.skins[0], V3(-300, -200, 0), UColor(255, 128, 255, 200));
        return core.frame();
    };
    const std::unique_ptr<MemoryImageFile> before = drawScene();
    core.losePresentation();
    EXPECT_EQ(panorama.glTexHandle, 0u);
    const std::unique_ptr<MemoryImageFile> after = drawScene();
    EXPECT_TRUE(sameFrame(*before, *after));
    EXPECT_NE(core.worldPixel(0, 100), RGB_BLACK);
}

TEST_F(RenderPixels, OutlinesDebugOverlaysAndDrawRanges)
{
    core.graphics->clear(BLACK);
    const float filled[4] = {-50, -50, 50, 50};
    drawRectFilled(filled, UColor(0, 255, 0, 255));
    const float frame[4] = {100.5f, -20.5f, 150.5f, 20.5f};
    drawRectOutline(frame, UColor(255, 0, 0, 255));
    const float line[4] = {-300.5f, 200.5f, -100.5f, 200.5f};
    drawLine(line, UColor(255, 0, 0, 255), UColor(0, 0, 255, 255));
    const float flat[4] = {-300.5f, 150.5f, -100.5f, 150.5f};
    drawLine(flat, UColor(255, 255, 255, 255), UColor(0, 0, 0, 0));

    // The outline is only its edge.
    expectWorld({{0, 0, RGB_GREEN}, {-49.5f, 49.5f, RGB_GREEN}, {-50.5f, 0, RGB_BLACK}, {100.5f, 0, RGB_RED},
                 {125, 20.5f, RGB_RED}, {125, 0, RGB_BLACK}});
    EXPECT_TRUE(near(core.worldPixel(-200.5f, 200.5f), 0x800080, 4)) << "a gradient";
    EXPECT_EQ(core.worldPixel(-200.5f, 150.5f), RGB_WHITE) << "a second colour of 0 is the first";
    EXPECT_EQ(core.qel->statVertexBufferWrites, 4);
    float model[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, model);
    EXPECT_EQ(model[12], 0.0f);
    EXPECT_EQ(model[0], 1.0f);

    RenderCore::writeTga("white.tga", 16, 16, [](int, int) { return UColor(255, 255, 255, 255); });
    Texture white("white.tga", 0);
    auto& quad = *static_cast<Quad*>(white.skins[0]);
    core.graphics->clear(BLACK);
    core.qel->debugLevel = 0x40;
    RenderCore::draw(&quad, V3(0, 0, 0), UColor(0, 0, 255, 255));
    core.qel->debugLevel = 0;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(quad.vertexBuffer.vertices[i].color, UColor::fromWord(0xFFFFFFFF));
    }
    EXPECT_TRUE(near(core.worldPixel(0, 0), 0xff4040)) << "blue under a translucent white highlight";

    // Bounds circle of an object: dashes around it, a cross on its position.
    core.graphics->clear(BLACK);
    core.qel->debugLevel = 0x20;
    RenderCore::draw(&quad, V3(-100.5f, 0.5f, 0), UColor(0, 0, 0, 0));
    core.qel->debugLevel = 0;
    EXPECT_NE(core.worldPixel(-100.5f, 0.5f), RGB_BLACK);

    VertexBuffer buffer(16);
    const int vertices = core.qel->statVertices;
    buffer.draw(nullptr, VertexBuffer::TRIANGLE_STRIP, 4, 4);
    buffer.draw(nullptr, VertexBuffer::TRIANGLE_STRIP, 12, -1);
    EXPECT_EQ(core.qel->statVertices, vertices + 8);
}


TEST_F(RenderPixels, ASpriteDrawnTexelForPixelIsSampledFromTheNearestTexelAndAnyOtherFiltered)
{
    core.graphics->bBilinearFilter = true;
    RenderCore::writeTga("sprite.tga", 32, 32, RenderCore::pattern);
    Texture sprite("sprite.tga", 0);
    auto* quad = dynamic_cast<Quad*>(sprite.skins[0]);
    ASSERT_NE(quad, nullptr);
    const struct {
        V3 position;
        float scale;
        GLint filter;
    } cases[] = {
        {V3(0, 0, 0), 1.0f, GL_NEAREST},
        {V3(0.5f, 0, 0), 1.0f, GL_LINEAR},
        {V3(10, -3, 0), 1.5f, GL_LINEAR},
        {V3(10, -3, 0), 1.0f, GL_NEAREST},
    };
    for (const auto& c : cases) {
        Renderable object;
        object.setPlacement(quad, &c.position, nullptr, nullptr);
        object.setScaleXY(c.scale);
        object.render();
        GLint filter = 0;
        glBindTexture(GL_TEXTURE_2D, quad->texture->glTexHandle);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
        EXPECT_EQ(filter, c.filter) << c.position.x << ", scale " << c.scale;
    }
    // The sprite itself, texel for texel.
    core.graphics->clear(BLACK);
    RenderCore::draw(quad, V3(0, 0, 0));
    EXPECT_EQ(core.worldPixel(-15.5f, 15.5f), rgbOf(RenderCore::pattern(0, 0)));
    EXPECT_EQ(core.worldPixel(14.5f, -14.5f), rgbOf(RenderCore::pattern(30, 30)));
}
