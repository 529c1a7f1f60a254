// The closing fireworks and the game-completed screen: a rocket's flight,
// burst and end, its trail only at the higher detail, the story lines and
// launches of the screen on its clock, its size after minutes, and how it
// looks after 20 s (left as game-completed.tga).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "game/ScreenStack.h"
#include "game/effects/Firework.h"
#include "game/win/ContextWin.h"
#include "game/win/WinFirework.h"
#include "game/win/WinFireworkFuse.h"
#include "graphics/Texture.h"
#include "gui/RadialFader.h"
#include "language/Language.h"
#include "text/RenderableText.h"

namespace {

class WinSequence : public testing::Test, public ScreenStack {
protected:
    WinSequence() { std::srand(2026); }

    template <class T>
    static std::vector<T*> childrenOf(QelBase* parent)
    {
        std::vector<T*> found;
        for (BasicLink* l = parent->firstChild; l != nullptr; l = l->next) {
            if (auto* object = dynamic_cast<T*>(static_cast<QelBase*>(l)); object != nullptr && !object->bDead) {
                found.push_back(object);
            }
        }
        return found;
    }
    static std::vector<UString> textsOf(QelBase* layer)
    {
        std::vector<UString> texts;
        for (RenderableText* line : childrenOf<RenderableText>(layer)) {
            texts.push_back(line->text);
        }
        return texts;
    }
    UString text(Language::StringsEnum id) const { return UString(qel->language->getText(id)); }
    // Rockets in the air plus rockets that have burst.
    static int rocketsLaunched(QelBase* layer)
    {
        return int(childrenOf<WinFireworkFuse>(layer).size() + childrenOf<WinFirework>(layer).size());
    }
};

} // namespace

TEST_F(WinSequence, ARocketRisesBurstsIntoAFanAndAStarAndTheFanFallsOutOfView)
{
    const float bottom = float(-(graphics->fovHeight / 2) - 32);
    for (int detail : {1, 0}) {
        SCOPED_TRACE(detail);
        global->settings.detail = detail;
        QelBase layer;
        auto* rocket = new WinFireworkFuse(0.0f, bottom, 0.0f, 0.0f, 512.0f, 0.0f, 1.0, 1.0);
        layer.addChildBack(rocket);
        EXPECT_EQ(rocket->fuseTime, 1.0);
        // Steps of 1/8 s: the speed changes before the move.
        double t = 0.0;
        // One trail puff a step, in front of everything in the layer.
        auto trailAdded = [&, front = layer.firstChild]() mutable {
            const bool added = layer.firstChild != front && dynamic_cast<Firework*>(layer.getFirstChild()) != nullptr;
            front = layer.firstChild;
            return added;
        };
        for (int step = 1; step <= 7; ++step) {
            t += 0.125;
            layer.update(t, 0.125);
            const float v = 512.0f - 16.0f * float(step);
            EXPECT_FLOAT_EQ(rocket->velocity.y, v);
            EXPECT_EQ(trailAdded(), detail > 0);
            EXPECT_EQ(layer.lastChild, rocket);
        }
        const float y = rocket->position.y;
        t += 0.125;
        layer.update(t, 0.125);
        // The burst at the fuse's end: the rocket goes, a fan of cargo and a
        // star of sparks come, straight up where the rocket was.
        const auto fans = childrenOf<WinFirework>(&layer);
        const auto sparks = childrenOf<Firework>(&layer);
        ASSERT_EQ(fans.size(), 1u);
        EXPECT_EQ(childrenOf<WinFireworkFuse>(&layer).size(), 0u);
        EXPECT_EQ(trailAdded(), detail > 0) << "also in the frame of the burst";
        ASSERT_EQ(layer.countChildren() - sparks.size(), 1u);
        const Firework* star = sparks.back();
        EXPECT_EQ(star->count, 10);
        EXPECT_EQ(star->sparcs[0].color.r, 255);
        EXPECT_GE(star->sparcs[0].color.g, 160);
        EXPECT_EQ(star->sparcs[0].color.b, 0);
        WinFirework* fan = fans.front();
        ASSERT_EQ(fan->count, 10);
        const auto& cargo = static_cast<Texture*>(qel->resourceManager->find("cargo", true))->skins;
        for (int i = 0; i < fan->count; ++i) {
            const Sparc& piece = fan->sparcs[size_t(i)];
            EXPECT_NEAR(piece.position.y, y + 48.0f, 1e-3f) << "where the rocket was after its last move";
            EXPECT_GE(piece.vy, 0.0f) << "a half circle around straight up";
            EXPECT_GE(piece.scale.x, 0.75f);
            EXPECT_LE(piece.scale.x, 1.25f);
            EXPECT_GE(std::fabs(piece.spin), 2.0f);
            EXPECT_LE(std::fabs(piece.spin), 8.0f);
            EXPECT_NE(std::find(cargo.begin(), cargo.end(), piece.pSkin), cargo.end());
        }
        // The pieces tumble and fall; the fan ends once all are below the view.
        const float spin = fan->sparcs[0].spin;
        int steps = 0;
        while (!fan->bDead && steps < 1000) {
            fan->update(0.0, 0.125);
            ++steps;
        }
        EXPECT_EQ(fan->bDead, 1);
        EXPECT_NEAR(fan->sparcs[0].rotation.z, spin * 0.125f * float(steps), 1e-2f);
        for (int i = 0; i < fan->count; ++i) {
            EXPECT_LE(fan->sparcs[size_t(i)].position.y, bottom);
            EXPECT_EQ(fan->sparcs[size_t(i)].life, fan->sparcs[size_t(i)].life0) << "no life lost";
        }
    }
}

TEST_F(WinSequence, TheStoryFiresEveryLineItCrossesOnceAndTheRocketsRiseFromFifteenSeconds)
{
    ContextWin win;
    // The lines stay as they came: their own clock is not run here.
    win.textLayer->bSkip = 1;
    EXPECT_FLOAT_EQ(manager->fader->amount, 1.0f);
    EXPECT_FLOAT_EQ(manager->fader->targetAmount, 1.0f);
    EXPECT_EQ(win.getFirstChild(), win.rocketLayer) << "the texts over the rockets";

    // One long frame crosses the first three scenes.
    win.tickContents(0.5, 0.5);
    EXPECT_TRUE(textsOf(win.textLayer).empty());
    win.tickContents(12.0, 11.5);
    const std::vector<UString> firstThree = {text(Language::WIN11), text(Language::WIN21), text(Language::WIN31),
                                             text(Language::WIN32), text(Language::WIN33), text(Language::WIN34)};
    EXPECT_EQ(textsOf(win.textLayer), firstThree);
    const auto lines = childrenOf<RenderableText>(win.textLayer);
    EXPECT_EQ(lines[0]->font, global->fontLarge);
    EXPECT_EQ(lines[2]->font, global->fontMedium);
    EXPECT_EQ(lines[2]->color, UColor(0, 0, 0, 255));
    EXPECT_FLOAT_EQ(lines[2]->position.y, 45.0f);
    EXPECT_EQ(lines[2]->printFlags, 0x15);
    win.tickContents(12.5, 0.5);
    EXPECT_EQ(childrenOf<RenderableText>(win.textLayer).size(), 6u) << "nothing fires twice";

    // Up to 15 s no rocket; the first frame past 15 s launches one.
    win.tickContents(15.0, 2.5);
    EXPECT_EQ(rocketsLaunched(win.rocketLayer), 0);
    win.tickContents(15.02, 0.02);
    EXPECT_EQ(rocketsLaunched(win.rocketLayer), 1);
    EXPECT_GE(win.nextLaunch, 15.02 + 0.25);
    EXPECT_LT(win.nextLaunch, 15.02 + 1.0);

    // A frame over many launch intervals launches one rocket, and the next
    // is due from the frame's time on.
    win.rocketLayer->deleteChildren();
    win.tickContents(40.0, 24.98);
    EXPECT_EQ(rocketsLaunched(win.rocketLayer), 1);
    EXPECT_GE(win.nextLaunch, 40.25);
    EXPECT_LT(win.nextLaunch, 41.0);
    // The rest of the story came in the same frame, in order.
    const std::vector<UString> rest = {text(Language::WIN41), text(Language::WIN42), text(Language::WIN51),
                                       text(Language::WIN52), text(Language::WIN53), text(Language::WIN54),
                                       text(Language::WIN61)};
    const std::vector<UString> all = textsOf(win.textLayer);
    EXPECT_EQ(std::vector<UString>(all.end() - 7, all.end()), rest);
}

TEST_F(WinSequence, AfterMinutesTheScreenHoldsABoundedNumberOfObjects)
{
    ContextWin win;
    int most = 0;
    int launched = 0;
    for (int frame = 1; frame <= 5 * 60 * 50; ++frame) {
        const double due = win.nextLaunch;
        win.tickContents(frame * 0.02, 0.02);
        launched += win.nextLaunch != due ? 1 : 0;
        most = std::max(most, int(win.rocketLayer->countChildren() + win.textLayer->countChildren()));
    }
    // A rocket every 0.25 to 1 s from 15 s on, and what they leave is gone
    // within seconds.
    EXPECT_GT(launched, 285 * 1);
    EXPECT_LT(launched, 285 * 4);
    EXPECT_LT(most, 100);
    EXPECT_EQ(textsOf(win.textLayer), std::vector<UString>{text(Language::WIN61)});
}

TEST_F(WinSequence, AfterTwentySecondsTheLinesStandOverTheSkyWithRocketsBursting)
{
    auto* win = new ContextWin();
    manager->add(win);
    while (win->time < 20.5) {
        tick(0.02);
    }
    EXPECT_EQ(manager->getActive(), win);
    EXPECT_FLOAT_EQ(manager->fader->amount, 0.0f) << "the iris has opened";
    EXPECT_GT(rocketsLaunched(win->rocketLayer), 0);
    EXPECT_EQ(textsOf(win->textLayer), (std::vector<UString>{text(Language::WIN41), text(Language::WIN42)}));
    screenshot("game-completed.tga");

    // A click ends it.
    click(0.0f, 0.0f);
    EXPECT_EQ(manager->getActive(), nullptr);
}
