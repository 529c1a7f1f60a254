// Timed sprites, bent quads and nine-patch skins: their timing, geometry and
// point conversions, and what they put in the window.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "effects/BendQuad.h"
#include "effects/RenderableTimed.h"
#include "effects/StretchSkin.h"
#include "engine/Qel.h"
#include "graphics/Quad.h"
#include "support/RenderCore.h"

namespace {

constexpr UColor BLACK(0, 0, 0, 255);

void expectNear(V3 actual, V3 expected, float tolerance = 1e-3f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

class Effects : public testing::Test {
protected:
    Effects()
    {
        RenderCore::writeTga("image.tga", 64, 64, [](int x, int y) {
            const bool border = x < 20 || y < 20 || x >= 44 || y >= 44;
            return border ? UColor(255, 0, 0, 255) : UColor(0, 255, 0, 255);
        });
        image = std::make_unique<Texture>(UString("image.tga"), 0);
    }

    Quad* quad() const { return static_cast<Quad*>(image->skins[0]); }

    // Draws the owner on a black frame and reads world points back.
    void expectDrawn(Renderable& owner, std::initializer_list<std::pair<V3, u32>> checks)
    {
        core.graphics->clear(BLACK);
        owner.render();
        for (const auto& [at, rgb] : checks) {
            EXPECT_EQ(core.worldPixel(at.x, at.y), rgb) << at.x << ", " << at.y;
        }
    }

    RenderCore core;
    std::unique_ptr<Texture> image;
};

} // namespace

TEST_F(Effects, TimedSpritesFadeInStayFadeOutRemoveThemselvesAndWaitForTheirDelay)
{
    RenderableTimed sprite;
    sprite.lifeTime = 2.5;
    sprite.fadeInTime = 0.25;
    sprite.fadeOutTime = 0.5;
    const int expected[] = {51, 102, 153, 204};
    for (int alpha : expected) {
        sprite.update(0.0, 0.05);
        EXPECT_EQ(sprite.color.a, alpha);
    }
    int updates = 4;
    while (sprite.elapsed < 2.2499) {
        sprite.update(0.0, 0.05);
        ++updates;
        if (sprite.elapsed >= 0.25 && sprite.elapsed <= 2.0) {
            EXPECT_EQ(sprite.color.a, 255) << sprite.elapsed;
        }
    }
    EXPECT_NEAR(sprite.color.a, 127, 1);
    while (!sprite.bDead && updates < 100) {
        sprite.update(0.0, 0.05);
        ++updates;
    }
    EXPECT_TRUE(sprite.bDead);
    EXPECT_EQ(sprite.color.a, 0);

    RenderableTimed jump;
    jump.lifeTime = 1.0;
    jump.fadeOutTime = 0.5;
    jump.update(0.0, 3.0);
    EXPECT_EQ(jump.color.a, 0) << "a factor below 0 gives 0, not a wrapped byte";

    RenderableTimed plain;
    plain.color.a = 10;
    plain.update(0.0, 0.01);
    EXPECT_EQ(plain.color.a, 255);

    // A delayed sprite is not drawn, but its children tick.
    RenderableTimed delayed;
    delayed.setPlacement(quad(), nullptr, nullptr, nullptr);
    delayed.delay = 1.0;
    auto* child = new RenderableTimed();
    child->lifeTime = 0.1;
    delayed.add(child);
    delayed.update(0.0, 0.5);
    delayed.update(0.0, 0.2);
    EXPECT_EQ(delayed.elapsed, 0.0);
    EXPECT_EQ(delayed.countChildren(), 0u) << "children tick (and the finished one goes) while the delay runs";
    expectDrawn(delayed, {{V3(0.5f, 0.5f, 0), RGB_BLACK}});
    delayed.update(0.0, 0.5);
    expectDrawn(delayed, {{V3(0.5f, 0.5f, 0), RGB_GREEN}});
}

TEST_F(Effects, BendQuadsRollAndConvertPointsBothWays)
{
    BendQuad bend;
    bend.copyFrom(quad());
    EXPECT_EQ(bend.width, 64.0f);
    const Vertex* v = bend.vertexBuffer.vertices.get();
    EXPECT_EQ(V3(v[0].x, v[0].y, v[1].y), V3(32.0f, 32.0f, -32.0f));
    EXPECT_EQ(v[2].x, -32.0f);
    EXPECT_EQ(v[0].u, quad()->uvRight);
    EXPECT_EQ(v[2].u, quad()->uvLeft);

    const int writes = g_qel->statVertexBufferWrites;
    bend.setBend(0.0005f);
    EXPECT_EQ(bend.bend, 0.0f);
    EXPECT_EQ(g_qel->statVertexBufferWrites, writes) << "nothing rebuilt for a bend that stays flat";

    BendQuad bare;
    bare.width = 5.0f;
    bare.rebuild();
    EXPECT_EQ(bare.width, 5.0f) << "no texture: nothing changes";

    // A full turn rolls the centre line into a circle.
    bend.columns = 16;
    bend.allocate();
    EXPECT_EQ(bend.vertexBuffer.numVertices, 32);
    bend.setBend(static_cast<float>(2.0 * std::numbers::pi));
    const float r = 64.0f / static_cast<float>(2.0 * std::numbers::pi);
    EXPECT_NEAR(bend.radius, r, 1e-4);
    // The right edge's midpoint meets the left edge's.
    expectNear(bend.local2world(V3(32.0f, 0.0f, 0.0f)), V3(-32.0f, 0.0f, 0.0f));
    expectNear(bend.local2world(V3(0.0f, 0.0f, 0.0f)), V3(-32.0f, 2.0f * r, 0.0f));
    // Top and bottom vertices of the right column straddle that point.
    v = bend.vertexBuffer.vertices.get();
    EXPECT_NEAR(v[0].x, -32.0f, 1e-3);
    EXPECT_NEAR((v[0].y + v[1].y) / 2.0f, 0.0f, 1e-3);

    // Bent points convert back to flat ones; the old shape is the frame's first.
    BendQuad moving;
    moving.copyFrom(quad());
    moving.columns = 16;
    moving.allocate();
    expectNear(moving.local2world(V3(-32.0f, 0.0f, 7.0f)), V3(-32.0f, 0.0f, 7.0f));
    g_qel->frameNumber = 5;
    moving.setBend(0.5f);
    moving.setBend(-0.8f);
    EXPECT_EQ(moving.prevBend, 0.0f) << "the values from before the frame's first call";
    for (float b : {0.5f, -0.8f}) {
        moving.setBend(b);
        expectNear(moving.local2world(V3(-32.0f, 0.0f, 7.0f)), V3(-32.0f, 0.0f, 0.0f));
        const V3 flat(10.0f, 12.0f, 3.0f);
        const V3 bent = moving.local2world(flat);
        expectNear(moving.world2local(V3(bent.x, bent.y, 3.0f)), flat, 2e-3f);
    }
    g_qel->frameNumber = 6;
    moving.setBend(0.3f);
    EXPECT_EQ(moving.prevBend, -0.8f);
    const V3 p = moving.local2worldOld(V3(10.0f, 0.0f, 0.0f));
    expectNear(moving.world2localOld(p), V3(10.0f, 0.0f, 0.0f), 2e-3f);
    g_qel->frameNumber = 7;
    expectNear(moving.world2localOld(moving.local2world(V3(10.0f, 0.0f, 0.0f))), V3(10.0f, 0.0f, 0.0f), 2e-3f);
}

TEST_F(Effects, NinePatchCornersKeepTheirSizeWhileTheCentreStretches)
{
    StretchSkin frame(quad());
    frame.setBorders(20, 20, 20, 20);
    EXPECT_EQ(frame.width, 64.0f) << "setBorders goes back to the natural size";
    // Texture coordinates over the 256 x 256 texture the image lies in.
    EXPECT_FLOAT_EQ(frame.innerU0, 20.0f / 256.0f);
    EXPECT_FLOAT_EQ(frame.innerV1, 44.0f / 256.0f);
    frame.resize(200.0f, 100.0f);
    const Vertex* v = frame.vertexBuffer.vertices.get();
    const float xs[4] = {-100, -80, 80, 100};
    const float ys[4] = {50, 30, -30, -50};
    for (int band = 0; band < 3; ++band) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(v[8 * band + 2 * column].x, xs[column]);
            EXPECT_EQ(v[8 * band + 2 * column].y, ys[band]);
            EXPECT_EQ(v[8 * band + 2 * column + 1].y, ys[band + 1]);
        }
    }
    Renderable owner;
    owner.setPlacement(&frame, nullptr, nullptr, nullptr);
    // The corner is 20 x 20.
    expectDrawn(owner, {{V3(-99.5f, 49.5f, 0), RGB_RED}, {V3(-80.5f, 30.5f, 0), RGB_RED},
                        {V3(-79.5f, 29.5f, 0), RGB_GREEN}, {V3(79.5f, -29.5f, 0), RGB_GREEN},
                        {V3(99.5f, -49.5f, 0), RGB_RED}, {V3(100.5f, 0.0f, 0), RGB_BLACK}});

    frame.resize(300.0f, -1.0f);
    EXPECT_EQ(frame.height, 64.0f) << "no height: the source's";
    frame.setBorders(10, 0, 0, 10);
    frame.resize(200.0f, 100.0f);
    // Only the middle band, over the whole height.
    expectDrawn(owner, {{V3(0.5f, 0.5f, 0), RGB_GREEN}, {V3(0.5f, 49.5f, 0), RGB_RED},
                        {V3(0.5f, 50.5f, 0), RGB_BLACK}, {V3(-99.5f, 0.5f, 0), RGB_RED}});
    owner.pSkin = nullptr;
}
