// The game's opening after a real start-up: the iris closed at its start,
// the background camera up in the sky and gliding down from 15 s, every
// story scene once, the logo and copyright at 35 s, the end after 40 s,
// and the logo handed to the overlay whenever the screen goes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "context/ContextPost.h"
#include "context/ContextPre.h"
#include "effects/CameraBlender.h"
#include "effects/RenderableTimed.h"
#include "graphics/Camera.h"
#include "graphics/Skin.h"
#include "gui/RadialFader.h"
#include "loader/StartupCore.h"
#include "screens/ContextAutoConfigure.h"
#include "screens/ContextGameLogo.h"
#include "screens/ContextMakerLogo.h"
#include "text/RenderableText.h"

namespace {

class GameLogo : public testing::Test {
protected:
    GameLogo()
    {
        core.linkDataPack();
        core.qel->defaultLanguage = 0;
        core.qel->bMultilanguage = true;
        core.global->initPreLoader();
        // The configuration screen ends when drawn and the maker's logo
        // after its time; these tests only tick, so both are ended here.
        for (int i = 0; i < 1000 && dynamic_cast<ContextGameLogo*>(core.top()) == nullptr; ++i) {
            Context* top = core.top();
            if (dynamic_cast<ContextAutoConfigure*>(top) != nullptr || dynamic_cast<ContextMakerLogo*>(top) != nullptr) {
                top->bFinished = 1;
            }
            frame(0.01);
        }
        logo = dynamic_cast<ContextGameLogo*>(core.top());
        if (logo == nullptr) {
            ADD_FAILURE() << "the game's opening never came up";
            std::abort();
        }
    }
    // One engine frame of the given length.
    void frame(double seconds)
    {
        core.qel->frameTimer.previousStart = core.qel->frameTimer.currentStart;
        core.qel->frameTimer.currentStart += seconds;
        core.global->contextManager->tick(0.0, 0.0);
    }
    // Frames of 0.04 s until the screen's clock passes t.
    void runTo(double t)
    {
        while (logo->time < t && !logo->bFinished) {
            frame(0.04);
        }
    }
    int lines() const { return logo->textHolder->countChildren(); }

    StartupCore core;
    ContextGameLogo* logo = nullptr;
};

} // namespace

TEST_F(GameLogo, TheOpeningRunsItsTimelineOnceAndHandsTheLogoToTheOverlay)
{
    EXPECT_EQ(logo->preObject, core.global->contextPre);
    EXPECT_EQ(logo->postObject, core.global->contextPost);
    frame(0.04);
    // Activated: the iris opens from closed; the camera stands in the sky.
    EXPECT_GT(core.global->contextManager->fader->amount, 0.9f);
    EXPECT_FLOAT_EQ(core.global->contextManager->fader->targetAmount, 0.0f);
    EXPECT_FLOAT_EQ(core.global->contextPre->camera->position.y, ContextGameLogo::SKY_HEIGHT);

    runTo(1.9);
    EXPECT_EQ(lines(), 0);
    runTo(2.1);
    EXPECT_EQ(lines(), 1) << "Welcome";
    runTo(6.1);
    EXPECT_EQ(lines(), 4) << "the welcome line is gone, four lines of the crisis";
    runTo(14.9);
    EXPECT_FLOAT_EQ(core.global->contextPre->camera->position.y, ContextGameLogo::SKY_HEIGHT);
    runTo(20.0);
    EXPECT_LT(core.global->contextPre->camera->position.y, ContextGameLogo::SKY_HEIGHT) << "the glide has begun";
    EXPECT_EQ(lines(), 2);
    runTo(34.9);
    EXPECT_EQ(logo->countChildren(), 1) << "only the text holder";
    runTo(35.1);
    ASSERT_EQ(logo->countChildren(), 3);
    EXPECT_NE(dynamic_cast<RenderableTimed*>(logo->getChild(1)), nullptr);
    EXPECT_NE(dynamic_cast<RenderableText*>(logo->getChild(2)), nullptr);
    runTo(39.9);
    EXPECT_EQ(logo->bFinished, 0);
    runTo(41.0);
    EXPECT_EQ(logo->bFinished, 1);
    const int overlayBefore = core.global->contextPost->countChildren();
    frame(0.04);
    EXPECT_EQ(core.global->contextPost->countChildren(), overlayBefore + 1);
    auto* kept = dynamic_cast<Renderable*>(core.global->contextPost->firstChild);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(static_cast<QelBase*>(kept->pSkin), core.find("logo:0"));
    EXPECT_FLOAT_EQ(kept->position.y, 300.0f - 75.0f);
    EXPECT_FLOAT_EQ(core.global->contextPre->camera->position.y, 0.0f);
}

TEST_F(GameLogo, ASkipStillLeavesTheLogoOnTheOverlay)
{
    runTo(3.0);
    core.input->keys[0x39] = 1;  // Space, the fifth key binding
    core.input->keysBefore[0x39] = 0;
    frame(0.04);
    core.input->keys[0x39] = 0;
    frame(0.04);
    EXPECT_NE(core.top(), logo);
    auto* kept = dynamic_cast<Renderable*>(core.global->contextPost->firstChild);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(static_cast<QelBase*>(kept->pSkin), core.find("logo:0"));
}
