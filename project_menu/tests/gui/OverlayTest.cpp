// The pointer, the progress bar and the screen fader.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "context/MenuCore.h"
#include "graphics/Quad.h"
#include "gui/MousePointer.h"
#include "gui/Percentage.h"
#include "gui/RadialFader.h"
#include "support/ExpectFatal.h"

namespace {

class OverlayTest : public testing::Test, public MenuCore {
protected:
    void drawFader(float amount)
    {
        graphics->clear(UColor(255, 0, 0, 255));
        manager->fader->amount = amount;
        manager->fader->render();
    }
};

} // namespace

TEST_F(OverlayTest, TheFaderMovesOneUnitPerSecondTowardItsTarget)
{
    RadialFader fader;
    fader.targetAmount = 1.0f;
    for (int i = 0; i < 4; ++i) {
        fader.update(0.0, 0.25);
    }
    EXPECT_FLOAT_EQ(fader.amount, 1.0f);
    fader.update(0.0, 0.25);
    EXPECT_FLOAT_EQ(fader.amount, 1.0f);
    fader.targetAmount = 0.0f;
    fader.update(0.0, 0.5);
    EXPECT_FLOAT_EQ(fader.amount, 0.5f);
    fader.update(0.0, 2.0);
    EXPECT_FLOAT_EQ(fader.amount, 0.0f);
}

TEST_F(OverlayTest, AChangeOfScreenOpensTheFaderFromWhereItStands)
{
    push("first");
    tick();
    manager->fader->amount = 0.4f;
    manager->fader->targetAmount = 1.0f;
    tick();
    EXPECT_EQ(manager->fader->targetAmount, 1.0f);
    push("second");
    tick();
    EXPECT_EQ(manager->fader->targetAmount, 0.0f);
    EXPECT_FLOAT_EQ(manager->fader->amount, 0.4f - float(manager->faderHolder->frameDelta));
}

TEST_F(OverlayTest, TheIrisRadiusFollowsTheSineCurve)
{
    EXPECT_FLOAT_EQ(RadialFader::outerRadius(800, 600), 532.0f);
    EXPECT_NEAR(RadialFader::irisRadius(532.0f, 0.5f), 532.0f * (1.0f - std::sin(float(std::numbers::pi) / 4)),
                1e-3);
    EXPECT_FLOAT_EQ(RadialFader::irisRadius(532.0f, 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(RadialFader::irisRadius(532.0f, 0.0f), 532.0f);
}

TEST_F(OverlayTest, TheFaderDrawsNothingOpenCoversTheViewClosedAndLeavesAnIrisBetween)
{
    drawFader(0.0f);
    EXPECT_EQ(worldPixel(0, 0), RGB_RED);
    EXPECT_EQ(worldPixel(-395, 295), RGB_RED);
    drawFader(1.0f);
    for (V3 p : {V3(0, 0, 0), V3(-395, 295, 0), V3(395, -295, 0), V3(200, 10, 0)}) {
        EXPECT_EQ(worldPixel(p.x, p.y), RGB_BLACK) << p.x << ", " << p.y;
    }

    // Half closed, the iris leaves the centre open, with a soft edge only
    // with detail; measured along the direction of vertex pair 0, turned by
    // -2 radians at 0.5.
    const float r = RadialFader::irisRadius(532.0f, 0.5f);
    const V3 dir(std::cos(-2.0f), std::sin(-2.0f), 0.0f);
    auto at = [&](float radius) { return worldPixel(dir.x * radius, dir.y * radius); };

    global->settings.detail = 1;
    drawFader(0.5f);
    EXPECT_EQ(worldPixel(0, 0), RGB_RED);
    EXPECT_EQ(at(r * 1.3f + 20.0f), RGB_BLACK);
    const u32 soft = at(r * 1.3f - 12.0f);
    EXPECT_NE(soft, RGB_RED);
    EXPECT_NE(soft, RGB_BLACK);

    global->settings.detail = 0;
    drawFader(0.5f);
    EXPECT_EQ(at(r * 1.3f - 12.0f), RGB_RED);
    EXPECT_EQ(at(r * 1.3f + 20.0f), RGB_BLACK);
}

TEST_F(OverlayTest, ThePointerFollowsTheMouseAtDepthZero)
{
    RecordingScreen* screen = push("screen");
    screen->camera->position.z = -900.0f;
    mouse = V3(500.0f, 200.0f, 0.0f);
    tick();
    const V3 expected = manager->pointerHolder->mouseWorld;
    EXPECT_EQ(manager->mousePointer->position.x, expected.x);
    EXPECT_EQ(manager->mousePointer->position.y, expected.y);
    EXPECT_EQ(manager->mousePointer->position.z, 0.0f);
    EXPECT_NEAR(expected.x, 100.0f, 0.01);
    EXPECT_NEAR(expected.y, -100.0f, 0.01);
    EXPECT_EQ(manager->mousePointer->pSkin, pointerImage->skins[0]);
}

TEST_F(OverlayTest, TheProgressBarCutsItsFillFromTheLeft)
{
    Texture image("gfx/gui/game/progressbar.tga", 0);
    ASSERT_GE(image.skins.size(), 2u);
    const float frameWidth = image.skins[1]->width;
    Percentage bar(&image, 0, 1);
    EXPECT_EQ(bar.pSkin, image.skins[0]);
    EXPECT_EQ(bar.fill.pSkin->width, 0.0f);

    bar.setValue(0.5f);
    EXPECT_FLOAT_EQ(bar.fill.pSkin->width, frameWidth * 0.5f);
    // The fill's left edge stays at the bar's left edge.
    EXPECT_NEAR(bar.fill.local2world(V3(-bar.fill.pSkin->width / 2, 0, 0)).x, -frameWidth / 2, 1e-3);

    bar.setValue(1.7f);
    EXPECT_FLOAT_EQ(bar.value, 1.7f);
    EXPECT_FLOAT_EQ(bar.fill.pSkin->width, frameWidth);

    // Moving and scaling the bar carries the fill along.
    const V3 at(100.0f, 50.0f, 0.0f);
    const V3 twice(2.0f, 2.0f, 1.0f);
    bar.setPlacement(nullptr, &at, nullptr, &twice);
    const V3 left = bar.fill.local2world(V3(-bar.fill.pSkin->width / 2, 0, 0));
    EXPECT_NEAR(left.x, 100.0f - frameWidth, 1e-3);
    EXPECT_NEAR(left.y, 50.0f, 1e-3);

    Percentage plain(&image, -1, 1);
    EXPECT_EQ(plain.pSkin, nullptr);
}

TEST_F(OverlayTest, AProgressBarFrameTheImageLacksIsFatal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Texture image("gfx/gui/game/progressbar.tga", 0);
    EXPECT_FATAL(Percentage(&image, 0, int(image.skins.size())), "Assertion failed");
}
