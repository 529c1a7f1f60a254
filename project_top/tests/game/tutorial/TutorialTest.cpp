// The tutorial's hint arrow and the help check box: where the arrow puts
// its head and bubble near and away from the top edge, that an empty text
// hides all of it, and how the check box answers presses near it.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "game/ScreenStack.h"
#include "game/tutorial/MenuBoolSpeech.h"
#include "game/tutorial/SpeechArrow.h"
#include "graphics/FontQuad.h"
#include "graphics/Skin.h"

namespace {

constexpr UColor BACKDROP(20, 40, 60, 255);

class Tutorial : public testing::Test, public ScreenStack {
protected:
    Tutorial()
    {
        screen->clearColor = BACKDROP;
        screen->bDeleteWhenFinished = 1;
        manager->add(screen);
        tick();
    }
    // RGB of the window pixel showing the view point.
    u32 viewPixel(V3 p) const
    {
        const float sx = float(graphics->screenWidth) / float(graphics->fovWidth);
        const float sy = float(graphics->screenHeight) / float(graphics->fovHeight);
        u8 rgba[4] = {};
        glReadPixels(int((p.x + float(graphics->fovWidth / 2)) * sx), int((p.y + float(graphics->fovHeight / 2)) * sy),
                     1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return u32(rgba[0]) | (u32(rgba[1]) << 8) | (u32(rgba[2]) << 16);
    }
    static u32 rgb(UColor c) { return u32(c.r) | (u32(c.g) << 8) | (u32(c.b) << 16); }

    Context* screen = new Context();
};

} // namespace

TEST_F(Tutorial, TheArrowHangsItsBubbleBelowAFlippedHeadOnlyAboveTheTopMargin)
{
    auto* arrow = new SpeechArrow();
    screen->addChildBack(arrow);
    arrow->setText("left-click here");
    const TextSize size = global->fontMedium->getTextSize("left-click here");
    EXPECT_FLOAT_EQ(arrow->pSkin->width, float(size.width) + 16.0f);
    EXPECT_FLOAT_EQ(arrow->pSkin->height, float(size.height) + 16.0f);
    EXPECT_EQ(arrow->color, UColor(255, 236, 191, 255));
    const float head = arrow->head.pSkin->height;
    const float bubble = arrow->pSkin->height;
    const float edge = float(graphics->fovHeight / 2 - 64);
    struct Case {
        float y;
        float headScaleY;
        float bubbleY;
    } cases[] = {
        {edge, 1.0f, edge + head - 4.0f},
        {edge + 0.5f, -1.0f, edge + 0.5f - (bubble + head - 4.0f)},
        {-200.0f, 1.0f, -200.0f + head - 4.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        arrow->setTarget(120.0f, c.y, 0.0f);
        EXPECT_EQ(arrow->head.position, V3(120.0f, c.y, 0.0f));
        EXPECT_FLOAT_EQ(arrow->head.scale.y, c.headScaleY);
        EXPECT_FLOAT_EQ(arrow->position.y, c.bubbleY);
    }

    // Drawn: the head's tip region and the bubble show; with no text nothing.
    arrow->setTarget(0.0f, -100.0f, 0.0f);
    arrow->setColor(UColor(255, 128, 64, 255));
    EXPECT_EQ(arrow->head.color, UColor(255, 128, 64, 255));
    const V3 inHead(0.0f, -100.0f + head / 2, 0.0f);
    const V3 inBubble(arrow->boundsCenter.x + float(size.width) / 2 + 4.0f, arrow->boundsCenter.y, 0.0f);
    screen->render();
    EXPECT_NE(viewPixel(inHead), rgb(BACKDROP));
    EXPECT_NE(viewPixel(inBubble), rgb(BACKDROP));
    arrow->setText("");
    screen->render();
    EXPECT_EQ(viewPixel(inHead), rgb(BACKDROP));
    EXPECT_EQ(viewPixel(inBubble), rgb(BACKDROP));
    EXPECT_EQ(viewPixel(arrow->boundsCenter), rgb(BACKDROP));
}

TEST_F(Tutorial, TheCheckBoxFlipsOncePerPressAndOnlyWithinTwentyUnits)
{
    bool value = true;
    auto* box = new MenuBoolSpeech(100.0f, -50.0f, 0.0f, "Show these help messages", &value);
    screen->addChildBack(box);
    struct Press {
        float dx;
        float dy;
        bool flips;
    } presses[] = {{0.0f, 0.0f, true}, {19.0f, 0.0f, true}, {0.0f, -19.5f, true},
                   {20.0f, 0.0f, false}, {12.0f, 16.0f, false}, {-30.0f, 0.0f, false}};
    for (const Press& p : presses) {
        SCOPED_TRACE(testing::Message() << p.dx << "," << p.dy);
        const bool before = value;
        click(100.0f + p.dx, -50.0f + p.dy);
        EXPECT_EQ(value, p.flips ? !before : before);
    }
    // Held down over several frames: one flip; lit while the pointer is near.
    const bool before = value;
    mouse = V3(100.0f, -50.0f, 0.0f);
    mouseDown = true;
    for (int i = 0; i < 4; ++i) {
        tick();
    }
    mouseDown = false;
    tick();
    EXPECT_EQ(value, !before);
    EXPECT_EQ(box->color, UColor(255, 192, 0, 255));
    mouse = V3(100.0f, 0.0f, 0.0f);
    tick();
    EXPECT_EQ(box->color, UColor(96, 109, 128, 255));
}
