// The short-lived effects with the game's own art: score texts and hearts
// by their sizes and timings, spark bursts and smoke puffs by their draws,
// lives and frames, and the game's pointer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "context/ContextManager.h"
#include "game/GameCore.h"
#include "game/effects/Firework.h"
#include "game/effects/Heart.h"
#include "game/effects/Smoke.h"
#include "game/effects/TextBonus.h"
#include "graphics/Camera.h"
#include "graphics/Skin.h"
#include "graphics/Texture.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float FULL_CIRCLE = float(2.0 * std::numbers::pi);

class Effects : public testing::Test, public GameCore {
protected:
    Effects() { startGame(); }
    Texture* texture(const char* key) { return static_cast<Texture*>(qel->resourceManager->find(key, true)); }
};

} // namespace

TEST_F(Effects, AScoreTextGrowsRisesAndFadesOverOneSecond)
{
    const i32 before = global->profiles.getProfile(global->profiles.currentIndex).score;
    game->addScore(10.0f, 20.0f, 0.0f, 250, "");
    auto* text = dynamic_cast<TextBonus*>(static_cast<QelBase*>(game->popupLayer->lastChild));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, "+250");
    EXPECT_EQ(global->profiles.getProfile(global->profiles.currentIndex).score, before + 250);
    EXPECT_EQ(text->font, global->fontLarge);
    EXPECT_EQ(text->color, UColor(255, 236, 191, 255));
    EXPECT_EQ(text->printFlags, 0x15);
    EXPECT_FALSE(text->bShadowed);

    // Steps of 0.05 s: the size is that of the life before the step.
    for (const auto& [step, size, alpha] : {
             std::tuple{1, 0.25f, 255},
             std::tuple{10, 0.70f, 255},
             std::tuple{11, 0.75f, 229},
             std::tuple{15, 0.95f, 127},
         }) {
        while (int(std::lround(text->elapsed / 0.05)) < step) {
            text->update(0.0, 0.05);
        }
        EXPECT_NEAR(text->scale.x, size, 1e-4f) << step;
        EXPECT_EQ(int(text->color.a), alpha) << step;
    }
    while (text->elapsed < 1.0 - 1e-9) {
        text->update(0.0, 0.05);
    }
    EXPECT_NEAR(text->position.y, 20.0f + 32.0f, 1e-3f);
    EXPECT_NEAR(text->scale.x, 1.2f, 1e-4f);
    text->update(0.0, 0.05);
    EXPECT_EQ(text->bDead, 1);

    game->addScore(0.0f, 0.0f, 0.0f, 100, "slow!");
    EXPECT_EQ(static_cast<TextBonus*>(game->popupLayer->lastChild)->text, "slow!");
}

TEST_F(Effects, AHeartRisesSwingsShrinksAndCyclesItsFramesForTwoSeconds)
{
    Heart heart(100.0f, -50.0f, 0.0f);
    EXPECT_FLOAT_EQ(heart.scale.x, 1.5f);
    EXPECT_EQ(static_cast<QelBase*>(heart.flare.pSkin), qel->resourceManager->find("flare:0", true));
    const auto& frames = texture("heart")->skins;
    const int n = int(frames.size());
    ASSERT_GE(n, 2);
    // Steps of 1/16 s, which add up exactly.
    std::vector<int> shown;
    for (int i = 1; i <= 32; ++i) {
        heart.update(0.0, 0.0625);
        const double life = 0.03125 * i;
        EXPECT_NEAR(heart.position.y, -50.0f + 6.25f * float(i), 1e-3f);
        EXPECT_NEAR(heart.position.x, 100.0f + (24.0 - 24.0 * life) * std::cos(16.0 * life), 1e-3);
        EXPECT_NEAR(heart.flare.scale.x, 3.0f * heart.scale.x, 1e-5f);
        EXPECT_NEAR(heart.flare.rotation.z, 0.125f * float(i), 1e-4f);
        if (i <= 16) {
            for (int f = 0; f < n; ++f) {
                if (heart.pSkin == frames[size_t(f)] && (shown.empty() || shown.back() != f)) {
                    shown.push_back(f);
                }
            }
        }
        if (i == 16) {
            EXPECT_NEAR(heart.scale.x, 1.125f, 1e-5f) << "after one second";
        }
    }
    // One cycle a second through every frame but the last.
    std::vector<int> cycle;
    for (int f = 0; f < n - 1; ++f) {
        cycle.push_back(f);
    }
    cycle.push_back(0);
    EXPECT_EQ(shown, cycle);
    EXPECT_EQ(heart.bDead, 0);
    heart.update(0.0, 0.0625);
    EXPECT_EQ(heart.bDead, 1) << "the first update after two seconds";
}

TEST_F(Effects, SparksTakeTheirDrawsAndTheFanShortensTheEdges)
{
    // Per spark: offset, turn, speed; no colour draw for a given colour.
    ScriptedRandom script{ScriptedRandom::ofFraction(0.0), 0, ScriptedRandom::ofFraction(1.0 - 1.0 / 65536),
                          ScriptedRandom::ofFraction(0.5), 0, ScriptedRandom::ofFraction(0.5)};
    Firework fan(0.0f, 0.0f, 0.0f, 2, 40.0f, 80.0f, 0.0f, float(std::numbers::pi), 3.0f, UColor(9, 9, 9, 9));
    EXPECT_EQ(script.left(), 0);
    // The edge of the fan keeps a tenth of its drawn life, the centre all.
    EXPECT_NEAR(fan.sparcs[0].life, 0.1f * 80.0f, 1e-2f);
    EXPECT_NEAR(fan.sparcs[0].vy, -80.0f, 1e-2f) << "the speed stays as drawn";
    EXPECT_NEAR(fan.sparcs[1].life, 60.0f, 1e-3f);
    EXPECT_NEAR(fan.sparcs[1].vx, 60.0f, 1e-3f);
    EXPECT_EQ(fan.sparcs[1].color, UColor(9, 9, 9, 9));
    // A full circle does not shorten; colour 0 draws a colour per spark
    // after its motion.
    script.add({ScriptedRandom::ofFraction(0.5), 0, ScriptedRandom::ofFraction(0.5), 4, 3});
    Firework circle(0.0f, 0.0f, 0.0f, 1, 40.0f, 80.0f, 0.0f, FULL_CIRCLE, 3.0f, UColor());
    EXPECT_FLOAT_EQ(circle.sparcs[0].life, 60.0f);
    EXPECT_EQ(circle.sparcs[0].color, UColor(255, 96, 255, 255));
    EXPECT_EQ(script.left(), 0);
    // Size from life; life loses 128 per second; gone when every spark is.
    circle.update(0.0, 0.1);
    EXPECT_NEAR(circle.sparcs[0].scale.x, (60.0f / 80.0f) * 2.9f + 0.1f, 1e-5f);
    EXPECT_NEAR(circle.sparcs[0].position.x, 6.0f, 1e-4f);
    EXPECT_NEAR(circle.sparcs[0].life, 60.0f - 12.8f, 1e-3f);
    int updates = 1;
    while (circle.bDead == 0 && updates < 100) {
        circle.update(0.0, 0.1);
        ++updates;
    }
    EXPECT_EQ(updates, 6) << "five updates use up 60, the sixth finds none alive";
}

TEST_F(Effects, SmokeGrowsAndRunsThroughItsFramesAsItsLifeRunsOut)
{
    const auto& frames = texture("smoke")->skins;
    const int last = int(frames.size()) - 1;
    ASSERT_GE(last, 1);
    // Per puff: turn, offset, speed. A full-speed puff and a half-speed one.
    ScriptedRandom script{0, ScriptedRandom::ofFraction(0.5), ScriptedRandom::ofFraction(1.0 - 1.0 / 65536), 0,
                          ScriptedRandom::ofFraction(0.5), ScriptedRandom::ofFraction(0.5)};
    Smoke smoke(0.0f, 0.0f, 0.0f, 2, 0.0f, 6.0f, float(std::numbers::pi / 2), 1.0f, 2.0f, UColor(255, 255, 255, 255));
    EXPECT_EQ(script.left(), 0);
    smoke.update(0.0, 0.01);
    EXPECT_EQ(smoke.sparcs[0].pSkin, frames[0]);
    EXPECT_NEAR(smoke.sparcs[0].scale.x, 0.25f * 2.0f + 0.75f * 2.0f * (1.0f - 6.0f / 7.0f), 1e-3f);
    EXPECT_EQ(smoke.sparcs[1].pSkin, frames[size_t(last / 2)]) << "a weaker puff starts later";
    EXPECT_GT(smoke.sparcs[0].vy, 5.9f) << "straight up";
    // Frame by frame toward the last, which the truncation reaches only as
    // the life reaches 0.
    int previous = 0;
    while (smoke.bDead == 0) {
        smoke.update(0.0, 0.01);
        const auto shown = int(std::find(frames.begin(), frames.end(), smoke.sparcs[0].pSkin) - frames.begin());
        EXPECT_GE(shown, previous);
        previous = shown;
    }
    EXPECT_EQ(previous, last - 1);

    Smoke none(0.0f, 0.0f, 0.0f, 0, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, UColor());
    none.update(0.0, 0.01);
    EXPECT_EQ(none.bDead, 1);
}

TEST_F(Effects, TheGamePointerIsTheSecondFrameOnTheMouseInTheScene)
{
    EXPECT_EQ(game->mousePointer.pSkin, texture("mousePointer")->skins[1]);
    EXPECT_EQ(game->pointerObject, &game->mousePointer);
    game->sceneLayer->camera->position = V3(100.0f, 16.0f, game->sceneLayer->camera->position.z);
    game->sceneLayer->camera->target = V3(100.0f, 16.0f, 0.0f);
    input->mousePosition = V3(400.0f + 30.0f, 300.0f - 40.0f, 0.0f);
    frame(0.02);
    game->mousePointer.update(0.0, 0.02);
    // Drawn by the screen stack's camera over the scene point under the mouse.
    const V3 drawn = global->contextManager->camera->world2screen(game->mousePointer.position.x,
                                                                  game->mousePointer.position.y, 0.0f);
    const V3 aimed = game->sceneLayer->camera->world2screen(game->sceneLayer->mouseWorld.x,
                                                            game->sceneLayer->mouseWorld.y, 0.0f);
    EXPECT_NEAR(drawn.x, aimed.x, 1e-3f);
    EXPECT_NEAR(drawn.y, aimed.y, 1e-3f);
    EXPECT_EQ(game->mousePointer.bSkipVisibility, 1);
}
