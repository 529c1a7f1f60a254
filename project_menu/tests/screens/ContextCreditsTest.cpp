// The credits on one timeline after a real start-up: 47 lines stacked down
// from the bottom edge, rising at 30 units a second, fading in over the
// band above the bottom and out under the top, deleted past the top; the
// background's view up at 424 after 10 s; the screen gone at 66 s.
#include "screens/ContextCredits.h"

#include <gtest/gtest.h>

#include "graphics/Camera.h"
#include "graphics/FontQuad.h"
#include "screens/ContextScroller.h"
#include "screens/ScreenCore.h"
#include "text/RenderableText.h"

TEST(ContextScroller, TheFadeBandsOfAViewFromMinus300To300)
{
    struct Case {
        float y;
        float alpha;
    };
    const Case cases[] = {
        {-300.0f, 0.0f}, {-260.0f, 0.0f}, {-230.0f, 0.5f}, {-200.0f, 1.0f}, {0.0f, 1.0f},
        {250.0f, 1.0f},  {275.0f, 0.5f},  {300.0f, 0.0f},  {330.0f, 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(ContextScroller::fadeAt(c.y, 300.0f, -300.0f), c.alpha) << "y " << c.y;
    }
}

TEST(ContextCredits, LinesRiseFadeAndLeaveAndTheScreenEndsAt66Seconds)
{
    ScreenCore core;
    auto* credits = new ContextCredits();
    core.manager()->add(credits);
    QelBase* lines = credits->scroller->lineHolder;
    ASSERT_EQ(lines->countChildren(), 47);
    auto* title = static_cast<RenderableText*>(lines->firstChild);
    EXPECT_EQ(title->text, "Vabo");
    EXPECT_EQ(title->position.y, -300.0f);
    EXPECT_EQ(title->font, core.global->fontLarge);
    // The first heading and its name in two columns either side of the
    // centre line.
    auto* heading = static_cast<RenderableText*>(lines->firstChild->next->next->next);
    FontQuad* medium = core.global->fontMedium;
    EXPECT_EQ(heading->text, "code & graphics      " + std::string(core.qel->language->getText(Language::CREDITS1B)));
    EXPECT_EQ(heading->position.x, -float(medium->getTextSize("code & graphics   ").width));
    EXPECT_EQ(heading->printFlags, 0x02);
    EXPECT_FLOAT_EQ(heading->position.y,
                    -300.0f - 1.15f * float(core.global->fontLarge->lineHeight) - 2 * 1.15f * float(medium->lineHeight));
    EXPECT_EQ(heading->color.toWord(), UColor(0, 0, 0, 255).toWord());

    auto runTo = [&](double t) {
        while (credits->scroller->time < t) {
            core.frame();
        }
    };
    auto titleY = [&] { return -300.0f + 30.0f * float(credits->scroller->time); };
    runTo(1.0);
    EXPECT_NEAR(title->position.y, titleY(), 0.01f);
    EXPECT_TRUE(title->bHidden) << "still under the fade-in band";
    runTo(2.0);
    EXPECT_FALSE(title->bHidden);
    EXPECT_EQ(title->color.a, u8(255.0f * ContextScroller::fadeAt(titleY(), 300.0f, -300.0f)));
    EXPECT_GT(title->color.a, 70);
    EXPECT_LT(title->color.a, 100);
    runTo(4.0);
    EXPECT_EQ(title->color.a, 255);
    runTo(10.5);
    EXPECT_NEAR(static_cast<Context*>(credits->preObject)->camera->position.y, 424.0f, 0.01f);
    runTo(19.5);
    EXPECT_LT(title->color.a, 80) << "fading out under the top";
    runTo(21.0);
    EXPECT_TRUE(title->bHidden);
    EXPECT_EQ(lines->countChildren(), 47) << "above the top but not yet past the margin";
    runTo(22.3);
    EXPECT_EQ(lines->countChildren(), 46);
    EXPECT_NE(lines->firstChild, title);

    runTo(65.9);
    EXPECT_EQ(core.manager()->getActive(), credits);
    for (int i = 0; i < 10; ++i) {
        core.frame();
    }
    EXPECT_EQ(core.manager()->getActive(), nullptr);
}

TEST(ContextCredits, SpaceOrAClickEndsTheCredits)
{
    ScreenCore core;
    core.manager()->add(new ContextCredits());
    core.frame();
    core.type(SDLK_SPACE, ' ');
    EXPECT_EQ(core.manager()->getActive(), nullptr);
    core.manager()->add(new ContextCredits());
    core.frame();
    core.click(0.0f, 0.0f);
    EXPECT_EQ(core.manager()->getActive(), nullptr);
}

TEST(ContextCredits, EveryLineFitsTheViewInEveryLanguage)
{
    ScreenCore core;
    for (int language = 0; language < 5; ++language) {
        core.qel->language->setCurrentLanguage(language);
        ContextScroller scroller;
        scroller.addCredits();
        for (BasicLink* l = scroller.lineHolder->firstChild; l != nullptr; l = l->next) {
            auto* line = static_cast<RenderableText*>(l);
            const float width = float(line->font->getTextSize(line->text).width);
            const float left = (line->printFlags & 0x04) ? line->position.x - width / 2 : line->position.x;
            EXPECT_GE(left, -390.0f) << language << ": " << std::string(line->text);
            EXPECT_LE(left + width, 390.0f) << language << ": " << std::string(line->text);
        }
    }
    core.qel->language->setCurrentLanguage(0);
}
